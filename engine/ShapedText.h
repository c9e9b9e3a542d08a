#pragma once
// Page texts laid out once and drawn as positioned glyphs. A report repeats the same texts
// on every page (column titles, extensions, dates, totals captions), and laying a text out
// (itemizing, shaping, breaking lines) costs far more than drawing its glyphs: a painting
// session keeps each laid-out text and draws it again from its glyphs. The layout follows
// QPainter::drawText(rect, flags, text) line for line, so a page looks the same either way.
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class QPaintDevice;

struct TShapedText {
    std::vector<QGlyphRun> runs; // glyph positions relative to the text rectangle's top left
    bool clip = false;           // the text reaches past a rectangle it is clipped to
    bool decorated = false;      // underlined, struck out or overlined: drawText draws these lines
    bool valid = false;          // laid out
    mutable QByteArray drawn;    // free for the one who draws it (the PDF writer keeps its operators here)
};

// One per painting session and thread: glyph runs hold font engines of the thread that
// made them. Bounded: it keeps two generations of at most half kMaxEntries texts each, so
// texts met often (titles, names, dates) stay while the many met once (phone numbers,
// durations) pass through.
class TShapedTextCache
{
public:
    static constexpr int kMaxEntries = 8192;

    // The text laid out in a rectangle of that size with drawText's flags, for the device
    // the painter draws on; nullptr for flags or texts this layout does not cover (the caller
    // then draws with drawText). Valid until the next call.
    const TShapedText *Shape(const QFont &font, quint16 fontIndex, const QSize &size, quint32 flags,
                             bool rightToLeft, const QString &text, const QPaintDevice *device);
    int Size() const { return int(m_entries.size() + m_older.size()); }

private:
    struct Key {
        QString text;
        QSize size;
        quint32 flags = 0;
        quint16 font = 0;
        bool rightToLeft = false;
        const QPaintDevice *device = nullptr;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.text, key.size.width(), key.size.height(), key.flags, key.font, key.rightToLeft,
                          quintptr(key.device));
    }
    QHash<Key, TShapedText> m_entries, m_older;
};

// Lays out the text as drawText(rect, flags, text) would with the painter's current font and
// layout direction; false when it cannot (the caller then draws with drawText). Underlines and
// the like are not in the glyph runs: a painter draws decorated text with drawText.
// With exactOnly false, a right-to-left right-aligned line ending in spaces is set flush
// right instead of being refused.
bool ShapeText(const QFont &font, const QSize &size, quint32 flags, bool rightToLeft, const QString &text,
               const QPaintDevice *device, TShapedText &shaped, bool exactOnly = true);

// Draws shaped text with its top left rectangle corner at rect's, in the painter's pen.
void DrawShapedText(QPainter &painter, const QRect &rect, const TShapedText &shaped);
