#include "report/TextMeasurer.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

namespace {

// One QFontMetricsF per font and kind, kept: a report uses a handful of fonts for millions
// of texts.
const QFontMetricsF &metricsFor(const TFontSpec &font, bool asPainted = false)
{
    static QHash<QString, QFontMetricsF *> cache;
    const QString key = font.name + QLatin1Char('|') + QString::number(font.size) + QLatin1Char('|')
                        + QString::number(font.styleBits()) + (asPainted ? QLatin1String("|p") : QLatin1String(""));
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return **it;
    QFont qfont = font.toQFont();
    // Whole-pixel glyph advances, as the suite's layout counts them (ten Arial digits at
    // 9 points are 70 pixels, not 66.7); pages are painted with the font as it is.
    if (!asPainted)
        qfont.setHintingPreference(QFont::PreferFullHinting);
    auto *metrics = new QFontMetricsF(qfont);
    cache.insert(key, metrics);
    return *metrics;
}

} // namespace

double TFontMetricsMeasurer::TextWidth(const QString &text, const TFontSpec &font) const
{
    return metricsFor(font).horizontalAdvance(text);
}

double TFontMetricsMeasurer::PaintedWidth(const QString &text, const TFontSpec &font) const
{
    return metricsFor(font, true).horizontalAdvance(text);
}

int TFontMetricsMeasurer::TextHeight(const TFontSpec &font) const
{
    return int(std::ceil(metricsFor(font).height()));
}

const TTextMeasurer &DefaultTextMeasurer()
{
    static TFontMetricsMeasurer measurer;
    return measurer;
}

int FontHeight(const TFontSpec &font)
{
    return (qBound(1, font.size, 1000) * 96 + 36) / 72;
}
