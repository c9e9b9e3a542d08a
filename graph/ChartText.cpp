#include "graph/ChartText.h"

#include "graph/ChartPainter.h"

#include <cmath>

QStringList LegendTexts(const TChartModel &model)
{
    QStringList texts;
    if (model.series.empty())
        return texts;
    if (model.Kind() == TChartKind::Pie) {
        for (const TChartPoint &p : model.series.front().points)
            texts.append(p.label);
    } else {
        for (const TChartSeries &s : model.series)
            texts.append(s.title);
    }
    return texts;
}

QColor LegendColor(const TChartModel &model, int entry)
{
    if (model.Kind() == TChartKind::Pie)
        return PointColor(model.series.front(), entry);
    return model.series[size_t(entry)].color;
}

double CategoryLabelWidth(const TChartModel &model, const QFontMetricsF &metrics)
{
    double w = metrics.horizontalAdvance(QStringLiteral("0"));
    if (model.series.empty())
        return w;
    for (const TChartPoint &p : model.series.front().points)
        w = std::max(w, metrics.horizontalAdvance(p.label));
    return w;
}

QString ValueAxisLabel(const TChartModel &model, double value)
{
    const QString text = FormatAxisValue(value);
    return model.axisLabel ? model.axisLabel(value, text) : text;
}

QColor PointColor(const TChartSeries &series, int i)
{
    const TChartPoint &p = series.points[size_t(i)];
    if (p.color.isValid())
        return p.color;
    if (series.kind == TChartKind::Pie) {
        static const int order[] = {12, 9, 10, 11, 4, 14, 13, 3, 5, 6, 1, 2, 7, 8};
        return PaletteColor(order[i % 14]);
    }
    return series.color;
}

QString DefaultMarkText(const TChartModel &model, int series, int point)
{
    const TChartSeries &s = model.series[size_t(series)];
    const TChartPoint &p = s.points[size_t(point)];
    double total = 0;
    if (model.marksStyle == msPercent || model.marksStyle == msLabelPercent)
        for (const TChartPoint &q : s.points)
            total += std::abs(q.value);
    const QString value = FormatAxisValue(p.value);
    const QString percent = FormatAxisValue(total > 0 ? std::round(std::abs(p.value) / total * 10000) / 100 : 0) + QStringLiteral(" %");
    const QString label = p.label.isEmpty() ? value : p.label;
    switch (model.marksStyle) {
    case msValue: return value;
    case msPercent: return percent;
    case msLabel: return label;
    case msLabelValue: return label + QLatin1Char(' ') + value;
    case msLabelPercent: return label + QLatin1Char(' ') + percent;
    default: return QString();
    }
}
