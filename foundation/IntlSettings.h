#pragma once
// Process-wide date, time, number and currency formats, from the suite's [intl] settings.
#include <QString>
#include <QStringList>

struct TFormatSettings {
    QString currencyString = QStringLiteral("$");
    int currencyFormat = 0;   // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int currencyDecimals = 2;
    QChar thousandSeparator = QLatin1Char(',');
    QChar decimalSeparator = QLatin1Char('.');
    QChar dateSeparator = QLatin1Char('/');
    QString shortDateFormat = QStringLiteral("mm/dd/yy"); // order letters, "/" stands for the separator
    QChar timeSeparator = QLatin1Char(':');
    QString shortTimeFormat = QStringLiteral("hh:nn");
    QStringList longMonthNames;  // January .. December
    QStringList shortMonthNames;
    QStringList longDayNames;    // Sunday .. Saturday
    QStringList shortDayNames;
};

// The formats in force. Until LoadIntlSettings runs they are the platform's own.
const TFormatSettings &FormatSettings();

// Reads [intl] (from WIN.INI when CLIENT.PAR says USE_WIN=Y, else from CLIENT.PAR in the data
// directory), normalises the values, puts them in force and loads the month and day names.
void LoadIntlSettings();
// The same formats, read and normalised but not put in force (for a workbook that types its
// cells by them without changing how the rest of the run formats).
TFormatSettings ReadIntlSettings();

// The thousands separator used when [intl] gives none: the byte 254 of the Hebrew code page.
QChar EmptyThousandSeparator();
