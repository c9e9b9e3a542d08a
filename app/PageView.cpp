#include "app/PageView.h"

#include "app/HitRects.h"
#include "app/PreviewState.h"
#include "engine/PageStore.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// Above this many device pixels the page is painted straight into the view (clipped)
// instead of being cached: 300% of a landscape page on a high-density screen.
constexpr qint64 kMaxCachedPixels = 48'000'000;
constexpr int kScrollStep = 10;

} // namespace

TPageView::TPageView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("qrPreview"));
    setBackgroundRole(QPalette::Dark);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(kScrollStep);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    setFocusPolicy(Qt::StrongFocus);
    m_ownState = std::make_unique<TPreviewState>();
    SetState(m_ownState.get());
    updateScrollBars();
}

TPageView::~TPageView() = default;

void TPageView::SetState(TPreviewState *state)
{
    if (m_state)
        disconnect(m_state, nullptr, this, nullptr);
    m_state = state ? state : m_ownState.get();
    connect(m_state, &TPreviewState::PageChanged, this, &TPageView::onPageChanged);
    connect(m_state, &TPreviewState::ZoomChanged, this, &TPageView::onZoomChanged);
    connect(m_state, &TPreviewState::HitsChanged, this, &TPageView::onHitsChanged);
    connect(m_state, &TPreviewState::CurrentHitChanged, this, &TPageView::ShowCurrentHit);
    m_layoutZoom = m_state->Zoom();
    updateScrollBars();
    viewport()->update();
}

int TPageView::PageNumber() const { return m_state->Page(); }
int TPageView::Zoom() const { return m_state->Zoom(); }

void TPageView::SetStore(TPageStore *store)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    invalidate();
    m_state->SetPage(0);
    if (m_store)
        connect(m_store, &TPageStore::PageAdded, this, &TPageView::onPageAdded);
    updateScrollBars();
    viewport()->update();
}

int TPageView::PageCount() const { return m_store ? m_store->PageCount() : 0; }

void TPageView::onPageAdded(int count)
{
    if (PageNumber() == 0)
        updateScrollBars();
    emit PageAvailable(count);
}

void TPageView::ShowPage(int n)
{
    const int count = PageCount();
    if (count == 0)
        return;
    n = qBound(1, n, count);
    if (n != PageNumber())
        m_state->SetPage(n); // the view follows through onPageChanged
    else
        onPageChanged();
}

