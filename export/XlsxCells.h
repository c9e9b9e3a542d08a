#pragma once
// What a spreadsheet cell holds, read from the text the CSV export writes: numbers with the
// suite's thousands and decimal separators, currency amounts, durations, dates in the suite's
// short date order and percentages become values with a number format that shows them as
// the report does; everything else, numbers with leading zeros too (extensions "0201",
// phone numbers), stays text.
#include <QString>
#include <QStringView>

struct TFormatSettings;

struct TXlsxCell {
    enum Kind { Empty, Text, Number };
    Kind kind = Empty;
    double number = 0;  // Number: the value (days for dates and durations, a fraction for %)
    QStringView text;   // Text: the trimmed text, a view into the field
    QString format;     // Number: the Excel number format that shows it as written
};

TXlsxCell ClassifyXlsxCell(QStringView field, const TFormatSettings &formats);
