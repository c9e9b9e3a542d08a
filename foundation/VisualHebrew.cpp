#include "foundation/VisualHebrew.h"

#include <algorithm>

namespace {

bool isHebrew(unsigned char c) { return c >= 128 && c <= 154; }

bool isNeutral(unsigned char c)
{
    return (c >= 32 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 122 && c <= 127);
}

QByteArray reversed(QByteArray text)
{
    std::reverse(text.begin(), text.end());
    return text;
}

// One segment, already in code page 862. A segment without a Hebrew letter keeps its order.
QByteArray segmentToVisual(const QByteArray &segment)
{
    if (std::none_of(segment.begin(), segment.end(), [](char c) { return isHebrew(uchar(c)); }))
        return segment;
    QByteArray left, neutrals, right; // neutrals are held in reverse order
    bool rightToLeft = false;
    for (const char ch : segment) {
        const uchar c = uchar(ch);
        if (!rightToLeft) {
            if (isHebrew(c)) {
                right = ch + neutrals + left + right;
                left.clear();
                neutrals.clear();
                rightToLeft = true;
            } else if (isNeutral(c)) {
                neutrals.prepend(ch);
            } else {
                left += reversed(neutrals) + ch;
                neutrals.clear();
            }
        } else {
            if (isHebrew(c)) {
                right = ch + neutrals + right;
                neutrals.clear();
            } else if (isNeutral(c)) {
                neutrals.prepend(ch);
            } else {
                right = neutrals + right;
                left = QByteArray(1, ch);
                neutrals.clear();
                rightToLeft = false;
            }
        }
    }
    return left + neutrals + right;
}

} // namespace

QByteArray Win1255ToCp862(const QByteArray &text)
{
    QByteArray out = text;
    for (char &ch : out)
        if (uchar(ch) >= 224 && uchar(ch) <= 250)
            ch = char(uchar(ch) - 96);
    return out;
}

QByteArray ToVisual(const QByteArray &text)
{
    const QByteArray converted = Win1255ToCp862(text);
    QByteArray out;
    out.reserve(converted.size());
    // Each separator closes a segment and begins the next one as its first byte.
    qsizetype start = 0;
    for (qsizetype i = 0; i < converted.size(); ++i) {
        if (converted[i] == kSegmentSeparator && i > start) {
            out += segmentToVisual(converted.mid(start, i - start));
            start = i;
        }
    }
    out += segmentToVisual(converted.mid(start));
    return out;
}

QByteArray StripSeparators(const QByteArray &text)
{
    QByteArray out = text;
    out.removeIf([](char c) { return c == kSegmentSeparator; });
    return out;
}
