#pragma once
// Number, amount and time reading and writing for graphs (record 907 sets the separators),
// and the collector of the text block that "copy data" puts on the clipboard.
#include <QString>
#include <QStringList>

class TIntlSettings
{
public:
    // Puts the suite's international formats in force (LoadIntlSettings), then takes the
    // graph defaults: ":" time, "." decimal, no thousands separator, "$".
    TIntlSettings();
    // A formatter with the defaults and without touching the process formats (tests, tools).
    static TIntlSettings Plain();

    // Record 907: time separator, decimal separator, thousands separator, currency symbol.
    void SetFromRecord(QByteArray fields);

    QChar TimeSeparator() const { return m_timeSeparator; }
    QChar DecimalSeparator() const { return m_decimalSeparator; }
    QString ThousandSeparator() const { return m_thousandSeparator; } // empty or one character
    QString CurrencySymbol() const { return m_currency; }
    void SetSeparators(QChar time, QChar decimal, const QString &thousands, const QString &currency);

    // Unreadable text reads 0 in all of these.
    double ParseInteger(const QString &text) const;
    double ParseNumber(const QString &text) const;
    double ParseAmount(const QString &text) const;
    double ParseTime(const QString &text) const;

    QString FormatWhole(double x) const;
    QString FormatDecimal(double x) const;
    QString FormatMinutes(double x) const;

    // The process decimal separator that ParseNumber and FormatDecimal use.
    static QChar ProcessDecimalSeparator();

private:
    struct NoLoad {};
    explicit TIntlSettings(NoLoad) {}
    QString group(const QString &digits) const;

    QChar m_timeSeparator = QLatin1Char(':');
    QChar m_decimalSeparator = QLatin1Char('.');
    QString m_thousandSeparator;
    QString m_currency = QStringLiteral("$");
};

// Y field kinds: how a value is read from a data field and written back.
enum TYFieldKind { ykCalls = 0, ykPulses = 1, ykCost = 2, ykTime = 3, ykDuration = 4, ykWhole = 5, ykDecimal = 6 };
// Kinds 3 and 4 as "hh:mm"/"mm:ss", 2 and 6 with two decimals, anything else whole.
QString FormatByKind(const TIntlSettings &intl, int kind, double x);

// Lines for the clipboard, with the byte total the text takes in the report's code page
// (each line plus CR LF). Lines beyond the budget are refused with text 153.
class TClipboardStrings
{
public:
    static constexpr qint64 kDefaultBudget = 64LL * 1024 * 1024;
    explicit TClipboardStrings(qint64 byteBudget = kDefaultBudget) : m_budget(byteBudget) {}

    void Clear();
    // False (after warning with text 153 and the number of lines held) when the line does
    // not fit in the budget.
    bool Add(const QString &line);
    const QStringList &Lines() const { return m_lines; }
    qint64 ByteTotal() const { return m_bytes; }
    // The lines joined by CR LF, nothing after the last.
    QString Text() const;
    // Puts Text() on the system clipboard as Unicode text; nothing when empty. Text 154 when
    // the text cannot be built. Needs a QGuiApplication.
    void CopyToClipboard() const;

private:
    QStringList m_lines;
    qint64 m_bytes = 0;
    qint64 m_budget;
};

// A clipboard cell: in double quotes, inner quotes doubled.
QString QuoteCell(const QString &text);
// "|"-separated title parts joined by single spaces, trimmed, cut to maxLength.
QString JoinTitleParts(const QByteArray &field, int maxLength);

// A field of a report (Windows-1255 bytes) as text. The same result as FromWin1255, through a
// table built once, because graph readers decode millions of short fields.
QString DecodeField(QByteArrayView bytes);

// A value of a data field read by its Y field kind (0, 1, 5 whole; 2 amount; 3 and 4 time
// read whole; 6 number; other kinds 0), the same as decoding the field and calling the
// parser of the kind, without building texts for plain ASCII fields.
double ParseFieldByKind(const TIntlSettings &intl, int kind, QByteArrayView field);
