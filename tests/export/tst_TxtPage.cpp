// Text pages, fed real report files through the export: page lengths, page-number lines,
// page breaks, continuous mode, the repeat modes of the user-defined blocks, totals with
// group captions and rules, right-to-left separators and visual DOS order.
#include "ExportTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QList<QByteArray> kTwoColumns = {"905,1", "101,2", "102,C5,C3", "103,L,R", "200,Name,Qty"};
const QList<QByteArray> kBlocks = {"570,N,L,L,Arial,10", "571,Head", "580,L,L,Arial,10", "581,Foot"};

QList<QByteArray> rows(const char *prefix, int from, int to)
{
    QList<QByteArray> out;
    for (int i = from; i <= to; ++i)
        out.append(QByteArray("100,") + prefix + QByteArray::number(i) + "," + QByteArray::number(i));
    return out;
}

// The page-number line of page n on a page 10 characters wide (left to right).
QByteArray pageLine(int n) { return "  " + QByteArray::number(n) + W1255(" עמוד "); }

class TxtPageTest : public ::testing::Test
{
protected:
    QByteArray run(const QList<QByteArray> &records)
    {
        return ExportLines(dir, records, options, QStringLiteral("out.TXT"));
    }
    TTestDir dir;
    TExportOptions options = DefaultExportOptions();
};

TEST_F(TxtPageTest, PageLengthsPageNumbersAndFormFeeds)
{
    // 8 lines a page: the title rows and underline, the report header's and the footer's
    // reserve leave 3 body lines.
    options.LinesInPage = 8;
    options.PageBreak = pbFormFeed;
    const QList<QByteArray> title = {"Name  Qty", "----- ---"};
    EXPECT_EQ(run(kTwoColumns + rows("r", 1, 7) + QList<QByteArray>{"999"}),
              CrLf(title + QList<QByteArray>{"r1      1 ", "r2      2 ", "r3      3 ", pageLine(1), "\f"}
                   + title + QList<QByteArray>{"r4      4 ", "r5      5 ", "r6      6 ", pageLine(2), "\f"}
                   + title + QList<QByteArray>{"r7      7 ", pageLine(3), "\f"}));

    options.PageBreak = pbEmptyLine;
    const QByteArray withEmptyLines = run(kTwoColumns + rows("r", 1, 4) + QList<QByteArray>{"999"});
    EXPECT_EQ(withEmptyLines, CrLf(title + QList<QByteArray>{"r1      1 ", "r2      2 ", "r3      3 ", pageLine(1), " "}
                                   + title + QList<QByteArray>{"r4      4 ", pageLine(2), " "}));
    // A file that ends without its end record still gets its last page.
    options.PageBreak = pbNone;
    EXPECT_EQ(run(kTwoColumns + rows("r", 1, 1)), CrLf(title + QList<QByteArray>{"r1      1 ", pageLine(1)}));
}

TEST_F(TxtPageTest, SectionEndsAndContinuousMode)
{
    options.LinesInPage = -1;
    const QList<QByteArray> title = {"Name  Qty", "----- ---"};
    // One page per section, no page numbers, one empty line after each.
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"100,a,1", "902", "100,b,2", "999"}),
              CrLf(title + QList<QByteArray>{"a       1 ", ""} + title + QList<QByteArray>{"b       2 ", ""}));
    options.LinesInPage = 60;
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"100,a,1", "902", "100,b,2", "999"}),
              CrLf(title + QList<QByteArray>{"a       1 ", pageLine(1)} + title + QList<QByteArray>{"b       2 ", pageLine(2)}));
}

TEST_F(TxtPageTest, ColumnWidthsAndCellPadding)
{
    // "C10" is 11 characters, 70 pixels 12; R keeps one space after the text, C centres
    // (halves rounded to even), D and N follow the reading direction.
    options.DataOnly = true;
    EXPECT_EQ(run({"101,5", "102,C10,70,C4,C5,D3", "103,R,C,C,D,N", "100,abc,xy,abc,ab,1", "100,,,,,"}),
              CrLf({"       abc " "     xy     " " abc " "ab    " "  1 ", QByteArray(11 + 12 + 5 + 6 + 4, ' '), ""}));
}

