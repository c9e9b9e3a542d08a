// User-defined header and footer blocks: records, macros and their fixed-width rendering.
#include "report/HeaderFooter.h"
#include "report/RecordCodes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderFooter, MacrosReplaceNamesAnywhereIgnoringCase)
{
    TUserDefinedBlocks blocks;
    blocks.HandleRecord(rcHeaderFooterMacro, "&DATE,01/02/2026", false);
    blocks.HandleRecord(rcHeaderFooterMacro, "&who,", false); // empty value: one space
    blocks.HandleRecord(rcUserDefHeaderLine, "Printed &date by &WHO.", false);
    blocks.HandleRecord(rcUserDefFooterLine, "x&datex,dropped after the comma", false);
    blocks.HandleRecord(rcHeaderFooterMacro, "&Date,today", false); // replaces the value, keeps the order

    QList<QByteArray> lines;
    blocks.Header().GetLines(lines);
    EXPECT_EQ(lines, QList<QByteArray>({"Printed today by  ."}));
    blocks.Footer().GetLines(lines);
    EXPECT_EQ(lines, QList<QByteArray>({"xtodayx"}));
    EXPECT_EQ(blocks.Header().Macros().size(), 2);
    EXPECT_EQ(blocks.Header().RawLines(), QList<QByteArray>({"Printed &date by &WHO."})); // raw lines stay
}

TEST(HeaderFooter, MacrosApplyInTheirOrder)
{
    THeaderFooter block;
    block.SetMacro("AB", "ABAB");
    block.SetMacro("BA", "[x]");
    block.AddLine("aB-BA");
    block.Expand();
    // AB -> ABAB first; the second macro then works on that result.
    EXPECT_EQ(block.Lines(), QList<QByteArray>({"A[x]B-[x]"}));
}

TEST(HeaderFooter, StyleRecordsSetAlignmentAndFont)
{
    TUserDefinedBlocks blocks;
    EXPECT_FALSE(blocks.Header().Active());
    blocks.HandleRecord(rcUserDefHeaderStyle, "y,R,C,David,12,Y,N,Y,clNavy", false);
    EXPECT_TRUE(blocks.Header().Active());
    EXPECT_TRUE(blocks.Header().ReplacesReportHeader());
    EXPECT_EQ(blocks.Header().BlockAlign(), haRight);
    EXPECT_EQ(blocks.Header().LineAlign(), haCenter);
    EXPECT_EQ(blocks.Header().Font().name, "David");
    EXPECT_EQ(blocks.Header().Font().size, 12);
    EXPECT_TRUE(blocks.Header().Font().bold);
    EXPECT_FALSE(blocks.Header().Font().italic);
    EXPECT_TRUE(blocks.Header().Font().underline);
    EXPECT_EQ(blocks.Header().Font().color, 0x800000);

    // The footer style has no replace flag; "D" is the reading direction's start.
    blocks.HandleRecord(rcUserDefFooterStyle, "D,N,Arial,,N,N,N,255", true);
    EXPECT_TRUE(blocks.Footer().Active());
    EXPECT_EQ(blocks.Footer().BlockAlign(), haRight);
    EXPECT_EQ(blocks.Footer().LineAlign(), haLeft);
    EXPECT_EQ(blocks.Footer().Font().size, 10);
    EXPECT_EQ(blocks.Footer().Font().color, 255);

    blocks.HandleRecord(rcHeaderFooterRepeat, "1", false);
    EXPECT_EQ(blocks.Repeat(), '1');
    EXPECT_FALSE(blocks.HandleRecord(rcData, "a,b", false));
}

// Block alignment by line alignment, on a 20-character page, lines of 4 and 8 characters:
// f = 20 - length, s = 8 - length, m = round((20 - 8) / 2) = 6.
TEST(HeaderFooter, RenderTextIndentsByBlockAndLineAlignment)
{
    struct Case { int block, line; QList<QByteArray> expected; };
    const QList<Case> cases = {
        {haLeft, haLeft, {"abcd", "12345678"}},
        {haLeft, haRight, {"    abcd", "12345678"}},
        {haLeft, haCenter, {"  abcd", "12345678"}},
        {haRight, haLeft, {"            abcd", "            12345678"}},
        {haRight, haRight, {"                abcd", "            12345678"}},
        {haRight, haCenter, {"              abcd", "            12345678"}},
        {haCenter, haLeft, {"      abcd", "      12345678"}},
        {haCenter, haRight, {"          abcd", "      12345678"}},
        {haCenter, haCenter, {"        abcd", "      12345678"}},
    };
    for (const Case &c : cases) {
        THeaderFooter block;
        block.AddLine("abcd");
        block.AddLine("12345678");
        block.SetPageWidth(20);
        block.SetBlockAlign(c.block);
        block.SetLineAlign(c.line);
        EXPECT_EQ(block.RenderText(false), c.expected) << c.block << "/" << c.line;
        EXPECT_EQ(block.MaxLength(), 8);
    }
}

TEST(HeaderFooter, RenderTextCutsLongLinesAndConvertsForDos)
{
    THeaderFooter block;
    block.SetPageWidth(4);
    block.AddLine("abcdefghij");
    block.AddLine("");
    EXPECT_EQ(block.RenderText(false), QList<QByteArray>({"abcd", "efgh", "ij", ""}));

    THeaderFooter hebrew;
    hebrew.SetPageWidth(10);
    hebrew.AddLine(W1255("שלום") + char(253) + "12");
    // Visual order in code page 862, the separator removed.
    const QByteArray expected = QByteArray("\x8d\x85\x8c\x99", 4) + "12";
    EXPECT_EQ(hebrew.RenderText(true), QList<QByteArray>({expected}));
}

} // namespace
