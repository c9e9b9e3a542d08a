// Finding text on pages: the matching rules, hits across the cells of one printed line, and the
// search that runs beside the window while pages arrive.
#include "engine/PageSearch.h"
#include "engine/PageStore.h"
#include "engine/StoreSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TPagePrimitive cell(const QString &text, int x, int y, int width = 100, bool rightToLeft = true)
{
    TPagePrimitive p;
    p.kind = TPrimitiveKind::Text;
    p.rect = QRect(x, y, width, 16);
    p.text = text;
    p.rightToLeft = rightToLeft;
    p.flags = Qt::AlignRight | Qt::AlignVCenter;
    return p;
}

// A Hebrew call row: the date cell right of the time cell, as the call listing prints them.
TPage callRow(int y = 100)
{
    TPage page;
    page.size = QSize(794, 1123);
    page.items.push_back(cell(QString::fromUtf8("אסף גבאי"), 560, y));
    page.items.push_back(cell(QStringLiteral("05/11/2026"), 460, y));
    page.items.push_back(cell(QStringLiteral("11:33"), 400, y + 1, 50));
    page.items.push_back(cell(QStringLiteral("00:01:15"), 320, y));
    return page;
}

std::vector<int> hitItems(const TPageHit &hit)
{
    std::vector<int> items;
    for (const THitPart &p : hit.parts)
        items.push_back(p.item);
    return items;
}

TEST(SearchText, SpacesCollapseAndEndsAreIgnored)
{
    EXPECT_EQ(TSearchText(QStringLiteral("  Abc   dEF  ")).Folded(), QStringLiteral("abc def"));
    EXPECT_TRUE(TSearchText(QStringLiteral("   ")).IsEmpty());
    EXPECT_TRUE(TSearchText().IsEmpty());
    // Hebrew is kept as typed, final letters included.
    EXPECT_EQ(TSearchText(QString::fromUtf8("שלום")).Folded(), QString::fromUtf8("שלום"));
}

TEST(SearchText, PagesWithoutTheLongestWordAreSkippedUndecoded)
{
    const QByteArray bytes = QByteArray("x\x01") + "Bezeq International" + "\x02" + QString::fromUtf8("בזק בינלאומי 058-123").toUtf8();
    EXPECT_TRUE(TSearchText(QString::fromUtf8("בזק")).MayBeIn(bytes));
    EXPECT_FALSE(TSearchText(QString::fromUtf8("סלולרי")).MayBeIn(bytes));
    EXPECT_TRUE(TSearchText(QStringLiteral("bEZEQ   inter")).MayBeIn(bytes)); // either case
    EXPECT_FALSE(TSearchText(QStringLiteral("partner")).MayBeIn(bytes));
    EXPECT_TRUE(TSearchText(QStringLiteral("058-1")).MayBeIn(bytes));
    // Words across two cells: each word is looked for on its own.
    EXPECT_TRUE(TSearchText(QString::fromUtf8("International בזק")).MayBeIn(bytes));
    // Letters whose case the bytes cannot tell are left to the full comparison.
    EXPECT_TRUE(TSearchText(QString::fromUtf8("Ärger")).MayBeIn(bytes));
    EXPECT_TRUE(TSearchText(QStringLiteral("k")).MayBeIn(QString::fromUtf8("\u212A").toUtf8()));
    EXPECT_FALSE(TSearchText().MayBeIn(bytes));
}

