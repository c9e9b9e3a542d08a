#include "export/CsvExport.h"

#include "foundation/VisualHebrew.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"

#include <algorithm>

namespace {

bool isBlank(char c) { return uchar(c) <= 32; }

QByteArray trimmed(const QByteArray &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

QByteArray NextFieldPeek(QByteArray rest) { return NextField(rest); }

} // namespace

QByteArray QuoteCsvField(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

bool TCsvExport::HandleRecord(int code, const QByteArray &rest, QByteArray &line)
{
    QByteArray fields = rest;
    switch (code) {
    case rcData:
        if (rest.isEmpty())
            return false;
        line = BuildCsvLine(rest, rcData);
        return true;
    case rcTitles:
        if (rest.isEmpty() || !Options.WritesHeader(htFieldsHeader))
            return false;
        line = BuildCsvLine(rest, rcTitles);
        return true;
    case rcTotals:
        if (rest.size() < 3 || !Options.IncludeSummaryLine)
            return false;
        return totalsLine(rest, line);
    case rcTotalCaption: {
        QByteArray caption;
        for (int i = 0; i < 6; ++i)
            caption = NextField(fields);
        if (!TotalsCaption.isEmpty())
            TotalsCaption += ' ';
        TotalsCaption += caption;
        return false;
    }
    case rcTitleColumnCount:
        // The title arrays hold ten columns; a larger count uses those ten.
        TitleColumnCount = std::clamp(NextInt(fields), 0, kMaxTitleColumns);
        return false;
    case rcTitleColumnCaptions:
        for (int i = 1; i <= TitleColumnCount; ++i)
            TitleCaptions[i] = NextField(fields).left(kMaxTitleColumnLength);
        return false;
    case rcTitleColumnValue: {
        TotalsCaption.clear();
        const int n = NextInt(fields);
        const QByteArray value = NextField(fields).left(kMaxTitleColumnLength);
        if (n >= 1 && n <= kMaxTitleColumns)
            TitleValues[n] = value;
        return false;
    }
    case rcClearTitleColumns:
        for (QByteArray &value : TitleValues)
            value.clear();
        return false;
    case rcReportHeaderLine:
        if (rest.isEmpty() || !Options.WritesHeader(htReportHeader))
            return false;
        for (int i = 0; i < 4; ++i)
            NextField(fields);
        line = fields;
        return true;
    case rcCsvFormats:
        for (int i = 1; i <= kMaxExportColumns; ++i) {
            const QByteArray kind = NextField(fields);
            Options.Columns[i].Kind = kind.isEmpty() ? char(0) : kind[0];
            Options.Columns[i].Width = quint8(NextInt(fields));
        }
        return false;
    default:
        return false;
    }
}

// The totals caption takes the first field of the line, followed by one comma per title
// column, so the totals stay under their data columns. When the totals begin with a quoted
// field the caption joins that field; the title-column commas then go in front of it. With
// no title columns a non-empty first total would be swallowed by the caption's field, so
// the two are joined the same way.
bool TCsvExport::totalsLine(QByteArray rest, QByteArray &line)
{
    NextField(rest); // the rule flag
    const QByteArray commas(TitleColumnCount, ',');
    QByteArray text;
    if (rest.startsWith('"')) {
        QByteArray caption = QuoteCsvField(TotalsCaption);
        caption.chop(1); // the caption opens the quoted first total
        text = commas + caption + ' ' + rest.mid(1);
    } else if (TitleColumnCount == 0 && !rest.startsWith(',') && !NextFieldPeek(rest).isEmpty()) {
        QByteArray remaining = rest;
        const QByteArray first = NextField(remaining);
        const QByteArray joined = TotalsCaption.isEmpty() ? first : TotalsCaption + ' ' + first;
        text = QuoteCsvField(joined) + (rest.contains(',') ? "," + remaining : QByteArray());
    } else {
        text = QuoteCsvField(TotalsCaption) + commas + rest;
    }
    line = BuildCsvLine(text, rcTotals);
    TotalsCaption.clear();
    return true;
}

QByteArray TCsvExport::BuildCsvLine(const QByteArray &fields, int recordCode) const
{
    QByteArray rest;
    if (TitleColumnCount > 0 && recordCode != rcTotals) {
        const auto &titles = recordCode == rcData ? TitleValues : TitleCaptions;
        for (int i = 1; i <= TitleColumnCount; ++i) {
            rest += QuoteCsvField(titles[i]);
            rest += ',';
        }
        rest += fields;
    } else {
        rest = fields;
    }

    QByteArray line;
    line.reserve(rest.size() + 16);
    if (Options.WritesHeader(htReportHeader))
        line += Options.Delimiter;
    int n = 1;
    do {
        appendField(line, NextField(rest), n++, recordCode);
        if (!rest.isEmpty())
            line += Options.Delimiter;
    } while (!rest.isEmpty());
    return line;
}

void TCsvExport::appendField(QByteArray &line, QByteArray field, int n, int recordCode) const
{
    field.replace('|', ' ');
    field = trimmed(field);
    if (recordCode != rcTitles)
        field = FormatColumn(field, n);
    if (Options.AsciiDos)
        field = StripSeparators(ToVisual(field));
    if (Options.ForceQuote || field.contains(Options.Delimiter))
        line += QuoteCsvField(field);
    else
        line += field;
}

QByteArray TCsvExport::FormatColumn(const QByteArray &text, int columnNumber) const
{
    if (columnNumber < 1 || columnNumber > kMaxExportColumns)
        return text;
    const TColumnFormat &format = Options.Columns[columnNumber];
    const qsizetype w = format.Width;
    switch (format.Kind) {
    case 'L':
        return text.size() > w ? text.left(w) : text + QByteArray(w - text.size(), ' ');
    case 'R':
        return text.size() > w ? text.right(w) : QByteArray(w - text.size(), ' ') + text;
    case 'Z':
        return text.size() > w ? text.right(w) : QByteArray(w - text.size(), '0') + text;
    default:
        return text;
    }
}
