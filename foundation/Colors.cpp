#include "foundation/Colors.h"

#include "foundation/Numbers.h"

#include <array>

namespace {

struct NamedColor {
    const char *name;
    TColor value;
};

constexpr std::int32_t kSys = std::int32_t(0x80000000u);

const std::array kNamedColors = {
    NamedColor{"clBlack", 0x000000}, NamedColor{"clMaroon", 0x000080}, NamedColor{"clGreen", 0x008000},
    NamedColor{"clOlive", 0x008080}, NamedColor{"clNavy", 0x800000}, NamedColor{"clPurple", 0x800080},
    NamedColor{"clTeal", 0x808000}, NamedColor{"clGray", 0x808080}, NamedColor{"clSilver", 0xC0C0C0},
    NamedColor{"clRed", 0x0000FF}, NamedColor{"clLime", 0x00FF00}, NamedColor{"clYellow", 0x00FFFF},
    NamedColor{"clBlue", 0xFF0000}, NamedColor{"clFuchsia", 0xFF00FF}, NamedColor{"clAqua", 0xFFFF00},
    NamedColor{"clWhite", 0xFFFFFF}, NamedColor{"clMoneyGreen", 0xC0DCC0}, NamedColor{"clSkyBlue", 0xF0CAA6},
    NamedColor{"clCream", 0xF0FBFF}, NamedColor{"clMedGray", 0xA4A0A0}, NamedColor{"clNone", 0x1FFFFFFF},
    NamedColor{"clDefault", 0x20000000},
    NamedColor{"clScrollBar", kSys | 0}, NamedColor{"clBackground", kSys | 1},
    NamedColor{"clActiveCaption", kSys | 2}, NamedColor{"clInactiveCaption", kSys | 3},
    NamedColor{"clMenu", kSys | 4}, NamedColor{"clWindow", kSys | 5}, NamedColor{"clWindowFrame", kSys | 6},
    NamedColor{"clMenuText", kSys | 7}, NamedColor{"clWindowText", kSys | 8},
    NamedColor{"clCaptionText", kSys | 9}, NamedColor{"clActiveBorder", kSys | 10},
    NamedColor{"clInactiveBorder", kSys | 11}, NamedColor{"clAppWorkSpace", kSys | 12},
    NamedColor{"clHighlight", kSys | 13}, NamedColor{"clHighlightText", kSys | 14},
    NamedColor{"clBtnFace", kSys | 15}, NamedColor{"clBtnShadow", kSys | 16},
    NamedColor{"clGrayText", kSys | 17}, NamedColor{"clBtnText", kSys | 18},
    NamedColor{"clInactiveCaptionText", kSys | 19}, NamedColor{"clBtnHighlight", kSys | 20},
    NamedColor{"cl3DDkShadow", kSys | 21}, NamedColor{"cl3DLight", kSys | 22},
    NamedColor{"clInfoText", kSys | 23}, NamedColor{"clInfoBk", kSys | 24},
    NamedColor{"clHotLight", kSys | 26}, NamedColor{"clGradientActiveCaption", kSys | 27},
    NamedColor{"clGradientInactiveCaption", kSys | 28}, NamedColor{"clMenuHighlight", kSys | 29},
    NamedColor{"clMenuBar", kSys | 30},
};

// Classic desktop values of the system colours, as 0x00BBGGRR.
TColor systemColorValue(int index)
{
    switch (index) {
    case 0: return 0xC8C8C8;
    case 1: return 0x000000;
    case 2: return 0x6A240A;
    case 3: return 0x808080;
    case 4: case 15: case 22: case 30: return 0xD8E9EC;
    case 5: case 14: case 20: case 24: return 0xFFFFFF;
    case 6: case 7: case 8: case 18: case 23: case 21: return 0x000000;
    case 9: return 0xFFFFFF;
    case 10: case 11: return 0xC0C0C0;
    case 12: case 16: case 17: return 0x808080;
    case 13: case 29: return 0x6A240A;
    case 19: return 0xC0C0C0;
    case 26: return 0x800000;
    default: return 0x000000;
    }
}

} // namespace

std::optional<TColor> ColorFromName(const QString &name)
{
    for (const auto &c : kNamedColors)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    return std::nullopt;
}

std::optional<QString> ColorToName(TColor color)
{
    for (const auto &c : kNamedColors)
        if (c.value == color)
            return QString::fromLatin1(c.name);
    return std::nullopt;
}

TColor ParseColor(const QString &text, TColor defaultColor)
{
    const QString t = text.trimmed();
    if (auto named = ColorFromName(t))
        return *named;
    if (auto number = ParseInteger(t))
        return TColor(*number);
    return defaultColor;
}

QString FormatColor(TColor color)
{
    if (auto name = ColorToName(color))
        return *name;
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

QColor ToQColor(TColor color)
{
    quint32 v = quint32(color);
    if (v & 0x80000000u)
        v = quint32(systemColorValue(int(v & 0xFF)));
    else if (color == clNone)
        return QColor(Qt::transparent);
    else if (color == clDefault)
        v = 0;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TColor FromQColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}
