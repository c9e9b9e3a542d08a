#include "graph/GraphFormatter.h"

#include "foundation/Codepages.h"
#include "foundation/IntlSettings.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "report/RecordStream.h"

#include <QClipboard>
#include <QGuiApplication>
#include <array>
#include <cmath>
#include <new>

TIntlSettings::TIntlSettings()
{
    LoadIntlSettings();
}

TIntlSettings TIntlSettings::Plain() { return TIntlSettings(NoLoad{}); }

QChar TIntlSettings::ProcessDecimalSeparator() { return FormatSettings().decimalSeparator; }

void TIntlSettings::SetSeparators(QChar time, QChar decimal, const QString &thousands, const QString &currency)
{
    m_timeSeparator = time;
    m_decimalSeparator = decimal;
    m_thousandSeparator = thousands.left(1);
    m_currency = currency.left(10);
}

void TIntlSettings::SetFromRecord(QByteArray fields)
{
    const QString time = DecodeField(NextField(fields));
    const QString decimal = DecodeField(NextField(fields));
    const QString thousands = DecodeField(NextField(fields));
    const QString currency = DecodeField(NextField(fields));
    SetSeparators(time.isEmpty() ? QLatin1Char(':') : time.at(0),
                  decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0), thousands, currency);
}

namespace {

QString withoutThousands(QString text, const QString &thousands)
{
    if (!thousands.isEmpty())
        text.remove(thousands);
    return text;
}

// A whole number as the platform reads one (optional sign, decimal digits); else nothing.
std::optional<qlonglong> wholeNumber(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qlonglong>(v) : std::nullopt;
}

} // namespace

double TIntlSettings::ParseInteger(const QString &text) const
{
    QString t = withoutThousands(text, m_thousandSeparator);
    const qsizetype cut = t.indexOf(m_decimalSeparator);
    if (cut >= 0)
        t.truncate(cut);
    return double(wholeNumber(t).value_or(0));
}

double TIntlSettings::ParseNumber(const QString &text) const
{
    QString t = withoutThousands(text, m_thousandSeparator).trimmed();
    const QChar process = ProcessDecimalSeparator();
    if (process != QLatin1Char('.')) {
        if (t.contains(QLatin1Char('.')))
            return 0; // the platform's conversion knows only its own decimal separator
        t.replace(process, QLatin1Char('.'));
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

double TIntlSettings::ParseAmount(const QString &text) const
{
    QString t = text;
    if (!m_currency.isEmpty()) {
        const qsizetype at = t.indexOf(m_currency);
        if (at >= 0)
            t = t.remove(at, m_currency.size()).trimmed();
    }
    return ParseNumber(t);
}

double TIntlSettings::ParseTime(const QString &text) const
{
    double result = 0;
    const QStringList parts = text.split(m_timeSeparator);
    for (const QString &part : parts)
        result = result * 60 + double(wholeNumber(part).value_or(0));
    return result;
}

QString TIntlSettings::group(const QString &digits) const
{
    // digits: an optional "-" and the integer part.
    const bool negative = digits.startsWith(QLatin1Char('-'));
    const QString body = negative ? digits.mid(1) : digits;
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (i > 0 && (body.size() - i) % 3 == 0)
            out += m_thousandSeparator;
        out += body.at(i);
    }
    return negative ? QLatin1Char('-') + out : out;
}

namespace {

// A whole number's digits. Values past long long's range come only from a damaged file (a
// time of many fields multiplies by 60 each): they are written from the double itself rather
// than converted, and what is not a number at all shows as 0.
QString wholeDigits(double whole)
{
    if (!std::isfinite(whole))
        return QStringLiteral("0");
    if (std::fabs(whole) < 9.0e18)
        return QString::number(qlonglong(whole));
    return QString::number(whole, 'f', 0);
}

} // namespace

QString TIntlSettings::FormatWhole(double x) const
{
    if (m_thousandSeparator.isEmpty())
        return wholeDigits(std::nearbyint(x)); // halves to even, as the platform rounds
    const double r = std::round(x); // format masks round halves away from zero
    return group(wholeDigits(r));
}

QString TIntlSettings::FormatDecimal(double x) const
{
    QString text = QString::number(x, 'f', 2);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString whole = text.left(dot);
    const QString fraction = text.mid(dot + 1);
    if (whole == QLatin1String("-0") && fraction == QLatin1String("00"))
        whole = QStringLiteral("0");
    if (!m_thousandSeparator.isEmpty())
        whole = group(whole);
    return whole + ProcessDecimalSeparator() + fraction;
}

QString TIntlSettings::FormatMinutes(double x) const
{
    const double rounded = std::isfinite(x) ? std::nearbyint(x) : 0.0;
    // Minutes and seconds truncate toward zero and keep the sign, as integer division does.
    const double minutes = std::trunc(rounded / 60);
    const double seconds = std::fmod(rounded, 60);
    auto two = [](double v) {
        QString t = wholeDigits(std::fabs(v)).rightJustified(2, QLatin1Char('0'));
        return v < 0 ? QLatin1Char('-') + t : t;
    };
    return two(minutes) + m_timeSeparator + two(seconds);
}

QString FormatByKind(const TIntlSettings &intl, int kind, double x)
{
    switch (kind) {
    case ykTime:
    case ykDuration:
        return intl.FormatMinutes(x);
    case ykCost:
    case ykDecimal:
        return intl.FormatDecimal(x);
    default:
        return intl.FormatWhole(x);
    }
}

void TClipboardStrings::Clear()
{
    m_lines.clear();
    m_bytes = 0;
}

bool TClipboardStrings::Add(const QString &line)
{
    // Every character of the report's code page is one byte.
    const qint64 size = qint64(line.size()) + 2;
    if (m_bytes + size > m_budget) {
        ShowMessageBox(DisplayFormat(153, {QString::number(m_lines.size())}), QString(), mkWarning, mbOK);
        return false;
    }
    m_lines.append(line);
    m_bytes += size;
    return true;
}

QString TClipboardStrings::Text() const { return m_lines.join(QStringLiteral("\r\n")); }

void TClipboardStrings::CopyToClipboard() const
{
    if (m_lines.isEmpty())
        return;
    QString text;
    try {
        text = Text();
    } catch (const std::bad_alloc &) {
        ShowMessageBox(DisplayText(154), QString(), mkWarning, mbOK);
        return;
    }
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

QString QuoteCell(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString JoinTitleParts(const QByteArray &field, int maxLength)
{
    QByteArray rest = field;
    QStringList parts;
    while (!rest.isEmpty())
        parts.append(DecodeField(NextField(rest, '|')));
    return parts.join(QLatin1Char(' ')).trimmed().left(maxLength);
}

QString DecodeField(QByteArrayView bytes)
{
    static const auto table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString s = FromWin1255(QByteArrayView(&c, 1));
            t[size_t(b)] = s.size() == 1 ? s.at(0).unicode() : u'\uFFFD';
        }
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(table[size_t(uchar(bytes[i]))]);
    return out;
}

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

QByteArrayView trimmedView(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && QChar::isSpace(uchar(v[b])))
        ++b;
    while (e > b && QChar::isSpace(uchar(v[e - 1])))
        --e;
    return v.sliced(b, e - b);
}

// As wholeNumber: an optional sign and decimal digits, blanks around allowed.
std::optional<qlonglong> wholeBytes(QByteArrayView v)
{
    bool ok = false;
    const qlonglong n = trimmedView(v).toLongLong(&ok);
    return ok ? std::optional<qlonglong>(n) : std::nullopt;
}

} // namespace

