#include "export/XlsxWorkbook.h"

#include "export/XlsxCells.h"
#include "export/XlsxExport.h"

namespace {
constexpr qsizetype kMaxCellCharacters = 32767;
constexpr int kMaxSheetColumns = 16384;
} // namespace

TXlsxWorkbook::TXlsxWorkbook(QIODevice &target, const QString &title, const TFormatSettings &formats, int rowsPerSheet)
    : m_zip(target)
    , m_title(XlsxSheetName(title))
    , m_rowsPerSheet(qMax(2, rowsPerSheet))
    , m_formats(formats)
{
}

TXlsxWorkbook::~TXlsxWorkbook() = default;

void TXlsxWorkbook::WriteRow(const TXlsxRow &row)
{
    m_rightToLeft = row.rightToLeft;
    m_frontColumns = row.frontColumns;
    if (row.widths)
        m_widths = row.widths;
    writeCells(row, row.kind);
}

void TXlsxWorkbook::writeCells(const TXlsxRow &row, TXlsxRowKind kind)
{
    if (!m_sheet || m_row >= m_rowsPerSheet) {
        newSheet();
        if (m_titles.CellCount() > 0 && kind != TXlsxRowKind::Titles)
            writeCells(m_titles, TXlsxRowKind::Titles); // the column titles again, above the rows that go on
    }
    const bool bold = kind == TXlsxRowKind::Titles || kind == TXlsxRowKind::Totals;
    if (kind == TXlsxRowKind::Titles) {
        m_titles = row;
        if (m_sheet->View().frozenRows == 0)
            m_sheet->View().frozenRows = m_row + 1;
    }
    m_sheet->BeginRow(m_row);
    const int columns = int(qMin<qsizetype>(row.CellCount(), kMaxSheetColumns));
    if (m_lastFormats.size() < size_t(columns)) {
        m_lastFormats.resize(columns);
        m_lastStyles.resize(columns);
    }
    for (int c = 0; c < columns; ++c) {
        const TXlsxCell cell = ClassifyXlsxCell(row.Cell(c), m_formats);
        if (cell.kind == TXlsxCell::Text) {
            // A cell holds at most 32,767 characters; spreadsheets refuse a longer one.
            m_sheet->Text(c, cell.text.left(kMaxCellCharacters), bold ? TXlsxStyles::kBold : TXlsxStyles::kPlain);
        } else if (cell.kind == TXlsxCell::Number) {
            m_sheet->Number(c, cell.number, numberStyle(c, cell.format, bold));
        } else if (bold) {
            m_sheet->Blank(c, TXlsxStyles::kBold);
        }
    }
    m_sheet->EndRow();
    ++m_row;
    if (kind == TXlsxRowKind::Titles)
        m_sheet->ReleaseHead(); // the frozen row is known: what comes before the rows is complete
}

bool TXlsxWorkbook::Close()
{
    if (!m_sheet)
        newSheet(); // a workbook has at least one sheet
    m_sheet->Finish();
    const bool shared = !m_strings.IsEmpty();
    m_zip.AddEntry("xl/styles.xml", m_styles.Xml());
    if (shared)
        m_zip.AddEntry("xl/sharedStrings.xml", m_strings.Xml());
    m_zip.AddEntry("xl/workbook.xml", XlsxWorkbook(m_sheetNames));
    m_zip.AddEntry("xl/_rels/workbook.xml.rels", XlsxWorkbookRelationships(int(m_sheetNames.size()), shared));
    m_zip.AddEntry("_rels/.rels", XlsxPackageRelationships());
    m_zip.AddEntry("[Content_Types].xml", XlsxContentTypes(int(m_sheetNames.size()), shared));
    return m_zip.Finish();
}

void TXlsxWorkbook::newSheet()
{
    if (m_sheet)
        m_sheet->Finish();
    QString name = m_title;
    const int number = int(m_sheetNames.size()) + 1;
    if (number > 1) {
        const QString suffix = QStringLiteral(" (%1)").arg(number);
        name = m_title.left(31 - suffix.size()) + suffix;
    }
    m_sheetNames.append(name);
    m_sheet = std::make_unique<TXlsxSheet>(m_zip, number, m_strings);
    TXlsxSheetView &view = m_sheet->View();
    view.rightToLeft = m_rightToLeft;
    view.selected = number == 1;
    view.widths.assign(size_t(m_frontColumns), 12);
    if (m_widths)
        view.widths.insert(view.widths.end(), m_widths->begin(), m_widths->end());
    m_row = 0;
}

// Most cells of a column share a format: ask the styles only when it changes.
int TXlsxWorkbook::numberStyle(int column, const QString &format, bool bold)
{
    if (bold)
        return m_styles.NumberStyle(format, true);
    if (m_lastStyles[column] == 0 || m_lastFormats[column] != format) {
        m_lastFormats[column] = format;
        m_lastStyles[column] = m_styles.NumberStyle(format, false);
    }
    return m_lastStyles[column];
}

