#pragma once
// Integer texts as files and settings write them, and the rounding the suite uses.
#include <QByteArrayView>
#include <QStringView>
#include <optional>

// Decimal with an optional sign, or "$"/"0x" followed by up to eight hexadecimal digits
// (which wrap to a signed 32-bit value, so "$FFFFFFFF" is -1). Anything else: nothing.
std::optional<int> ParseInteger(QStringView text);
std::optional<int> ParseInteger(QByteArrayView text);
inline int ParseIntegerOr(QStringView text, int fallback) { return ParseInteger(text).value_or(fallback); }
inline int ParseIntegerOr(QByteArrayView text, int fallback) { return ParseInteger(text).value_or(fallback); }

// Nearest integer, halves to even; beyond int's range the nearest end of it.
int RoundHalfEven(double value);
