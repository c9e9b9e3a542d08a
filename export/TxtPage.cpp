// Text pages: records, the column model, cell padding and the header parts.
#include "export/TxtPage.h"

#include "export/FieldCursor.h"
#include "export/LineWriter.h"
#include "foundation/Numbers.h"
#include "foundation/VisualHebrew.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"
#include "report/ReportLimits.h"

#include <algorithm>

namespace {

QByteArray spaces(qsizetype n) { return QByteArray(std::max<qsizetype>(n, 0), ' '); }
int half(double n) { return RoundHalfEven(n / 2.0); }
int visibleLength(const QByteArray &text) { return int(StripSeparators(text).size()); }

// A width field: "C"k or "D"k is k characters plus one; otherwise pixels over pixelsPerChar.
// At most kMaxTxtPageWidth, whatever the file says.
int charWidth(const QByteArray &field, double pixelsPerChar)
{
    if (field.startsWith('C') || field.startsWith('D'))
        return std::clamp(FieldToInt(field.mid(1)), -1, kMaxTxtPageWidth - 1) + 1;
    const int pixels = std::clamp(FieldToInt(field), -2 * int(pixelsPerChar), int(kMaxTxtPageWidth * pixelsPerChar));
    return std::min(RoundHalfEven(pixels / pixelsPerChar) + 2, kMaxTxtPageWidth);
}

} // namespace

TTxtPage::TTxtPage(TLineWriter &target, const TExportOptions &options)
    : Options(options), m_target(target)
{
}

QByteArray TTxtPage::visual(const QByteArray &text) const
{
    return Options.AsciiDos ? ToVisual(text) : text;
}

int TTxtPage::widthSum(int first, int last) const
{
    int sum = 0;
    for (int i = std::max(first, 1); i <= std::min(last, kMaxExportColumns); ++i)
        sum += Columns[i].Width;
    return sum;
}

