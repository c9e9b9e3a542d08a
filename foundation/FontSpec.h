#pragma once
// A font as the suite's files describe it: name, size in points, colour and style flags.
#include "foundation/Colors.h"

#include <QFont>
#include <QString>

// Font sizes read from files stay within this many points either way: far beyond any page,
// and small enough that no arithmetic on them overflows.
inline constexpr int kMaxFontSize = 1000;

struct TFontSpec {
    QString name = QStringLiteral("Arial");
    int size = 9;
    TColor color = clBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;

    // Style bits as the settings readers take them: 1 bold, 2 italic, 4 underline, 8 strike-out.
    int styleBits() const;
    void setStyleBits(int bits);
    // The font for drawing on a 96-dpi page (pixel size, so printers scale it like the rest).
    QFont toQFont() const;
    bool operator==(const TFontSpec &) const = default;
};
