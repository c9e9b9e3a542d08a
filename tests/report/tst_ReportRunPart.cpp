// The run on its own: the records that steer it, its flags, and which body band prints for
// which record.
#include "report/BodyLayout.h"
#include "report/FakeTextMeasurer.h"
#include "report/PageHeader.h"
#include "report/RecordCodes.h"
#include "report/ReportRun.h"

#include <gtest/gtest.h>

namespace {

struct TRunParts {
    TFakeTextMeasurer measurer;
    TReportPage page;
    TBodyLayout body{page};
    TPageHeader header{page, body};
    TReportRun run{page, body, header};
    TReportEvents &events = run; // as the engine sees it

    TRunParts()
    {
        page.Measurer = &measurer;
        page.PrintableWidth = page.PageSetup.PrintableWidth();
        body.Reset();
        header.Reset();
        run.Reset();
    }
};

} // namespace

TEST(ReportRunPart, SectionEndWaitsForTheNextRowAndRestartsNumbersThere)
{
    TRunParts p;
    p.header.NumberPage();
    p.header.NumberPage();
    ASSERT_TRUE(p.run.Dispatch(rcSectionEnd, ""));
    EXPECT_TRUE(p.run.Flags().SectionBreakPending);
    // Asked while the break waits: the numbers restart at the break, not before.
    ASSERT_TRUE(p.run.Dispatch(rcRestartPageNumbers, ""));
    EXPECT_TRUE(p.run.Flags().RestartPagesAtBreak);
    EXPECT_EQ(p.header.PageCounter(), 2);
    p.run.BeforeRow();
    EXPECT_FALSE(p.run.Flags().SectionBreakPending);
    EXPECT_FALSE(p.run.Flags().RestartPagesAtBreak);
    EXPECT_EQ(p.header.PageCounter(), 0);
}

TEST(ReportRunPart, RestartWithoutABreakRestartsAtOnce)
{
    TRunParts p;
    p.header.NumberPage();
    ASSERT_TRUE(p.run.Dispatch(rcRestartPageNumbers, ""));
    EXPECT_FALSE(p.run.Flags().RestartPagesAtBreak);
    EXPECT_EQ(p.header.PageCounter(), 0);
}

TEST(ReportRunPart, PageColumnsStayWithinOneToNineAndResetToOne)
{
    TRunParts p;
    ASSERT_TRUE(p.run.Dispatch(rcPageColumns, "3"));
    EXPECT_EQ(p.run.Flags().PageColumns, 3);
    EXPECT_EQ(p.page.PageSetup.Columns, 3);
    EXPECT_EQ(p.page.PageSetup.ColumnSpacing, kColumnGap);
    p.run.Dispatch(rcPageColumns, "99");
    EXPECT_EQ(p.run.Flags().PageColumns, 9);
    p.run.Dispatch(rcPageColumns, "-4");
    EXPECT_EQ(p.run.Flags().PageColumns, 1);
    p.run.Dispatch(rcPageColumns, "2");
    p.run.Reset();
    EXPECT_EQ(p.run.Flags().PageColumns, 1);
    EXPECT_EQ(p.page.PageSetup.Columns, 1);
}

TEST(ReportRunPart, LeavesOtherRecordsToTheRestOfTheForm)
{
    TRunParts p;
    EXPECT_FALSE(p.run.Dispatch(rcData, "A"));
    EXPECT_FALSE(p.run.Dispatch(rcReportHeaderLine, "2,L,0,0,T"));
}

TEST(ReportRunPart, DataAndTotalsBandsPrintOnlyForTheirRecords)
{
    TRunParts p;
    p.run.SetRecordCode(rcData);
    EXPECT_TRUE(p.events.BeforePrint(p.body.bndFields()));
    EXPECT_FALSE(p.events.BeforePrint(p.body.bndTotals()));
    p.run.SetRecordCode(rcTotals);
    EXPECT_FALSE(p.events.BeforePrint(p.body.bndFields()));
    EXPECT_TRUE(p.events.BeforePrint(p.body.bndTotals()));
    p.run.SetRecordCode(rcReportHeaderLine);
    EXPECT_FALSE(p.events.BeforePrint(p.body.bndFields()));
}

TEST(ReportRunPart, TitlesPrintOnceUntilARowHasPrinted)
{
    TRunParts p;
    p.run.Prepare(false);
    EXPECT_FALSE(p.run.Flags().BlankFormPassDue);
    EXPECT_TRUE(p.events.BeforePrint(p.body.bndTitles()));
    EXPECT_FALSE(p.events.BeforePrint(p.body.bndTitles()));
    p.events.AfterPrint(p.body.bndFields(), true);
    EXPECT_TRUE(p.run.Flags().TitlesDue);
    EXPECT_TRUE(p.events.BeforePrint(p.body.bndTitles()));
}

TEST(ReportRunPart, BlankFormIsDueOneRow)
{
    TRunParts p;
    p.run.Prepare(true);
    EXPECT_TRUE(p.run.Flags().BlankFormPassDue);
}

TEST(ReportRunPart, PageFooterCountsThePages)
{
    TRunParts p;
    p.events.BeforePrint(p.header.bndFooterInfo2());
    p.events.BeforePrint(p.header.bndFooterInfo2());
    EXPECT_EQ(p.header.PageCounter(), 2);
}
