#include "export/XlsxCells.h"

#include "foundation/IntlSettings.h"

#include <QDate>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <charconv>

// Every cell of a listing passes through here, a million rows of them: the parsers below
// read the text in place and the formats come from tables, so a cell costs no allocation.
namespace {

constexpr int kMaxFractionDigits = 15;

bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

int digitsValue(QStringView s) // s is at most a few digits
{
    int n = 0;
    for (QChar c : s)
        n = n * 10 + (c.unicode() - '0');
    return n;
}

// "0", "#,##0", "0.00", "#,##0.000" ... and the same with "%": made once.
const QString &numberFormat(bool grouped, qsizetype fractionDigits, bool percent)
{
    static const auto formats = [] {
        std::array<QString, 2 * 2 * (kMaxFractionDigits + 1)> all;
        for (int p = 0; p < 2; ++p)
            for (int g = 0; g < 2; ++g)
                for (int d = 0; d <= kMaxFractionDigits; ++d) {
                    QString f = g ? QStringLiteral("#,##0") : QStringLiteral("0");
                    if (d > 0)
                        f += QLatin1Char('.') + QString(d, u'0');
                    if (p)
                        f += QLatin1Char('%');
                    all[size_t((p * 2 + g) * (kMaxFractionDigits + 1) + d)] = f;
                }
        return all;
    }();
    return formats[size_t(((percent ? 2 : 0) + (grouped ? 1 : 0)) * (kMaxFractionDigits + 1)
                          + qMin<qsizetype>(fractionDigits, kMaxFractionDigits))];
}

struct TNumber {
    double value = 0;
    bool grouped = false;
    qsizetype fractionDigits = 0;
};

// An unsigned number in the suite's separators: "1,234.50", "0.56", "201". Leading zeros
// ("0201") are no number.
bool plainNumber(QStringView s, const TFormatSettings &f, TNumber &number)
{
    const qsizetype point = s.indexOf(f.decimalSeparator);
    const QStringView whole = point < 0 ? s : s.left(point);
    const QStringView fraction = point < 0 ? QStringView() : s.mid(point + 1);
    if (point >= 0 && !allDigits(fraction))
        return false;
    QVarLengthArray<char, 64> digits; // ASCII for from_chars: the whole digits, '.', the fraction
    const QChar thousands = f.thousandSeparator;
    number.grouped = !thousands.isNull() && thousands != f.decimalSeparator && whole.contains(thousands);
    if (number.grouped) {
        qsizetype group = 0;
        for (qsizetype i = 0; i <= whole.size(); ++i) {
            if (i == whole.size() || whole[i] == thousands) {
                const qsizetype size = i - group;
                if (size == 0 || (group == 0 ? size > 3 : size != 3))
                    return false;
                group = i + 1;
            } else if (whole[i] < u'0' || whole[i] > u'9') {
                return false;
            } else {
                digits.append(char(whole[i].unicode()));
            }
        }
    } else {
        if (!allDigits(whole))
            return false;
        for (QChar c : whole)
            digits.append(char(c.unicode()));
    }
    if (digits.size() > 1 && digits[0] == '0')
        return false; // an extension or a code, not a quantity
    if (digits.size() > 15)
        return false; // more digits than a spreadsheet number keeps
    if (!fraction.isEmpty()) {
        digits.append('.');
        for (QChar c : fraction)
            digits.append(char(c.unicode()));
    }
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number.value);
    if (result.ec != std::errc())
        return false;
    number.fractionDigits = fraction.size();
    return true;
}

bool signedNumber(QStringView s, const TFormatSettings &f, TNumber &number)
{
    const bool negative = s.startsWith(u'-');
    if (!plainNumber(negative ? s.mid(1) : s, f, number))
        return false;
    if (negative)
        number.value = -number.value;
    return true;
}

bool number(QStringView s, const TFormatSettings &f, TXlsxCell &cell)
{
    TNumber n;
    if (!signedNumber(s, f, n))
        return false;
    cell.number = n.value;
    cell.format = numberFormat(n.grouped, n.fractionDigits, false);
    return true;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    out += QString(text).replace(QLatin1Char('"'), QLatin1String("\"\""));
    return out + QLatin1Char('"');
}

bool currency(QStringView s, const TFormatSettings &f, TXlsxCell &cell)
{
    const QStringView symbol = QStringView(f.currencyString).trimmed();
    if (symbol.isEmpty())
        return false;
    const bool before = s.startsWith(symbol);
    if (!before && !s.endsWith(symbol))
        return false;
    const QStringView rest = before ? s.mid(symbol.size()) : s.left(s.size() - symbol.size());
    const bool spaced = before ? rest.startsWith(u' ') : rest.endsWith(u' ');
    TNumber n;
    if (!signedNumber(rest.trimmed(), f, n))
        return false;
    cell.number = n.value;
    const QString &digits = numberFormat(n.grouped, n.fractionDigits, false);
    const QString space = spaced ? QStringLiteral(" ") : QString();
    cell.format = before ? quoted(symbol.toString()) + space + digits : digits + space + quoted(symbol.toString());
    return true;
}

