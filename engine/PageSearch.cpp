#include "engine/PageSearch.h"

#include <algorithm>
#include <limits>

namespace {

// One printed line: the text items whose boxes share most of their height.
struct TLine {
    int top = 0;
    int bottom = 0;
    int rightToLeft = 0;
    int leftToRight = 0;
    std::vector<int> items;
};

// Text of a line as compared, with the item and character each compared character came from.
// Item -1 marks the space put between two items.
struct TJoined {
    QString text;
    std::vector<int> item;
    std::vector<int> offset;

    void push(QChar c, int fromItem, int at)
    {
        text.append(c);
        item.push_back(fromItem);
        offset.push_back(at);
    }
    bool endsWithSpace() const { return !text.isEmpty() && text.back() == QLatin1Char(' '); }
};

bool isBlank(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

std::vector<TLine> linesOf(const TPage &page)
{
    std::vector<int> texts;
    for (size_t i = 0; i < page.items.size(); ++i) {
        const TPagePrimitive &p = page.items[i];
        if (p.kind == TPrimitiveKind::Text && !isBlank(p.text))
            texts.push_back(int(i));
    }
    std::stable_sort(texts.begin(), texts.end(), [&](int a, int b) {
        const QRect &ra = page.items[size_t(a)].rect;
        const QRect &rb = page.items[size_t(b)].rect;
        // Twice the centre, in 64 bits: positions come from files.
        return qint64(ra.top()) + ra.bottom() < qint64(rb.top()) + rb.bottom();
    });
    std::vector<TLine> lines;
    for (int index : texts) {
        const TPagePrimitive &p = page.items[size_t(index)];
        // In 64 bits and kept within int: positions come from files.
        const int top = p.rect.top();
        const qint64 height = qMax<qint64>(1, qint64(p.rect.bottom()) - top + 1);
        const int bottom = int(qMin<qint64>(std::numeric_limits<int>::max(), top + height));
        bool joins = false;
        if (!lines.empty()) {
            const TLine &line = lines.back();
            const qint64 overlap = qint64(qMin(bottom, line.bottom)) - qMax(top, line.top);
            const qint64 smaller = qMin(qint64(bottom) - top, qint64(line.bottom) - line.top);
            joins = overlap * 2 >= smaller;
        }
        if (!joins) {
            lines.emplace_back();
            lines.back().top = top;
            lines.back().bottom = bottom;
        }
        TLine &line = lines.back();
        line.items.push_back(index);
        (p.rightToLeft ? line.rightToLeft : line.leftToRight) += 1;
    }
    return lines;
}

// The line's items in the order given: from the right edge (right to left) or from the left.
std::vector<int> ordered(const TPage &page, const TLine &line, bool fromTheRight)
{
    std::vector<int> items = line.items;
    std::stable_sort(items.begin(), items.end(), [&](int a, int b) {
        const QRect &ra = page.items[size_t(a)].rect;
        const QRect &rb = page.items[size_t(b)].rect;
        const qint64 ca = qint64(ra.left()) + ra.right();
        const qint64 cb = qint64(rb.left()) + rb.right();
        return fromTheRight ? ca > cb : ca < cb;
    });
    return items;
}

TJoined join(const TPage &page, const std::vector<int> &items)
{
    TJoined joined;
    qsizetype length = 0;
    for (int index : items)
        length += page.items[size_t(index)].text.size() + 1;
    joined.text.reserve(length);
    joined.item.reserve(size_t(length));
    joined.offset.reserve(size_t(length));
    for (int index : items) {
        if (!joined.text.isEmpty() && !joined.endsWithSpace())
            joined.push(QLatin1Char(' '), -1, 0);
        const QString &text = page.items[size_t(index)].text;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.isSpace()) {
                if (!joined.text.isEmpty() && !joined.endsWithSpace())
                    joined.push(QLatin1Char(' '), index, i);
            } else {
                joined.push(FoldForSearch(c), index, i);
            }
        }
    }
    return joined;
}

std::vector<TPageHit> hitsIn(const TJoined &joined, const QString &needle)
{
    std::vector<TPageHit> hits;
    qsizetype at = joined.text.indexOf(needle, 0, Qt::CaseSensitive);
    while (at >= 0) {
        TPageHit hit;
        for (qsizetype i = at; i < at + needle.size(); ++i) {
            const int item = joined.item[size_t(i)];
            if (item < 0)
                continue;
            const int offset = joined.offset[size_t(i)];
            if (!hit.parts.empty() && hit.parts.back().item == item) {
                THitPart &part = hit.parts.back();
                part.length = offset + 1 - part.from;
            } else {
                hit.parts.push_back({item, offset, 1});
            }
        }
        if (!hit.parts.empty())
            hits.push_back(std::move(hit));
        at = joined.text.indexOf(needle, at + needle.size(), Qt::CaseSensitive);
    }
    return hits;
}

} // namespace

