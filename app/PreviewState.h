#pragma once
// What the preview shows: the page, the zoom and how it was chosen, and the hits of a search.
// The page view, the zoom box, the page box, the thumbnails and the find bar all watch this
// one object, so a change made through any of them reaches the others.
#include "app/SearchHits.h"

#include <QObject>

class TPreviewState : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 300;

    using QObject::QObject;

    // 1-based number of the page shown; 0 before the first page.
    int Page() const { return m_page; }
    void SetPage(int page);

    int Zoom() const { return m_zoom; }
    // Clamped to 10..300 percent.
    void SetZoom(int percent);

    // Index of the last zoom choice in the zoom list (-1 before any).
    int ZoomMode() const { return m_zoomMode; }
    void SetZoomMode(int mode);

    // The hits of the search in the find bar; empty without a search.
    const TSearchHits &Hits() const { return m_hits; }
    // Changes the hits; tell HitsChanged() when done.
    TSearchHits &EditHits() { return m_hits; }
    void HitsEdited() { emit HitsChanged(); }
    // The current hit moved: the view brings it into sight.
    void CurrentHitMoved() { emit CurrentHitChanged(); }

signals:
    void PageChanged(int page);
    void ZoomChanged(int percent);
    void ZoomModeChanged(int mode);
    void HitsChanged();
    void CurrentHitChanged();

private:
    int m_page = 0;
    int m_zoom = 100;
    int m_zoomMode = -1;
    TSearchHits m_hits;
};