// "36:58:14" and "11:33": hours without limit, minutes and seconds below 60.
bool duration(QStringView s, const TFormatSettings &f, TXlsxCell &cell)
{
    const qsizetype first = s.indexOf(f.timeSeparator);
    if (first < 0)
        return false;
    const qsizetype second = s.indexOf(f.timeSeparator, first + 1);
    if (second >= 0 && s.indexOf(f.timeSeparator, second + 1) >= 0)
        return false;
    const QStringView hours = s.left(first);
    const QStringView minutes = second < 0 ? s.mid(first + 1) : s.mid(first + 1, second - first - 1);
    const QStringView seconds = second < 0 ? QStringView() : s.mid(second + 1);
    if (!allDigits(hours) || hours.size() > 6)
        return false;
    for (QStringView part : {minutes, seconds})
        if (part.data() && (!allDigits(part) || part.size() != 2 || digitsValue(part) > 59))
            return false;
    cell.number = (digitsValue(hours) * 3600.0 + digitsValue(minutes) * 60.0 + (second < 0 ? 0 : digitsValue(seconds)))
                  / 86400.0;
    // Elapsed hours, so 36:58:14 stays 36:58:14; two digits at least when the report writes
    // them so (04:57:06).
    static const QString formats[2][2] = {{QStringLiteral("[h]:mm"), QStringLiteral("[h]:mm:ss")},
                                          {QStringLiteral("[hh]:mm"), QStringLiteral("[hh]:mm:ss")}};
    cell.format = formats[hours.size() >= 2][second >= 0];
    return true;
}

// A date in the suite's short date order ("dd/mm/yy" and the like, "/" standing for the
// date separator), with two or four year digits.
bool date(QStringView s, const TFormatSettings &f, TXlsxCell &cell)
{
    QStringView parts[3];
    qsizetype start = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype end = i < 2 ? s.indexOf(f.dateSeparator, start) : s.size();
        if (end < 0)
            return false;
        parts[i] = s.mid(start, end - start);
        start = end + 1;
        if (!allDigits(parts[i]) || parts[i].size() > 4)
            return false; // also a third separator
    }
    char order[3]; // the letters d, m, y in the short date format's order
    int letters = 0;
    for (QChar c : f.shortDateFormat) {
        const char letter = char(c.toLower().unicode());
        if ((letter == 'd' || letter == 'm' || letter == 'y') && letters < 3
            && std::find(order, order + letters, letter) == order + letters)
            order[letters++] = letter;
    }
    if (letters != 3)
        return false;
    int day = 0, month = 0, year = 0;
    qsizetype yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        const int n = digitsValue(parts[i]);
        if (order[i] == 'y') {
            yearDigits = parts[i].size();
            if (yearDigits == 2)
                year = n < 30 ? 2000 + n : 1900 + n; // the spreadsheets' own two-digit rule
            else if (yearDigits == 4)
                year = n;
            else
                return false;
        } else if (parts[i].size() > 2) {
            return false;
        } else {
            (order[i] == 'd' ? day : month) = n;
        }
    }
    const QDate when(year, month, day);
    if (!when.isValid() || year < 1900)
        return false;
    cell.number = double(QDate(1899, 12, 30).daysTo(when));
    // The same settings give the same format cell after cell: make it once.
    thread_local QString lastFormat;
    thread_local QString lastKey;
    QString key = QString::fromLatin1(order, 3) + f.dateSeparator + QChar(char16_t(u'0' + yearDigits));
    if (key != lastKey) {
        lastFormat.clear();
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                lastFormat += QLatin1Char('\\') + f.dateSeparator;
            lastFormat += order[i] == 'd' ? QStringLiteral("dd")
                          : order[i] == 'm' ? QStringLiteral("mm")
                          : yearDigits == 4 ? QStringLiteral("yyyy")
                                            : QStringLiteral("yy");
        }
        lastKey = std::move(key);
    }
    cell.format = lastFormat;
    return true;
}

bool percent(QStringView s, const TFormatSettings &f, TXlsxCell &cell)
{
    if (!s.endsWith(u'%'))
        return false;
    TNumber n;
    if (!signedNumber(s.chopped(1).trimmed(), f, n))
        return false;
    cell.number = n.value / 100;
    cell.format = numberFormat(n.grouped, n.fractionDigits, true);
    return true;
}

// Whether the text holds only what numbers, amounts, durations, dates and percentages are
// written with: most texts (names, call types) are told apart at once by this.
bool mayBeNumeric(QStringView s, const TFormatSettings &f)
{
    for (QChar c : s) {
        if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'%' || c == u' ' || c == f.thousandSeparator
            || c == f.decimalSeparator || c == f.dateSeparator || c == f.timeSeparator
            || f.currencyString.contains(c))
            continue;
        return false;
    }
    return true;
}

} // namespace

TXlsxCell ClassifyXlsxCell(QStringView field, const TFormatSettings &formats)
{
    TXlsxCell cell;
    const QStringView s = field.trimmed();
    if (s.isEmpty())
        return cell;
    if (mayBeNumeric(s, formats)
        && (number(s, formats, cell) || currency(s, formats, cell) || duration(s, formats, cell)
            || date(s, formats, cell) || percent(s, formats, cell))) {
        cell.kind = TXlsxCell::Number;
        return cell;
    }
    cell.kind = TXlsxCell::Text;
    cell.text = s;
    return cell;
}
