#include "app/PageView.h"

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
    updateScrollBars();
}

void TPageView::SetStore(TPageStore *store)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_page = 0;
    invalidate();
    if (m_store)
        connect(m_store, &TPageStore::PageAdded, this, &TPageView::onPageAdded);
    updateScrollBars();
    viewport()->update();
}

int TPageView::PageCount() const { return m_store ? m_store->PageCount() : 0; }

void TPageView::onPageAdded(int count)
{
    if (m_page == 0)
        updateScrollBars();
    emit PageAvailable(count);
}

void TPageView::ShowPage(int n)
{
    const int count = PageCount();
    if (count == 0)
        return;
    n = qBound(1, n, count);
    const bool changed = n != m_page;
    m_page = n;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    if (changed)
        emit PageChanged(m_page);
}

QSize TPageView::pageSize() const
{
    if (!m_store || m_page == 0)
        return m_store && m_store->PageCount() > 0 ? m_store->PageSize(0) : QSize(794, 1123);
    return m_store->PageSize(m_page - 1);
}

QSize TPageView::zoomedSize() const
{
    const QSize size = pageSize();
    return QSize(qMax(1, size.width() * m_zoom / 100), qMax(1, size.height() * m_zoom / 100));
}

void TPageView::SetZoom(int percent)
{
    percent = qBound(kMinZoom, percent, kMaxZoom);
    if (percent == m_zoom)
        return;
    // Keep the middle of what is seen in the middle.
    QScrollBar *v = verticalScrollBar();
    const double centre = zoomedSize().height() > 0
        ? (v->value() + VisibleHeight() / 2.0) / (zoomedSize().height() + 2 * kPageMargin) : 0.0;
    m_zoom = percent;
    updateScrollBars();
    v->setValue(int(centre * (zoomedSize().height() + 2 * kPageMargin) - VisibleHeight() / 2.0));
    viewport()->update();
    emit ZoomChanged(m_zoom);
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
    const QSize size = m_page > 0 ? zoomedSize() : QSize(0, 0);
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
}

const QImage &TPageView::cachedPage() const
{
    const qreal ratio = devicePixelRatioF();
    if (m_cachePage == m_page && m_cacheZoom == m_zoom && m_cacheRatio == ratio && !m_cache.isNull())
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
    painter.scale(m_zoom / 100.0, m_zoom / 100.0);
    m_store->PaintPage(m_page - 1, painter);
    painter.end();
    m_cachePage = m_page;
    m_cacheZoom = m_zoom;
    m_cacheRatio = ratio;
    return m_cache;
}

QImage TPageView::RenderedPage() const
{
    if (!m_store || m_page == 0)
        return QImage();
    return cachedPage();
}

void TPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    if (!m_store || m_page == 0 || m_page > m_store->PageCount())
        return;
    const QRect page = pageRectInViewport();
    painter.fillRect(page.translated(3, 3), QColor(60, 60, 60));
    const QImage &image = cachedPage();
    if (!image.isNull()) {
        painter.drawImage(page.topLeft(), image);
        return;
    }
    // Too large to cache: paint the visible part only.
    painter.setClipRect(event->rect() & page);
    painter.translate(page.topLeft());
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(m_zoom / 100.0, m_zoom / 100.0);
    m_store->PaintPage(m_page - 1, painter);
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
