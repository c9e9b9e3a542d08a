#include "graph/FontChoice.h"

#include <QFontInfo>

QFont FontChooserStart(const TFontSpec &font)
{
    QFont wanted(font.name, qMax(1, font.size));
    wanted.setBold(font.bold);
    wanted.setItalic(font.italic);
    const QFontInfo real(wanted);
    QFont start(real.family(), qMax(1, font.size));
    start.setBold(font.bold);
    start.setItalic(font.italic);
    start.setUnderline(font.underline);
    start.setStrikeOut(font.strikeOut);
    return start;
}

TFontSpec FontChosen(const TFontSpec &before, const QFont &chosen)
{
    TFontSpec font = before;
    if (chosen.family() != FontChooserStart(before).family())
        font.name = chosen.family();
    if (chosen.pointSize() > 0)
        font.size = chosen.pointSize();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    return font;
}
