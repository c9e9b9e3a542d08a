#include "foundation/DisplayText.h"

#include "foundation/LanguageTable.h"

#include <QFile>
#include <QHash>

namespace {

// Unicode's directional isolates.
constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kFirstStrongIsolate(0x2068);
constexpr QChar kPopIsolate(0x2069);

QHash<int, QString> loadDisplayForms()
{
    QHash<int, QString> forms;
    QFile file(QStringLiteral(":/texts-display.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return forms;
    const QString all = QString::fromUtf8(file.readAll());
    for (const QString &line : all.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        bool ok = false;
        const int number = bar > 0 ? line.left(bar).toInt(&ok) : 0;
        if (ok)
            forms.insert(number, line.mid(bar + 1).replace(QLatin1String("\\n"), QLatin1String("\n")));
    }
    return forms;
}

const QHash<int, QString> &displayForms()
{
    static const QHash<int, QString> forms = loadDisplayForms();
    return forms;
}

} // namespace

QString DisplayText(int number)
{
    const auto form = displayForms().constFind(number);
    return (form != displayForms().constEnd() ? *form : LookupText(number)).trimmed();
}

QString DisplayFormat(int number, const QStringList &values)
{
    QStringList isolated;
    isolated.reserve(values.size());
    for (const QString &value : values)
        isolated.append(IsolatedValue(value));
    return FormatText(DisplayText(number), isolated);
}

QString IsolatedValue(const QString &value)
{
    if (value.isEmpty())
        return value;
    // A path reads left to right even when its first folder name is Hebrew.
    const QChar open = value.contains(QLatin1Char('/')) ? kLeftToRightIsolate : kFirstStrongIsolate;
    return open + value + kPopIsolate;
}

bool IsRightToLeftText(const QString &text)
{
    for (const QChar c : text) {
        const QChar::Direction d = c.direction();
        if (d == QChar::DirR || d == QChar::DirAL)
            return true;
    }
    return false;
}
