#pragma once
// The graph definition records of a saved report and the value forms they use.
#include <QByteArray>
#include <optional>

enum TGraphRecord : int {
    grXField = 700,           // X field / X item: label columns 1 and 2, title
    grYColumn = 701,          // Y column / Y field: column, kind, title (group id, column title)
    grMultiY = 703,           // traffic: multi-Y item title and Y field numbers
    grGroupCaption = 750,
    grOverlapBars = 751,
    grButtonCategories = 752, // toolbar button category of each Y field
    grIntlFormats = 907,      // time, decimal and thousands separators, currency symbol
    grVerticalXLabels = 915,
    grPointsPerPage = 917,
    grMultiGroup = 951,       // every section is a group of its own
};

// "True"/"False" in any letter case or a number (non-zero is true); else the default.
bool RecordBoolean(const QByteArray &text, bool defaultValue);
// A whole number as the platform converts one (sign, decimal or "$" hexadecimal).
std::optional<int> RecordInteger(const QByteArray &text);
