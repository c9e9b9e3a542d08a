#include "export/XlsxExport.h"

#include "export/CsvExport.h"
#include "export/XlsxCells.h"
#include "export/XlsxParts.h"
#include "export/XlsxSheet.h"
#include "export/ZipWriter.h"
#include "foundation/OutputFile.h"
#include "foundation/IntlSettings.h"
#include "report/FastText.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"

#include <QFileInfo>
#include <memory>
#include <vector>

namespace {

// The fields of one CSV line as the CSV export wrote it: split at the delimiter outside
// double quotes, quotes removed and doubled quotes undone.
void splitCsvLine(QByteArrayView line, char delimiter, QStringList &fields)
{
    fields.clear();
    QByteArray quoted;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        if (i < n && line[i] == '"') {
            quoted.clear();
            for (++i; i < n; ++i) {
                if (line[i] != '"') {
                    quoted += line[i];
                } else if (i + 1 < n && line[i + 1] == '"') {
                    quoted += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            const qsizetype start = i;
            while (i < n && line[i] != delimiter)
                ++i;
            quoted += line.sliced(start, i - start);
            fields.append(FastWin1255(quoted));
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != delimiter)
                ++i;
            fields.append(FastWin1255(line.sliced(start, i - start)));
        }
        if (i >= n)
            break;
        ++i; // the delimiter
    }
}

// Record 102's widths in characters: "C"k and "D"k are k characters and one more, other
// values pixels (seven to a character) and two more.
std::vector<double> columnWidths(QByteArray rest)
{
    std::vector<double> widths;
    for (int i = 0; i < kMaxExportColumns && !rest.trimmed().isEmpty(); ++i) {
        const QByteArray field = NextField(rest).trimmed();
        double width = 0;
        if (field.startsWith('C') || field.startsWith('D'))
            width = std::clamp(field.mid(1).toInt(), 0, 250) + 1;
        else if (!field.isEmpty())
            width = std::clamp(qRound(field.toInt() / 7.0), 0, 250) + 2;
        widths.push_back(width);
    }
    return widths;
}

enum class TRowKind { Data, Titles, Totals, Header };

constexpr qsizetype kMaxCellCharacters = 32767;
constexpr int kMaxSheetColumns = 16384;

// The workbook's sheets, styles and shared texts, written into the archive as the rows come.
class TWorkbookWriter
{
public:
    TWorkbookWriter(QIODevice &target, const QString &title, const TFormatSettings &formats, int rowsPerSheet)
        : m_zip(target)
        , m_title(XlsxSheetName(title))
        , m_rowsPerSheet(qMax(2, rowsPerSheet))
        , m_formats(formats)
    {
    }

    bool IsOpen() const { return m_zip.IsOpen(); }
    void SetRightToLeft() { m_rightToLeft = true; }
    void SetFrontColumns(int columns) { m_frontColumns = columns; } // report-header mark, title columns
    void SetColumnWidths(const std::vector<double> &widths) { m_widths = widths; }

    void WriteRow(const QStringList &cells, TRowKind kind)
    {
        if (!m_sheet || m_row >= m_rowsPerSheet) {
            newSheet();
            if (!m_titles.isEmpty() && kind != TRowKind::Titles)
                WriteRow(m_titles, TRowKind::Titles); // the column titles again, above the rows that go on
        }
        const bool bold = kind == TRowKind::Titles || kind == TRowKind::Totals;
        if (kind == TRowKind::Titles) {
            m_titles = cells;
            if (m_sheet->View().frozenRows == 0)
                m_sheet->View().frozenRows = m_row + 1;
        }
        m_sheet->BeginRow(m_row);
        const int columns = int(qMin<qsizetype>(cells.size(), kMaxSheetColumns));
        if (m_lastFormats.size() < size_t(columns)) {
            m_lastFormats.resize(columns);
            m_lastStyles.resize(columns);
        }
        for (int c = 0; c < columns; ++c) {
            const TXlsxCell cell = ClassifyXlsxCell(cells[c], m_formats);
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
        if (kind == TRowKind::Titles)
            m_sheet->ReleaseHead(); // the frozen row is known: what comes before the rows is complete
    }

    // Writes the rest of the workbook; false when it could not be written.
    bool Close()
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

private:
    void newSheet()
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
        view.widths.insert(view.widths.end(), m_widths.begin(), m_widths.end());
        m_row = 0;
    }

