// Axis steps, traffic increments and paging of points, table-driven.
#include "graph/ChartAxis.h"

#include <gtest/gtest.h>

TEST(ChartAxis, NiceSteps)
{
    struct Case { double range; int steps; double step; } cases[] = {
        {100, 10, 10}, {100, 4, 50}, {165, 10, 20}, {1, 10, 0.1}, {0.3, 3, 0.1}, {7, 1, 10}, {0, 5, 1}, {2500, 6, 500},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(NiceStep(c.range, c.steps), c.step) << c.range << " / " << c.steps;
}

TEST(ChartAxis, Ticks)
{
    EXPECT_EQ(AxisTicks(0, 1.1, 0.5), (std::vector<double>{0, 0.5, 1}));
    EXPECT_EQ(AxisTicks(-0.5, 2.5, 1), (std::vector<double>{0, 1, 2}));
    EXPECT_TRUE(AxisTicks(0, 1, 0).empty());
    EXPECT_EQ(AxisTicks(0, 1e9, 1).size(), 1000u);
}

TEST(ChartAxis, TrafficIncrement)
{
    struct Case { double max; int rows; double increment; } cases[] = {
        {0.8, 10, 0.1}, {1, 10, 0}, {35, 24, 0}, {0, 10, 0}, {0.5, 24, 0.02}, {0.05, 5, 0.01},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(TrafficValueIncrement(c.max, c.rows), c.increment, 1e-12) << c.max << " " << c.rows;
}

TEST(ChartAxis, AxisValueText)
{
    EXPECT_EQ(FormatAxisValue(12), QStringLiteral("12"));
    EXPECT_EQ(FormatAxisValue(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(FormatAxisValue(2.12345), QStringLiteral("2.123"));
    EXPECT_EQ(FormatAxisValue(-0.0001), QStringLiteral("0"));
}

TEST(ChartAxis, Paging)
{
    // 20 points, 12 per page.
    const TAxisRange bars = CategoryRange(TChartKind::Bar, 12);
    EXPECT_DOUBLE_EQ(bars.minimum, -0.5);
    EXPECT_DOUBLE_EQ(bars.maximum, 11.5);
    EXPECT_TRUE(NextPageEnabled(bars, 20, TChartKind::Bar));
    EXPECT_FALSE(PreviousPageEnabled(bars, TChartKind::Bar));
    EXPECT_DOUBLE_EQ(ClampScroll(12, bars, 20, TChartKind::Bar), 8);   // the last page ends at the last point
    EXPECT_DOUBLE_EQ(ClampScroll(-12, bars, 20, TChartKind::Bar), 0);
    const TAxisRange last{7.5, 19.5};
    EXPECT_FALSE(NextPageEnabled(last, 20, TChartKind::Bar));
    EXPECT_TRUE(PreviousPageEnabled(last, TChartKind::Bar));
    EXPECT_DOUBLE_EQ(ClampScroll(1, last, 20, TChartKind::Bar), 0);    // right at the last page does nothing
    EXPECT_DOUBLE_EQ(ClampScroll(-12, last, 20, TChartKind::Bar), -8);

    const TAxisRange lines = CategoryRange(TChartKind::Line, 12);
    EXPECT_DOUBLE_EQ(lines.maximum, 11);
    EXPECT_DOUBLE_EQ(ClampScroll(12, lines, 20, TChartKind::Line), 8);
    EXPECT_DOUBLE_EQ(ClampScroll(5, lines, 20, TChartKind::Line), 5);
    EXPECT_TRUE(NextPageEnabled({8, 18}, 20, TChartKind::Line));
    EXPECT_FALSE(NextPageEnabled({8, 19}, 20, TChartKind::Line));
    EXPECT_FALSE(PreviousPageEnabled({-0.5, 11.5}, TChartKind::HorizBar));
    EXPECT_TRUE(PreviousPageEnabled({0.5, 12.5}, TChartKind::HorizBar));

    EXPECT_EQ(VisiblePoints({-0.5, 11.5}, 20), std::make_pair(0, 11));
    EXPECT_EQ(VisiblePoints({4.5, 16.5}, 20), std::make_pair(5, 16));
    EXPECT_EQ(VisiblePoints({8, 19}, 20), std::make_pair(8, 19));
}
