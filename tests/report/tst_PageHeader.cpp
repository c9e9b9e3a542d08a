// The page header on its own: which records it takes, a logo's data read on from the stream,
// page numbers and the bands that repeat per section.
#include "foundation/LanguageTable.h"
#include "report/BodyLayout.h"
#include "report/FakeTextMeasurer.h"
#include "report/PageHeader.h"
#include "report/RecordCodes.h"

#include <gtest/gtest.h>

namespace {

struct THeaderParts {
    TFakeTextMeasurer measurer;
    TReportPage page;
    TBodyLayout body{page};
    TPageHeader header{page, body};

    THeaderParts()
    {
        page.Measurer = &measurer;
        page.PrintableWidth = page.PageSetup.PrintableWidth();
        body.Reset();
        header.Reset();
    }
};

// A record source over a fixed list, counting what was read.
struct TRecords {
    QList<THeaderRecord> records;
    int read = 0;
    TReadNextRecord next()
    {
        return [this](THeaderRecord &record) {
            if (read >= records.size())
                return false;
            record = records[read++];
            return true;
        };
    }
};

int imageCount(const TBand &band)
{
    int n = 0;
    for (const auto &item : band.Items)
        n += item->Kind == TItemKind::Image;
    return n;
}

} // namespace

TEST(PageHeaderPart, TakesItsOwnRecordsAndLeavesTheRest)
{
    THeaderParts p;
    EXPECT_TRUE(p.header.Dispatch(rcReportHeaderLine, "2,L,0,0,TITLE"));
    EXPECT_EQ(p.header.Settings().ReportHeaderLines, 1);
    EXPECT_GT(p.header.bndReportHeader().Height, 0);
    EXPECT_FALSE(p.header.Dispatch(rcData, "A"));
    EXPECT_FALSE(p.header.Dispatch(rcTotals, "A"));
    // Record 912 may read on from the stream, so it has a call of its own.
    EXPECT_FALSE(p.header.Dispatch(rcPageHeaderItem, "2,30"));
    EXPECT_TRUE(p.header.Settings().BuildPageHeader);
}

TEST(PageHeaderPart, HeaderItemsReplaceTheSettingsHeader)
{
    THeaderParts p;
    TRecords none;
    EXPECT_FALSE(p.header.DoPageHeaderItem("2,30", none.next()));
    EXPECT_FALSE(p.header.Settings().BuildPageHeader);
    EXPECT_EQ(p.header.bndHeaderInfo().Height, 31);
    EXPECT_EQ(none.read, 0); // a rule reads nothing further
}

TEST(PageHeaderPart, LogoRecordThatEndsTheDataIsHandedBack)
{
    THeaderParts p;
    TRecords stream{{{rcPageHeaderItem, "3,00FF"}, {rcReportHeaderLine, "2,L,0,0,AFTER"}, {rcData, "A"}}};
    const std::optional<THeaderRecord> after = p.header.DoPageHeaderItem("3,FFD8", stream.next());
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->Code, rcReportHeaderLine);
    EXPECT_EQ(after->Rest, "2,L,0,0,AFTER");
    EXPECT_EQ(stream.read, 2); // the data record after it stays in the stream
    EXPECT_EQ(imageCount(p.header.bndHeaderInfo()), 0); // not a picture
}

TEST(PageHeaderPart, LogoPlacingRecordEndsTheDataAndNothingIsHandedBack)
{
    THeaderParts p;
    TRecords stream{{{rcPageHeaderItem, "4,1,2,3,4"}, {rcData, "A"}}};
    EXPECT_FALSE(p.header.DoPageHeaderItem("3,00", stream.next()).has_value());
    EXPECT_EQ(stream.read, 1);
    TRecords ended;
    EXPECT_FALSE(p.header.DoPageHeaderItem("3,00", ended.next()).has_value()); // end of file
}

TEST(PageHeaderPart, PageNumbersCountRestartAndShowTheFormat)
{
    THeaderParts p;
    ASSERT_TRUE(p.header.Dispatch(rcPageNumberOn, "3"));
    EXPECT_TRUE(p.header.lblPageNumber().Visible);
    EXPECT_TRUE(p.header.bndFooterInfo2().Enabled);
    p.header.NumberPage();
    p.header.NumberPage();
    EXPECT_EQ(p.header.PageCounter(), 2);
    EXPECT_EQ(p.header.lblPageNumber().Caption, FormatText(p.header.Settings().PageNumberFormat, {QStringLiteral("2")}));
    p.header.RestartPageNumbers();
    p.header.NumberPage();
    EXPECT_EQ(p.header.PageCounter(), 1);
    ASSERT_TRUE(p.header.Dispatch(rcPageNumberOff, ""));
    EXPECT_FALSE(p.header.lblPageNumber().Visible);
    EXPECT_FALSE(p.header.bndFooterInfo2().Enabled);
}

TEST(PageHeaderPart, BandsThatRepeatPerSectionPrintAgain)
{
    THeaderParts p;
    p.header.bndUserHeader().Enabled = false;
    p.header.bndSubHeader().Enabled = false;
    ASSERT_TRUE(p.header.Dispatch(rcUserHeaderRepeat, "1"));
    ASSERT_TRUE(p.header.Dispatch(rcSubHeaderRepeat, "0"));
    p.header.SectionBreak();
    EXPECT_TRUE(p.header.bndUserHeader().Enabled);
    EXPECT_FALSE(p.header.bndSubHeader().Enabled);
}

TEST(PageHeaderPart, ResetForgetsTheLastReportsHeader)
{
    THeaderParts p;
    p.header.Dispatch(rcReportHeaderLine, "2,L,0,0,TITLE");
    p.header.Dispatch(rcPageNumberOn, "3");
    TRecords none;
    p.header.DoPageHeaderItem("2,30", none.next());
    p.header.NumberPage();
    p.header.Reset();
    EXPECT_EQ(p.header.bndReportHeader().Height, 0);
    EXPECT_EQ(p.header.Settings().ReportHeaderLines, 0);
    EXPECT_TRUE(p.header.Settings().BuildPageHeader);
    EXPECT_FALSE(p.header.lblPageNumber().Visible);
    EXPECT_EQ(p.header.bndHeaderInfo().Height, 0);
    EXPECT_EQ(p.header.PageCounter(), 0);
}
