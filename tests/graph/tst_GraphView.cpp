// The graph window's behaviour without widgets: field buttons, kind changes, paging, marks,
// colours and titles.
#include "GraphTestSupport.h"

#include "foundation/DisplayText.h"
#include "graph/ChartPainter.h"
#include "graph/GraphView.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

QByteArray fieldsFile(const QList<QByteArray> &yLines, int points = 20)
{
    QList<QByteArray> lines = {"905,1", "400,1,C,0,0,Title line", "700,1,-1,Ext"};
    lines += yLines;
    for (int p = 1; p <= points; ++p) {
        QByteArray line = "100,E" + QByteArray::number(p);
        for (int f = 0; f < 8; ++f)
            line += "," + QByteArray::number(p * (f + 1));
        lines.append(line);
    }
    return MakeReport(lines);
}

struct View {
    TTestDir dir;
    TMessageRecorder messages;
    TGraphView view{TIntlSettings::Plain()};
    explicit View(const QByteArray &bytes)
    {
        EXPECT_TRUE(view.LoadFile(dir.write(QStringLiteral("g.srp"), bytes)));
        view.SetRandomSeed(7);
        view.Activate();
    }
};

} // namespace

TEST(GraphView, FieldButtonsOrDropDown)
{
    View buttons(fieldsFile({"701,2,0,Calls", "701,3,3,Time", "701,4,2,Cost"}));
    EXPECT_FALSE(buttons.view.SelectorMode());
    EXPECT_EQ(buttons.view.FieldButton(fbCalls), 1);
    EXPECT_EQ(buttons.view.FieldButton(fbTime), 2);
    EXPECT_EQ(buttons.view.FieldButton(fbCost), 3);
    EXPECT_EQ(buttons.view.FieldButton(fbPulses), 0);

    View fourth(fieldsFile({"701,2,0,Calls", "701,3,3,Time", "701,4,2,Cost", "701,5,5,Other"}));
    EXPECT_TRUE(fourth.view.SelectorMode());
    View twice(fieldsFile({"701,2,0,Calls", "701,3,0,More calls"}));
    EXPECT_TRUE(twice.view.SelectorMode());
    View categories(fieldsFile({"701,2,5,A", "701,3,6,B", "752,7,1"}));
    EXPECT_FALSE(categories.view.SelectorMode());
    EXPECT_EQ(categories.view.FieldButton(fbExtensions), 1);
    EXPECT_EQ(categories.view.FieldButton(fbPulses), 2);
}

TEST(GraphView, SeriesOfTheCurrentField)
{
    View v(fieldsFile({"701,2,0,Calls,1,in", "701,3,0,Calls,1", "701,4,2,Cost"}));
    const TChartModel &m = v.view.Model();
    ASSERT_EQ(m.series.size(), 2u);
    EXPECT_EQ(m.series[0].title, QStringLiteral("in"));
    EXPECT_EQ(m.series[1].title, DisplayText(170));
    EXPECT_EQ(m.series[0].points.size(), 20u);
    EXPECT_EQ(m.series[1].points[3].value, 8);
    EXPECT_EQ(m.series[0].points[3].label, QStringLiteral("E4"));
    EXPECT_EQ(m.title, (QStringList{QStringLiteral("Title line"), QString()}));
    EXPECT_EQ(m.leftAxis.title, QStringLiteral("Calls  "));
    EXPECT_EQ(m.foot, QStringLiteral("Ext"));
    EXPECT_DOUBLE_EQ(m.leftAxis.maximum, 1.1 * 40);
    EXPECT_DOUBLE_EQ(m.bottomAxis.minimum, -0.5);
    EXPECT_DOUBLE_EQ(m.bottomAxis.maximum, 11.5);
    EXPECT_FALSE(v.view.PieEnabled());
    v.view.SelectYField(2);
    EXPECT_EQ(v.view.Model().series.size(), 1u);
    EXPECT_TRUE(v.view.PieEnabled());
}

TEST(GraphView, PieWithTwoColumnsTurnsIntoBars)
{
    View v(fieldsFile({"701,2,2,Cost", "701,3,0,Calls,1,a", "701,4,0,Calls,1,b"}));
    v.view.PieButton();
    EXPECT_EQ(v.view.Kind(), int(TChartKind::Pie));
    EXPECT_EQ(v.view.MarksStyle(), int(msLabelPercent));
    EXPECT_EQ(v.view.Model().series[0].points.size(), 12u); // a pie holds one page
    EXPECT_TRUE(v.view.Model().legendVisible);
    v.view.SelectYField(2);
    EXPECT_EQ(v.view.Kind(), int(TChartKind::Bar));
    EXPECT_EQ(v.view.Model().series.size(), 2u);
    EXPECT_EQ(v.view.MarksStyle(), int(msNone));
    EXPECT_FALSE(v.view.Model().legendVisible);
}

TEST(GraphView, OnePointPerPageTurnsLinesIntoBars)
{
    View v(fieldsFile({"701,2,0,Calls"}));
    v.view.KindButton(int(TChartKind::Line));
    EXPECT_EQ(v.view.Kind(), int(TChartKind::Line));
    EXPECT_TRUE(v.view.AreaKindsEnabled());
    v.view.PointsPerPageChanged(1);
    EXPECT_EQ(v.view.Kind(), int(TChartKind::Bar));
    EXPECT_FALSE(v.view.AreaKindsEnabled());
    v.view.PointsPerPageChanged(0);
    EXPECT_EQ(v.view.PointsPerPage(), 1);
    v.view.PointsPerPageChanged(500);
    EXPECT_EQ(v.view.PointsPerPage(), 20);
}

