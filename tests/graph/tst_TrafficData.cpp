// Reading traffic reports: pages, rows, multi-Y items, maxima and the clipboard text.
#include "GraphTestSupport.h"

#include "foundation/DisplayText.h"
#include "graph/TrafficGraphData.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    TTestDir dir;
    TMessageRecorder messages;
    TTrafficGraphData data{TIntlSettings::Plain()};
    bool ok = false;
    explicit Loaded(const QByteArray &bytes) { ok = data.LoadFromFile(dir.write(QStringLiteral("t.srp"), bytes)); }
};

} // namespace

TEST(TrafficData, PagesByLeadingFieldsRowsByTheNext)
{
    Loaded l(TrafficFile(3, 24));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.KeyFieldCount(), 2);
    ASSERT_EQ(l.data.PageCount(), 3);
    const auto *page = l.data.Page(1);
    ASSERT_EQ(page->RowCount(), 24);
    EXPECT_EQ(page->RowKey(5), QStringLiteral("05:00"));
    EXPECT_EQ(page->Value(QStringLiteral("05:00"), 1), (5 * 7 + 1) % 13);
    EXPECT_EQ(page->Value(QStringLiteral("05:00"), 2), 15); // 0:15 in seconds
    EXPECT_DOUBLE_EQ(page->Value(QStringLiteral("05:00"), 3), 0.25);
    EXPECT_EQ(page->Value(QStringLiteral("99:00"), 1), 0);
    EXPECT_EQ(page->Value(QStringLiteral("05:00"), 6), 0);
    EXPECT_EQ(l.data.PageCaption(1), QStringLiteral("שלוחה : 202"));
    EXPECT_EQ(l.data.PageLabel(1, 1, false, true), QStringLiteral("202"));
    EXPECT_EQ(l.data.PageLabel(1, 2, true, true), QStringLiteral("שעה"));
    EXPECT_EQ(l.data.PageLabel(7, 1, true, true), QString());
    EXPECT_EQ(l.data.HeaderLines(), QStringList{QStringLiteral("דוח תנועה")});
    EXPECT_EQ(l.data.MultiYItems().Count(), 2);
    EXPECT_EQ(l.data.MultiYItems().Title(1), QStringLiteral("שיחות ועומס"));
    EXPECT_EQ(l.data.MultiYMax(1, 0), 12);
    EXPECT_EQ(l.data.MultiYMax(2, 0), 33);
    EXPECT_EQ(l.data.MultiYMax(3, 0), 0);
    EXPECT_EQ(l.data.FormatValue(2, 3723), QStringLiteral("62:03"));
}

TEST(TrafficData, RepeatedRowsOverwriteFieldByField)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Ext", "700,2,-1,Hour", "701,3,0,Calls", "701,4,6,Load",
                         "703,Both,1,2", "100,201,08:00,5,0.5", "100,201,08:00,2", "100,201,09:00,1,0.1",
                         "100,201,08:00,,0.3"}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.data.PageCount(), 1);
    const auto *page = l.data.Page(0);
    EXPECT_EQ(page->RowCount(), 2);
    EXPECT_EQ(page->Value(QStringLiteral("08:00"), 1), 0);  // the empty field of the last record reads 0
    EXPECT_DOUBLE_EQ(page->Value(QStringLiteral("08:00"), 2), 0.3);
    EXPECT_EQ(page->Maxima().Get(1), 5);
    EXPECT_DOUBLE_EQ(page->Maxima().Get(2), 0.5);
}

TEST(TrafficData, KeysIgnoreLetterCase)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Site", "700,2,-1,Hour", "701,3,0,Calls", "703,C,1",
                         "100,North,am,1", "100,NORTH,AM,4", "100,south,am,2"}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.data.PageCount(), 2);
    EXPECT_EQ(l.data.Page(0)->RowCount(), 1);
    EXPECT_EQ(l.data.Page(0)->Value(QStringLiteral("Am"), 1), 4);
    EXPECT_EQ(l.data.PageLabel(0, 1, false, false), QStringLiteral("North"));
}

TEST(TrafficData, ManyRowsStillFoundByKey)
{
    QList<QByteArray> lines = {"905,1", "700,1,-1,Ext", "700,2,-1,Minute", "701,3,0,Calls", "703,C,1"};
    for (int m = 0; m < 200; ++m)
        lines.append("100,1,R" + QByteArray::number(m) + "," + QByteArray::number(m));
    lines.append("100,1,r7,70");
    Loaded l(MakeReport(lines));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.Page(0)->RowCount(), 200);
    EXPECT_EQ(l.data.Page(0)->Value(QStringLiteral("R7"), 1), 70);
    EXPECT_EQ(l.data.Page(0)->Value(QStringLiteral("r199"), 1), 199);
}

