// The message window: layout, buttons, Escape and results.
#include "foundation/LanguageTable.h"
#include "foundation/MessageBox.h"
#include "foundation/Messages.h"
#include "foundation/DisplayText.h"
#include "support/TextReading.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MessageBox, ButtonsInTableOrderRightToLeft)
{
    TfrmMessage box("text", "caption", mkConfirmation, mbNo | mbYes | mbCancel);
    ASSERT_EQ(box.Buttons().size(), 3);
    EXPECT_EQ(box.Buttons()[0]->text(), LookupText(5180));
    EXPECT_EQ(box.Buttons()[1]->text(), LookupText(5349));
    EXPECT_EQ(box.Buttons()[2]->text(), LookupText(5056));
    // Mirrored: the first button is the rightmost one, each (width + 8) from the next.
    const int w = box.Buttons()[0]->width();
    EXPECT_EQ(box.Buttons()[0]->x() - box.Buttons()[1]->x(), w + 8);
    EXPECT_GT(box.Buttons()[1]->x(), box.Buttons()[2]->x());
    EXPECT_EQ(box.pnlButtons()->width(), 3 * (w + 8) - 7);
    EXPECT_EQ(box.EscapeButton(), box.Buttons()[2]);
    EXPECT_EQ(box.windowTitle(), "caption");
    // The button panel is centred and the window's client area follows the panels.
    EXPECT_EQ(box.pnlButtons()->x(), (box.width() - box.pnlButtons()->width()) / 2);
    EXPECT_EQ(box.width(), box.pnlMessage()->width() + 15);
    EXPECT_EQ(box.height(), box.pnlButtons()->geometry().bottom() + 1 + 7);
}

TEST(MessageBox, ShortMessageIsAtLeastFourButtonsWide)
{
    TfrmMessage box("OK", "", mkWarning, mbOK);
    const int w = box.Buttons()[0]->width();
    EXPECT_GE(w, TfrmMessage::kButtonWidth);
    EXPECT_EQ(box.pnlMessage()->width(), 4 * w + 24);
    EXPECT_EQ(box.EscapeButton(), box.Buttons()[0]); // no Cancel: the first button
    EXPECT_EQ(box.windowTitle(), LookupText(1)); // no caption: the application title
    EXPECT_FALSE(box.imgIcon()->isHidden());
    EXPECT_EQ(box.pnlMessage()->height(), 16 + 32 + 8);
}

TEST(MessageBox, LongMessageWrapsAtFortyFivePercentOfTheScreen)
{
    const QString one = QString::fromUtf8("מילה ");
    const QString shortText = one;
    const QString longText = one.repeated(300);
    TfrmMessage small(shortText, "", mkError, mbOK);
    TfrmMessage big(longText, "", mkError, mbOK);
    const int limit = qRound(QGuiApplication::primaryScreen()->availableGeometry().width() * 0.45);
    EXPECT_EQ(big.lblMsg()->width(), limit);
    EXPECT_TRUE(big.lblMsg()->wordWrap());
    EXPECT_GT(big.height(), small.height());
    EXPECT_EQ(big.width(), 64 + limit + 24 + 15);
}

TEST(MessageBox, UnknownKindHasNoIconAndTextAtTheEdge)
{
    TfrmMessage box("text", "", 7, mbOK);
    EXPECT_TRUE(box.imgIcon()->isHidden());
    // Mirrored: 16 pixels from the right edge of the panel.
    EXPECT_EQ(box.pnlMessage()->width() - box.lblMsg()->geometry().right() - 1, 16);
}

TEST(MessageBox, ResultsOfButtonsEscapeAndClose)
{
    {
        TfrmMessage box("q", "", mkConfirmation, mbYes | mbNo);
        QTimer::singleShot(0, [&] { box.Buttons()[1]->click(); });
        EXPECT_EQ(box.Execute(), mrNo);
    }
    {
        TfrmMessage box("q", "", mkConfirmation, mbYes | mbNo | mbCancel);
        QTimer::singleShot(0, [&] {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&box, &esc);
        });
        EXPECT_EQ(box.Execute(), mrCancel);
    }
    {
        TfrmMessage box("q", "", mkConfirmation, mbYes | mbNo);
        QTimer::singleShot(0, [&] { box.close(); });
        EXPECT_EQ(box.Execute(), mrCancel);
    }
}

TEST(MessageBox, EscapeOnAYesNoQuestionAnswersNo)
{
    // Escape backs out: on "replace the file?" it must not answer Yes.
    TfrmMessage box("q", "", mkConfirmation, mbYes | mbNo);
    EXPECT_EQ(box.EscapeButton(), box.Buttons()[1]);
    QTimer::singleShot(0, [&] {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&box, &esc);
    });
    EXPECT_EQ(box.Execute(), mrNo);
    // Other sets keep their rule: Cancel answers Escape, else the first button.
    TfrmMessage retry("q", "", mkWarning, mbRetry | mbIgnore);
    EXPECT_EQ(retry.EscapeButton(), retry.Buttons()[0]);
    TfrmMessage all("q", "", mkWarning, mbNo | mbCancel);
    EXPECT_EQ(all.EscapeButton(), all.Buttons()[1]);
}

TEST(MessageBox, AskYesNoEscapeIsNo)
{
    InstallMessageWindow();
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<TfrmMessage *>(w)) {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &esc);
            }
    });
    EXPECT_FALSE(AskYesNo("?"));
    SetMessageHandler({});
}

TEST(MessageBox, AskYesNoClosedIsNo)
{
    InstallMessageWindow();
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<TfrmMessage *>(w))
                box->close();
    });
    EXPECT_FALSE(AskYesNo("?"));
    SetMessageHandler({});
}

TEST(MessageBox, AMessageWithAPathReadsFromTheRight)
{
    TfrmMessage box(DisplayFormat(146, {"/home/user/דוחות"}), "", mkWarning, mbOK);
    box.show();
    const QString folder = qEnvironmentVariable("TARVEL_SCREENSHOTS");
    if (!folder.isEmpty())
        box.grab().save(folder + QStringLiteral("/message-path.png"));
    // The path reads left to right as a whole, even where a folder name is Hebrew.
    EXPECT_TRUE(ShowsLeftToRight(box.lblMsg()->text(), "/home/user/"));
    EXPECT_EQ(ReadFromTheRight(DisplayFormat(146, {"/home/user/reports"})),
              QString::fromUtf8("נתיב /home/user/reports לא קיים"));
    EXPECT_EQ(box.windowTitle(), DisplayText(1));
}

TEST(MessageBox, ClampToWorkArea)
{
    QWidget form;
    form.resize(200, 100);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ClampToWorkArea(&form, area.right() - 50, area.bottom() - 20);
    EXPECT_EQ(form.frameGeometry().right(), area.right());
    EXPECT_EQ(form.frameGeometry().bottom(), area.bottom());
    ClampToWorkArea(&form, area.left() - 300, area.top() - 10);
    EXPECT_EQ(form.pos(), area.topLeft());
}

} // namespace