    // Most cells of a column share a format: ask the styles only when it changes.
    int numberStyle(int column, const QString &format, bool bold)
    {
        if (bold)
            return m_styles.NumberStyle(format, true);
        if (m_lastStyles[column] == 0 || m_lastFormats[column] != format) {
            m_lastFormats[column] = format;
            m_lastStyles[column] = m_styles.NumberStyle(format, false);
        }
        return m_lastStyles[column];
    }

    TZipWriter m_zip;
    QString m_title;
    int m_rowsPerSheet;
    TFormatSettings m_formats;
    bool m_rightToLeft = false;
    int m_frontColumns = 0;
    std::vector<double> m_widths;
    TXlsxStyles m_styles;
    TXlsxSharedStrings m_strings;
    std::unique_ptr<TXlsxSheet> m_sheet;
    QStringList m_sheetNames;
    int m_row = 0;
    QStringList m_titles;
    std::vector<QString> m_lastFormats;
    std::vector<int> m_lastStyles;
};

} // namespace

bool IsXlsxExportTarget(const QString &target)
{
    return target.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
}

QString XlsxSheetName(const QString &title)
{
    QString name;
    for (QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c) && c.unicode() >= 32)
            name += c;
    name = name.trimmed();
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    name = name.left(31);
    while (name.endsWith(u'\''))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("Report") : name;
}

TExportStatus ExportReportToXlsx(const QString &reportFile, const QString &target, const TExportOptions &options,
                                 TProgressSink &progress, const TFormatSettings *formats, int rowsPerSheet)
{
    TSrpReader reader(reportFile);
    if (!reader.Open())
        return TExportStatus::ReportUnreadable;
    TOutputFile output(target);
    if (!output.Open())
        return TExportStatus::TargetUnwritable;

    TExportOptions csvOptions = options;
    csvOptions.AsciiDos = false; // cells in logical order, whatever the CSV is set to
    TCsvExport csv(csvOptions);
    bool completed = false;
    bool written = false;
    {
        TWorkbookWriter book(output.Device(), QFileInfo(reportFile).completeBaseName(),
                             formats ? *formats : ReadIntlSettings(), rowsPerSheet);
        if (!book.IsOpen())
            return TExportStatus::TargetUnwritable;
        if (reader.ReadHeader()) {
            QByteArrayView line;
            QStringList fields; // kept from row to row, so its room is made once
            const char delimiter = csvOptions.Delimiter ? csvOptions.Delimiter : ',';
            completed = WalkRecords(reader, &progress, [&](int code, const QByteArray &rest) {
                if (code == rcRightToLeft)
                    book.SetRightToLeft();
                else if (code == rcColumnWidths)
                    book.SetColumnWidths(columnWidths(rest));
                if (!csv.HandleRecord(code, rest, line))
                    return;
                book.SetFrontColumns((csvOptions.WritesHeader(htReportHeader) ? 1 : 0) + csv.TitleColumnCount());
                const TRowKind kind = code == rcTitles ? TRowKind::Titles
                                      : code == rcTotals ? TRowKind::Totals
                                      : code == rcReportHeaderLine ? TRowKind::Header
                                                                   : TRowKind::Data;
                splitCsvLine(line, delimiter, fields);
                book.WriteRow(fields, kind);
            }) == TRecordWalk::End;
        } else {
            completed = !progress.Cancelled();
        }
        if (completed)
            written = book.Close();
    }
    if (!completed)
        return TExportStatus::Cancelled;
    if (!written || !output.Commit())
        return TExportStatus::TargetUnwritable;
    progress.Progress(100);
    return TExportStatus::Done;
}
