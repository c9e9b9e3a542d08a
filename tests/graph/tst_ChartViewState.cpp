// The chart look both graph windows share: kind, 3D and depth, marks.
#include "graph/ChartViewState.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartViewState, KindsOutsideTheSevenAreIgnored)
{
    TChartViewState state;
    EXPECT_FALSE(state.SetKind(0)); // no change
    EXPECT_TRUE(state.SetKind(6));
    EXPECT_FALSE(state.SetKind(7));
    EXPECT_FALSE(state.SetKind(-1));
    EXPECT_EQ(state.Kind(), 6);
}

TEST(ChartViewState, MarksStepThroughTheSixStylesAndStartAgain)
{
    TChartViewState state;
    for (int i = 1; i <= 5; ++i) {
        state.NextMarksStyle();
        EXPECT_EQ(state.MarksStyle(), i);
    }
    state.NextMarksStyle();
    EXPECT_EQ(state.MarksStyle(), msNone);
    state.SetMarksStyle(42);
    EXPECT_EQ(state.MarksStyle(), 5);
}

TEST(ChartViewState, GalleryValuesAreKeptInRangeAndShownOnTheModel)
{
    TChartViewState state;
    state.SetGallery(9, false, 500);
    EXPECT_EQ(state.Kind(), 0);
    EXPECT_FALSE(state.View3D());
    EXPECT_EQ(state.Percent3D(), 100);
    state.SetGallery(2, true, 0);
    EXPECT_EQ(state.Percent3D(), 1);
    state.SetMarksStyle(msValue);
    TChartModel model;
    state.ApplyTo(model);
    EXPECT_TRUE(model.view3D);
    EXPECT_EQ(model.depthPercent, 1);
    EXPECT_EQ(model.marksStyle, msValue);
}

TEST(ChartViewState, TimeMarksShowTheFormattedValue)
{
    TChartViewState state;
    state.SetMarksStyle(msValue);
    EXPECT_EQ(state.TimeMarkText("12:00 90", "01:30"), "01:30");
    state.SetMarksStyle(msLabelValue);
    EXPECT_EQ(state.TimeMarkText("12:00 90", "01:30"), "12:00 01:30");
    state.SetMarksStyle(msLabel);
    EXPECT_EQ(state.TimeMarkText("12:00 90", "01:30"), "12:00 90");
}

} // namespace
