// The banded engine on its own: what prints on which page and where.
#include "engine/PageStore.h"
#include "engine/ReportEngine.h"

#include <gtest/gtest.h>

namespace {

struct TRecorder : TReportEvents {
    std::function<bool(TBand &)> before = [](TBand &) { return true; };
    QStringList after;
    int pageStarts = 0;
    void StartPage() override { ++pageStarts; }
    void OnPrintLabel(const TBandItem &, QString &text) override
    {
        if (text == QStringLiteral("F"))
            text = QStringLiteral("F%1").arg(pageStarts);
    }
    bool BeforePrint(TBand &band) override { return before(band); }
    void AfterPrint(TBand &band, bool printed) override
    {
        after.append(band.Name + (printed ? QStringLiteral("+") : QStringLiteral("-")));
    }
};

struct TEngineRun {
    TPageStore store;
    TRecorder events;
    TBand header{"header", TBandKind::PageHeader};
    TBand footer{"footer", TBandKind::PageFooter};
    TBand detail{"detail", TBandKind::Detail};
    TBand child{"child", TBandKind::Child};
    TReportEngine engine{store, events};

    TEngineRun(int headerHeight, int footerHeight, int detailHeight)
    {
        header.Height = headerHeight;
        header.Add(TItemKind::Label).Caption = QStringLiteral("H");
        footer.Height = footerHeight;
        footer.Add(TItemKind::Label).Caption = QStringLiteral("F");
        detail.Height = detailHeight;
        detail.Add(TItemKind::Label).Width = 50;
        detail.Child = &child;
        child.Enabled = false;
        engine.SetPageBands(&header, &footer);
    }
    void printRows(int from, int to)
    {
        for (int n = from; n <= to; ++n) {
            detail.Items[0]->Caption = QStringLiteral("D%1").arg(n);
            engine.PrintBand(detail);
        }
    }
    // (text, x, y) on page i, in order.
    std::vector<std::tuple<QString, int, int>> texts(int page) const
    {
        std::vector<std::tuple<QString, int, int>> out;
        for (const TPagePrimitive &p : store.Page(page).items)
            if (p.kind == TPrimitiveKind::Text)
                out.emplace_back(p.text, p.rect.left(), p.rect.top());
        return out;
    }
    int countOn(int page, const QString &prefix) const
    {
        int n = 0;
        for (const auto &[text, x, y] : texts(page))
            n += text.startsWith(prefix);
        return n;
    }
};

} // namespace

TEST(ReportEngine, PagesFillToTheFooterAndEveryPageHasHeaderAndFooter)
{
    // Printable height 1123 - 2 * 38 = 1047; header 50 and footer 30 leave 967: nine rows of 100.
    struct TCase {
        int rows;
        std::vector<int> perPage;
    };
    for (const TCase &c : {TCase{1, {1}}, TCase{9, {9}}, TCase{10, {9, 1}}, TCase{20, {9, 9, 2}}}) {
        TEngineRun run(50, 30, 100);
        run.printRows(1, c.rows);
        run.engine.Finish();
        ASSERT_EQ(run.store.PageCount(), int(c.perPage.size())) << c.rows;
        for (int p = 0; p < run.store.PageCount(); ++p) {
            EXPECT_EQ(run.countOn(p, "D"), c.perPage[size_t(p)]) << c.rows << " rows, page " << p + 1;
            EXPECT_EQ(run.countOn(p, "H"), 1);
            EXPECT_EQ(run.countOn(p, "F"), 1);
        }
        // The first row sits under the header; the footer at the bottom margin.
        const auto first = run.texts(0);
        EXPECT_EQ(std::get<2>(first[0]), 38);      // H
        EXPECT_EQ(std::get<2>(first[1]), 38 + 50); // D1
        EXPECT_EQ(std::get<2>(first.back()), 1123 - 38 - 30);
    }
}

