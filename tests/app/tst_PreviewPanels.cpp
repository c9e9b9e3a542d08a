// The thumbnail panel and its cache, the recent reports of the Open button, and dropping a file
// on the preview.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewWindow.h"
#include "app/RecentReports.h"
#include "app/ThumbnailCache.h"
#include "app/ThumbnailPanel.h"
#include "engine/PageFile.h"
#include "foundation/AppState.h"
#include "foundation/DisplayText.h"
#include "foundation/IniFile.h"
#include "foundation/LocalFileName.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(ThumbnailCache, KeepsTheNewestWithinItsCountAndBytes)
{
    TThumbnailCache cache(4, 1024 * 1024);
    for (int page = 1; page <= 10; ++page)
        cache.Insert(page, picture(10, 10));
    EXPECT_EQ(cache.Count(), 4);
    EXPECT_FALSE(cache.Contains(6));
    EXPECT_TRUE(cache.Contains(7));
    // A page looked at becomes the newest and outlives the others.
    EXPECT_FALSE(cache.Find(7).isNull());
    cache.Insert(11, picture(10, 10));
    EXPECT_TRUE(cache.Contains(7));
    EXPECT_FALSE(cache.Contains(8));
    // Bytes bound it too: 100x100 RGB32 pictures are 40,000 bytes each.
    TThumbnailCache small(100, 100'000);
    for (int page = 1; page <= 5; ++page)
        small.Insert(page, picture(100, 100));
    EXPECT_EQ(small.Count(), 2);
    EXPECT_LE(small.Bytes(), 100'000);
    // Inserting a page again replaces it; a picture larger than the cache is not kept.
    small.Insert(5, picture(50, 50));
    EXPECT_EQ(small.Bytes(), 40'000 + 10'000);
    small.Insert(9, picture(400, 400));
    EXPECT_FALSE(small.Contains(9));
    small.Clear();
    EXPECT_EQ(small.Count(), 0);
    EXPECT_EQ(small.Bytes(), 0);
}

class PreviewPanels : public TShownPreview
{
};

TEST_F(PreviewPanels, ThumbnailsAreDrawnOnlyInViewAndOnTheRight)
{
    generate(500);
    EXPECT_FALSE(Control<TThumbnailPanel>(*window, "pnlThumbnails")->isVisible()); // off until asked for
    QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier);
    QApplication::sendEvent(Control<TPageView>(*window, "qrPreview"), &f4);
    QApplication::processEvents();
    TThumbnailPanel *panel = Control<TThumbnailPanel>(*window, "pnlThumbnails");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(Control<QAction>(*window, "btnThumbnails")->isChecked());
    // First in the mirrored row: on the right of the page view.
    EXPECT_GT(panel->mapTo(window.get(), QPoint(0, 0)).x(), Control<TPageView>(*window, "qrPreview")->mapTo(window.get(), QPoint(0, 0)).x());
    panel->DrawVisibleNow();
    const auto [first, last] = panel->VisiblePages();
    EXPECT_EQ(first, 1);
    EXPECT_GE(last, 2);
    EXPECT_LT(last, 20);
    EXPECT_EQ(panel->Drawn(), last - first + 1);
    // Scrolling through every page draws only what comes into view, and the cache stays small.
    for (int value = 0; value <= panel->verticalScrollBar()->maximum(); value += panel->verticalScrollBar()->pageStep()) {
        panel->verticalScrollBar()->setValue(value);
        panel->DrawVisibleNow();
    }
    EXPECT_LE(panel->Cache().Count(), TThumbnailCache::kDefaultCount);
    EXPECT_LE(panel->Cache().Bytes(), TThumbnailCache::kDefaultBytes);
    EXPECT_GE(panel->Drawn(), 500); // each page once on the way down
    EXPECT_LE(panel->Drawn(), 520);
}

TEST_F(PreviewPanels, ClickingAThumbnailGoesToItsPageAndThePageShownIsFollowed)
{
    generate(30);
    window->ThumbnailsClick();
    QApplication::processEvents();
    TThumbnailPanel *panel = Control<TThumbnailPanel>(*window, "pnlThumbnails");
    // The second thumbnail from the top.
    const int cell = panel->viewport()->height() / qMax(1, panel->VisiblePages().second);
    QPoint second(panel->viewport()->width() / 2, 0);
    for (int y = 0; y < panel->viewport()->height(); y += 4)
        if (panel->PageAt(QPoint(second.x(), y)) == 2) {
            second.setY(y + 10);
            break;
        }
    ASSERT_EQ(panel->PageAt(second), 2) << cell;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(second), panel->viewport()->mapToGlobal(QPointF(second)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->viewport(), &press);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 2);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "2/30");
    // Going to a far page brings its thumbnail into view.
    window->GoToPage(25);
    const auto [first, last] = panel->VisiblePages();
    EXPECT_LE(first, 25);
    EXPECT_GE(last, 25);
    // The panel is remembered.
    window->close();
    EXPECT_TRUE(IniReadYesNo(TrvlPar(), "PageInfo", "ShowThumbnails", false));
    TfrmReportPreview again(QStringLiteral("/tmp/report.srp"), QIcon());
    EXPECT_FALSE(Control<TThumbnailPanel>(again, "pnlThumbnails")->isHidden());
    again.ThumbnailsClick();
    again.close();
    EXPECT_FALSE(IniReadYesNo(TrvlPar(), "PageInfo", "ShowThumbnails", true));
}

