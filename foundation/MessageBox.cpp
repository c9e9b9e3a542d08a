#include "foundation/MessageBox.h"

#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kIconLeft = 16;
constexpr int kIconTop = 16;
constexpr int kIconSize = 32;
constexpr int kLabelLeftWithIcon = 64;
constexpr int kLabelLeftWithoutIcon = 16;
constexpr int kLabelTop = 16;

// Button bit -> language text of its caption.
constexpr int kButtonTexts[8] = {5180, 5349, 5054, 5056, 5350, 5352, 5351, 5262};

QStyle::StandardPixmap iconOf(int kind)
{
    switch (kind) {
    case mkWarning: return QStyle::SP_MessageBoxWarning;
    case mkError: return QStyle::SP_MessageBoxCritical;
    case mkInformation: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

// Places a child at a position measured from the reading direction's start edge.
void place(QWidget *child, int x, int y, int w, int h, int parentWidth, bool rightToLeft)
{
    child->setGeometry(rightToLeft ? parentWidth - x - w : x, y, w, h);
}

QRect screenArea(const QWidget *w)
{
    QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TfrmMessage::TfrmMessage(const QString &text, const QString &caption, int kind, int buttons, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMessage"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(caption.isEmpty() ? DisplayText(1) : caption);
    m_messagePanel = new QWidget(this);
    m_messagePanel->setObjectName(QStringLiteral("pnlMessage"));
    m_buttonPanel = new QWidget(this);
    m_buttonPanel->setObjectName(QStringLiteral("pnlButtons"));
    m_icon = new QLabel(m_messagePanel);
    m_icon->setObjectName(QStringLiteral("imgIcon"));
    m_label = new QLabel(text, m_messagePanel);
    m_label->setObjectName(QStringLiteral("lblMsg"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignTop);

    QPushButton *noButton = nullptr;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(buttons & (1 << bit)))
            continue;
        auto *button = new QPushButton(DisplayText(kButtonTexts[bit]), m_buttonPanel);
        button->setAutoDefault(false);
        const int result = ButtonResult(1 << bit);
        connect(button, &QPushButton::clicked, this, [this, result] {
            m_result = result;
            done(result);
        });
        m_buttons.append(button);
        if ((1 << bit) == mbCancel)
            m_escapeButton = button;
        else if ((1 << bit) == mbNo)
            noButton = button;
    }
    // Escape backs out: Cancel, else No (Escape on "replace the file?" must not replace it),
    // else the first button.
    if (!m_escapeButton)
        m_escapeButton = noButton;
    if (!m_escapeButton && !m_buttons.isEmpty())
        m_escapeButton = m_buttons.first();
    if (!m_buttons.isEmpty()) {
        m_buttons.first()->setDefault(true);
        m_buttons.first()->setFocus();
    }
    TranslateFormFonts(this);
    layOut(kind);
}

void TfrmMessage::layOut(int kind)
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const bool hasIcon = kind >= mkWarning && kind <= mkConfirmation;

    // Buttons: all of one width, wide enough for the longest caption in this font.
    int buttonWidth = kButtonWidth;
    for (QPushButton *b : m_buttons)
        buttonWidth = qMax(buttonWidth, b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) + 12);
    const int count = int(m_buttons.size());
    const int buttonPanelWidth = qMax(0, count * (buttonWidth + 8) - 7);

    // Text: one line, unless wider than 45% of the screen; then wrapped at that width.
    const QFontMetrics fm = m_label->fontMetrics();
    const int limit = int(std::lround(screenArea(this).width() * 0.45));
    QRect one = fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft | Qt::AlignTop, m_label->text());
    int labelWidth = one.width();
    int labelHeight = one.height();
    if (labelWidth > limit) {
        m_label->setWordWrap(true);
        const int lines = (labelWidth + limit - 1) / limit;
        const QRect wrapped = fm.boundingRect(QRect(0, 0, limit, 100000), Qt::AlignLeft | Qt::TextWordWrap, m_label->text());
        labelWidth = limit;
        labelHeight = qMax(lines * fm.height(), wrapped.height());
    }

    const int labelLeft = hasIcon ? kLabelLeftWithIcon : kLabelLeftWithoutIcon;
    int panelHeight = kLabelTop + labelHeight + 16;
    if (hasIcon)
        panelHeight = qMax(kIconTop + kIconSize + 8, panelHeight);
    const int panelWidth = std::max({labelLeft + labelWidth + 24, buttonPanelWidth + 16, 4 * buttonWidth + 24});

    const int clientWidth = panelWidth + 15;
    const int buttonTop = panelHeight + 8;
    const int clientHeight = buttonTop + kButtonHeight + 7;
    setFixedSize(clientWidth, clientHeight);

    m_messagePanel->setGeometry(0, 0, panelWidth, panelHeight);
    m_icon->setVisible(hasIcon);
    if (hasIcon) {
        m_icon->setPixmap(style()->standardIcon(iconOf(kind)).pixmap(kIconSize, kIconSize));
        place(m_icon, kIconLeft, kIconTop, kIconSize, kIconSize, panelWidth, rtl);
    }
    place(m_label, labelLeft, kLabelTop, labelWidth, labelHeight, panelWidth, rtl);

    m_buttonPanel->setGeometry((clientWidth - buttonPanelWidth) / 2, buttonTop, buttonPanelWidth, kButtonHeight);
    for (int i = 0; i < count; ++i)
        place(m_buttons[i], i * (buttonWidth + 8), 0, buttonWidth, kButtonHeight, buttonPanelWidth, rtl);
}

void TfrmMessage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_escapeButton)
            m_escapeButton->click();
        else
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

int TfrmMessage::Execute()
{
    m_result = mrCancel;
    exec();
    return m_result;
}

void InstallMessageWindow()
{
    SetMessageHandler([](const QString &text, const QString &caption, int kind, int buttons) {
        TfrmMessage box(text, caption, kind, buttons, QApplication::activeWindow());
        return box.Execute();
    });
}

void ClampToWorkArea(QWidget *form, int left, int top)
{
    const QRect area = screenArea(form);
    const QSize size = form->frameGeometry().size();
    int x = left, y = top;
    if (x + size.width() > area.right() + 1)
        x -= x + size.width() - (area.right() + 1);
    if (y + size.height() > area.bottom() + 1)
        y -= y + size.height() - (area.bottom() + 1);
    x = qMax(x, area.left());
    y = qMax(y, area.top());
    form->move(x, y);
}
