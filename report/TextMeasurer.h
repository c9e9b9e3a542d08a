#pragma once
// Text measurement for the layout: column widths in letters or digits, dot leaders, wrapped
// sub-header lines, auto-sized header labels. Behind an interface so that layout tests can
// state exact pixel numbers without depending on installed fonts.
#include "foundation/FontSpec.h"

#include <QString>

class TTextMeasurer
{
public:
    virtual ~TTextMeasurer() = default;
    // Width of the text on one line, in 96-dpi page pixels.
    virtual double TextWidth(const QString &text, const TFontSpec &font) const = 0;
    // Height of one line of text, in page pixels.
    virtual int TextHeight(const TFontSpec &font) const = 0;
    // Width of the text as the page paints it. Column widths count whole pixels per glyph;
    // what fills a cell to its edge (dot leaders) is measured as painted, or it is clipped.
    virtual double PaintedWidth(const QString &text, const TFontSpec &font) const { return TextWidth(text, font); }
};

// Measures with the real fonts (QFontMetricsF on pixel-sized fonts, so 96 dpi).
class TFontMetricsMeasurer final : public TTextMeasurer
{
public:
    double TextWidth(const QString &text, const TFontSpec &font) const override;
    int TextHeight(const TFontSpec &font) const override;
    double PaintedWidth(const QString &text, const TFontSpec &font) const override;
};

// The measurer of the viewer and the batch tool.
const TTextMeasurer &DefaultTextMeasurer();

// The font's height in pixels as the layout counts it: the absolute pixel height of the
// point size at 96 dpi (9 points give 12).
int FontHeight(const TFontSpec &font);
