#include "export/XlsxSheet.h"

#include "export/XlsxParts.h"
#include "export/ZipWriter.h"

#include <charconv>
#include <cmath>

namespace {

constexpr qsizetype kPieceSize = 1024 * 1024;
// A column's first texts tell whether its texts come again.
constexpr int kSharingTrial = 1000;

// "A", "Z", "AA", ... for a column from 0.
QByteArray columnName(int column)
{
    QByteArray name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(char('A' + (n - 1) % 26));
    return name;
}

void appendInteger(std::string &out, qint64 n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, size_t(end - digits));
}

// A column width as spreadsheets store it: the characters' pixels and the cell's margin,
// in 256ths of a character.
double storedWidth(double characters)
{
    const int pixels = int(characters * 7 + 0.5) + 5;
    return int(pixels / 7.0 * 256) / 256.0;
}

} // namespace

TXlsxSheet::TXlsxSheet(TZipWriter &zip, int number, TXlsxSharedStrings &strings)
    : m_zip(zip)
    , m_strings(strings)
{
    m_zip.BeginEntry("xl/worksheets/sheet" + QByteArray::number(number) + ".xml");
    m_rows.reserve(size_t(kPieceSize) + 64 * 1024);
}

void TXlsxSheet::ReleaseHead()
{
    if (m_headWritten)
        return;
    m_headWritten = true;
    QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                      "<sheetViews><sheetView";
    if (m_view.rightToLeft)
        head += " rightToLeft=\"1\"";
    if (m_view.selected)
        head += " tabSelected=\"1\"";
    head += " workbookViewId=\"0\"";
    if (m_view.frozenRows > 0) {
        const QByteArray rows = QByteArray::number(m_view.frozenRows);
        head += "><pane ySplit=\"" + rows + "\" topLeftCell=\"A" + QByteArray::number(m_view.frozenRows + 1)
                + "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\"/></sheetView>";
    } else {
        head += "/>";
    }
    head += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    QByteArray columns;
    for (size_t i = 0; i < m_view.widths.size(); ++i) {
        if (m_view.widths[i] <= 0)
            continue;
        const QByteArray n = QByteArray::number(qulonglong(i + 1));
        columns += "<col min=\"" + n + "\" max=\"" + n + "\" width=\""
                   + QByteArray::number(storedWidth(m_view.widths[i]), 'g', 12) + "\" customWidth=\"1\"/>";
    }
    if (!columns.isEmpty())
        head += "<cols>" + columns + "</cols>";
    head += "<sheetData>";
    m_zip.Write(head);
    flushIfFull();
}

void TXlsxSheet::flushIfFull()
{
    if (qsizetype(m_rows.size()) < kPieceSize)
        return;
    if (!m_headWritten) {
        ReleaseHead(); // comes back here with the head written
        return;
    }
    m_zip.Write(QByteArray(m_rows.data(), qsizetype(m_rows.size())));
    m_rows.clear(); // keeps the capacity
}

void TXlsxSheet::BeginRow(int row)
{
    m_rows += "<row r=\"";
    appendInteger(m_rows, qint64(row) + 1);
    m_rows += "\">";
    m_row = row;
    m_nextColumn = 0;
}

// A cell's place is written only after a gap: a cell without one follows the one before.
void TXlsxSheet::startCell(int column, int style)
{
    m_rows += "<c";
    if (column != m_nextColumn) {
        m_rows += " r=\"";
        m_rows += columnName(column).toStdString();
        appendInteger(m_rows, qint64(m_row) + 1);
        m_rows += '"';
    }
    if (style) {
        m_rows += " s=\"";
        appendInteger(m_rows, style);
        m_rows += '"';
    }
    m_nextColumn = column + 1;
}

void TXlsxSheet::Number(int column, double value, int style)
{
    if (!std::isfinite(value))
        return Blank(column, style);
    startCell(column, style);
    m_rows += "><v>";
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_rows.append(digits, size_t(end - digits));
    m_rows += "</v></c>";
}

void TXlsxSheet::Text(int column, QStringView text, int style)
{
    startCell(column, style);
    if (m_columnTexts.size() <= size_t(column))
        m_columnTexts.resize(size_t(column) + 1);
    TColumnTexts &texts = m_columnTexts[size_t(column)];
    // Phone numbers and the like are new row after row: sharing them only fills the table.
    const bool unique = texts.seen >= kSharingTrial && texts.added * 10 >= texts.seen * 9;
    bool added = false;
    const int shared = unique ? -1 : m_strings.IndexOf(text, &added);
    if (!unique && texts.seen < kSharingTrial) {
        ++texts.seen;
        texts.added += added ? 1 : 0;
    }
    if (shared >= 0) {
        m_rows += " t=\"s\"><v>";
        appendInteger(m_rows, shared);
        m_rows += "</v></c>";
    } else {
        m_rows += " t=\"inlineStr\"><is><t>";
        AppendXmlText(m_rows, text);
        m_rows += "</t></is></c>";
    }
}

void TXlsxSheet::Blank(int column, int style)
{
    startCell(column, style);
    m_rows += "/>";
}

void TXlsxSheet::EndRow()
{
    m_rows += "</row>";
    flushIfFull();
}

void TXlsxSheet::Finish()
{
    ReleaseHead();
    m_rows += "</sheetData></worksheet>";
    m_zip.Write(QByteArray(m_rows.data(), qsizetype(m_rows.size())));
    m_rows = std::string();
    m_zip.EndEntry();
}
