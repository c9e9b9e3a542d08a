// Reading graph files: definitions, points, groups, kinds, limits and the clipboard text.
#include "GraphTestSupport.h"

#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"
#include "foundation/Progress.h"
#include "graph/GraphData.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    TTestDir dir;
    TMessageRecorder messages;
    TGraphData data{TIntlSettings::Plain()};
    bool ok = false;
    explicit Loaded(const QByteArray &bytes, bool scrambled = false)
    {
        Q_UNUSED(scrambled);
        ok = data.LoadFromFile(dir.write(QStringLiteral("g.srp"), bytes));
    }
};

QString clipboardText(const TGraphData &data)
{
    TClipboardStrings strings;
    data.FillClipboard(strings);
    return strings.Text();
}

} // namespace

TEST(GraphData, ReadsDefinitionsAndPoints)
{
    Loaded l(CallsGraphFile(5));
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.messages.Texts().isEmpty());
    EXPECT_EQ(l.data.GroupCount(), 1);
    EXPECT_EQ(l.data.XFieldCount(), 1);
    EXPECT_EQ(l.data.XTitle(), QStringLiteral("Extension"));
    EXPECT_EQ(l.data.YFieldCount(), 3);
    EXPECT_EQ(l.data.YFieldTitle(1), QStringLiteral("שיחות"));
    EXPECT_EQ(l.data.YFieldKind(3), 2);
    EXPECT_EQ(l.data.YFieldKind(4), -1);
    EXPECT_EQ(l.data.YFieldTitle(0), QString());
    EXPECT_EQ(l.data.PointCount(), 5);
    EXPECT_EQ(l.data.Label(1, 1, false), QStringLiteral("201"));
    EXPECT_EQ(l.data.Value(1, 1, 5), 15);
    EXPECT_EQ(l.data.Value(2, 1, 3), 3 * 60 + 13); // 03:13 in minutes
    EXPECT_DOUBLE_EQ(l.data.Value(3, 1, 2), 2.5);
    EXPECT_EQ(l.data.MaxValue(1), 15);
    EXPECT_EQ(l.data.Value(1, 2, 1), 0);
    EXPECT_EQ(l.data.Value(1, 1, 6), 0);
    QStringList header;
    l.data.HeaderLines(header);
    EXPECT_EQ(header, QStringList{QStringLiteral("דוח שיחות לפי שלוחה")});
    EXPECT_EQ(l.data.FormatValue(2, 125), QStringLiteral("02:05"));
    EXPECT_EQ(l.data.FormatValue(3, 2.5), QStringLiteral("2.50"));
    EXPECT_EQ(l.data.FormatValue(9, 2.5), QStringLiteral("2"));
}

TEST(GraphData, ScrambledFileReadsTheSame)
{
    TTestDir dir;
    TGraphData data{TIntlSettings::Plain()};
    QList<QByteArray> lines = {"905,1", "700,1,-1,Ext", "701,2,0,Calls", "100,201,7"};
    ASSERT_TRUE(data.LoadFromFile(dir.write(QStringLiteral("s.srp"), MakeReport(lines, true))));
    EXPECT_EQ(data.Value(1, 1, 1), 7);
    EXPECT_EQ(data.Label(1, 1, false), QStringLiteral("201"));
}

TEST(GraphData, XFieldsShareTheLastDefinition)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,First", "700,2,3,Second|Title ", "701,4,0,Calls", "100,a,b,c,5"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.XFieldCount(), 2);
    EXPECT_EQ(l.data.XTitle(), QStringLiteral("Second Title"));
    EXPECT_EQ(l.data.Label(1, 1, false), QStringLiteral("b"));
    EXPECT_EQ(l.data.Label(2, 1, true), QStringLiteral("b c"));
    EXPECT_EQ(l.data.Label(3, 1, true), QString());
}

TEST(GraphData, RightToLeftPutsLabelTwoFirst)
{
    Loaded l(MakeReport({"905,1", "906", "700,1,2,X", "701,3,0,Calls", "100, a , b ,5"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.Label(1, 1, true), QStringLiteral("b a"));
    EXPECT_EQ(l.data.Label(1, 1, false), QStringLiteral("a"));
}

TEST(GraphData, YColumnsJoinByGroupId)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,X", "701,2,0,A,4,one", "701,3,1,B,4,two", "701,4,3,C|D,4,three",
                         "701,5,0,Alone", "100,x,1,2,3,4"}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.data.YFieldCount(), 2);
    EXPECT_EQ(l.data.YColumnCount(1), 3);
    EXPECT_EQ(l.data.YFieldKind(1), 3);
    EXPECT_EQ(l.data.YFieldTitle(1), QStringLiteral("C D"));
    EXPECT_EQ(l.data.YColumnTitle(1, 2), QStringLiteral("two"));
    EXPECT_EQ(l.data.YColumnCount(2), 1);
    EXPECT_EQ(l.data.Value(1, 2, 1), 2);
    EXPECT_EQ(l.data.Value(2, 1, 1), 4);
}

