#pragma once
// Text widths that layout tests can state exactly: capital letters 6 pixels (the alphabet
// 156), digits 7 (the ten digits 70), "." and " " 3, anything else 5. A line is the font's
// height plus 2.
#include "report/TextMeasurer.h"

class TFakeTextMeasurer final : public TTextMeasurer
{
public:
    double TextWidth(const QString &text, const TFontSpec &) const override
    {
        double width = 0;
        for (QChar c : text) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                width += 6;
            else if (c.isDigit())
                width += 7;
            else if (c == QLatin1Char('.') || c == QLatin1Char(' '))
                width += 3;
            else
                width += 5;
        }
        return width;
    }
    int TextHeight(const TFontSpec &font) const override { return FontHeight(font) + 2; }
};