TEST(ReportEngine, NewPageNeverMakesABlankPage)
{
    TEngineRun run(50, 30, 100);
    run.engine.NewPage(); // nothing yet
    run.printRows(1, 2);
    run.engine.NewPage();
    run.engine.NewPage(); // twice: still one break
    run.printRows(3, 3);
    run.engine.Finish();
    ASSERT_EQ(run.store.PageCount(), 2);
    EXPECT_EQ(run.countOn(0, "D"), 2);
    EXPECT_EQ(run.countOn(1, "D"), 1);

    TEngineRun empty(50, 30, 100);
    empty.engine.Finish();
    EXPECT_EQ(empty.store.PageCount(), 1); // header and footer only
    // The footer label was given its page's text as it printed.
    EXPECT_EQ(run.countOn(0, "F1"), 1);
    EXPECT_EQ(run.countOn(1, "F2"), 1);
}

TEST(ReportEngine, PageColumnsLeftToRightAndRightToLeft)
{
    for (bool rtl : {false, true}) {
        TEngineRun run(0, 0, 100);
        TPageSetup setup;
        setup.Columns = 2;
        setup.ColumnSpacing = 10;
        setup.ColumnsRightToLeft = rtl;
        run.engine.SetPageSetup(setup);
        run.printRows(1, 15); // ten rows per column
        run.engine.Finish();
        ASSERT_EQ(run.store.PageCount(), 1);
        EXPECT_EQ(run.countOn(0, "H"), 1);
        const int width = (718 - 10) / 2;
        const int firstX = rtl ? 38 + width + 10 : 38;
        const int secondX = rtl ? 38 : 38 + width + 10;
        for (const auto &[text, x, y] : run.texts(0)) {
            if (text == "D1" || text == "D10") {
                EXPECT_EQ(x, firstX) << text.toStdString();
            }
            if (text == "D11") {
                EXPECT_EQ(x, secondX);
                EXPECT_EQ(y, 38);
            }
        }
    }
}

TEST(ReportEngine, ColumnTitlesRepeatOverEveryPageColumn)
{
    TEngineRun run(20, 0, 100);
    run.header.RepeatPerColumn = true;
    TPageSetup setup;
    setup.Columns = 3;
    run.engine.SetPageSetup(setup);
    run.printRows(1, 1);
    run.engine.Finish();
    EXPECT_EQ(run.countOn(0, "H"), 3);
    EXPECT_EQ(run.countOn(0, "D"), 1);
}

TEST(ReportEngine, VetoedBandsAndChildren)
{
    TEngineRun run(0, 0, 100);
    run.child.Enabled = true;
    run.child.Height = 20;
    run.child.Add(TItemKind::Label).Caption = QStringLiteral("C");
    run.events.before = [](TBand &band) { return band.Name != "detail"; };
    run.printRows(1, 1);
    run.engine.Finish();
    // The child prints although its parent did not; each is told.
    EXPECT_EQ(run.countOn(0, "D"), 0);
    EXPECT_EQ(run.countOn(0, "C"), 1);
    EXPECT_TRUE(run.events.after.contains("detail-"));
    EXPECT_TRUE(run.events.after.contains("child+"));
}

TEST(ReportEngine, BandTallerThanThePageStillPrintsOnce)
{
    TEngineRun run(0, 0, 5000);
    run.printRows(1, 3);
    run.engine.Finish();
    EXPECT_EQ(run.store.PageCount(), 3);
}

TEST(ReportEngine, FooterSpaceIsMeasuredAgain)
{
    TEngineRun run(0, 100, 100);
    run.printRows(1, 1);
    run.footer.Height = 500; // a footer that grew during the page
    run.engine.RecomputeFooterSpace();
    run.printRows(2, 20);
    run.engine.Finish();
    // 1047 - 500 = 547: five rows fit on the first page.
    EXPECT_EQ(run.countOn(0, "D"), 5);
}