TEST(GraphData, AnEighthYFieldIsIgnored)
{
    QList<QByteArray> lines = {"905,1", "700,1,-1,X"};
    for (int f = 1; f <= 7; ++f)
        lines.append("701," + QByteArray::number(f + 1) + ",0,F" + QByteArray::number(f) + "," + QByteArray::number(f));
    lines.append("701,9,0,Eighth,0");
    lines.append("701,9,0,Joins,3"); // group id 3 exists, but seven Y fields exist
    lines.append("100,x,1,2,3,4,5,6,7,8");
    Loaded l(MakeReport(lines));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.YFieldCount(), 7);
    EXPECT_EQ(l.data.YColumnCount(3), 1);
    EXPECT_EQ(l.data.YFieldTitle(7), QStringLiteral("F7"));
}

TEST(GraphData, SeparatorsOfRecord907)
{
    Loaded l(MakeReport({"905,1", "907,:,.,\",\",NIS", "700,1,-1,X", "701,2,0,Whole", "701,2,6,Decimal",
                         "701,3,3,Time", "701,3,4,Duration", "701,4,2,Cost", "100,x,\"1,234.56\",01:30:59,\"NIS 1,000.5\""}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.Value(1, 1, 1), 1234);
    EXPECT_DOUBLE_EQ(l.data.Value(2, 1, 1), 1234.56);
    EXPECT_EQ(l.data.Value(3, 1, 1), 90);
    EXPECT_EQ(l.data.FormatValue(3, l.data.Value(3, 1, 1)), QStringLiteral("01:30"));
    EXPECT_EQ(l.data.Value(4, 1, 1), 5459);
    EXPECT_EQ(l.data.FormatValue(4, 5459), QStringLiteral("90:59"));
    EXPECT_DOUBLE_EQ(l.data.Value(5, 1, 1), 1000.5);
    EXPECT_EQ(l.data.FormatValue(5, 1234567.891), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(l.data.FormatValue(1, 1234567), QStringLiteral("1,234,567"));
}

TEST(GraphData, EmptyLabelAndValueFields)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,X", "701,2,0,Calls", "100,,,9"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.Label(1, 1, false), LookupText(183));
    EXPECT_EQ(l.data.Value(1, 1, 1), 0);
}

TEST(GraphData, PointLimitKeepsThePointsRead)
{
    QList<QByteArray> lines = {"905,1", "700,1,-1,X", "701,2,0,Calls"};
    for (int p = 1; p <= 1005; ++p)
        lines.append("100,p" + QByteArray::number(p) + "," + QByteArray::number(p));
    Loaded l(MakeReport(lines));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.PointCount(), 1000);
    ASSERT_EQ(l.messages.Texts().size(), 1);
    EXPECT_TRUE(l.messages.Texts()[0].contains(QStringLiteral("1000")));
    EXPECT_EQ(l.messages.Kinds()[0], int(mkInformation));
}

TEST(GraphData, FilesThatHoldNoGraph)
{
    for (const QList<QByteArray> &lines : QList<QList<QByteArray>>{
             {"905,1", "700,1,-1,X", "701,2,0,Calls"},  // no record 100
             {"905,1", "701,2,0,Calls", "100,a,1"},     // no X field
             {"905,1", "700,1,-1,X", "100,a,1"},        // no Y field
             {"905,1", "917,many", "700,1,-1,X", "701,2,0,C", "100,a,1"}}) {
        Loaded l(MakeReport(lines));
        EXPECT_FALSE(l.ok);
        ASSERT_EQ(l.messages.Texts().size(), 1);
        EXPECT_EQ(l.messages.Texts()[0], DisplayFormat(16, {l.dir.path(QStringLiteral("g.srp"))}));
    }
    TMessageRecorder messages;
    TGraphData data{TIntlSettings::Plain()};
    EXPECT_FALSE(data.LoadFromFile(QStringLiteral("/nonexistent/file.srp")));
    EXPECT_EQ(messages.Texts(), QStringList{DisplayText(65)});
}

