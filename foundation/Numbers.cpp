#include "foundation/Numbers.h"

#include <cmath>
#include <limits>
#include <cstdint>

namespace {

char asciiAt(QStringView text, qsizetype k)
{
    const char16_t c = text[k].unicode();
    return c < 128 ? char(c) : '\0';
}

char asciiAt(QByteArrayView text, qsizetype k)
{
    const char c = text[k];
    return (c & 0x80) ? '\0' : c;
}

template <typename Text>
std::optional<int> parse(const Text &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    auto at = [&](qsizetype k) { return asciiAt(text, k); };
    if (i < n && (at(i) == '+' || at(i) == '-')) {
        negative = at(i) == '-';
        ++i;
    }
    int base = 10;
    if (i < n && at(i) == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && at(i) == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    std::int64_t value = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const char c = at(i);
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + d;
        if (d != 0 || digits > 0)
            ++digits;
        if ((base == 16 && digits > 8) || (base == 10 && value > 2147483648LL))
            return std::nullopt;
    }
    if (base == 16)
        value = std::int32_t(std::uint32_t(value));
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        return std::nullopt;
    return int(value);
}

} // namespace

std::optional<int> ParseInteger(QStringView text) { return parse(text); }

std::optional<int> ParseInteger(QByteArrayView text) { return parse(text); }

int RoundHalfEven(double value)
{
    // Values from files may be anything: beyond int's range (or not a number) the conversion
    // would be undefined, so they stop at its ends.
    if (!(value == value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return int(rounded);
}