TEST_F(TxtPageTest, DataOnlyCutsCellsWithoutSeparator)
{
    options.DataOnly = true;
    options.LinesInPage = 5;
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"400,1,C,0,0,Header", "100,abcdefgh,12345", "100,b,2", "301,1,1,1,0,L,T",
                                                  "300,N,x,3", "999"}),
              CrLf({"abcdef345 ", "b       2 ", ""}));
    options.DataOnly = false;
    options.LinesInPage = -1;
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"100,abcdefgh,12345", "999"}),
              CrLf({"Name  Qty", "----- ---", "abcde " "45  ", ""}));
}

TEST_F(TxtPageTest, RepeatModeZeroPutsBothBlocksOnEveryPage)
{
    options.LinesInPage = 12;
    options.PageBreak = pbEmptyLine;
    const QList<QByteArray> head = {"Head X", " ", " ", "Name  Qty", "----- ---"};
    const QList<QByteArray> foot = {" ", " ", "   Foot"};
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"560,0", "561,&P,X", "570,N,L,L,Arial,10", "571,Head &p",
                                                  "580,C,L,Arial,10", "581,Foot"}
                  + rows("r", 1, 5) + QList<QByteArray>{"999"}),
              CrLf(head + QList<QByteArray>{"r1      1 ", "r2      2 ", "r3      3 "} + foot + QList<QByteArray>{pageLine(1), " "}
                   + head + QList<QByteArray>{"r4      4 ", "r5      5 "} + foot + QList<QByteArray>{pageLine(2), " "}));
}

TEST_F(TxtPageTest, RepeatModeOneGivesTheFooterRoomToDataUntilTheSectionEnds)
{
    options.LinesInPage = 10;
    const QList<QByteArray> title = {"Name  Qty", "----- ---"};
    const QList<QByteArray> head = {"Head", " ", " "};
    const QList<QByteArray> foot = {" ", " ", "Foot"};
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"560,1"} + kBlocks + rows("r", 1, 5) + QList<QByteArray>{"902"}
                  + rows("s", 1, 1) + QList<QByteArray>{"999"}),
              CrLf(head + title + QList<QByteArray>{"r1      1 ", "r2      2 ", "r3      3 ", "r4      4 ", pageLine(1)}
                   + title + QList<QByteArray>{"r5      5 "} + foot + QList<QByteArray>{pageLine(2)}
                   + head + title + QList<QByteArray>{"s1      1 "} + foot + QList<QByteArray>{pageLine(3)}));
}

TEST_F(TxtPageTest, RepeatModeTwoPrintsEachBlockOnce)
{
    options.LinesInPage = 10;
    const QList<QByteArray> title = {"Name  Qty", "----- ---"};
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"560,2"} + kBlocks + rows("r", 1, 4) + QList<QByteArray>{"902"}
                  + rows("s", 1, 1) + QList<QByteArray>{"999"}),
              CrLf(QList<QByteArray>{"Head", " ", " "} + title
                   + QList<QByteArray>{"r1      1 ", "r2      2 ", "r3      3 ", "r4      4 ", pageLine(1)}
                   + title + QList<QByteArray>{"s1      1 ", " ", " ", "Foot", pageLine(2)}));
}

TEST_F(TxtPageTest, FooterThatDoesNotFitGoesOntoAPageOfItsOwn)
{
    options.LinesInPage = 9;
    // Mode 0 with a three-line footer: the page holds body + 1 + 2 + 5 lines.
    const QByteArray out = run(kTwoColumns + QList<QByteArray>{"560,0", "580,L,L,Arial,10", "581,F1", "581,F2", "581,F3"}
                               + rows("r", 1, 1) + QList<QByteArray>{"902", "999"});
    const QList<QByteArray> title = {"Name  Qty", "----- ---"};
    EXPECT_EQ(out, CrLf(title + QList<QByteArray>{"r1      1 ", " ", " ", "F1", "F2", "F3", pageLine(1)}));
}