TEST(RecentReports, NewestFirstEightAtMostInASectionOfTheirOwn)
{
    TTestInstallation installation;
    for (int i = 1; i <= 10; ++i)
        AddRecentReport(QStringLiteral("/reports/r%1.srp").arg(i));
    AddRecentReport(QStringLiteral("/reports/r5.srp")); // again: to the top, once
    const QStringList recent = RecentReports();
    ASSERT_EQ(recent.size(), 8);
    EXPECT_EQ(recent.first(), "/reports/r5.srp");
    EXPECT_EQ(recent[1], "/reports/r10.srp");
    EXPECT_EQ(recent.count("/reports/r5.srp"), 1);
    EXPECT_FALSE(recent.contains("/reports/r2.srp"));
    EXPECT_EQ(IniReadString(TrvlPar(), "RecentReports", "File1"), "/reports/r5.srp");
    RemoveRecentReport("/reports/r10.srp");
    EXPECT_EQ(RecentReports().size(), 7);
}

TEST(RecentReports, ANameThatIsNotUtf8IsNotRemembered)
{
    TTestInstallation installation;
    const QByteArray raw = QFile::encodeName(installation.dir().path()) + "/\xe9\xf2.srp";
    QFile plain(installation.dir().path("plain.srp"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_EQ(::rename(QFile::encodeName(plain.fileName()).constData(), raw.constData()), 0);
    AddRecentReport(LocalFileName(raw));
    ::unlink(raw.constData());
    EXPECT_TRUE(RecentReports().isEmpty());
}

TEST_F(PreviewPanels, RecentListOpensAReportAndDropsOneThatIsGone)
{
    TTestDir &dir = installation.dir();
    const QString kept = dir.write("kept.srp", QByteArray("x"));
    const QString gone = dir.path("gone.srp");
    AddRecentReport(gone);
    AddRecentReport(kept);
    generate(2);
    // The report shown went to the top of the list.
    EXPECT_EQ(RecentReports().first(), "/tmp/report.srp");
    emit Control<QMenu>(*window, "mnuRecent")->aboutToShow();
    ASSERT_EQ(Control<QMenu>(*window, "mnuRecent")->actions().size(), 3);
    TMessageCapture messages;
    window->OpenRecent(gone);
    EXPECT_EQ(messages.Texts(), QStringList({DisplayText(5237)}));
    EXPECT_FALSE(RecentReports().contains(gone));
    EXPECT_TRUE(window->isVisible());
    window->OpenRecent(kept);
    EXPECT_EQ(window->RequestedFile(), kept);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewPanels, DroppingAReportOrPageFileOpensIt)
{
    generate(2);
    TPageStore pages;
    FillStore(pages, 4);
    const QString qrp = installation.path("four.QRP");
    ASSERT_TRUE(SavePagesToFile(pages, qrp));
    auto drop = [&](const QString &file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QApplication::processEvents();
        return true;
    };
    EXPECT_FALSE(drop(installation.path("notes.txt")));
    EXPECT_TRUE(drop(qrp));
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageCount(), 4);
    EXPECT_EQ(window->ReportFileName(), qrp);
    EXPECT_TRUE(drop(installation.path("other.srp")));
    EXPECT_EQ(window->RequestedFile(), installation.path("other.srp"));
}

} // namespace