TEST(TrafficData, EmptyRowKeyCreatesAnEmptyPage)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Ext", "700,2,-1,Hour", "701,3,0,Calls", "703,C,1", "100,201,,5",
                         "100,202,01:00,5"}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.data.PageCount(), 2);
    EXPECT_EQ(l.data.Page(0)->RowCount(), 0);
    EXPECT_EQ(l.data.Page(1)->RowCount(), 1);
}

TEST(TrafficData, KeyPartsStayApart)
{
    // Joined without anything between them, 1+12 and 11+2 would mix two extensions' figures.
    Loaded l(MakeReport({"905,1", "700,1,2,Trunk", "700,3,-1,Hour", "701,4,0,Calls", "703,C,1",
                         "100,1,12,08:00,5", "100,11,2,08:00,7"}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.KeyFieldCount(), 3);
    ASSERT_EQ(l.data.PageCount(), 2);
    EXPECT_EQ(l.data.PageLabel(0, 1, false, true), QStringLiteral("1 12"));
    EXPECT_EQ(l.data.PageLabel(1, 1, true, true), QStringLiteral("Trunk : 11 2"));
}

TEST(TrafficData, DefinitionLimitsAndKinds)
{
    QList<QByteArray> lines = {"905,1", "700,1,-1,Ext"};
    for (int y = 1; y <= 6; ++y)
        lines.append("701," + QByteArray::number(y + 1) + "," + (y == 2 ? "4" : y == 3 ? "3" : y == 4 ? "2" : "0") +
                     ",Y" + QByteArray::number(y));
    for (int m = 1; m <= 8; ++m)
        lines.append("703,M" + QByteArray::number(m) + ",1,x,3,4,5,1,2");
    lines.append("100,08:00,5,1:02:03,1:02:03,$ 12.5,9,9");
    Loaded l(MakeReport(lines));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.data.YFields().Count(), 5);
    EXPECT_EQ(l.data.MultiYItems().Count(), 7);
    EXPECT_EQ(l.data.MultiYItems().Item(1)->YFields, (std::vector<int>{1, 0, 3, 4, 5}));
    EXPECT_EQ(l.data.KeyFieldCount(), 1);
    const auto *page = l.data.Page(0);
    EXPECT_EQ(page->Value(QStringLiteral("08:00"), 2), 3723);
    EXPECT_EQ(page->Value(QStringLiteral("08:00"), 3), 3723);
    EXPECT_DOUBLE_EQ(page->Value(QStringLiteral("08:00"), 4), 12.5);
}

TEST(TrafficData, NoDataGivesText16)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Ext", "701,2,0,Calls"}));
    EXPECT_FALSE(l.ok);
    EXPECT_EQ(l.messages.Texts(), QStringList{DisplayFormat(16, {l.dir.path(QStringLiteral("t.srp"))})});
}

TEST(TrafficData, ClipboardTableOfAPage)
{
    Loaded l(MakeReport({"905,1", "700,1,-1,Ext", "700,2,-1,Hour", "701,3,0,Calls", "701,4,4,Talk",
                         "703,C,1", "100,201,08:00,5,1:05", "100,201,09:00,2,0:10", "100,202,08:00,1,0:01"}));
    ASSERT_TRUE(l.ok);
    TClipboardStrings strings;
    l.data.FillClipboard(0, strings);
    EXPECT_EQ(strings.Text(), QStringLiteral("\"Ext\"\t\"Hour\"\t\"Calls\"\t\"Talk\"\r\n"
                                             "\"201\"\t\"08:00\"\t5\t01:05\r\n"
                                             "\"201\"\t\"09:00\"\t2\t00:10"));
}

TEST(TrafficData, ScrambledReportAndItsMark)
{
    TTestDir dir;
    TMessageRecorder messages;
    const QList<QByteArray> lines = {"905,1", "950", "700,1,-1,Ext", "700,2,-1,Hour", "701,3,0,Calls",
                                     "703,C,1", "100,201,08:00,5"};
    const QString scrambled = dir.write(QStringLiteral("s.srp"), MakeReport(lines, true));
    EXPECT_TRUE(IsTrafficReport(scrambled));
    TTrafficGraphData data{TIntlSettings::Plain()};
    ASSERT_TRUE(data.LoadFromFile(scrambled));
    EXPECT_EQ(data.Page(0)->Value(QStringLiteral("08:00"), 1), 5);
    EXPECT_FALSE(IsTrafficReport(dir.write(QStringLiteral("g.srp"), CallsGraphFile(2))));
    EXPECT_FALSE(IsTrafficReport(dir.path(QStringLiteral("missing.srp"))));
}