void TTxtPage::HandleRecord(int code, const QByteArray &rest)
{
    QByteArray fields = rest;
    switch (code) {
    case rcData:
        dataLine(fields);
        break;
    case rcColumnCount:
    case rcChangeColumnCount: {
        const auto count = ParseInteger(NextField(fields));
        if (count || !m_columnCountSet)
            ColumnCount = std::clamp(count.value_or(0), 0, kMaxExportColumns);
        m_columnCountSet = true;
        m_partsStale = true;
        break;
    }
    case rcColumnWidths:
        columnWidths(fields);
        break;
    case rcDataAlignment:
        for (int i = 1; i <= ColumnCount; ++i) {
            const QByteArray letter = NextField(fields);
            if (!letter.isEmpty())
                Columns[i].Align = letter[0];
        }
        break;
    case rcTitles:
        TitleText = rest;
        m_partsStale = true;
        break;
    case rcTitleRowCount:
        TitleRowCount = std::clamp(NextInt(fields, 1), 1, 5);
        m_partsStale = true;
        break;
    case rcTotals:
        totalsLine(fields);
        break;
    case rcTotalCaption:
        groupCaption(fields);
        break;
    case rcTotalLines:
        ruleDefinition(fields);
        break;
    case rcReportHeaderLine: {
        NextField(fields); // style
        const QByteArray letter = NextField(fields);
        NextField(fields); // space before
        NextField(fields); // space after
        reportHeaderLine(visual(NextField(fields)), letter.isEmpty() ? ' ' : letter[0]);
        break;
    }
    case rcReplaceReportHeaderLine:
        NextField(fields); // line number
        reportHeaderLine(NextField(fields), 'C');
        break;
    case rcClearReportHeader:
        ReportHeaderLines.clear();
        m_partsStale = true;
        break;
    case rcSubHeaderWidths:
        subHeaderWidths(fields);
        break;
    case rcSubHeaderCell:
        subHeaderCaption(fields);
        break;
    case rcSubHeaderInfoLine:
        SubHeaderInfo = rest;
        break;
    case rcHeaderFooterRepeat: {
        const QByteArray letter = NextField(fields);
        UserDefRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcHeaderFooterMacro: {
        const QByteArray name = NextField(fields);
        const QByteArray value = NextField(fields);
        HeaderBlock.SetMacro(name, value);
        FooterBlock.SetMacro(name, value);
        break;
    }
    case rcUserDefHeaderStyle:
        HeaderBlock.ApplyStyleRecord(fields, true, RightToLeft);
        // Lines already on the page go out first: a new header never drops data.
        if (!m_body.isEmpty())
            endPage();
        startPage();
        break;
    case rcUserDefHeaderLine:
        HeaderBlock.ApplyLineRecord(fields);
        break;
    case rcUserDefFooterStyle:
        FooterBlock.ApplyStyleRecord(fields, false, RightToLeft);
        break;
    case rcUserDefFooterLine:
        FooterBlock.ApplyLineRecord(fields);
        break;
    case rcSectionEnd:
        sectionEnd();
        break;
    case rcTableStyle: {
        const QByteArray letter = NextField(fields);
        ReportStyle = (!letter.isEmpty() && letter[0] >= '0' && letter[0] <= '3') ? letter[0] : '1';
        break;
    }
    case rcRightToLeft:
        RightToLeft = true;
        m_partsStale = true;
        break;
    case 908:
    case rcEndOfReport:
        reportEnd();
        break;
    default:
        break;
    }
}

void TTxtPage::columnWidths(QByteArray fields)
{
    PageWidth = 0;
    for (int i = 1; i <= ColumnCount; ++i) {
        const QByteArray field = NextField(fields);
        if (field.isEmpty())
            continue;
        // The page stays within its maximum: a column gets what is left of it.
        Columns[i].Width = std::min(charWidth(field, 7.0), kMaxTxtPageWidth - PageWidth);
        PageWidth += Columns[i].Width;
    }
    HeaderBlock.SetPageWidth(PageWidth);
    FooterBlock.SetPageWidth(PageWidth);
    m_partsStale = true;
}

void TTxtPage::subHeaderWidths(QByteArray fields)
{
    SubHeaderColumns.clear();
    int total = 0; // the sub-header table is a page wide at most, as the columns are
    while (!fields.isEmpty() && SubHeaderColumns.size() < kMaxSubHeaderItems) {
        const QByteArray field = NextField(fields);
        if (field.isEmpty())
            continue;
        const int width = std::min(charWidth(field, SubHeaderColumns.isEmpty() ? 17.0 : 7.5), kMaxTxtPageWidth - total);
        SubHeaderColumns.append(width);
        total += std::max(width, 0);
    }
    m_subHeaderStale = true;
}

void TTxtPage::subHeaderCaption(QByteArray fields)
{
    const int row = NextInt(fields);
    const int column = NextInt(fields);
    for (int i = 0; i < 4; ++i)
        NextField(fields); // style, alignment, space before, space after
    QByteArray caption = NextField(fields);
    // Rows hold at most as many as the drawn sub-header has items.
    if (row < 1 || row > 200 || column < 1 || column > SubHeaderColumns.size())
        return;
    while (SubHeaderRows.size() < row)
        SubHeaderRows.append(QList<QByteArray>(SubHeaderColumns.size(), " "));
    QList<QByteArray> &cells = SubHeaderRows[row - 1];
    while (cells.size() < SubHeaderColumns.size())
        cells.append(" ");

    const int width = SubHeaderColumns[column - 1];
    if (caption.isEmpty()) {
        caption = spaces(width);
    } else {
        if (visibleLength(caption) > width)
            caption = (' ' + caption).left(width);
        caption = visual(caption);
        const QByteArray pad = spaces(width - caption.size());
        caption = RightToLeft ? pad + caption : caption + pad;
    }
    cells[column - 1] = caption;
    m_subHeaderStale = true;
}

void TTxtPage::reportHeaderLine(const QByteArray &text, char letter)
{
    // The first header line after the header went onto a page starts a new header.
    if (m_headerUsed) {
        ReportHeaderLines.clear();
        m_subHeaderTable.clear();
        m_headerUsed = false;
    }
    ReportHeaderLines.append(text + letter);
    m_partsStale = true;
}

QByteArray TTxtPage::PadCell(int column, const QByteArray &text) const
{
    std::string cell;
    appendPadded(cell, column, text);
    return QByteArray(cell.data(), qsizetype(cell.size()));
}

// PadCell, appending to a line that is being built (no allocation per cell).
void TTxtPage::appendPadded(std::string &out, int column, QByteArrayView text) const
{
    const TColumn &c = Columns[std::clamp(column, 1, kMaxExportColumns)];
    int visible = 0;
    for (const char ch : text)
        visible += ch != kSegmentSeparator;
    const int q = c.Width - visible;
    auto pad = [&out](int n) {
        if (n > 0)
            out.append(size_t(n), ' ');
    };
    auto append = [&out, &text] { out.append(text.data(), size_t(text.size())); };
    const bool trailing = column != 1;
    switch (c.Align) {
    case 'L':
        append();
        pad(q);
        break;
    case 'R':
        pad(q - 1);
        append();
        out += ' ';
        break;
    case 'C':
        if (text.isEmpty()) {
            pad(q);
        } else {
            pad(half(q));
            append();
            pad(half(q));
        }
        break;
    case 'D':
    case 'N':
        if ((c.Align == 'D') == RightToLeft) {
            pad(q - 1);
            append();
            if (trailing)
                out += ' ';
        } else {
            append();
            pad(q);
        }
        break;
    default:
        break;
    }
}

void TTxtPage::dataLine(QByteArray fields)
{
    if (ReportEmpty)
        return;
    // Views into the record, or into per-column copies for unquoted and visual text.
    std::array<QByteArrayView, kMaxExportColumns + 1> cells;
    TFieldCursor cursor(fields);
    for (int i = 1; i <= ColumnCount; ++i) {
        cells[i] = cursor.Next(m_scratch[i]);
        if (Options.AsciiDos) {
            m_visualCells[i] = ToVisual(cells[i].toByteArray());
            cells[i] = m_visualCells[i];
        }
    }

    const qsizetype separatorLength = Options.DataOnly ? 0 : 1;
    std::string &line = m_line;
    line.clear();
    for (int k = 0; k < ColumnCount; ++k) {
        const int i = RightToLeft ? ColumnCount - k : k + 1;
        if (RightToLeft && k > 0)
            line += kSegmentSeparator;
        const size_t start = line.size();
        appendPadded(line, i, cells[i]);
        const qsizetype length = qsizetype(line.size() - start);
        const int width = Columns[i].Width;
        if (length > width) {
            // Too long: keep what the alignment shows and end with the separator space.
            const qsizetype keep = std::max<qsizetype>(width - separatorLength, 0);
            const char align = Columns[i].Align;
            const bool keepEnd = align == 'R' || (align != 'L' && RightToLeft);
            if (keepEnd)
                line.erase(start, size_t(length - keep));
            else
                line.resize(start + size_t(keep));
            if (separatorLength)
                line += ' ';
        }
    }
    const QByteArray bytes(line.data(), qsizetype(line.size()));
    addLine(Options.AsciiDos ? StripSeparators(bytes) : bytes);
}

void TTxtPage::buildParts()
{
    if (m_partsStale) {
        buildTitleBlock();
        buildReportHeader();
        m_partsStale = false;
    }
    if (m_subHeaderStale) {
        buildSubHeaderTable();
        m_subHeaderStale = false;
    }
    m_headerUsed = true;
}

void TTxtPage::buildTitleBlock()
{
    std::array<std::array<QByteArray, 5>, kMaxExportColumns + 1> pieces;
    QByteArray titles = TitleText;
    for (int i = 1; i <= ColumnCount; ++i) {
        QByteArray rows = NextField(titles);
        const int width = Columns[i].Width - 1;
        for (int r = 0; r < 5; ++r) {
            QByteArray piece = rows.isEmpty() ? QByteArray() : visual(NextField(rows, '|'));
            if (piece.isEmpty())
                piece = " ";
            if (piece.size() > width)
                piece = RightToLeft ? piece.right(std::max(width, 0)) : piece.left(std::max(width, 0));
            pieces[i][r] = piece;
        }
    }

    m_titleBlock.clear();
    QByteArray separator(" ");
    if (RightToLeft && !Options.AsciiDos)
        separator += kSegmentSeparator;
    auto columnAt = [&](int k) { return RightToLeft ? ColumnCount - k : k + 1; };
    for (int r = 0; r < TitleRowCount; ++r) {
        QByteArray line;
        for (int k = 0; k < ColumnCount; ++k) {
            const int i = columnAt(k);
            const QByteArray &piece = pieces[i][r];
            const QByteArray pad = spaces(Columns[i].Width - 1 - piece.size());
            if (k > 0)
                line += separator;
            line += RightToLeft ? pad + piece : piece + pad;
        }
        m_titleBlock.append(line);
    }
    QByteArray underline;
    for (int k = 0; k < ColumnCount; ++k) {
        const int i = columnAt(k);
        const bool hasText = pieces[i][TitleRowCount - 1].trimmed().size() > 0;
        if (k > 0)
            underline += ' ';
        underline += QByteArray(std::max(Columns[i].Width - 1, 0), hasText ? '-' : ' ');
    }
    m_titleBlock.append(underline);
}

void TTxtPage::buildReportHeader()
{
    m_reportHeaderBlock.clear();
    for (const QByteArray &stored : std::as_const(ReportHeaderLines)) {
        const char letter = stored.isEmpty() ? ' ' : stored.back();
        const int length = int(stored.size());
        QByteArray line = stored.left(stored.size() - 1);
        const bool right = letter == 'R' || (letter == 'D' && RightToLeft) || (letter == 'N' && !RightToLeft);
        if (letter == 'C')
            line = spaces(half(PageWidth) - half(length - 1)) + line;
        else if (right)
            line = spaces(PageWidth - length - 1) + line;
        m_reportHeaderBlock.append(Options.AsciiDos ? StripSeparators(line) : line);
    }
}

void TTxtPage::buildSubHeaderTable()
{
    m_subHeaderTable.clear();
    for (qsizetype r = 0; r < SubHeaderRows.size(); ++r) {
        if (r == 3)
            m_subHeaderTable.append(" ");
        QByteArray line;
        const QList<QByteArray> &cells = SubHeaderRows[r];
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c > 0 && !Options.AsciiDos)
                line += kSegmentSeparator;
            line += cells[c] == " " ? spaces(SubHeaderColumns.value(c)) : cells[c];
        }
        m_subHeaderTable.append(Options.AsciiDos ? StripSeparators(line) : line);
    }
}