QChar FoldForSearch(QChar c)
{
    return c.toCaseFolded();
}

TSearchText::TSearchText(const QString &typed)
    : m_typed(typed)
{
    for (const QChar c : typed) {
        if (c.isSpace()) {
            if (!m_folded.isEmpty() && m_folded.back() != QLatin1Char(' '))
                m_folded.append(QLatin1Char(' '));
        } else {
            m_folded.append(FoldForSearch(c));
        }
    }
    // Spaces at either end are not looked for, so "202 " still finds the last cell of a line.
    while (m_folded.endsWith(QLatin1Char(' ')))
        m_folded.chop(1);
    // A word holds no space, so it lies within one text item, whose text is stored as UTF-8.
    QString longest;
    for (const QString &word : m_folded.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (word.size() > longest.size())
            longest = word;
    bool plain = !longest.isEmpty();
    for (const QChar c : longest) {
        const char16_t u = c.unicode();
        // ASCII, and Hebrew, which has no case; anything else is left to the full comparison.
        if (u >= 0x80 && !(u >= 0x0590 && u <= 0x05FF))
            plain = false;
        if ((u >= 'a' && u <= 'z'))
            m_probeHasLatin = true;
    }
    if (plain)
        m_probe = longest.toUtf8();
}

bool TSearchText::MayBeIn(QByteArrayView bytes) const
{
    if (m_probe.isEmpty())
        return !m_folded.isEmpty();
    if (!m_probeHasLatin)
        return bytes.indexOf(QByteArrayView(m_probe)) >= 0;
    // The Kelvin sign and the long s fold to Latin letters: leave such pages to the full search.
    if (bytes.indexOf("\xE2\x84\xAA") >= 0 || bytes.indexOf("\xC5\xBF") >= 0)
        return true;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto found = std::search(bytes.begin(), bytes.end(), m_probe.begin(), m_probe.end(),
                                   [&](char a, char b) { return lower(a) == b; });
    return found != bytes.end();
}

bool TPageHit::operator==(const TPageHit &other) const
{
    if (parts.size() != other.parts.size())
        return false;
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].item != other.parts[i].item || parts[i].from != other.parts[i].from
            || parts[i].length != other.parts[i].length)
            return false;
    return true;
}

std::vector<TPageHit> FindOnPage(const TPage &page, const TSearchText &text)
{
    std::vector<TPageHit> all;
    if (text.IsEmpty())
        return all;
    const QString &needle = text.Folded();
    for (const TLine &line : linesOf(page)) {
        const bool rightToLeft = line.rightToLeft > 0 && line.rightToLeft >= line.leftToRight;
        const std::vector<int> reading = ordered(page, line, rightToLeft);
        std::vector<TPageHit> hits = hitsIn(join(page, reading), needle);
        if (rightToLeft && line.items.size() > 1) {
            // Across cells as the eye meets them from the left: "16:33 12/11/2026".
            const size_t own = hits.size();
            for (TPageHit &hit : hitsIn(join(page, ordered(page, line, false)), needle)) {
                if (hit.parts.size() < 2)
                    continue;
                if (std::find(hits.begin(), hits.begin() + qsizetype(own), hit) == hits.begin() + qsizetype(own))
                    hits.push_back(std::move(hit));
            }
            if (hits.size() > own) {
                // Keep the line's hits in reading order of where they start.
                auto rank = [&](const TPageHit &hit) {
                    size_t best = reading.size();
                    int from = 0;
                    for (const THitPart &part : hit.parts) {
                        const size_t r = size_t(std::find(reading.begin(), reading.end(), part.item) - reading.begin());
                        if (r < best) {
                            best = r;
                            from = part.from;
                        }
                    }
                    return std::pair<size_t, int>(best, from);
                };
                std::stable_sort(hits.begin(), hits.end(),
                                 [&](const TPageHit &a, const TPageHit &b) { return rank(a) < rank(b); });
            }
        }
        for (TPageHit &hit : hits)
            all.push_back(std::move(hit));
    }
    return all;
}

int CountOnPage(const TPage &page, const TSearchText &text)
{
    return int(FindOnPage(page, text).size());
}