double ParseFieldByKind(const TIntlSettings &intl, int kind, QByteArrayView field)
{
    const QChar time = intl.TimeSeparator();
    const QChar decimal = intl.DecimalSeparator();
    const QChar process = TIntlSettings::ProcessDecimalSeparator();
    const QString thousands = intl.ThousandSeparator();
    const bool asciiSeparators = time.unicode() < 0x80 && decimal.unicode() < 0x80 && process.unicode() < 0x80 &&
                                 (thousands.isEmpty() || thousands.at(0).unicode() < 0x80);
    if (!asciiSeparators || !isAscii(field) || field.size() > 200 ||
        (kind == ykCost && !intl.CurrencySymbol().isEmpty())) {
        const QString text = DecodeField(field);
        switch (kind) {
        case ykCalls: case ykPulses: case ykWhole: return intl.ParseInteger(text);
        case ykCost: return intl.ParseAmount(text);
        case ykTime: case ykDuration: return intl.ParseTime(text);
        case ykDecimal: return intl.ParseNumber(text);
        default: return 0;
        }
    }
    // Without the thousands separator, in a buffer on the stack.
    char buffer[201];
    qsizetype n = 0;
    const char sep = thousands.isEmpty() ? '\0' : char(thousands.at(0).unicode());
    for (char c : field)
        if (!sep || c != sep)
            buffer[n++] = c;
    QByteArrayView text(buffer, n);
    switch (kind) {
    case ykCalls:
    case ykPulses:
    case ykWhole: {
        const qsizetype cut = text.indexOf(char(decimal.unicode()));
        return double(wholeBytes(cut >= 0 ? text.first(cut) : text).value_or(0));
    }
    case ykTime:
    case ykDuration: {
        // The thousands separator stays in time texts: they are split, not cleaned.
        double result = 0;
        QByteArrayView rest = field;
        const char t = char(time.unicode());
        for (;;) {
            const qsizetype at = rest.indexOf(t);
            result = result * 60 + double(wholeBytes(at < 0 ? rest : rest.first(at)).value_or(0));
            if (at < 0)
                break;
            rest = rest.sliced(at + 1);
        }
        return result;
    }
    case ykCost: // no currency symbol to remove
    case ykDecimal: {
        text = trimmedView(text);
        const char p = char(process.unicode());
        if (p != '.') {
            if (text.contains('.'))
                return 0;
            for (qsizetype i = 0; i < text.size(); ++i)
                if (buffer[text.data() - buffer + i] == p)
                    buffer[text.data() - buffer + i] = '.';
        }
        bool ok = false;
        const double v = text.toDouble(&ok);
        return ok && std::isfinite(v) ? v : 0;
    }
    default:
        return 0;
    }
}