// Another page is shown from its top.
void TPageView::onPageChanged()
{
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

QSize TPageView::pageSize() const
{
    if (!m_store || PageNumber() == 0)
        return m_store && m_store->PageCount() > 0 ? m_store->PageSize(0) : QSize(794, 1123);
    return m_store->PageSize(PageNumber() - 1);
}

QSize TPageView::zoomedSize() const
{
    const QSize size = pageSize();
    return QSize(qMax(1, size.width() * Zoom() / 100), qMax(1, size.height() * Zoom() / 100));
}

void TPageView::SetZoom(int percent)
{
    m_state->SetZoom(percent); // the view follows through onZoomChanged
}

void TPageView::onZoomChanged()
{
    // Keep the middle of what is seen in the middle.
    QScrollBar *v = verticalScrollBar();
    const QSize size = pageSize();
    const double before = size.height() * m_layoutZoom / 100.0 + 2 * kPageMargin;
    const double centre = (v->value() + VisibleHeight() / 2.0) / qMax(1.0, before);
    m_layoutZoom = Zoom();
    updateScrollBars();
    v->setValue(int(centre * (zoomedSize().height() + 2 * kPageMargin) - VisibleHeight() / 2.0));
    viewport()->update();
}

int TPageView::WholePageZoom() const
{
    const QSize size = pageSize();
    const int width = viewport()->width() - 2 * kPageMargin;
    const int height = viewport()->height() - 2 * kPageMargin;
    if (size.isEmpty() || width <= 0 || height <= 0)
        return kMinZoom;
    return qBound(kMinZoom, qMin(width * 100 / size.width(), height * 100 / size.height()), kMaxZoom);
}

int TPageView::PageWidthZoom() const
{
    const QSize size = pageSize();
    // The vertical scroll bar is always there, so the viewport width is what the page gets.
    const int width = viewport()->width() - 2 * kPageMargin;
    if (size.isEmpty() || width <= 0)
        return kMinZoom;
    return qBound(kMinZoom, width * 100 / size.width(), kMaxZoom);
}

int TPageView::ScrollPosition() const { return verticalScrollBar()->value(); }
int TPageView::ScrollMaximum() const { return verticalScrollBar()->maximum(); }
void TPageView::ScrollTo(int position) { verticalScrollBar()->setValue(position); }
void TPageView::ScrollBy(int delta) { ScrollTo(ScrollPosition() + delta); }
int TPageView::VisibleHeight() const { return viewport()->height(); }

void TPageView::ScrollSideways(int delta)
{
    // Right to left, the scroll bar's zero is the page's right edge.
    QScrollBar *h = horizontalScrollBar();
    h->setValue(isRightToLeft() ? h->value() - delta : h->value() + delta);
}

void TPageView::updateScrollBars()
{
    const QSize size = PageNumber() > 0 ? zoomedSize() : QSize(0, 0);
    const QSize content = size + QSize(2 * kPageMargin, 2 * kPageMargin);
    const QSize view = viewport()->size();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    h->setRange(0, qMax(0, content.width() - view.width()));
    h->setPageStep(view.width());
    v->setRange(0, qMax(0, content.height() - view.height()));
    v->setPageStep(view.height());
}

QRect TPageView::pageRectInViewport() const
{
    const QSize size = zoomedSize();
    const int viewWidth = viewport()->width();
    int x;
    if (size.width() + 2 * kPageMargin <= viewWidth) {
        x = (viewWidth - size.width()) / 2;
    } else {
        const QScrollBar *h = horizontalScrollBar();
        const int offset = isRightToLeft() ? h->maximum() - h->value() : h->value();
        x = kPageMargin - offset;
    }
    return QRect(QPoint(x, kPageMargin - verticalScrollBar()->value()), size);
}

void TPageView::invalidate()
{
    m_cache = QImage();
    m_cachePage = 0;
    m_hitsPage = 0;
    m_hitRects.clear();
}

const QImage &TPageView::cachedPage() const
{
    const qreal ratio = devicePixelRatioF();
    if (m_cachePage == PageNumber() && m_cacheZoom == Zoom() && m_cacheRatio == ratio && !m_cache.isNull())
        return m_cache;
    const QSize size = zoomedSize();
    const QSize device(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    if (qint64(device.width()) * device.height() > kMaxCachedPixels) {
        m_cache = QImage();
        m_cachePage = 0;
        return m_cache;
    }
    m_cache = QImage(device, QImage::Format_RGB32);
    m_cache.setDevicePixelRatio(ratio);
    // 96 dpi, so that nothing drawn is scaled by the screen's resolution a second time.
    m_cache.setDotsPerMeterX(3780);
    m_cache.setDotsPerMeterY(3780);
    m_cache.fill(Qt::white);
    QPainter painter(&m_cache);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(Zoom() / 100.0, Zoom() / 100.0);
    m_store->PaintPage(PageNumber() - 1, painter);
    painter.end();
    m_cachePage = PageNumber();
    m_cacheZoom = Zoom();
    m_cacheRatio = ratio;
    return m_cache;
}

QImage TPageView::RenderedPage() const
{
    if (!m_store || PageNumber() == 0)
        return QImage();
    return cachedPage();
}

void TPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    if (!m_store || PageNumber() == 0 || PageNumber() > m_store->PageCount())
        return;
    const QRect page = pageRectInViewport();
    painter.fillRect(page.translated(3, 3), QColor(60, 60, 60));
    const QImage &image = cachedPage();
    if (!image.isNull()) {
        painter.drawImage(page.topLeft(), image);
    } else {
        // Too large to cache: paint the visible part only.
        painter.save();
        painter.setClipRect(event->rect() & page);
        painter.translate(page.topLeft());
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(Zoom() / 100.0, Zoom() / 100.0);
        m_store->PaintPage(PageNumber() - 1, painter);
        painter.restore();
    }
    paintHits(painter, page);
}

// ---- search hits ----

void TPageView::onHitsChanged()
{
    viewport()->update();
}

const std::vector<QRectF> &TPageView::HitRects() const
{
    const TSearchHits &hits = m_state->Hits();
    const int page = PageNumber();
    if (m_hitsPage == page && m_hitsText == hits.Text() && int(m_hitRects.size()) == hits.CountOnPage(page))
        return m_hitRects;
    m_hitsPage = page;
    m_hitsText = hits.Text();
    m_hitRects.clear();
    if (m_store && page > 0 && hits.CountOnPage(page) > 0) {
        const TPage shown = m_store->Page(page - 1);
        for (const TPageHit &hit : FindOnPage(shown, TSearchText(hits.Text())))
            m_hitRects.push_back(HitRect(shown, hit, *m_store));
    }
    return m_hitRects;
}

int TPageView::CurrentHitOnPage() const
{
    const TSearchHits &hits = m_state->Hits();
    return hits.CurrentPage() == PageNumber() && PageNumber() > 0 ? hits.CurrentIndexOnPage() : -1;
}

void TPageView::paintHits(QPainter &painter, const QRect &page) const
{
    const std::vector<QRectF> &rects = HitRects();
    if (rects.empty())
        return;
    const int current = CurrentHitOnPage();
    const qreal scale = Zoom() / 100.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Multiplying keeps the text readable under the colour.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (size_t i = 0; i < rects.size(); ++i) {
        const QRectF &r = rects[i];
        const QRectF onScreen(page.left() + r.left() * scale, page.top() + r.top() * scale, r.width() * scale,
                              r.height() * scale);
        painter.fillRect(onScreen.adjusted(-1, -1, 1, 1), int(i) == current ? QColor(255, 150, 40) : QColor(255, 240, 90));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (current >= 0 && current < int(rects.size())) {
        const QRectF &r = rects[size_t(current)];
        painter.setPen(QPen(QColor(200, 60, 0), 2));
        painter.drawRect(QRectF(page.left() + r.left() * scale, page.top() + r.top() * scale, r.width() * scale,
                                r.height() * scale).adjusted(-2, -2, 2, 2));
    }
    painter.restore();
}

void TPageView::ShowCurrentHit()
{
    const int current = CurrentHitOnPage();
    const std::vector<QRectF> &rects = HitRects();
    viewport()->update();
    if (current < 0 || current >= int(rects.size()))
        return;
    const qreal scale = Zoom() / 100.0;
    const QRectF r = rects[size_t(current)];
    // Vertically: the hit a third of the way down when it is out of view.
    QScrollBar *v = verticalScrollBar();
    const int top = kPageMargin + int(r.top() * scale);
    const int bottom = kPageMargin + int(r.bottom() * scale);
    if (top < v->value() || bottom > v->value() + VisibleHeight())
        v->setValue(top - VisibleHeight() / 3);
    // Sideways, when the page is wider than the view.
    QScrollBar *h = horizontalScrollBar();
    if (h->maximum() > 0) {
        const int left = kPageMargin + int(r.left() * scale);
        const int right = kPageMargin + int(r.right() * scale);
        const int width = viewport()->width();
        const int offset = isRightToLeft() ? h->maximum() - h->value() : h->value();
        if (left < offset || right > offset + width) {
            const int wanted = qBound(0, (left + right) / 2 - width / 2, h->maximum());
            h->setValue(isRightToLeft() ? h->maximum() - wanted : wanted);
        }
    }
}

void TPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TPageView::scrollContentsBy(int, int) { viewport()->update(); }

void TPageView::keyPressEvent(QKeyEvent *event)
{
    // The preview window handles the keys before its controls; nothing is scrolled twice.
    event->ignore();
}
