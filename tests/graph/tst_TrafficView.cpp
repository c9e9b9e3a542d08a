// The traffic window's behaviour without widgets: averaging, kinds, pages, increments.
#include "GraphTestSupport.h"

#include "graph/TrafficView.h"

#include <gtest/gtest.h>

namespace {
struct View {
    TTestDir dir;
    TMessageRecorder messages;
    TTrafficView view{TIntlSettings::Plain()};
    explicit View(const QByteArray &bytes)
    {
        EXPECT_TRUE(view.LoadFile(dir.write(QStringLiteral("t.srp"), bytes)));
        view.Activate();
    }
};
} // namespace

TEST(TrafficView, AveragingHalfIntervals)
{
    View v(TrafficFile(2, 24));
    const TChartModel &m = v.view.Model();
    ASSERT_EQ(m.series.size(), 2u);
    ASSERT_EQ(m.series[0].points.size(), 49u);
    EXPECT_EQ(m.series[0].points[0].label, QStringLiteral("00:00"));
    EXPECT_EQ(m.series[0].points[1].label, QStringLiteral("00:30"));
    EXPECT_EQ(m.series[0].points[2].label, QStringLiteral("01:00"));
    EXPECT_EQ(m.series[0].points[47].label, QStringLiteral("23:30"));
    EXPECT_EQ(m.series[0].points[48].label, QString());
    // Row 1 (01:00) has (7) % 13 = 7 calls, row 0 has 0: the boundary point is their mean.
    EXPECT_DOUBLE_EQ(m.series[0].points[1].value, 0);
    EXPECT_DOUBLE_EQ(m.series[0].points[2].value, 3.5);
    EXPECT_DOUBLE_EQ(m.series[0].points[3].value, 7);
    EXPECT_DOUBLE_EQ(m.bottomAxis.maximum, 48);
    EXPECT_TRUE(m.legendVisible);
    EXPECT_EQ(m.series[0].color, ToQColor(65280));
    EXPECT_EQ(m.series[1].color, ToQColor(16711680));

    v.view.ChangeKind(int(TChartKind::Bar));
    EXPECT_FALSE(v.view.AveragingMode());
    EXPECT_EQ(v.view.Model().series[0].points.size(), 24u);
    EXPECT_DOUBLE_EQ(v.view.Model().bottomAxis.minimum, -0.5);
}

TEST(TrafficView, LongPagesAreNotAveraged)
{
    View v(TrafficFile(1, 49));
    EXPECT_FALSE(v.view.AveragingMode());
    EXPECT_EQ(v.view.Model().series[0].points.size(), 49u);
    View one(TrafficFile(1, 1));
    EXPECT_FALSE(one.view.AveragingMode());
    EXPECT_EQ(one.view.Model().series[0].points.size(), 1u);
}

TEST(TrafficView, PagesAndTitles)
{
    View v(TrafficFile(3, 24));
    EXPECT_EQ(v.view.Model().foot, QStringLiteral("שלוחה : 201"));
    EXPECT_FALSE(v.view.PreviousPageEnabled());
    v.view.ShowPage(99);
    EXPECT_EQ(v.view.CurrentPage(), 2);
    EXPECT_EQ(v.view.Model().foot, QStringLiteral("שלוחה : 203"));
    EXPECT_FALSE(v.view.NextPageEnabled());
    v.view.ShowPage(-4);
    EXPECT_EQ(v.view.CurrentPage(), 0);
    v.view.SelectMultiY(2);
    EXPECT_EQ(v.view.Model().leftAxis.title, QStringLiteral("זמן  "));
    ASSERT_EQ(v.view.Model().series.size(), 1u);
    EXPECT_FALSE(v.view.Model().legendVisible);
    // Talk time is kind 4: the value axis and marks in mm:ss, an empty label at 0.
    EXPECT_EQ(v.view.Model().axisLabel(0, QStringLiteral("0")), QString());
    EXPECT_EQ(v.view.Model().axisLabel(75, QStringLiteral("75")), QStringLiteral("01:15"));
}

TEST(TrafficView, SmallValuesGetAFineIncrement)
{
    QList<QByteArray> lines = {"905,1", "700,1,-1,Hour", "701,2,6,Load", "703,Load,1"};
    for (int r = 0; r < 10; ++r)
        lines.append("100," + QByteArray::number(r) + ":00," + (r == 3 ? "0.8" : "0.2"));
    View v(MakeReport(lines));
    EXPECT_NEAR(v.view.Model().leftAxis.increment, 0.1, 1e-12);
}

TEST(TrafficView, StatisticLines)
{
    View v(TrafficFile(1, 4));
    v.view.SetStatistics(true, false, true);
    const TChartModel &m = v.view.Model();
    ASSERT_EQ(m.series.size(), 4u);
    EXPECT_EQ(m.series[2].kind, TChartKind::Line);
    for (size_t i = 0; i < m.series[0].points.size(); ++i) {
        const double a = m.series[0].points[i].value, b = m.series[1].points[i].value;
        EXPECT_DOUBLE_EQ(m.series[2].points[i].value, (a + b) / 2);
        EXPECT_DOUBLE_EQ(m.series[3].points[i].value, std::max(a, b));
    }
}
