#include "app/PreviewState.h"

#include <QtGlobal>

void TPreviewState::SetPage(int page)
{
    page = qMax(0, page);
    if (page == m_page)
        return;
    m_page = page;
    emit PageChanged(m_page);
}

void TPreviewState::SetZoom(int percent)
{
    percent = qBound(kMinZoom, percent, kMaxZoom);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    emit ZoomChanged(m_zoom);
}

void TPreviewState::SetZoomMode(int mode)
{
    if (mode == m_zoomMode)
        return;
    m_zoomMode = mode;
    emit ZoomModeChanged(m_zoomMode);
}