TEST(GraphView, PagingThroughPoints)
{
    View v(fieldsFile({"701,2,0,Calls"}));
    EXPECT_TRUE(v.view.NextPageEnabled());
    EXPECT_FALSE(v.view.PreviousPageEnabled());
    v.view.NextPage();
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, 7.5);
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.maximum, 19.5);
    EXPECT_FALSE(v.view.NextPageEnabled());
    EXPECT_TRUE(v.view.PreviousPageEnabled());
    v.view.Scroll(1); // right at the last page does nothing
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, 7.5);
    v.view.PreviousPage();
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, -0.5);
    v.view.Scroll(v.view.PointsPerPage() - 1); // Ctrl+Right
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, 7.5);
    // The page survives a change of kind's redraw.
    v.view.Scroll(-3);
    v.view.Set3D(false);
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, 4.5);
}

TEST(GraphView, TimeFieldMarksAndAxisLabels)
{
    View v(fieldsFile({"701,2,4,Talk"}));
    v.view.SetMarksStyle(msValue);
    const TChartModel &m = v.view.Model();
    ASSERT_TRUE(m.markText);
    v.view.SetMarksStyle(msValue);
    const double value = m.series[0].points[4].value; // 5 seconds
    EXPECT_EQ(value, 5);
    EXPECT_EQ(m.markText(0, 4, QStringLiteral("5")), QStringLiteral("00:05"));
    v.view.SetMarksStyle(msLabelValue);
    EXPECT_EQ(m.markText(0, 4, QStringLiteral("E5 5")), QStringLiteral("E5 00:05"));
    EXPECT_EQ(m.axisLabel(0, QStringLiteral("0")), QString());
    EXPECT_EQ(m.axisLabel(125, QStringLiteral("125")), QStringLiteral("02:05"));
}

TEST(GraphView, RandomColoursNeverRepeat)
{
    QList<QByteArray> y;
    for (int c = 0; c < 7; ++c)
        y.append("701," + QByteArray::number(c + 2) + ",0,Calls,1,c" + QByteArray::number(c));
    for (unsigned seed = 1; seed <= 20; ++seed) {
        View v(fieldsFile(y));
        v.view.SetRandomSeed(seed);
        v.view.SelectYField(1);
        const TChartModel &m = v.view.Model();
        ASSERT_EQ(m.series.size(), 7u);
        QSet<QRgb> seen;
        for (const TChartSeries &s : m.series) {
            EXPECT_NE(s.color, m.wallColor);
            EXPECT_NE(s.color, QColor(Qt::black));
            seen.insert(s.color.rgb());
        }
        EXPECT_EQ(seen.size(), 7);
    }
    View single(fieldsFile({"701,2,0,Calls"}));
    const auto &points = single.view.Model().series[0].points;
    EXPECT_NE(points[0].color, points[1].color); // one series: each point its own colour
    TGraphSettings fixed = single.view.Settings();
    fixed.colors.useRandom = false;
    single.view.SetSettings(fixed);
    single.view.ApplyColours();
    EXPECT_EQ(single.view.Model().series[0].color, ToQColor(16711680));
    EXPECT_FALSE(single.view.Model().series[0].points[0].color.isValid());
}

TEST(GraphView, GroupsTitlesFollowTheGroup)
{
    View v(MakeReport({"905,1", "951", "750,Department", "400,1,C,0,0,First", "700,1,-1,X", "701,2,0,Calls",
                       "100,a,1", "100,b,2", "902", "403", "400,1,C,0,0,Second", "100,c,3", "902"}));
    ASSERT_EQ(v.view.Data().GroupCount(), 2);
    EXPECT_EQ(v.view.Model().title.first(), QStringLiteral("First"));
    EXPECT_EQ(v.view.Model().leftAxis.title, QStringLiteral("Department  "));
    EXPECT_TRUE(v.view.NextGroupEnabled());
    v.view.ChangeGroup(1);
    EXPECT_EQ(v.view.Data().CurrentGroup(), 1);
    EXPECT_EQ(v.view.Model().title.first(), QStringLiteral("Second"));
    EXPECT_EQ(v.view.Model().series[0].points.size(), 1u);
    EXPECT_FALSE(v.view.NextGroupEnabled());
}

TEST(GraphView, CallOutOfABar)
{
    View v(fieldsFile({"701,2,0,Calls,0,in"}));
    const QRectF bounds(0, 0, 800, 500);
    const TChartLayout layout = LayoutChart(v.view.Model(), bounds);
    ASSERT_FALSE(layout.shapes.empty());
    const QPointF inside = layout.shapes[2].area.boundingRect().center();
    const auto calls = v.view.CallOuts(bounds, inside);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].lines, (QStringList{QStringLiteral("E3"), QStringLiteral("3"), QStringLiteral("in")}));
    EXPECT_TRUE(v.view.CallOuts(bounds, QPointF(2, 2)).empty());
}
