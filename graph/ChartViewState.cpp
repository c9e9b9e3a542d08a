#include "graph/ChartViewState.h"

#include <algorithm>

bool TChartViewState::SetKind(int k)
{
    if (k == m_kind || k < 0 || k > 6)
        return false;
    m_kind = k;
    return true;
}

void TChartViewState::SetMarksStyle(int style) { m_marksStyle = std::clamp(style, 0, 5); }

void TChartViewState::SetGallery(int newKind, bool newView3D, int percent)
{
    if (newKind >= 0 && newKind <= 6)
        m_kind = newKind;
    m_view3D = newView3D;
    m_percent3D = std::clamp(percent, 1, 100);
}

void TChartViewState::ApplyTo(TChartModel &model) const
{
    model.view3D = m_view3D;
    model.depthPercent = m_percent3D;
    model.marksStyle = m_marksStyle;
}

QString TChartViewState::TimeMarkText(const QString &text, const QString &formattedValue) const
{
    if (m_marksStyle == msValue)
        return formattedValue;
    if (m_marksStyle == msLabelValue)
        return text.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ') + formattedValue;
    return text;
}
