// The report progress window: buttons, cancel and stop, close box, minimised caption, and the
// other windows it disables while it exists.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "foundation/ReportProgressWindow.h"
#include "foundation/DisplayText.h"
#include "foundation/MessageBox.h"
#include "support/TextReading.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Distance of a control's left edge from the window's right edge (the window is mirrored).
int mirroredLeft(const QWidget *control)
{
    return control->parentWidget()->width() - control->geometry().right() - 1;
}

TEST(ReportProgress, CancelOnlyAsksTheQuestion)
{
    TMessageCapture messages(false);
    TfrmReportProgress window;
    window.ShowProgress(50, 51, true);
    EXPECT_EQ(window.windowTitle(), DisplayText(50));
    EXPECT_EQ(Control<QLabel>(window, "lblPleaseWait")->text(), DisplayText(5525));
    EXPECT_EQ(Control<QPushButton>(window, "btnCancel")->text(), DisplayText(5056));
    EXPECT_TRUE(Control<QPushButton>(window, "btnStop")->isHidden());
    EXPECT_EQ(mirroredLeft(Control<QPushButton>(window, "btnCancel")), (window.width() - Control<QPushButton>(window, "btnCancel")->width()) / 2);

    Control<QPushButton>(window, "btnCancel")->click();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(messages.Texts()[0], DisplayText(51));
    EXPECT_FALSE(window.Cancelled()); // No: the pass goes on
    messages.SetAnswerYes(true);
    Control<QPushButton>(window, "btnCancel")->click();
    EXPECT_TRUE(window.Cancelled());
    EXPECT_FALSE(window.Stopped());
    EXPECT_TRUE(window.Sink().Cancelled());

    // Showing again starts afresh.
    window.SetPercent(70);
    window.ShowProgress(129, 130, true);
    EXPECT_FALSE(window.Cancelled());
    EXPECT_EQ(Control<QProgressBar>(window, "gugProgress")->value(), 0);
}

TEST(ReportProgress, WithStopCancelEndsAtOnceAndStopKeepsTheWork)
{
    TMessageCapture messages;
    TfrmReportProgress window;
    window.ShowProgress(1, 0, false);
    EXPECT_FALSE(Control<QPushButton>(window, "btnStop")->isHidden());
    EXPECT_EQ(Control<QPushButton>(window, "btnStop")->text(), DisplayText(5157));
    const int stopLeft = (window.width() - qRound(Control<QPushButton>(window, "btnCancel")->width() * 2.25)) / 2;
    EXPECT_EQ(mirroredLeft(Control<QPushButton>(window, "btnStop")), stopLeft);
    EXPECT_EQ(mirroredLeft(Control<QPushButton>(window, "btnCancel")), stopLeft + qRound(Control<QPushButton>(window, "btnStop")->width() * 1.25));

    Control<QPushButton>(window, "btnCancel")->click();
    EXPECT_TRUE(window.Cancelled());
    EXPECT_FALSE(window.Stopped());
    EXPECT_TRUE(messages.Texts().isEmpty());
    window.ShowProgress(1, 0, false);
    Control<QPushButton>(window, "btnStop")->click();
    EXPECT_TRUE(window.Cancelled());
    EXPECT_TRUE(window.Stopped());
}

// With TARVEL_SCREENSHOTS set, windows are saved there as PNG to be looked at.
void screenshot(QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TARVEL_SCREENSHOTS");
    if (!folder.isEmpty())
        window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

TEST(ReportProgress, TheQuestionReadsFromTheRightAndEscapeGoesOn)
{
    InstallMessageWindow();
    TfrmReportProgress window;
    window.ShowProgress(50, 51, true);
    window.SetPercent(40);
    screenshot(window, "progress-window");
    QString asked;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<TfrmMessage *>(w); box && box->isVisible()) {
                asked = box->lblMsg()->text();
                screenshot(*box, "progress-question");
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &esc);
            }
    });
    Control<QPushButton>(window, "btnCancel")->click();
    SetMessageHandler({});
    EXPECT_EQ(ReadFromTheRight(asked), QString::fromUtf8("להפסיק יצוא מבלי לשמור?"));
    EXPECT_FALSE(window.Cancelled()); // Escape answers No: the export goes on
    window.hide();
}

TEST(ReportProgress, CloseBoxCancelsInsteadOfClosing)
{
    TfrmReportProgress window;
    window.ShowProgress(66, 67, true);
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Cancelled());
    window.hide();
}

TEST(ReportProgress, MinimisedCaptionShowsThePercentage)
{
    TfrmReportProgress window;
    window.ShowProgress(66, 67, true, true);
    window.SetPercent(40);
    EXPECT_EQ(Control<QProgressBar>(window, "gugProgress")->value(), 40);
    if (window.isMinimized()) {
        EXPECT_EQ(window.windowTitle(), DisplayText(66) + " (40%)");
    }
    window.showNormal();
    window.SetPercent(50);
    EXPECT_EQ(window.windowTitle(), DisplayText(66));
    // Values outside 0..100 leave the bar alone.
    window.SetPercent(130);
    EXPECT_EQ(Control<QProgressBar>(window, "gugProgress")->value(), 50);
}

TEST(ReportProgress, OtherWindowsAreDisabledWhileItExists)
{
    QWidget other;
    other.show();
    {
        TfrmReportProgress window;
        EXPECT_FALSE(other.isEnabled());
        window.ShowProgress(1, 0, false);
        EXPECT_TRUE(window.isEnabled());
    }
    EXPECT_TRUE(other.isEnabled());

    // Shown over a window that owns it, that window stays enabled but is blocked.
    {
        TfrmReportProgress owned(&other);
        owned.ShowProgress(50, 51, true);
        EXPECT_TRUE(owned.isEnabled());
        EXPECT_TRUE(other.isEnabled());
        EXPECT_EQ(QApplication::activeModalWidget(), &owned);
        owned.hide();
    }
}

} // namespace
