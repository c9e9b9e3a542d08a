#pragma once
// The arithmetic of chart axes: steps between labels, paging of points along the category
// axis, and the value-axis increment of traffic charts. Plain functions, no drawing.
#include "graph/ChartModel.h"

#include <vector>

// A step of 1, 2 or 5 times a power of ten that divides range into at most maxSteps parts.
double NiceStep(double range, int maxSteps);
// The label values of [minimum, maximum] at multiples of step (at most 1000 of them).
std::vector<double> AxisTicks(double minimum, double maximum, double step);

// Value-axis increment of a traffic chart: automatic (0) from a maximum of 1 up; else the
// maximum per row rounded to its first significant digit.
double TrafficValueIncrement(double maximum, int rows);

// The category axis of a page of points: bars from -0.5 to pp - 0.5, other kinds 0 to pp - 1.
struct TAxisRange {
    double minimum = 0;
    double maximum = 0;
};
TAxisRange CategoryRange(TChartKind kind, int pointsPerPage);

// A scroll by x points of the category axis, kept within the points: returns the distance
// actually moved.
double ClampScroll(double x, const TAxisRange &axis, int pointCount, TChartKind kind);
// Whether there is a next or a previous page of points.
bool NextPageEnabled(const TAxisRange &axis, int pointCount, TChartKind kind);
bool PreviousPageEnabled(const TAxisRange &axis, TChartKind kind);

// The points of a series that fall within the axis range (first and last index, inclusive).
std::pair<int, int> VisiblePoints(const TAxisRange &axis, int pointCount);
