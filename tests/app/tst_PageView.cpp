// The page view: pages as they arrive, zoom and fitting, scrolling, and the page as drawn.
#include "PreviewTestSupport.h"

#include "app/PageView.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

int darkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

TEST(PageView, PagesArriveWhileTheFirstIsShown)
{
    TPageView view;
    view.resize(900, 700);
    TPageStore store;
    view.SetStore(&store);
    QList<int> counts;
    QObject::connect(&view, &TPageView::PageAvailable, [&](int count) { counts << count; });
    EXPECT_EQ(view.PageNumber(), 0);
    view.ShowPage(1); // nothing to show yet
    EXPECT_EQ(view.PageNumber(), 0);
    FillStore(store, 3);
    EXPECT_EQ(counts, QList<int>({1, 2, 3}));
    view.ShowPage(2);
    EXPECT_EQ(view.PageNumber(), 2);
    view.ShowPage(9);
    EXPECT_EQ(view.PageNumber(), 3);
    view.ShowPage(-4);
    EXPECT_EQ(view.PageNumber(), 1);
}

TEST(PageView, ZoomFitsTheWholePageOrTheWidth)
{
    TPageView view;
    view.resize(900, 700);
    view.show();
    TPageStore store;
    FillStore(store, 1);
    view.SetStore(&store);
    view.ShowPage(1);
    const QSize viewport = view.viewport()->size();
    const int whole = view.WholePageZoom();
    EXPECT_EQ(whole, qMin((viewport.width() - 20) * 100 / 794, (viewport.height() - 20) * 100 / 1123));
    EXPECT_EQ(view.PageWidthZoom(), (viewport.width() - 20) * 100 / 794);
    view.ZoomToFit();
    EXPECT_EQ(view.Zoom(), whole);
    EXPECT_EQ(view.ScrollMaximum(), 0); // the whole page is in view
    view.SetZoom(100);
    EXPECT_EQ(view.ScrollMaximum(), 1123 + 20 - viewport.height());
    EXPECT_EQ(view.verticalScrollBar()->singleStep(), 10);
    // Zoom stays within 10% and 300%.
    view.SetZoom(1000);
    EXPECT_EQ(view.Zoom(), 300);
    view.SetZoom(1);
    EXPECT_EQ(view.Zoom(), 10);
}

TEST(PageView, RenderedPageFollowsTheZoom)
{
    TPageView view;
    view.resize(900, 700);
    TPageStore store;
    FillStore(store, 2);
    view.SetStore(&store);
    view.ShowPage(1);
    view.SetZoom(100);
    const QImage full = view.RenderedPage();
    EXPECT_EQ(full.size() / full.devicePixelRatio(), QSize(794, 1123));
    EXPECT_GT(darkPixels(full), 1000); // frame, text and rules are there
    view.SetZoom(50);
    EXPECT_EQ(view.RenderedPage().size() / view.RenderedPage().devicePixelRatio(), QSize(397, 561));
    // Another page draws differently.
    view.SetZoom(100);
    view.ShowPage(2);
    EXPECT_NE(view.RenderedPage(), full);
}

TEST(PageView, ScrollingSidewaysRightToLeftStartsAtTheRightEdge)
{
    TPageView view;
    view.setLayoutDirection(Qt::RightToLeft);
    view.resize(500, 400);
    TPageStore store;
    FillStore(store, 1);
    view.SetStore(&store);
    view.ShowPage(1);
    view.SetZoom(100);
    QScrollBar *h = view.horizontalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    EXPECT_EQ(h->value(), 0);
    view.ScrollSideways(-10); // towards the page's left edge
    EXPECT_EQ(h->value(), 10);
    view.ScrollSideways(10);
    EXPECT_EQ(h->value(), 0);
}

} // namespace
