#pragma once
// Logical Windows-1255 text to visual (left-to-right display order) code page 862 text, for
// DOS-style printers and files. A small reordering of its own, not the Unicode algorithm.
#include <QByteArray>

constexpr char kSegmentSeparator = char(253);

// Hebrew letters 224-250 become 128-154; every other byte stays.
QByteArray Win1255ToCp862(const QByteArray &text);
// One line to visual order. Segments between separator bytes (253) are reordered on their
// own; the separators stay in the output.
QByteArray ToVisual(const QByteArray &text);
// Removes every segment separator.
QByteArray StripSeparators(const QByteArray &text);
