#include "graph/GraphSettings.h"

#include "foundation/FontTranslation.h"
#include "foundation/IniFile.h"

TColor GraphPaletteColor(int index)
{
    static const TColor table[16] = {0,        128,   32768, 32896,    8388608,  8388736,  8421376,  8421504,
                                     12632256, 255,   65280, 65535,    16711680, 16711935, 16776960, 16777215};
    return index >= 0 && index < 16 ? table[index] : 16777215;
}

TGraphColors TGraphColors::Defaults(bool traffic)
{
    TGraphColors c;
    if (traffic) {
        c.series[0] = 65280;
        c.series[1] = 16711680;
        c.series[2] = 255;
        c.useRandom = false;
    }
    return c;
}

TGraphFonts TGraphFonts::Defaults()
{
    TGraphFonts f;
    auto make = [](int size, bool bold) {
        TFontSpec spec;
        spec.name = QStringLiteral("Arial");
        spec.size = size;
        spec.bold = bold;
        spec.color = clBlack;
        TranslateFont(spec.name, spec.size);
        return spec;
    };
    f.title = make(14, true);
    f.axisTitles = make(10, true);
    f.axisLabels = make(8, false);
    return f;
}

TGraphSettings TGraphSettings::Defaults(bool traffic)
{
    TGraphSettings s;
    s.colors = TGraphColors::Defaults(traffic);
    s.fonts = TGraphFonts::Defaults();
    return s;
}

namespace {
QString serieKey(int i) { return QStringLiteral("Serie%1Color").arg(i + 1); }

void readFont(const QString &file, const QString &section, const QString &prefix, TFontSpec &font)
{
    ReadFontKeys(file, section, prefix, font.styleBits(), font.color, font.size, font.name, font);
}
} // namespace

void TGraphSettings::Read(const QString &file, const QString &section)
{
    TVelaIniFile ini(file);
    colors.background = ini.ReadInteger(section, QStringLiteral("BackgoundColor"), colors.background);
    colors.walls = ini.ReadInteger(section, QStringLiteral("WallsColor"), colors.walls);
    colors.useRandom = ini.ReadYesNo(section, QStringLiteral("UseRandomColors"), colors.useRandom);
    for (int i = 0; i < 10; ++i)
        colors.series[i] = ini.ReadInteger(section, serieKey(i), colors.series[i]);
    verticalGrid = ini.ReadYesNo(section, QStringLiteral("VerticalGrid"), verticalGrid);
    horizontalGrid = ini.ReadYesNo(section, QStringLiteral("HorizontalGrid"), horizontalGrid);
    readFont(file, section, QStringLiteral("Title"), fonts.title);
    readFont(file, section, QStringLiteral("AxisTitles"), fonts.axisTitles);
    readFont(file, section, QStringLiteral("AxisLables"), fonts.axisLabels);
}

void TGraphSettings::Write(const QString &file, const QString &section) const
{
    // A settings file that cannot be written at all is given up at its first key, so the
    // window does not wait out the retries of every key of a look that cannot be kept.
    TVelaIniFile ini(file);
    if (!ini.WriteInteger(section, QStringLiteral("BackgoundColor"), colors.background))
        return;
    ini.WriteInteger(section, QStringLiteral("WallsColor"), colors.walls);
    ini.WriteYesNo(section, QStringLiteral("UseRandomColors"), colors.useRandom);
    for (int i = 0; i < 10; ++i)
        ini.WriteInteger(section, serieKey(i), colors.series[i]);
    ini.WriteYesNo(section, QStringLiteral("VerticalGrid"), verticalGrid);
    ini.WriteYesNo(section, QStringLiteral("HorizontalGrid"), horizontalGrid);
    WriteFontKeys(file, section, QStringLiteral("Title"), fonts.title);
    WriteFontKeys(file, section, QStringLiteral("AxisTitles"), fonts.axisTitles);
    WriteFontKeys(file, section, QStringLiteral("AxisLables"), fonts.axisLabels);
}
