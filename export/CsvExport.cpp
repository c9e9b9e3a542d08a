#include "export/CsvExport.h"

#include "export/FieldCursor.h"

#include "foundation/VisualHebrew.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"

#include <algorithm>

namespace {

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

bool TCsvExport::HandleRecord(int code, const QByteArray &rest, QByteArrayView &line)
{
    QByteArray fields = rest;
    switch (code) {
    case rcData:
        if (rest.isEmpty())
            return false;
        buildLine(rest, rcData, m_line);
        line = QByteArrayView(m_line.data(), qsizetype(m_line.size()));
        return true;
    case rcTitles:
        if (rest.isEmpty() || !m_options.WritesHeader(htFieldsHeader))
            return false;
        buildLine(rest, rcTitles, m_line);
        line = QByteArrayView(m_line.data(), qsizetype(m_line.size()));
        return true;
    case rcTotals:
        if (rest.size() < 3 || !m_options.IncludeSummaryLine)
            return false;
        return totalsLine(rest, line);
    case rcTotalCaption: {
        QByteArray caption;
        for (int i = 0; i < 6; ++i)
            caption = NextField(fields);
        if (!m_totalsCaption.isEmpty())
            m_totalsCaption += ' ';
        m_totalsCaption += caption;
        return false;
    }
    case rcTitleColumnCount:
        // The title arrays hold ten columns; a larger count uses those ten.
        m_titleColumnCount = std::clamp(NextInt(fields), 0, kMaxTitleColumns);
        return false;
    case rcTitleColumnCaptions:
        for (int i = 1; i <= m_titleColumnCount; ++i)
            m_titleCaptions[i] = NextField(fields).left(kMaxTitleColumnLength);
        return false;
    case rcTitleColumnValue: {
        m_totalsCaption.clear();
        const int n = NextInt(fields);
        const QByteArray value = NextField(fields).left(kMaxTitleColumnLength);
        if (n >= 1 && n <= kMaxTitleColumns)
            m_titleValues[n] = value;
        return false;
    }
    case rcClearTitleColumns:
        for (QByteArray &value : m_titleValues)
            value.clear();
        return false;
    case rcReportHeaderLine:
        if (rest.isEmpty() || !m_options.WritesHeader(htReportHeader))
            return false;
        for (int i = 0; i < 4; ++i)
            NextField(fields);
        m_headerLine = fields;
        line = m_headerLine;
        return true;
    case rcCsvFormats:
        for (int i = 1; i <= kMaxExportColumns; ++i) {
            const QByteArray kind = NextField(fields);
            m_options.Columns[i].Kind = kind.isEmpty() ? char(0) : kind[0];
            m_options.Columns[i].Width = quint8(NextInt(fields));
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
bool TCsvExport::totalsLine(QByteArray rest, QByteArrayView &line)
{
    NextField(rest); // the rule flag
    const QByteArray commas(m_titleColumnCount, ',');
    QByteArray text;
    if (rest.startsWith('"')) {
        QByteArray caption = QuoteCsvField(m_totalsCaption);
        caption.chop(1); // the caption opens the quoted first total
        text = commas + caption + ' ' + rest.mid(1);
    } else if (m_titleColumnCount == 0 && !rest.startsWith(',') && !NextFieldPeek(rest).isEmpty()) {
        QByteArray remaining = rest;
        const QByteArray first = NextField(remaining);
        const QByteArray joined = m_totalsCaption.isEmpty() ? first : m_totalsCaption + ' ' + first;
        text = QuoteCsvField(joined) + (rest.contains(',') ? "," + remaining : QByteArray());
    } else {
        text = QuoteCsvField(m_totalsCaption) + commas + rest;
    }
    buildLine(text, rcTotals, m_line);
    line = QByteArrayView(m_line.data(), qsizetype(m_line.size()));
    m_totalsCaption.clear();
    return true;
}

QByteArray TCsvExport::BuildCsvLine(const QByteArray &fields, int recordCode) const
{
    buildLine(fields, recordCode, m_line);
    return QByteArray(m_line.data(), qsizetype(m_line.size()));
}

void TCsvExport::buildLine(QByteArrayView fields, int recordCode, std::string &line) const
{
    line.clear();
    if (m_options.WritesHeader(htReportHeader))
        line += m_options.Delimiter;
    int n = 1;
    // Title columns go in front: their values on data rows, their captions on other lines.
    if (m_titleColumnCount > 0 && recordCode != rcTotals) {
        const auto &titles = recordCode == rcData ? m_titleValues : m_titleCaptions;
        for (int i = 1; i <= m_titleColumnCount; ++i) {
            appendField(line, titles[i], n++, recordCode);
            line += m_options.Delimiter;
        }
    }
    TFieldCursor cursor(fields);
    do {
        appendField(line, cursor.Next(m_scratch), n++, recordCode);
        if (cursor.HasRest())
            line += m_options.Delimiter;
    } while (cursor.HasRest());
}

// One field: "|" becomes a space, the ends are trimmed, the column format applied (never to
// column titles), then visual DOS order when asked, then quotes when asked or needed.
void TCsvExport::appendField(std::string &line, QByteArrayView field, int n, int recordCode) const
{
    const char *begin = field.data();
    const char *end = begin + field.size();
    auto blank = [](char c) { return c == '|' || TFieldCursor::isBlank(c); };
    while (begin < end && blank(*begin))
        ++begin;
    while (end > begin && blank(end[-1]))
        --end;
    qsizetype length = end - begin;

    // The field is written straight into the line; the rare field that needs quotes is then
    // rewritten in place.
    const size_t start = line.size();
    const TColumnFormat format = (recordCode != rcTitles && n >= 1 && n <= kMaxExportColumns)
        ? m_options.Columns[n] : TColumnFormat();
    const qsizetype w = format.Width;
    if (format.Kind == 'L' && length > w) {
        end = begin + w;
    } else if ((format.Kind == 'R' || format.Kind == 'Z') && length > w) {
        begin = end - w;
    } else if ((format.Kind == 'R' || format.Kind == 'Z') && length < w) {
        line.append(size_t(w - length), format.Kind == 'Z' ? '0' : ' ');
    }
    const size_t textStart = line.size();
    line.append(begin, size_t(end - begin));
    const size_t textEnd = line.size();
    if (format.Kind == 'L' && length < w)
        line.append(size_t(w - length), ' ');
    // "|" inside the text becomes a space; a delimiter in the field asks for quotes. The
    // padding holds only spaces or zeros.
    const char delimiter = m_options.Delimiter;
    const char padding = format.Kind == 'Z' ? '0' : ' ';
    bool quote = m_options.ForceQuote || ((textStart > start || line.size() > textEnd) && delimiter == padding);
    for (char *c = line.data() + textStart, *last = line.data() + textEnd; c < last; ++c) {
        if (*c == '|')
            *c = ' ';
        quote |= *c == delimiter;
    }
    if (m_options.AsciiDos) {
        const QByteArray visual = StripSeparators(ToVisual(QByteArray(line.data() + start, qsizetype(line.size() - start))));
        line.resize(start);
        line.append(visual.constData(), size_t(visual.size()));
        quote = m_options.ForceQuote || line.find(delimiter, start) != std::string::npos;
    }
    if (quote) {
        std::string &text = m_field;
        text.assign(line, start, std::string::npos);
        line.resize(start);
        line += '"';
        for (const char c : text) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
}

QByteArray TCsvExport::FormatColumn(const QByteArray &text, int columnNumber) const
{
    if (columnNumber < 1 || columnNumber > kMaxExportColumns)
        return text;
    const TColumnFormat &format = m_options.Columns[columnNumber];
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
