#pragma once
// The font chooser and the graph's font settings. The settings name fonts as the suite does
// ("Arial"); the system may know such a font only under another family ("Liberation Sans"),
// and a chooser given a family it does not list opens on its first font and drops the style.
#include "foundation/FontSpec.h"

#include <QFont>

// The font the chooser opens on: the family the system really uses for the setting's font,
// with its size, bold and italic.
QFont FontChooserStart(const TFontSpec &font);
// The setting after the chooser closed with OK: unchanged when the chooser's font is the one it
// opened on, so the suite's name ("Arial") and the colour stay.
TFontSpec FontChosen(const TFontSpec &before, const QFont &chosen);