TEST(PageSearch, LatinIgnoresCaseHebrewMatchesAsTyped)
{
    TPage page;
    page.size = QSize(794, 1123);
    page.items.push_back(cell(QStringLiteral("Bezeq International"), 100, 100, 300, false));
    page.items.push_back(cell(QString::fromUtf8("בזק בינלאומי"), 100, 200, 300));
    EXPECT_EQ(FindOnPage(page, TSearchText(QStringLiteral("bEZEQ"))).size(), 1u);
    EXPECT_EQ(FindOnPage(page, TSearchText(QStringLiteral("INTERNATIONAL"))).size(), 1u);
    EXPECT_EQ(CountOnPage(page, TSearchText(QString::fromUtf8("בזק"))), 1);
    // Logical order only: the word typed backwards is not found.
    EXPECT_EQ(CountOnPage(page, TSearchText(QString::fromUtf8("קזב"))), 0);
    EXPECT_EQ(CountOnPage(page, TSearchText(QStringLiteral("zz"))), 0);
    const std::vector<TPageHit> hits = FindOnPage(page, TSearchText(QString::fromUtf8("בינלאומי")));
    ASSERT_EQ(hits.size(), 1u);
    ASSERT_EQ(hits[0].parts.size(), 1u);
    EXPECT_EQ(hits[0].parts[0].item, 1);
    EXPECT_EQ(hits[0].parts[0].from, 4);
    EXPECT_EQ(hits[0].parts[0].length, 8);
}

TEST(PageSearch, OneSpaceMatchesAnyRunOfSpaces)
{
    TPage page;
    page.size = QSize(794, 1123);
    page.items.push_back(cell(QStringLiteral("total    calls\t 21"), 100, 100, 400, false));
    const std::vector<TPageHit> hits = FindOnPage(page, TSearchText(QStringLiteral("total calls 21")));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].parts[0].from, 0);
    EXPECT_EQ(hits[0].parts[0].length, 18);
    EXPECT_EQ(CountOnPage(page, TSearchText(QStringLiteral("total  calls"))), 1);
    EXPECT_EQ(CountOnPage(page, TSearchText(QStringLiteral("totalcalls"))), 0);
}

TEST(PageSearch, AHitSpansTheCellsOfOnePrintedLine)
{
    const TPage page = callRow();
    // In reading order (from the right) ...
    std::vector<TPageHit> hits = FindOnPage(page, TSearchText(QStringLiteral("05/11/2026 11:33")));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hitItems(hits[0]), std::vector<int>({1, 2}));
    // ... and as the eye meets the numbers from the left.
    hits = FindOnPage(page, TSearchText(QStringLiteral("11:33 05/11/2026")));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hitItems(hits[0]), std::vector<int>({2, 1}));
    EXPECT_EQ(hits[0].parts[0].length, 5);
    EXPECT_EQ(hits[0].parts[1].length, 10);
    // Across three cells, with the name.
    EXPECT_EQ(CountOnPage(page, TSearchText(QString::fromUtf8("גבאי 05/11/2026 11"))), 1);
    // Cells of different lines never join.
    TPage twoLines = callRow(100);
    for (const TPagePrimitive &p : callRow(140).items)
        twoLines.items.push_back(p);
    EXPECT_EQ(CountOnPage(twoLines, TSearchText(QStringLiteral("00:01:15 05/11"))), 0);
    EXPECT_EQ(CountOnPage(twoLines, TSearchText(QStringLiteral("05/11/2026 11:33"))), 2);
}

TEST(PageSearch, HitsComeLineByLineAndDoNotOverlap)
{
    TPage page;
    page.size = QSize(794, 1123);
    page.items.push_back(cell(QStringLiteral("aaaa"), 100, 300, 100, false));
    page.items.push_back(cell(QStringLiteral("xaax"), 100, 100, 100, false));
    const std::vector<TPageHit> hits = FindOnPage(page, TSearchText(QStringLiteral("aa")));
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].parts[0].item, 1); // the upper line first
    EXPECT_EQ(hits[1].parts[0].item, 0);
    EXPECT_EQ(hits[1].parts[0].from, 0);
    EXPECT_EQ(hits[2].parts[0].from, 2);
}

