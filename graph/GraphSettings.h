#pragma once
// The look of a graph that the windows remember in TRVL.PAR ([GraphInfo] for the graph
// window, [TrafficGraphInfo] for the traffic window), and the titles and fonts the option
// dialogs edit.
#include "foundation/Colors.h"
#include "foundation/FontSpec.h"

#include <QString>
#include <QStringList>

struct TGraphColors {
    TColor background = 12632256; // silver
    TColor walls = 8421504;       // grey
    TColor series[10] = {16711680, 255, 65280, 32768, 8388608, 16776960, 65535, 8388736, 16711935, 32896};
    bool useRandom = true;

    // The graph window's defaults, or the traffic window's (lime, blue, red; no random colours).
    static TGraphColors Defaults(bool traffic);
    bool operator==(const TGraphColors &) const = default;
};

struct TGraphTitles {
    QStringList lines;
    QString bottom; // at most 200 characters
    QString left;
    bool operator==(const TGraphTitles &) const = default;
};

struct TGraphFonts {
    TFontSpec title, axisTitles, axisLabels;
    // Arial 14 bold, Arial 10 bold, Arial 8, black, through the language font mapping.
    static TGraphFonts Defaults();
    bool operator==(const TGraphFonts &) const = default;
};

struct TGraphSettings {
    TGraphColors colors;
    bool verticalGrid = false;
    bool horizontalGrid = true;
    TGraphFonts fonts;

    static TGraphSettings Defaults(bool traffic);
    // Reads the section over the current values (a missing key keeps its value).
    void Read(const QString &file, const QString &section);
    void Write(const QString &file, const QString &section) const;
};

// The 16 colours of the colours dialog, index 0..15 (any other index: white).
TColor GraphPaletteColor(int index);
