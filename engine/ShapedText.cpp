#include "engine/ShapedText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

// What this layout reproduces of drawText: horizontal alignment, top alignment (vertical
// centring and bottom are simple offsets too), clipping, word wrap.
constexpr quint32 kHandledFlags = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignTop | Qt::AlignBottom
                                  | Qt::AlignVCenter | Qt::AlignAbsolute | Qt::TextDontClip | Qt::TextWordWrap;

// drawText's own preparation of the text: carriage returns and tabs become spaces, line
// feeds line separators. A text with length variants (U+009C) is left to drawText.
bool prepareText(QString &text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\t')
            c = u' ';
        else if (c == u'\n')
            c = QChar::LineSeparator;
        else if (c == QChar(ushort(0x9c)))
            return false;
    }
    return true;
}

// The spaces a line ends with.
QString trailingSpaces(const QString &text, const QTextLine &line)
{
    const int start = line.textStart();
    int end = qMin(int(text.size()), start + line.textLength());
    int from = end;
    while (from > start && text.at(from - 1).isSpace())
        --from;
    return text.mid(from, end - from);
}

} // namespace

bool ShapeText(const QFont &font, const QSize &size, quint32 flags, bool rightToLeft, const QString &text,
               const QPaintDevice *device, TShapedText &shaped, bool exactOnly)
{
    shaped = TShapedText();
    shaped.valid = false;
    if ((flags & ~kHandledFlags) != 0 || text.isEmpty())
        return false;
    shaped.decorated = font.underline() || font.strikeOut() || font.overline();
    QString prepared = text;
    if (!prepareText(prepared))
        return false;

    const bool wordWrap = flags & Qt::TextWordWrap;
    const bool dontClip = flags & Qt::TextDontClip;
    const QRectF r(0, 0, size.width(), size.height());

    QTextLayout layout(prepared, font, device);
    QTextOption option;
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft); // aligned below, line by line
    layout.setTextOption(option);

    const QFontMetricsF metrics(layout.font());
    const qreal lineWidth = wordWrap ? qMax<qreal>(0, r.width()) : qreal(0x01000000);
    const qreal leading = metrics.leading();
    qreal height = -leading;
    qreal width = 0;
    layout.beginLayout();
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        height += leading;
        height = std::ceil(height); // lines on whole pixels
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = qMax(width, line.naturalTextWidth());
        if (!dontClip && height >= r.height())
            break;
    }
    layout.endLayout();

    qreal yoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = r.height() - height;
    else if (flags & Qt::AlignVCenter)
        yoff = (r.height() - height) / 2;
    qreal xoff = 0;
    if (flags & Qt::AlignRight)
        xoff = r.width() - width;
    else if (flags & Qt::AlignHCenter)
        xoff = (r.width() - width) / 2;
    shaped.clip = !dontClip && !r.contains(QRectF(xoff, yoff, width, height));

    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal advance = line.horizontalAdvance();
        qreal lineX = 0;
        if (flags & Qt::AlignRight) {
            lineX = r.width() - advance;
            // drawText places a right-to-left line that ends in spaces by the width of those
            // spaces in a way of its own: such texts are left to it, or, when only an
            // approximation is asked for, set flush right without the spaces.
            if (rightToLeft && !trailingSpaces(prepared, line).isEmpty()) {
                if (exactOnly) {
                    shaped = TShapedText();
                    return false;
                }
                lineX = r.width() - line.naturalTextWidth();
            }
        }
        else if (flags & Qt::AlignHCenter)
            lineX = (r.width() - advance) / 2;
        for (QGlyphRun run : line.glyphRuns()) {
            QList<QPointF> positions = run.positions();
            for (QPointF &p : positions)
                p += QPointF(lineX, yoff);
            run.setPositions(positions);
            shaped.runs.push_back(std::move(run));
        }
    }
    shaped.valid = true;
    return true;
}

const TShapedText *TShapedTextCache::Shape(const QFont &font, quint16 fontIndex, const QSize &size, quint32 flags,
                                           bool rightToLeft, const QString &text, const QPaintDevice *device)
{
    Key key{text, size, flags, fontIndex, rightToLeft, device};
    auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        if (m_entries.size() >= kMaxEntries / 2) {
            // The older half goes; what it held and is met again comes back from it below.
            m_older = std::move(m_entries);
            m_entries = {};
        }
        auto old = m_older.find(key);
        if (old != m_older.end()) {
            it = m_entries.insert(std::move(key), std::move(*old));
            m_older.erase(old);
        } else {
            TShapedText shaped;
            shaped.valid = ShapeText(font, size, flags, rightToLeft, text, device, shaped);
            it = m_entries.insert(std::move(key), std::move(shaped));
        }
    }
    return it->valid ? &*it : nullptr;
}

void DrawShapedText(QPainter &painter, const QRect &rect, const TShapedText &shaped)
{
    if (shaped.clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    const QPointF origin = rect.topLeft();
    for (const QGlyphRun &run : shaped.runs)
        painter.drawGlyphRun(origin, run);
    if (shaped.clip)
        painter.restore();
}
