#include "engine/ReportEngine.h"

#include "engine/PageStore.h"

namespace {

int alignmentFlags(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Right: return Qt::AlignRight;
    case TAlignment::Center: return Qt::AlignHCenter;
    case TAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QRgb rgb(TColor color) { return ToQColor(color).rgba(); }

} // namespace

namespace {
// A label or memo longer than this keeps its first and last halves of it (a memo's lines are
// joined first, so a tall block of header lines stays whole well below it).
constexpr qsizetype kMaxTextItemLength = 131072;
} // namespace

TReportEngine::TReportEngine(TPageStore &store, TReportEvents &events)
    : m_store(store)
    , m_events(events)
{
}

quint16 TReportEngine::fontIndex(const TFontSpec &font)
{
    for (const auto &[spec, index] : m_fonts)
        if (spec == font)
            return index;
    const quint16 index = m_store.AddFont(font.toQFont());
    m_fonts.emplace_back(font, index);
    return index;
}

void TReportEngine::renderItem(const TBandItem &item, int x, int y, int bandWidth)
{
    TPagePrimitive p;
    switch (item.Kind) {
    case TItemKind::Label:
    case TItemKind::Memo: {
        QString text = item.Kind == TItemKind::Label ? item.Caption : item.Lines.join(QLatin1Char('\n'));
        if (item.Kind == TItemKind::Label)
            m_events.OnPrintLabel(item, text);
        if (text.isEmpty())
            return;
        // No page shows more of one text than this; its two ends are what alignment shows.
        if (text.size() > kMaxTextItemLength)
            text = text.first(kMaxTextItemLength / 2) + text.last(kMaxTextItemLength / 2);
        p.kind = TPrimitiveKind::Text;
        p.text = std::move(text);
        p.font = fontIndex(item.Font);
        p.color = rgb(item.Font.color);
        p.rightToLeft = item.RightToLeft;
        p.flags = quint32(alignmentFlags(item.Alignment) | Qt::AlignTop);
        if (item.AlignToBand) {
            p.rect = QRect(x, y + item.Top, bandWidth, qMax(item.Height, 1));
            p.flags |= Qt::TextDontClip;
        } else {
            p.rect = QRect(x + item.Left, y + item.Top, item.Width, qMax(item.Height, 1));
            if (item.AutoSize || item.Kind == TItemKind::Memo)
                p.flags |= Qt::TextDontClip;
        }
        if (item.WordWrap)
            p.flags |= Qt::TextWordWrap;
        break;
    }
    case TItemKind::Shape: {
        const QRect rect(x + item.Left, y + item.Top, item.Width, item.Height);
        if (rect.width() <= 0 || rect.height() <= 0)
            return;
        p.color = rgb(item.PenColor);
        p.penWidth = quint8(qBound(1, item.PenWidth, 255));
        switch (item.Shape) {
        case TShapeKind::Rectangle:
            p.kind = TPrimitiveKind::Rect;
            p.rect = rect;
            p.hasFill = !item.ClearBrush;
            p.fill = rgb(item.BrushColor);
            p.hasPen = item.PenWidth > 0;
            break;
        case TShapeKind::HorizontalLine:
            p.kind = TPrimitiveKind::Line;
            p.rect = QRect(rect.left(), rect.top() + (rect.height() - p.penWidth) / 2, rect.width(), p.penWidth);
            break;
        case TShapeKind::VerticalLines: {
            // Two filled strips, one on each side.
            p.kind = TPrimitiveKind::Rect;
            p.hasFill = true;
            p.hasPen = false;
            p.fill = p.color;
            p.rect = QRect(rect.left(), rect.top(), p.penWidth, rect.height());
            m_page.items.push_back(p);
            p.rect = QRect(rect.right() - p.penWidth + 1, rect.top(), p.penWidth, rect.height());
            break;
        }
        }
        break;
    }
    case TItemKind::Image: {
        if (item.Picture.isNull())
            return;
        p.kind = TPrimitiveKind::Image;
        const qint64 key = item.Picture.cacheKey();
        bool found = false;
        for (const auto &[k, index] : m_images)
            if (k == key) {
                p.image = index;
                found = true;
            }
        if (!found) {
            p.image = m_store.AddImage(item.Picture);
            m_images.emplace_back(key, p.image);
        }
        const int w = item.AutoSize || item.Width <= 0 ? item.Picture.width() : item.Width;
        const int h = item.AutoSize || item.Height <= 0 ? item.Picture.height() : item.Height;
        p.rect = QRect(x + item.Left, y + item.Top, w, h);
        break;
    }
    }
    m_page.items.push_back(std::move(p));
}

void TReportEngine::render(const TBand &band, int x, int y, int width)
{
    for (const auto &item : band.Items)
        if (item->Prints())
            renderItem(*item, x, y, width);
}

bool TReportEngine::printChain(TBand *first, int x, int width, bool fitCheck)
{
    bool any = false;
    for (TBand *band = first; band; band = band->Child) {
        if (!band->Enabled)
            continue;
        const bool prints = m_events.BeforePrint(*band);
        if (prints && fitCheck && m_y + band->Height > bottomLimit() && m_detailOnPage) {
            NextColumn();
            if (!m_pageOpen)
                startPage();
            x = m_setup.ColumnLeft(m_column);
        }
        if (prints) {
            if (band->RepeatPerColumn && !fitCheck && m_setup.ColumnCount() > 1) {
                for (int c = 0; c < m_setup.ColumnCount(); ++c)
                    render(*band, m_setup.ColumnLeft(c), m_y, m_setup.ColumnWidth());
            } else {
                render(*band, x, m_y, width);
            }
            m_y += band->Height;
            any = true;
        }
        m_events.AfterPrint(*band, prints);
    }
    return any;
}

void TReportEngine::PrintBand(TBand &band)
{
    if (!m_pageOpen)
        startPage();
    if (printChain(&band, m_setup.ColumnLeft(m_column), m_setup.ColumnWidth(), true))
        m_detailOnPage = true;
}

void TReportEngine::startPage()
{
    m_page = TPage();
    m_page.size = m_setup.PageSize();
    m_pageOpen = true;
    m_detailOnPage = false;
    m_column = 0;
    m_y = m_setup.TopMargin;
    m_events.StartPage();
    printChain(m_pageHeader, m_setup.LeftMargin, m_setup.PrintableWidth(), false);
    m_columnTop = m_y;
    m_footerSpace = footerHeight();
}

int TReportEngine::footerHeight() const
{
    int height = 0;
    for (TBand *band = m_pageFooter; band; band = band->Child)
        if (band->Enabled)
            height += band->Height;
    return height;
}

void TReportEngine::RecomputeFooterSpace() { m_footerSpace = footerHeight(); }

int TReportEngine::bottomLimit() const
{
    return m_setup.PageLength() - m_setup.BottomMargin - m_footerSpace;
}

void TReportEngine::closePage()
{
    m_y = m_setup.PageLength() - m_setup.BottomMargin - footerHeight();
    printChain(m_pageFooter, m_setup.LeftMargin, m_setup.PrintableWidth(), false);
    m_store.AddPage(m_page);
    m_page = TPage();
    m_pageOpen = false;
    ++m_pagesMade;
}

void TReportEngine::NewPage()
{
    if (m_pageOpen && m_detailOnPage)
        closePage();
}

void TReportEngine::NextColumn()
{
    if (!m_pageOpen)
        return;
    if (m_column + 1 < m_setup.ColumnCount()) {
        ++m_column;
        m_y = m_columnTop;
    } else {
        closePage();
    }
}

void TReportEngine::Finish()
{
    if (!m_pageOpen && m_pagesMade == 0)
        startPage();
    if (m_pageOpen)
        closePage();
}
