#pragma once
// The page view of the preview window: shows one page of a page store at a zoom percentage,
// with scroll bars, and tells when pages become available while the report is still being
// made. The page is rendered once per page and zoom into a cached image, so scrolling and
// turning pages stay fast on long reports.
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>

#include "engine/PageSearch.h"
#include "engine/PageStore.h"

#include <memory>

class TPreviewState;

class TPageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kPageMargin = 10; // grey border around the page, in screen pixels
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 300;

    explicit TPageView(QWidget *parent = nullptr);
    ~TPageView() override;

    // The state the view shows and changes: page, zoom and search hits (not owned). Until one
    // is given the view keeps a state of its own.
    void SetState(TPreviewState *state);
    TPreviewState *State() const { return m_state; }

    // Shows the pages of this store (not owned); the view follows its PageAdded signal.
    void SetStore(TPageStore *store);
    TPageStore *Store() const { return m_store; }

    // 1-based number of the page shown; 0 before the first page.
    int PageNumber() const;
    int PageCount() const;
    // Shows page n (clamped to the pages available) from its top.
    void ShowPage(int n);

    int Zoom() const;
    void SetZoom(int percent);
    // The zoom at which the whole page fits the view, and at which its width does.
    int WholePageZoom() const;
    int PageWidthZoom() const;
    void ZoomToFit() { SetZoom(WholePageZoom()); }
    void ZoomToWidth() { SetZoom(PageWidthZoom()); }

    // Vertical scrolling in view pixels.
    int ScrollPosition() const;
    int ScrollMaximum() const;
    void ScrollTo(int position);
    void ScrollBy(int delta);
    // Horizontal scrolling towards the page's left (negative) or right (positive) edge.
    void ScrollSideways(int delta);
    int VisibleHeight() const;

    // The page shown, as it is drawn (for tests and screenshots).
    QImage RenderedPage() const;

    // Where the search hits of the page shown lie, in page pixels; the current one is marked.
    const std::vector<QRectF> &HitRects() const;
    int CurrentHitOnPage() const;
    // Scrolls so that the current hit is in view.
    void ShowCurrentHit();

signals:
    // A page was added to the store; count is the number of pages available so far.
    void PageAvailable(int count);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onPageAdded(int count);
    void onPageChanged();
    void onZoomChanged();
    void onHitsChanged();
    void paintHits(QPainter &painter, const QRect &page) const;
    QSize pageSize() const;
    QSize zoomedSize() const;
    void updateScrollBars();
    QRect pageRectInViewport() const;
    const QImage &cachedPage() const;
    void invalidate();

    QPointer<TPageStore> m_store;
    std::unique_ptr<TPreviewState> m_ownState;
    TPreviewState *m_state = nullptr;
    // The zoom the scroll bars were laid out for, to keep the middle in view when it changes.
    int m_layoutZoom = 100;
    // The hits of the page shown, found again whenever the page or the search changes.
    mutable int m_hitsPage = 0;
    mutable QString m_hitsText;
    mutable std::vector<QRectF> m_hitRects;
    mutable QImage m_cache;
    mutable int m_cachePage = 0;
    mutable int m_cacheZoom = 0;
    mutable qreal m_cacheRatio = 0;
};
