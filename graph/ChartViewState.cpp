#include "graph/ChartViewState.h"

#include <algorithm>

bool TChartViewState::SetKind(int k)
{
    if (k == kind || k < 0 || k > 6)
        return false;
    kind = k;
    return true;
}

void TChartViewState::SetMarksStyle(int style) { marksStyle = std::clamp(style, 0, 5); }

void TChartViewState::SetGallery(int newKind, bool newView3D, int percent)
{
    if (newKind >= 0 && newKind <= 6)
        kind = newKind;
    view3D = newView3D;
    percent3D = std::clamp(percent, 1, 100);
}

void TChartViewState::ApplyTo(TChartModel &model) const
{
    model.view3D = view3D;
    model.depthPercent = percent3D;
    model.marksStyle = marksStyle;
}

QString TChartViewState::TimeMarkText(const QString &text, const QString &formattedValue) const
{
    if (marksStyle == msValue)
        return formattedValue;
    if (marksStyle == msLabelValue)
        return text.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ') + formattedValue;
    return text;
}
