#include "foundation/FontSpec.h"

int TFontSpec::styleBits() const
{
    return (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0) | (strikeOut ? 8 : 0);
}

void TFontSpec::setStyleBits(int bits)
{
    bold = bits & 1;
    italic = bits & 2;
    underline = bits & 4;
    strikeOut = bits & 8;
}

QFont TFontSpec::toQFont() const
{
    QFont font(name);
    // Points at 96 dpi, rounded like the platform's font height: -MulDiv(size, 96, 72).
    font.setPixelSize(qMax(1, (qBound(-kMaxFontSize, size, kMaxFontSize) * 96 + 36) / 72));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}
