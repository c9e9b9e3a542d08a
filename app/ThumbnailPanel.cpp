#include "app/ThumbnailPanel.h"

#include "app/PreviewState.h"
#include "engine/PageStore.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace {

constexpr int kGap = 8;          // around each thumbnail
constexpr int kLabelHeight = 16; // the page number under it
// Drawing between events stops after this long, so scrolling stays smooth.
constexpr qint64 kDrawSliceMs = 15;

} // namespace

TThumbnailPanel::TThumbnailPanel(TPreviewState *state, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("pnlThumbnails"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Mid);
    viewport()->setAutoFillBackground(true);
    setFixedWidth(kThumbWidth + 2 * kGap + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * frameWidth());
    setFocusPolicy(Qt::NoFocus);
    m_drawTimer.setSingleShot(true);
    m_drawTimer.setInterval(0);
    connect(&m_drawTimer, &QTimer::timeout, this, &TThumbnailPanel::drawPending);
    connect(m_state, &TPreviewState::PageChanged, this, &TThumbnailPanel::followPage);
}

void TThumbnailPanel::SetStore(TPageStore *store)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_cache.Clear();
    m_drawn = 0;
    if (m_store)
        connect(m_store, &TPageStore::PageAdded, this, [this] {
            updateScrollBars();
            viewport()->update();
        });
    updateScrollBars();
    viewport()->update();
}

QSize TThumbnailPanel::sizeHint() const { return QSize(width(), 400); }

QSize TThumbnailPanel::thumbSize() const
{
    QSize page = m_store && m_store->PageCount() > 0 ? m_store->PageSize(0) : QSize(794, 1123);
    if (page.isEmpty())
        page = QSize(794, 1123);
    // Pages of files are clamped when read, but keep the picture within reason whatever comes.
    const int height = int(qBound<qint64>(8, qint64(kThumbWidth) * page.height() / page.width(), qint64(4) * kThumbWidth));
    return QSize(kThumbWidth, height);
}

int TThumbnailPanel::cellHeight() const { return thumbSize().height() + kLabelHeight + 2 * kGap; }

QRect TThumbnailPanel::cellRect(int page) const
{
    const int top = (page - 1) * cellHeight() - verticalScrollBar()->value();
    return QRect(0, top, viewport()->width(), cellHeight());
}

void TThumbnailPanel::updateScrollBars()
{
    const int count = m_store ? m_store->PageCount() : 0;
    const qint64 content = qint64(count) * cellHeight();
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, int(qBound<qint64>(0, content - viewport()->height(), qint64(INT_MAX))));
    v->setPageStep(viewport()->height());
    v->setSingleStep(cellHeight() / 4);
}

std::pair<int, int> TThumbnailPanel::VisiblePages() const
{
    const int count = m_store ? m_store->PageCount() : 0;
    if (count == 0)
        return {0, 0};
    const int top = verticalScrollBar()->value();
    const int first = top / cellHeight() + 1;
    const int last = (top + viewport()->height() - 1) / cellHeight() + 1;
    return {qMin(first, count), qMin(last, count)};
}

int TThumbnailPanel::PageAt(const QPoint &point) const
{
    const int count = m_store ? m_store->PageCount() : 0;
    const int page = (point.y() + verticalScrollBar()->value()) / cellHeight() + 1;
    return point.y() >= 0 && page >= 1 && page <= count ? page : 0;
}

QImage TThumbnailPanel::render(int page) const
{
    const QSize size = thumbSize();
    const qreal ratio = devicePixelRatioF();
    QImage image(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(3780); // page pixels are 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QSize pageSize = m_store->PageSize(page - 1);
    if (!pageSize.isEmpty())
        painter.scale(qreal(size.width()) / pageSize.width(), qreal(size.height()) / pageSize.height());
    // The page painting of the view and the printer, from a page read without disturbing
    // the pages the view keeps decoded.
    PaintPrimitives(m_store->PageForScan(page - 1), *m_store, painter);
    return image;
}

void TThumbnailPanel::drawPending()
{
    if (!m_store)
        return;
    QElapsedTimer clock;
    clock.start();
    const auto [first, last] = VisiblePages();
    bool more = false;
    for (int page = first; page >= 1 && page <= last; ++page) {
        if (m_cache.Contains(page))
            continue;
        if (clock.elapsed() >= kDrawSliceMs) {
            more = true;
            break;
        }
        m_cache.Insert(page, render(page));
        ++m_drawn;
    }
    viewport()->update();
    if (more)
        m_drawTimer.start();
}

void TThumbnailPanel::DrawVisibleNow()
{
    if (!m_store)
        return;
    const auto [first, last] = VisiblePages();
    for (int page = first; page >= 1 && page <= last; ++page)
        if (!m_cache.Contains(page)) {
            m_cache.Insert(page, render(page));
            ++m_drawn;
        }
    viewport()->update();
}

void TThumbnailPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    if (!m_store)
        return;
    const auto [first, last] = VisiblePages();
    const QSize size = thumbSize();
    bool missing = false;
    for (int page = first; page >= 1 && page <= last; ++page) {
        const QRect cell = cellRect(page);
        const QRect thumb(QPoint((cell.width() - size.width()) / 2, cell.top() + kGap), size);
        if (page == m_state->Page()) {
            // The page shown: a band behind it in the selection colour.
            painter.fillRect(cell.adjusted(2, 2, -2, -2), palette().highlight());
        }
        painter.fillRect(thumb.translated(2, 2), QColor(60, 60, 60));
        const QImage image = m_cache.Find(page);
        if (image.isNull()) {
            painter.fillRect(thumb, Qt::white);
            missing = true;
        } else {
            painter.drawImage(thumb.topLeft(), image);
        }
        painter.setPen(page == m_state->Page() ? palette().highlightedText().color() : palette().text().color());
        painter.drawText(QRect(cell.left(), thumb.bottom() + 2, cell.width(), kLabelHeight), Qt::AlignCenter,
                         QString::number(page));
    }
    if (missing && !m_drawTimer.isActive())
        m_drawTimer.start();
}

void TThumbnailPanel::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TThumbnailPanel::scrollContentsBy(int, int) { viewport()->update(); }

void TThumbnailPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int page = PageAt(event->position().toPoint()); // viewport coordinates
    if (page > 0)
        emit PageClicked(page);
}

// The page shown stays in view, and its mark moves.
void TThumbnailPanel::followPage()
{
    const int page = m_state->Page();
    if (page > 0 && isVisible()) {
        const auto [first, last] = VisiblePages();
        const QRect cell = cellRect(page);
        if (page < first || page > last || cell.top() < 0 || cell.bottom() > viewport()->height())
            verticalScrollBar()->setValue((page - 1) * cellHeight() - (viewport()->height() - cellHeight()) / 2);
    }
    viewport()->update();
}
