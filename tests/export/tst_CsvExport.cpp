// The CSV writer, fed real report files: quoting, delimiters, column formats, title
// columns, header types, data only, totals and visual DOS Hebrew.
#include "ExportTestSupport.h"
#include "export/CsvExport.h"
#include "export/FieldCursor.h"
#include "report/RecordStream.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class CsvExportTest : public ::testing::Test
{
protected:
    QByteArray run(const QList<QByteArray> &records, bool scrambled = false)
    {
        return ExportLines(dir, records, options, QStringLiteral("out.csv"), scrambled);
    }
    TTestDir dir;
    TExportOptions options = DefaultExportOptions();
};

TEST_F(CsvExportTest, DefaultOptions)
{
    EXPECT_EQ(options.Delimiter, ',');
    EXPECT_FALSE(options.ForceQuote);
    EXPECT_EQ(options.LinesInPage, 60);
    EXPECT_TRUE(options.IncludeSummaryLine);
    EXPECT_TRUE(options.IncludeHeader);
    EXPECT_EQ(options.HeaderType, 1);
}

TEST_F(CsvExportTest, OptionsLoadWithTheirRulesAndSaveInOrder)
{
    const QString par = dir.write("CLIENT.PAR", "[general]\r\nX=1\r\n[export]\r\nDELIMITER=0\r\nLINES_IN_PAGE=0\r\n"
                                                "INCLUDE_SUMMARY_LINE=N\r\nHEADER_TYPE=2\r\nASCII_DOS=y\r\n");
    TExportOptions loaded;
    loaded.Columns[3] = {'Z', 5};
    LoadExportOptions(par, loaded);
    EXPECT_EQ(loaded.Delimiter, ',');
    EXPECT_EQ(loaded.LinesInPage, 60);
    EXPECT_FALSE(loaded.IncludeSummaryLine);
    EXPECT_EQ(loaded.HeaderType, 2);
    EXPECT_TRUE(loaded.AsciiDos);
    EXPECT_EQ(loaded.Columns[3].Kind, 0); // column formats are never kept

    loaded.Delimiter = '\t';
    loaded.LinesInPage = -1;
    loaded.PageBreak = 2;
    ASSERT_TRUE(SaveExportOptions(par, loaded));
    const QByteArray saved = dir.read("CLIENT.PAR");
    EXPECT_TRUE(saved.startsWith("[general]\r\nX=1\r\n[export]\r\n"));
    for (const char *key : {"DELIMITER=9", "FORCE_QUOTE=N", "ASCII_DOS=Y", "PAGE_BREAK=2", "LINES_IN_PAGE=-1",
                            "DATA_ONLY=N", "INCLUDE_SUMMARY_LINE=N", "INCLUDE_HEADER=Y", "HEADER_TYPE=2"})
        EXPECT_TRUE(saved.contains(key)) << key;
    EXPECT_LT(saved.indexOf("ASCII_DOS"), saved.indexOf("PAGE_BREAK"));
    TExportOptions again;
    LoadExportOptions(par, again);
    EXPECT_EQ(again.Delimiter, '\t');
    EXPECT_EQ(again.LinesInPage, -1);

    LoadExportOptions(dir.write("EMPTY.PAR", "[export]\r\nDELIMITER=\r\nLINES_IN_PAGE=x\r\n"), again);
    EXPECT_EQ(again.Delimiter, ',');
    EXPECT_EQ(again.LinesInPage, 60);
}

