#pragma once
// Colour values of files and settings: a colour name ("clRed") or an integer 0x00BBGGRR
// (blue in the high byte). System colours are 0x80000000 plus their number.
#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour of a name such as "clNavy" (letter case ignored), if it is one.
std::optional<TColor> ColorFromName(const QString &name);
// The colour's name when it has one.
std::optional<QString> ColorToName(TColor color);
// Name first, then an integer (decimal, "$" or "0x" hexadecimal); otherwise the default.
TColor ParseColor(const QString &text, TColor defaultColor);
// As written to files: the name when the colour has one, else "$" and eight hex digits.
QString FormatColor(TColor color);
// The colour to paint with; system colours take the usual desktop values.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);
