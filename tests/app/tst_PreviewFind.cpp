// The preview's one state (page, zoom, hits) seen by every control, the find bar, and paging
// while the report is still being read.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewWindow.h"
#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void pressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
}

void ctrlWheel(QWidget *target, int delta)
{
    QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

class PreviewFind : public TShownPreview
{
protected:
    // Lets the search run to its end.
    void waitForSearch()
    {
        QElapsedTimer clock;
        clock.start();
        while (window->FindBar()->Searching() && clock.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::processEvents();
    }
    QString status() const { return Control<QLabel>(*window->FindBar(), "lblFindStatus")->text(); }
    QString hitOf(int k, int n) const { return DisplayFormat(kTextHitOf, {QString::number(k), QString::number(n)}); }

};

TEST_F(PreviewFind, ZoomChangedFromAnyControlReachesEveryOtherAndTheSettings)
{
    generate(3);
    TPreviewState *state = window->State();
    QWidget *viewport = Control<TPageView>(*window, "qrPreview")->viewport();
    auto agree = [&](int zoom) {
        EXPECT_EQ(state->Zoom(), zoom);
        EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), zoom);
        EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->currentText(), QString::number(zoom) + "%");
        EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->RenderedPage().width() / Control<TPageView>(*window, "qrPreview")->RenderedPage().devicePixelRatio(),
                  794 * zoom / 100);
    };
    window->ZoomListClick(TfrmReportPreview::kZoom150); // the zoom list
    agree(150);
    ctrlWheel(viewport, 120); // Ctrl+wheel: the next step up
    agree(200);
    EXPECT_EQ(state->ZoomMode(), TfrmReportPreview::kZoomCurrent);
    ctrlWheel(viewport, -120);
    ctrlWheel(viewport, -120);
    agree(125);
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_0, Qt::ControlModifier); // Ctrl+0
    agree(100);
    EXPECT_EQ(state->ZoomMode(), TfrmReportPreview::kZoom100);
    state->SetZoom(75); // the state itself, as the thumbnails or a script would
    agree(75);
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setEditText("250"); // typed into the box
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    EXPECT_EQ(state->Zoom(), 250);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 250);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->currentText(), "250%");
    // A wheel turn without Ctrl scrolls and leaves the zoom.
    QWheelEvent plain(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &plain);
    EXPECT_EQ(state->Zoom(), 250);
    window->close();
    EXPECT_EQ(IniReadInteger(TrvlPar(), "PageInfo", "PortraitZoom", 0), 250);
    EXPECT_EQ(window->PortraitZoom(), 250);
}

TEST_F(PreviewFind, PageChangedAnywhereMovesThePageBoxAndButtons)
{
    generate(4);
    window->State()->SetPage(3);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 3);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "3/4");
    EXPECT_TRUE(Control<QAction>(*window, "btnPageUp")->isEnabled());
    window->State()->SetPage(4);
    EXPECT_FALSE(Control<QAction>(*window, "btnLastPage")->isEnabled());
}

TEST_F(PreviewFind, NextHitWrapsRoundWithANoteAndHighlightsOnThePage)
{
    generate(12);
    // "עמוד 1 " starts the titles of pages 1, 10, 11 and 12.
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F, Qt::ControlModifier);
    TFindBar *bar = window->FindBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_TRUE(Control<QLineEdit>(*bar, "edtFind")->hasFocus() || !window->isActiveWindow());
    bar->Search(QString::fromUtf8("עמוד 1"));
    waitForSearch();
    const TSearchHits &hits = window->State()->Hits();
    EXPECT_TRUE(hits.Finished());
    EXPECT_EQ(hits.Total(), 4);
    EXPECT_EQ(hits.Pages(), std::vector<int>({1, 10, 11, 12}));
    // The first hit from the page shown is on screen by itself.
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 1);
    EXPECT_EQ(status(), hitOf(1, 4));
    ASSERT_EQ(Control<TPageView>(*window, "qrPreview")->HitRects().size(), 1u);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->CurrentHitOnPage(), 0);
    // The hit covers the words, at the right of the right-aligned title line.
    const QRectF hit = Control<TPageView>(*window, "qrPreview")->HitRects()[0];
    EXPECT_GT(hit.left(), 500);
    EXPECT_LE(hit.right(), 757);
    EXPECT_GE(hit.top(), 50);
    EXPECT_LE(hit.bottom(), 71);

    pressKey(Control<QLineEdit>(*bar, "edtFind"), Qt::Key_Return); // Enter: next
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 10);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "10/12");
    EXPECT_EQ(status(), hitOf(2, 4));
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3);
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 12);
    EXPECT_EQ(status(), hitOf(4, 4));
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3); // past the last: round to the first, with a note
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 1);
    EXPECT_TRUE(status().startsWith(hitOf(1, 4)));
    EXPECT_TRUE(status().contains(DisplayText(kTextWrappedToTop)));
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3, Qt::ShiftModifier); // Shift+F3 back round the start
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 12);
    EXPECT_TRUE(status().contains(DisplayText(kTextWrappedToBottom)));
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 11);
    EXPECT_EQ(status(), hitOf(3, 4));
    // After turning to another page the next hit is the one after the page shown.
    window->GoToPage(5);
    pressKey(Control<TPageView>(*window, "qrPreview"), Qt::Key_F3);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 10);
    EXPECT_EQ(status(), hitOf(2, 4));

    // Escape closes the bar, not the window, and the highlights go.
    pressKey(Control<QLineEdit>(*bar, "edtFind"), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Control<TPageView>(*window, "qrPreview")->HitRects().empty());
    EXPECT_EQ(window->State()->Hits().Total(), 0);
}

