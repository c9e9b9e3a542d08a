#include "graph/ChartAxis.h"

#include "foundation/Colors.h"

#include <cmath>

QColor PaletteColor(int index)
{
    static const TColor table[16] = {0,        128,      32768,    32896,    8388608,  8388736,  8421376,  8421504,
                                     12632256, 255,      65280,    65535,    16711680, 16711935, 16776960, 16777215};
    return ToQColor(index >= 0 && index < 16 ? table[index] : 16777215);
}

QString FormatAxisValue(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

double NiceStep(double range, int maxSteps)
{
    if (!(range > 0) || !std::isfinite(range))
        return 1;
    if (maxSteps < 1)
        maxSteps = 1;
    const double rough = range / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        // A small tolerance keeps 0.3/3 from becoming 0.2 through rounding.
        if (m * power >= rough * (1 - 1e-9))
            return m * power;
    }
    return 10 * power;
}

std::vector<double> AxisTicks(double minimum, double maximum, double step)
{
    std::vector<double> ticks;
    if (!(step > 0) || !(maximum >= minimum))
        return ticks;
    const double first = std::ceil(minimum / step - 1e-9);
    for (double k = first; ticks.size() < 1000; k += 1) {
        const double v = k * step;
        if (v > maximum + step * 1e-9)
            break;
        ticks.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    }
    return ticks;
}

double TrafficValueIncrement(double maximum, int rows)
{
    if (maximum >= 1 || rows <= 0)
        return 0;
    const double b = maximum / rows;
    const double c = b == 0 ? 0 : std::round(std::abs(std::log10(b)));
    const double scale = std::pow(10.0, c);
    return std::round(b * scale) / scale;
}

TAxisRange CategoryRange(TChartKind kind, int pointsPerPage)
{
    if (IsBarKind(kind))
        return {-0.5, pointsPerPage - 0.5};
    return {0, double(pointsPerPage - 1)};
}

double ClampScroll(double x, const TAxisRange &axis, int pointCount, TChartKind kind)
{
    const bool bars = IsBarKind(kind);
    if (x + axis.maximum >= pointCount - 0.5)
        return pointCount - axis.maximum - (bars ? 0.5 : 1.0);
    if (x + axis.minimum < 0)
        return bars ? -(axis.minimum + 0.5) : -axis.minimum;
    return x;
}

bool NextPageEnabled(const TAxisRange &axis, int pointCount, TChartKind kind)
{
    return IsBarKind(kind) ? pointCount - 0.5 > axis.maximum : pointCount - 1 > axis.maximum;
}

bool PreviousPageEnabled(const TAxisRange &axis, TChartKind kind)
{
    return kind == TChartKind::HorizBar ? axis.minimum > -0.5 : axis.minimum > 0;
}

std::pair<int, int> VisiblePoints(const TAxisRange &axis, int pointCount)
{
    const int first = std::max(0, int(std::ceil(axis.minimum - 0.5 + 1e-9)));
    const int last = std::min(pointCount - 1, int(std::floor(axis.maximum + 0.5 - 1e-9)));
    return {first, last};
}
