#pragma once
// Limits of the report model, and the clamps every position, size and font size read from a
// record goes through, so that no arithmetic on them can overflow.
#include "foundation/Colors.h"
#include "report/RecordStream.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

inline constexpr int kMaxColumns = 30;
inline constexpr int kMaxTitleRows = 5;
inline constexpr int kColumnGap = 13;
inline constexpr int kMaxSubHeaderItems = 200;
inline constexpr TColor kDefaultShadeColour = 12632256; // silver
inline constexpr int kMaxPixels = 10000;
inline int NextPixels(QByteArray &rest, int defaultValue = 0)
{
    return qBound(-kMaxPixels, NextInt(rest, defaultValue), kMaxPixels);
}
inline int NextFontSize(QByteArray &rest, int defaultValue)
{
    return qBound(1, NextInt(rest, defaultValue), 500);
}

// A measured text width in whole pixels. Nothing is placed wider than this: the width of a
// line of a hundred megabytes would pass int's range, and sums of widths must not overflow.
inline constexpr int kMaxTextPixels = 1000000;
inline int CeilPixels(double width)
{
    return width > 0 ? int(std::ceil(std::min(width, double(kMaxTextPixels)))) : 0;
}
