#include "foundation/ReportProgressWindow.h"

#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 118;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// Pending events are processed at most this often, so long passes stay fast.
constexpr qint64 kEventsInterval = 30;

} // namespace

bool TfrmReportProgress::ownsThis(const QWidget *window) const
{
    for (const QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (w == window)
            return true;
    return false;
}

TfrmReportProgress::TfrmReportProgress(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportProgress"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(kClientWidth, kClientHeight);

    lblPleaseWait = new QLabel(this);
    lblPleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    lblPleaseWait->setAlignment(Qt::AlignCenter);
    lblPleaseWait->setGeometry(8, 10, kClientWidth - 16, 20);

    pnlProgress = new QWidget(this);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setGeometry(16, 38, kClientWidth - 32, 22);
    gugProgress = new QProgressBar(pnlProgress);
    gugProgress->setObjectName(QStringLiteral("gugProgress"));
    gugProgress->setRange(0, 100);
    gugProgress->setTextVisible(false);
    gugProgress->setGeometry(0, 0, pnlProgress->width(), pnlProgress->height());
    gugProgress->setStyleSheet(QStringLiteral(
        "QProgressBar { background: silver; border: 1px solid gray; }"
        "QProgressBar::chunk { background: navy; }"));

    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    btnStop = new QPushButton(this);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setAutoDefault(false);
    for (QPushButton *button : {btnCancel, btnStop}) {
        button->resize(kButtonWidth, kButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, button] { buttonClicked(button); });
    }

    TranslateFormFonts(this);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // While this window exists it is the only one the user can work with. A window that owns
    // this one is blocked by modality instead: disabling it would disable this window too.
    setWindowModality(Qt::ApplicationModal);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && !ownsThis(window) && window->isEnabled() && window->isVisible()) {
            window->setEnabled(false);
            m_disabledWindows.append(window);
        }
    }
    QApplication::processEvents();
}

TfrmReportProgress::~TfrmReportProgress()
{
    for (const QPointer<QWidget> &window : std::as_const(m_disabledWindows))
        if (window)
            window->setEnabled(true);
}

void TfrmReportProgress::ShowProgress(int captionText, int confirmText, bool cancelOnly, bool startMinimised)
{
    CaptionText = DisplayText(captionText);
    setWindowTitle(CaptionText);
    ConfirmTextId = confirmText;
    if (startMinimised) {
        showMinimized();
        QApplication::processEvents();
    }
    lblPleaseWait->setText(DisplayText(5525));
    btnCancel->setText(DisplayText(5056));
    btnStop->setText(DisplayText(5157));
    btnStop->setVisible(!cancelOnly);
    placeButtons();
    m_cancelled = false;
    m_stopped = false;
    gugProgress->setValue(0);
    if (!startMinimised)
        show();
    QApplication::processEvents();
    m_lastEventsAt = QDateTime::currentMSecsSinceEpoch();
}

// Positions count from the window's right edge: the window is mirrored.
void TfrmReportProgress::placeButtons()
{
    const int top = kClientHeight - kButtonHeight - 14;
    auto place = [&](QPushButton *button, int left) {
        button->move(kClientWidth - left - button->width(), top);
    };
    if (btnStop->isHidden()) {
        place(btnCancel, (kClientWidth - btnCancel->width()) / 2);
    } else {
        const int stopLeft = (kClientWidth - qRound(btnCancel->width() * 2.25)) / 2;
        place(btnStop, stopLeft);
        place(btnCancel, stopLeft + qRound(btnStop->width() * 1.25));
    }
}

void TfrmReportProgress::SetPercent(int percent)
{
    if (percent >= 0 && percent <= 100) {
        gugProgress->setValue(percent);
        if (isMinimized())
            setWindowTitle(CaptionText + FormatText(QStringLiteral(" (%d%%)"), {QString::number(percent)}));
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastEventsAt >= kEventsInterval) {
        m_lastEventsAt = now;
        QApplication::processEvents();
    }
}

void TfrmReportProgress::buttonClicked(QPushButton *button)
{
    if (!btnStop->isHidden()) {
        // A pass that can keep its partial work ends at once.
        m_cancelled = true;
        if (button == btnStop)
            m_stopped = true;
        return;
    }
    m_cancelled = AskYesNo(DisplayText(ConfirmTextId));
}

void TfrmReportProgress::closeEvent(QCloseEvent *event)
{
    if (isVisible()) {
        // The close box does not close a running pass; it asks it to end.
        m_cancelled = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmReportProgress::reject()
{
    // Escape works like the Cancel button.
    if (isVisible())
        buttonClicked(btnCancel);
}

void TfrmReportProgress::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && !CaptionText.isEmpty())
        setWindowTitle(CaptionText);
    QDialog::changeEvent(event);
}
