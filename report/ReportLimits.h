#pragma once
// Limits of the report model, and the clamps every position, size and font size read from a
// record goes through, so that no arithmetic on them can overflow.
#include "foundation/Colors.h"
#include "report/RecordStream.h"

#include <QByteArray>
#include <QtGlobal>

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