TEST(PageSearch, HostilePositionsAndEmptyPagesAreHarmless)
{
    TPage page;
    // Corners as a damaged page file may give them: built from points, as QRect's size
    // arithmetic would itself overflow.
    TPagePrimitive farEdge = cell(QStringLiteral("edge"), 0, 0);
    farEdge.rect = QRect(QPoint(INT_MAX - 5, INT_MAX - 5), QPoint(INT_MAX, INT_MAX));
    page.items.push_back(farEdge);
    TPagePrimitive nearEdge = cell(QStringLiteral("edge"), 0, 0);
    nearEdge.rect = QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MIN, INT_MIN + 15));
    page.items.push_back(nearEdge);
    TPagePrimitive line;
    line.kind = TPrimitiveKind::Line;
    page.items.push_back(line);
    EXPECT_EQ(CountOnPage(page, TSearchText(QStringLiteral("edge"))), 2);
    EXPECT_EQ(CountOnPage(TPage(), TSearchText(QStringLiteral("edge"))), 0);
}

// Pages with the row "row N" and, on every third page, the word "needle".
void addPages(TPageStore &store, int from, int to)
{
    store.AddFont(QFont());
    for (int n = from; n < to; ++n) {
        TPage page;
        page.size = QSize(794, 1123);
        page.items.push_back(cell(QStringLiteral("row %1").arg(n), 100, 100, 200, false));
        if (n % 3 == 0)
            page.items.push_back(cell(QStringLiteral("needle"), 100, 200, 200, false));
        store.AddPage(page);
    }
}

std::vector<std::pair<int, int>> collect(TStoreSearch &search, const std::function<bool()> &until)
{
    std::vector<std::pair<int, int>> all;
    QObject::connect(&search, &TStoreSearch::Found, [&] {
        for (const auto &f : search.TakeFound())
            all.push_back(f);
    });
    QElapsedTimer clock;
    clock.start();
    while (!until() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (const auto &f : search.TakeFound())
        all.push_back(f);
    std::sort(all.begin(), all.end());
    return all;
}

TEST(StoreSearch, FindsEveryPageFromTheStartPageRoundToIt)
{
    TPageStore store;
    addPages(store, 0, 30);
    store.SetFinished();
    TStoreSearch search(store, TSearchText(QStringLiteral("NEEDLE")), 14);
    std::vector<int> order;
    QObject::connect(&search, &TStoreSearch::Found, [&] {
        for (const auto &[page, hits] : search.TakeFound())
            order.push_back(page);
    });
    search.Start();
    QElapsedTimer clock;
    clock.start();
    while (!search.IsDone() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    for (const auto &[page, hits] : search.TakeFound())
        order.push_back(page);
    ASSERT_TRUE(search.IsDone());
    EXPECT_EQ(search.PagesSearched(), 30);
    // The start page first, round the end, and the same pages as the whole search at once.
    ASSERT_EQ(order.size(), 10u);
    EXPECT_EQ(order.front(), 15);
    EXPECT_EQ(order.back(), 12);
    std::vector<std::pair<int, int>> expected = FindInStore(store, TSearchText(QStringLiteral("needle")));
    std::sort(order.begin(), order.end());
    ASSERT_EQ(expected.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(expected[i].first, order[i]);
}

TEST(StoreSearch, FollowsPagesThatArriveUntilTheStoreIsFinished)
{
    TPageStore store;
    addPages(store, 0, 4);
    TStoreSearch search(store, TSearchText(QStringLiteral("needle")), 0);
    search.Start();
    int added = 4;
    const auto found = collect(search, [&] {
        if (added < 40) {
            addPages(store, added, added + 4);
            added += 4;
            QThread::msleep(2);
        } else if (!store.IsFinished()) {
            store.SetFinished();
        }
        return search.IsDone();
    });
    ASSERT_TRUE(search.IsDone());
    EXPECT_EQ(search.PagesSearched(), 40);
    EXPECT_EQ(found.size(), 14u); // pages 0, 3, ... 39
    EXPECT_EQ(found.back().first, 39);
}

TEST(StoreSearch, StopsWhenThePagesGo)
{
    auto store = std::make_unique<TPageStore>();
    addPages(*store, 0, 200);
    TStoreSearch search(*store, TSearchText(QStringLiteral("needle")), 0);
    search.Start();
    store.reset(); // the search must let go before the pages do
    EXPECT_FALSE(search.IsDone());
    search.Start(); // nothing left to search
    EXPECT_LE(search.PagesSearched(), 200);
}

} // namespace
