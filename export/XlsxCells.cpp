#include "export/XlsxCells.h"

#include "foundation/IntlSettings.h"

#include <QDate>

namespace {

bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// An unsigned number in the suite's separators: "1,234.50", "0.56", "201". Leading zeros
// ("0201") are no number. Sets the value and the format that writes it back the same way.
bool plainNumber(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    const qsizetype point = s.indexOf(f.decimalSeparator);
    const QStringView whole = point < 0 ? s : s.left(point);
    const QStringView fraction = point < 0 ? QStringView() : s.mid(point + 1);
    if (point >= 0 && !allDigits(fraction))
        return false;
    QString digits;
    bool grouped = false;
    const QChar thousands = f.thousandSeparator;
    if (!thousands.isNull() && thousands != f.decimalSeparator && whole.contains(thousands)) {
        const QList<QStringView> groups = whole.split(thousands);
        for (qsizetype i = 0; i < groups.size(); ++i) {
            const qsizetype size = groups[i].size();
            if (!allDigits(groups[i]) || (i == 0 ? size > 3 : size != 3))
                return false;
            digits += groups[i];
        }
        grouped = true;
    } else {
        if (!allDigits(whole))
            return false;
        digits = whole.toString();
    }
    if (digits.size() > 1 && digits.startsWith(u'0'))
        return false; // an extension or a code, not a quantity
    if (digits.size() > 15)
        return false; // more digits than a spreadsheet number keeps
    bool ok = false;
    if (!fraction.isEmpty())
        digits += QLatin1Char('.') + fraction.toString();
    value = digits.toDouble(&ok);
    if (!ok)
        return false;
    format = grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (!fraction.isEmpty())
        format += QLatin1Char('.') + QString(fraction.size(), u'0');
    return true;
}

bool signedNumber(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    const bool negative = s.startsWith(u'-');
    if (!plainNumber(negative ? s.mid(1) : s, f, value, format))
        return false;
    if (negative)
        value = -value;
    return true;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    out += QString(text).replace(QLatin1Char('"'), QLatin1String("\"\""));
    return out + QLatin1Char('"');
}

bool currency(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    const QString symbol = f.currencyString.trimmed();
    if (symbol.isEmpty())
        return false;
    if (s.startsWith(symbol)) {
        const QStringView rest = s.mid(symbol.size());
        const bool spaced = rest.startsWith(u' ');
        if (!signedNumber(rest.trimmed(), f, value, format))
            return false;
        format = quoted(symbol) + (spaced ? QStringLiteral(" ") : QString()) + format;
        return true;
    }
    if (s.endsWith(symbol)) {
        const QStringView rest = s.left(s.size() - symbol.size());
        const bool spaced = rest.endsWith(u' ');
        if (!signedNumber(rest.trimmed(), f, value, format))
            return false;
        format += (spaced ? QStringLiteral(" ") : QString()) + quoted(symbol);
        return true;
    }
    return false;
}

// "36:58:14" and "11:33": hours without limit, minutes and seconds below 60.
bool duration(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    const QList<QStringView> parts = s.split(f.timeSeparator);
    if (parts.size() != 2 && parts.size() != 3)
        return false;
    if (!allDigits(parts[0]) || parts[0].size() > 6)
        return false;
    for (qsizetype i = 1; i < parts.size(); ++i)
        if (!allDigits(parts[i]) || parts[i].size() != 2 || parts[i].toInt() > 59)
            return false;
    const double hours = parts[0].toInt();
    const double minutes = parts[1].toInt();
    const double seconds = parts.size() == 3 ? parts[2].toInt() : 0;
    value = (hours * 3600 + minutes * 60 + seconds) / 86400.0;
    // Elapsed hours, so 36:58:14 stays 36:58:14; two digits at least when the report writes
    // them so (04:57:06).
    format = parts[0].size() >= 2 ? QStringLiteral("[hh]") : QStringLiteral("[h]");
    format += parts.size() == 3 ? QStringLiteral(":mm:ss") : QStringLiteral(":mm");
    return true;
}

// A date in the suite's short date order ("dd/mm/yy" and the like, "/" standing for the
// date separator), with two or four year digits.
bool date(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    const QList<QStringView> parts = s.split(f.dateSeparator);
    if (parts.size() != 3)
        return false;
    QString order; // the letters d, m, y in the short date format's order
    for (QChar c : f.shortDateFormat.toLower())
        if ((c == u'd' || c == u'm' || c == u'y') && !order.contains(c))
            order += c;
    if (order.size() != 3)
        return false;
    int day = 0, month = 0, year = 0;
    int yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        if (!allDigits(parts[i]))
            return false;
        const int n = parts[i].toInt();
        switch (order[i].unicode()) {
        case 'd':
            if (parts[i].size() > 2)
                return false;
            day = n;
            break;
        case 'm':
            if (parts[i].size() > 2)
                return false;
            month = n;
            break;
        default:
            yearDigits = int(parts[i].size());
            if (yearDigits == 2)
                year = n < 30 ? 2000 + n : 1900 + n; // the spreadsheets' own two-digit rule
            else if (yearDigits == 4)
                year = n;
            else
                return false;
        }
    }
    const QDate when(year, month, day);
    if (!when.isValid() || year < 1900)
        return false;
    value = double(QDate(1899, 12, 30).daysTo(when));
    format.clear();
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            format += QLatin1Char('\\') + f.dateSeparator;
        switch (order[i].unicode()) {
        case 'd': format += QStringLiteral("dd"); break;
        case 'm': format += QStringLiteral("mm"); break;
        default: format += yearDigits == 4 ? QStringLiteral("yyyy") : QStringLiteral("yy");
        }
    }
    return true;
}

bool percent(QStringView s, const TFormatSettings &f, double &value, QString &format)
{
    if (!s.endsWith(u'%'))
        return false;
    if (!signedNumber(s.chopped(1).trimmed(), f, value, format))
        return false;
    value /= 100;
    format += QLatin1Char('%');
    return true;
}

} // namespace

TXlsxCell ClassifyXlsxCell(const QString &field, const TFormatSettings &formats)
{
    TXlsxCell cell;
    const QString text = field.trimmed();
    if (text.isEmpty())
        return cell;
    const QStringView s(text);
    if (signedNumber(s, formats, cell.number, cell.format) || currency(s, formats, cell.number, cell.format)
        || duration(s, formats, cell.number, cell.format) || date(s, formats, cell.number, cell.format)
        || percent(s, formats, cell.number, cell.format)) {
        cell.kind = TXlsxCell::Number;
        return cell;
    }
    cell.kind = TXlsxCell::Text;
    cell.text = text;
    return cell;
}
