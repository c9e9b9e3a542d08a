#include "support/WindowTexts.h"

#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

namespace {

void addActions(const QList<QAction *> &actions, QStringList &texts)
{
    for (QAction *a : actions) {
        texts << a->text() << a->toolTip();
        if (a->menu())
            addActions(a->menu()->actions(), texts);
    }
}

void addWidget(const QWidget *w, QStringList &texts)
{
    texts << w->windowTitle() << w->toolTip();
    if (auto *label = qobject_cast<const QLabel *>(w))
        texts << label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        texts << button->text();
    if (auto *box = qobject_cast<const QGroupBox *>(w))
        texts << box->title();
    if (auto *tabs = qobject_cast<const QTabWidget *>(w))
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    if (auto *list = qobject_cast<const QListWidget *>(w))
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
    addActions(w->actions(), texts);
}

} // namespace

QStringList ShownTexts(const QWidget *window)
{
    QStringList texts;
    addWidget(window, texts);
    for (const QWidget *child : window->findChildren<QWidget *>())
        addWidget(child, texts);
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

QStringList TextsInLeftToRightForm(const QWidget *window)
{
    // The table's texts whose window form differs, as patterns: each place matches any value.
    QList<QRegularExpression> tableForms;
    for (int number = 1; number <= 65535; ++number) {
        const QString table = LookupText(number);
        if (table.isEmpty() || table.trimmed() == DisplayText(number))
            continue;
        QStringList parts = table.trimmed().split(QRegularExpression(QStringLiteral("%[sd]")));
        for (QString &part : parts)
            part = QRegularExpression::escape(part);
        tableForms << QRegularExpression(QRegularExpression::anchoredPattern(parts.join(QStringLiteral(".*"))),
                                         QRegularExpression::DotMatchesEverythingOption);
    }
    QStringList found;
    for (const QString &text : ShownTexts(window))
        for (const QRegularExpression &form : tableForms)
            if (form.match(text.trimmed()).hasMatch())
                found << text;
    found.removeDuplicates();
    return found;
}