TEST_F(CsvExportTest, QuotingAndDelimiters)
{
    const QList<QByteArray> records = {"905,1", "200,Name|first,Cost", R"(100,"a,b",x"y,  12 |3 )", "100,\"\"\"\",q"};
    EXPECT_EQ(run(records), CrLf({"Name first,Cost", R"("a,b",x"y,12  3)", "\",q"}));

    options.ForceQuote = true;
    EXPECT_EQ(run(records), CrLf({R"("Name first","Cost")", R"("a,b","x""y","12  3")", R"("""","q")"}));

    options.ForceQuote = false;
    options.Delimiter = '\t';
    EXPECT_EQ(run({R"(100,"a	b",c)", "100,1,2,3"}), CrLf({"\"a\tb\"\tc", "1\t2\t3"}));
}

TEST_F(CsvExportTest, ScrambledReportsAndHebrewStayByteForByte)
{
    const QByteArray hebrew = W1255("שלוחה 204");
    const QByteArray expected = CrLf({hebrew + ",12.50"});
    EXPECT_EQ(run({"905,1", "100," + hebrew + ",12.50"}, false), expected);
    EXPECT_EQ(run({"905,1", "100," + hebrew + ",12.50"}, true), expected);
}

TEST_F(CsvExportTest, ColumnFormats)
{
    // Z5 pads with zeros or keeps the last five; L3 cuts or pads right; R4 pads left; a
    // width of 0 empties; titles are never formatted.
    const QList<QByteArray> records = {"913,Z,5,L,3,R,4,L,0", "200,Extension,Name,Cost,Gone",
                                       "100,42,Ab,7,x", "100,1234567,Abcdef,12345,",
                                       "300,N,9,Total,1"};
    EXPECT_EQ(run(records), CrLf({"Extension,Name,Cost,Gone", "00042,Ab ,   7,", "34567,Abc,2345",
                                  "00009,Tot,   1"}));
}

TEST_F(CsvExportTest, PaddingThatHoldsTheDelimiterIsQuoted)
{
    options.Delimiter = ' ';
    EXPECT_EQ(run({"913,L,3,Z,3,R,2", "100,a,7,xy,b|c"}), CrLf({"\"a  \" 007 xy \"b c\""}));
    options.Delimiter = '0';
    EXPECT_EQ(run({"913,L,3,Z,3", "100,a,7"}), CrLf({"a  0\"007\""}));
}

TEST_F(CsvExportTest, FieldsBeyondThirtyAreNotFormatted)
{
    QByteArray formats = "913";
    QByteArray row = "100";
    QByteArray expected;
    for (int i = 1; i <= 31; ++i) {
        formats += ",Z,3";
        row += ",7";
        expected += i <= 30 ? "007," : "7";
    }
    EXPECT_EQ(run({formats, row}), CrLf({expected}));
}

TEST_F(CsvExportTest, TitleColumns)
{
    const QList<QByteArray> records = {
        "350,2", "351,Dept,Site", "352,1,Sales", "352,2,\"North, upper\"",
        "200,Ext,Cost", "100,201,5", "301,1,1,1,0,R,Total for", "301,1,1,1,0,R,Sales",
        "300,N,,5", "353", "100,202,6"};
    EXPECT_EQ(run(records), CrLf({
        R"(Dept,Site,Ext,Cost)",
        R"(Sales,"North, upper",201,5)",
        R"(Total for Sales,,,5)",
        R"(,,202,6)"}));
}

TEST_F(CsvExportTest, TotalsCaption)
{
    // The caption takes the first field; an empty first total is covered by it.
    EXPECT_EQ(run({"301,1,1,2,0,R,Sum", "301,1,1,2,0,R,North", "300,N,,10"}), CrLf({"Sum North,10"}));
    // A first total of its own is kept, joined to the caption.
    EXPECT_EQ(run({"301,1,1,2,0,R,Sum", "300,N,all,10", "300,N,all,11"}), CrLf({"Sum all,10", "all,11"}));

    const QList<QByteArray> records = {"301,1,1,2,0,R,Total", R"(300,N,"dept 5",10)"};
    EXPECT_EQ(run(records), CrLf({"Total dept 5,10"}));
    // With title columns the commas stay in front, so the totals keep their columns.
    EXPECT_EQ(run({"350,2", "301,1,1,2,0,R,Total", R"(300,N,"dept 5",10)"}), CrLf({",,Total dept 5,10"}));
}

TEST_F(CsvExportTest, HeaderTypesAndDataOnly)
{
    const QList<QByteArray> records = {"400,4,C,0,0,Calls by extension, June", "200,Ext,Cost", "100,201,5",
                                       "300,N,Total,5", "300,N"};
    // Fields header: titles only.
    EXPECT_EQ(run(records), CrLf({"Ext,Cost", "201,5", "Total,5"}));
    // Report header: header lines as they stand, a leading delimiter on built lines.
    options.HeaderType = 2;
    EXPECT_EQ(run(records), CrLf({"Calls by extension, June", ",201,5", ",Total,5"}));
    options.IncludeSummaryLine = false;
    EXPECT_EQ(run(records), CrLf({"Calls by extension, June", ",201,5"}));
    // Data only: neither header, whatever INCLUDE_HEADER says; totals still follow their option.
    options.DataOnly = true;
    options.IncludeSummaryLine = true;
    EXPECT_EQ(run(records), CrLf({"201,5", "Total,5"}));
    options.IncludeHeader = false;
    options.DataOnly = false;
    options.HeaderType = 1;
    EXPECT_EQ(run(records), CrLf({"201,5", "Total,5"}));
}

TEST_F(CsvExportTest, VisualDosHebrew)
{
    options.AsciiDos = true;
    // Visual order in code page 862, segment separators removed.
    const QByteArray field = W1255("שלום") + char(253) + "12";
    const QByteArray visual = QByteArray("\x8d\x85\x8c\x99", 4) + "12";
    EXPECT_EQ(run({"906", "100," + field + ",abc"}), CrLf({visual + ",abc"}));
}

TEST_F(CsvExportTest, EmptyRecordsWriteNothing)
{
    EXPECT_EQ(run({"905,1", "100", "200", "300,N", "400", "999"}), QByteArray());
}

TEST_F(CsvExportTest, FailuresLeaveTheTargetAsItWas)
{
    const QString report = dir.write("report.srp", MakeReport({"100,1,2"}));
    TSilentProgress progress;
    EXPECT_EQ(ExportReport(dir.path("missing.srp"), dir.path("a.csv"), options, progress),
              TExportStatus::ReportUnreadable);
    EXPECT_FALSE(QFile::exists(dir.path("a.csv")));
    EXPECT_EQ(ExportReport(report, dir.path("no-such-folder/a.csv"), options, progress),
              TExportStatus::TargetUnwritable);

    // A cancelled export keeps the old file and leaves no temporary file.
    struct TCancelAt final : TProgressSink {
        void Progress(int) override { ++calls; }
        bool Cancelled() const override { return calls >= 1; }
        int calls = 0;
    } cancel;
    dir.write("old.csv", "previous contents\r\n");
    EXPECT_EQ(ExportReport(report, dir.path("old.csv"), options, cancel), TExportStatus::Cancelled);
    EXPECT_EQ(dir.read("old.csv"), "previous contents\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(CsvExportTest, TheExtensionChoosesTheWriter)
{
    EXPECT_TRUE(IsTextExportTarget("a.txt"));
    EXPECT_TRUE(IsTextExportTarget("/x/A.TxT"));
    EXPECT_FALSE(IsTextExportTarget("a.csv"));
    EXPECT_FALSE(IsTextExportTarget("a.txt.bak"));
    EXPECT_FALSE(IsTextExportTarget("noextension"));
}

} // namespace

namespace {

// The CSV writer splits lines in place; it must give exactly the reader's fields.
TEST(FieldCursor, SplitsLikeTheReportReader)
{
    const QList<QByteArray> lines = {"12,\"a,\"\"b\"\"\" x,c", "  a , b ,  ", "\"unterminated, x", ",,", "\"\",x",
                                     " ", "a", "a,", "\"q\"", "x|y, \"z\"  ,", "\t1\t,\t2\t"};
    for (const QByteArray &line : lines) {
        QList<QByteArray> expected, actual;
        QByteArray rest = line;
        do
            expected.append(NextField(rest));
        while (!rest.isEmpty());
        TFieldCursor cursor(line);
        std::string scratch;
        do
            actual.append(cursor.Next(scratch).toByteArray());
        while (cursor.HasRest());
        EXPECT_EQ(actual, expected) << line.constData();
    }
}

} // namespace