TEST_F(PreviewFind, SeveralHitsOnAPageAndNothingFound)
{
    generate(3);
    window->FindClick();
    // Rows "שלוחה 200" ... "שלוחה 239" on every page: 10 of them hold "שלוחה 21".
    window->FindBar()->Search(QString::fromUtf8("שלוחה   21"));
    waitForSearch();
    EXPECT_EQ(window->State()->Hits().Total(), 30);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->HitRects().size(), 10u);
    window->FindBar()->FindNext();
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->CurrentHitOnPage(), 1);
    EXPECT_EQ(status(), hitOf(2, 30));
    window->FindBar()->Search(QStringLiteral("no such words"));
    waitForSearch();
    EXPECT_EQ(status(), DisplayText(kTextNotFound));
    EXPECT_FALSE(Control<QAction>(*window->FindBar(), "btnFindNext")->isEnabled());
}

TEST_F(PreviewFind, SearchGoesOnWhilePagesArrive)
{
    window->SetStore(&store);
    FillStore(store, 3);
    window->FindClick();
    window->FindBar()->Search(QString::fromUtf8("מתוך"));
    QElapsedTimer clock;
    clock.start();
    while (window->State()->Hits().Total() < 3 && clock.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(window->State()->Hits().Total(), 3);
    EXPECT_FALSE(window->State()->Hits().Finished());
    EXPECT_TRUE(window->FindBar()->Searching());
    EXPECT_TRUE(status().contains(DisplayText(kTextSearching)));
    FillStore(store, 5); // more pages come while the search waits
    window->ReportDone(false);
    waitForSearch();
    EXPECT_TRUE(window->State()->Hits().Finished());
    EXPECT_EQ(window->State()->Hits().Total(), 8);
    EXPECT_EQ(status(), hitOf(1, 8));
}

TEST_F(PreviewFind, NextWaitsForThePageStillBeingMade)
{
    window->SetStore(&store);
    FillStore(store, 2);
    window->GoToPage(2);
    EXPECT_TRUE(Control<QAction>(*window, "btnPageDown")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnLastPage")->isEnabled());
    window->PageDownClick(); // nothing yet: waits
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 2);
    FillStore(store, 1);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 3);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "3/3");
    // Another move cancels the wait.
    window->PageDownClick();
    window->FirstPageClick();
    FillStore(store, 1);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 1);
    window->LastPageClick(); // the last page there is so far
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 4);
    window->ReportDone(false);
    EXPECT_FALSE(Control<QAction>(*window, "btnPageDown")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnLastPage")->isEnabled());
}

TEST_F(PreviewFind, ToolbarDoesNotShiftWhilePrinting)
{
    generate(3);
    QApplication::processEvents();
    auto *bar = window->findChild<QToolBar *>(QStringLiteral("tlbPreview"));
    ASSERT_TRUE(bar);
    const QRect close = bar->widgetForAction(Control<QAction>(*window, "btnClose"))->geometry();
    const QRect zoom = Control<QComboBox>(*window, "cmbZoom")->geometry();
    window->PrintStarted(nullptr);
    window->PrintProgress(2, 3);
    QApplication::processEvents();
    EXPECT_EQ(bar->widgetForAction(Control<QAction>(*window, "btnClose"))->geometry(), close);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->geometry(), zoom);
    window->PrintFinished();
    QApplication::processEvents();
    EXPECT_EQ(bar->widgetForAction(Control<QAction>(*window, "btnClose"))->geometry(), close);
}

} // namespace