TEST_F(TxtPageTest, RightToLeftReportsRunFromTheLastColumnWithSeparators)
{
    options.LinesInPage = 30;
    const QByteArray sep(1, char(253));
    const QByteArray out = run({"905,1", "906", "101,3", "102,C5,C3,C4", "103,D,R,R", W1255("200,שם|פרטי,כמות,עלות"), "204,2",
                                W1255("100,אבג,1,2.5"), W1255("301,1,1,2,0,R,סהכ"), "303,2,2,3", "300,Y,,3,2.5", "999"});
    EXPECT_EQ(out, CrLf({W1255("עלות") + " " + sep + W1255("מות") + " " + sep + W1255("   שם"),
                         "    " " " + sep + "   " " " + sep + W1255(" פרטי"),
                         "         -----",
                         " 2.5 " + sep + "  1 " + sep + W1255("  אבג"),
                         "--------",
                         "--------------",
                         " 2.5 " + sep + "  3 " + sep + W1255("      סהכ"),
                         "--------",
                         W1255("1 עמוד ")}));
}

TEST_F(TxtPageTest, TotalsWithGroupCaptionsAndRules)
{
    options.LinesInPage = -1;
    const QByteArray out = run({"101,3", "102,C5,C3,C4", "103,L,R,R", "200,Name,Qty,Cost", "100,abc,1,2.5",
                                "301,1,1,2,12,R,Total", "301,2,1,2,0,R,second", "303,0,2,3", "300,N,,3,2.5",
                                "300,N", "903,2", "303,2,1,3", "300,Y,,,9"});
    EXPECT_EQ(out, CrLf({"Name  Qty Cost", "----- --- ----", "abc     1  2.5 ",
                         "      --------",                       // rule above columns 2..3
                         "      Tot   3  2.5 second",            // caption over columns 1..2
                         " ",                                    // a totals row with nothing in it
                         "--------------",                       // "Y": full-width rule; style 2 has no 303 rules
                         "             9 ",
                         ""}));
}

TEST_F(TxtPageTest, ReportHeaderSubHeaderAndInformationLine)
{
    options.LinesInPage = -1;
    const QByteArray out = run(kTwoColumns + QList<QByteArray>{
        "400,4,C,0,0,Top", "400,4,R,0,0,Right", "400,4,L,0,0,Left", "450,C4,C3", "451,1,1,5,C,0,0,Grp",
        "451,1,2,5,C,0,0,Toolong", "550,2,L,0,0,Dept: 12", "100,a,1", "902", "100,b,2", "999"});
    EXPECT_EQ(out, CrLf({"Dept: 12", "   Top", "   Right", "Left", " ", "Grp  " + QByteArray(1, char(253)) + " Too", " ", "Name  Qty", "----- ---",
                         "a       1 ", "",
                         // The sub-header table is on the first page only.
                         "Dept: 12", "   Top", "   Right", "Left", " ", "Name  Qty", "----- ---", "b       2 ", ""}));
}

TEST_F(TxtPageTest, EmptyReportWritesNoDataLines)
{
    options.LinesInPage = 8;
    EXPECT_EQ(run(kTwoColumns + QList<QByteArray>{"100", "100,a,1", "999"}), QByteArray());
}

TEST_F(TxtPageTest, VisualDosOrder)
{
    options.AsciiDos = true;
    options.LinesInPage = -1;
    const QByteArray out = run({"906", "101,2", "102,C4,C3", "103,D,R", W1255("200,שם,נ"), W1255("100,שלום,12"), "999"});
    // Columns from the last to the first, Hebrew in code page 862 in visual order.
    const QByteArray shalom("\x8d\x85\x8c\x99", 4);
    EXPECT_EQ(out, CrLf({"  " + QByteArray("\x90", 1) + "   " + QByteArray("\x8d\x99", 2), "--- ----", " 12 " + shalom, ""}));
}

} // namespace