TEST(GraphData, CancelEndsWithoutMessage)
{
    struct CancelAfter : TProgressSink {
        int calls = 0;
        void Progress(int) override { ++calls; }
        bool Cancelled() const override { return calls > 1; }
    } sink;
    TTestDir dir;
    TMessageRecorder messages;
    TGraphData data{TIntlSettings::Plain()};
    EXPECT_FALSE(data.LoadFromFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(50)), &sink));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST(GraphData, OptionsOfTheDefinitionRecords)
{
    Loaded l(MakeReport({"905,1", "750,Extension", "751", "915,True", "917,20", "700,1,-1,X", "701,2,0,A",
                         "701,3,1,B", "752,3,7", "100,a,1,2"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.GroupCaption(), QStringLiteral("Extension"));
    EXPECT_TRUE(l.data.OverlapBars());
    EXPECT_TRUE(l.data.VerticalXLabels());
    EXPECT_EQ(l.data.DefaultPointsPerPage(), 20);
    EXPECT_EQ(l.data.YFieldCategory(1), 3);
    EXPECT_EQ(l.data.YFieldCategory(2), 7);
    EXPECT_EQ(l.data.YFieldCategory(3), -1);
}

TEST(GraphData, SectionsBecomeGroupsInMultiGroupMode)
{
    Loaded l(MakeReport({"905,1", "951", "400,1,C,0,0,Main title", "550,1,C,0,0,Sub one", "700,1,-1,X",
                         "701,2,0,Calls", "100,a,1", "100,b,2", "902",
                         "550,1,C,0,0,Sub two", "100,c,30", "902",
                         "902", // a section end without points clears the sub-header lines
                         "400,1,C,0,0,Own title", "100,d,4", "902"}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.data.GroupCount(), 3);
    QStringList lines;
    l.data.HeaderLines(lines);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Main title"), QStringLiteral("Sub one")}));
    EXPECT_EQ(l.data.PointCount(), 2);
    l.data.SetCurrentGroup(1);
    l.data.HeaderLines(lines);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Main title"), QStringLiteral("Sub two")}));
    EXPECT_EQ(l.data.MaxValue(1), 30);
    l.data.SetCurrentGroup(2);
    l.data.HeaderLines(lines);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Own title"), QStringLiteral("Sub one")}));
    EXPECT_EQ(l.data.Label(1, 1, false), QStringLiteral("d"));
    l.data.SetCurrentGroup(7);
    EXPECT_EQ(l.data.CurrentGroup(), 2);
}

TEST(GraphData, SectionEndsWithoutMultiGroupKeepOneGroup)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,X", "701,2,0,Calls", "100,a,1", "902", "400,1,C,0,0,Ignored", "100,b,2"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.GroupCount(), 1);
    EXPECT_EQ(l.data.PointCount(), 2);
    QStringList lines;
    l.data.HeaderLines(lines);
    EXPECT_TRUE(lines.isEmpty());
}

TEST(GraphData, ReplacedHeaderLineInLaterGroup)
{
    Loaded l(MakeReport({"905,1", "951", "400,1,C,0,0,Report", "400,1,C,0,0,Extension 201", "700,1,-1,X",
                         "701,2,0,Calls", "100,a,1", "902", "401,2,Extension 202", "100,b,2"}));
    ASSERT_TRUE(l.ok);
    l.data.SetCurrentGroup(1);
    QStringList lines;
    l.data.HeaderLines(lines);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Report"), QStringLiteral("Extension 202")}));
}

TEST(GraphData, CursorWalksTheCurrentGroup)
{
    Loaded l(CallsGraphFile(3));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.CursorPoint(), 1);
    l.data.NextPoint();
    EXPECT_EQ(l.data.CursorValue(1, 1), 6);
    EXPECT_EQ(l.data.CursorLabel(1, false), QStringLiteral("202"));
    l.data.NextPoint();
    l.data.NextPoint();
    EXPECT_FALSE(l.data.CursorValid());
    l.data.NextPoint();
    EXPECT_EQ(l.data.CursorPoint(), 4);
    EXPECT_EQ(l.data.CursorValue(1, 1), 0);
    l.data.SetCursor(9);
    EXPECT_EQ(l.data.CursorPoint(), 4);
    l.data.SetCursor(2);
    EXPECT_EQ(l.data.CursorPoint(), 2);
    l.data.ResetCursor();
    EXPECT_EQ(l.data.CursorPoint(), 1);
}

TEST(GraphData, ClipboardTable)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Ext \"A\"", "701,2,0,Calls,1,in", "701,3,0,Calls,1", "701,4,2,Cost",
                         "701,5,4,Talk", "100,201,3,4,12.5,1:05", "100,202,1234,0,7,0:10"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(clipboardText(l.data),
              QStringLiteral("\"Ext \"\"A\"\"\"\t\"Calls (in)\"\t\"Calls\"\t\"Cost\"\t\"Talk\"\r\n"
                             "\"201\"\t3\t4\t12.50\t65\r\n"
                             "\"202\"\t1234\t0\t7.00\t10"));
}

TEST(GraphData, ClipboardBudgetStopsWithText153)
{
    Loaded l(CallsGraphFile(20));
    ASSERT_TRUE(l.ok);
    TClipboardStrings strings(200);
    l.data.FillClipboard(strings);
    EXPECT_LT(strings.Lines().size(), 21);
    EXPECT_GT(strings.Lines().size(), 0);
    EXPECT_LE(strings.ByteTotal(), 200);
    ASSERT_EQ(l.messages.Texts().size(), 1);
    EXPECT_EQ(l.messages.Texts()[0], DisplayFormat(153, {QString::number(strings.Lines().size())}));
}
