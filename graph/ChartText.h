#pragma once
// Texts a chart shows besides its titles: legend entries, category labels, value labels.
#include "graph/ChartModel.h"

#include <QFontMetricsF>
#include <QStringList>

// Pie: the labels of its points; other kinds: the series titles.
QStringList LegendTexts(const TChartModel &model);
QColor LegendColor(const TChartModel &model, int entry);
// The widest point label of the first series.
double CategoryLabelWidth(const TChartModel &model, const QFontMetricsF &metrics);
// A value-axis label after the model's handler.
QString ValueAxisLabel(const TChartModel &model, double value);
// The colour of point i of a series (its own, else the series colour; pie points without a
// colour of their own take the palette in turn).
QColor PointColor(const TChartSeries &series, int i);
