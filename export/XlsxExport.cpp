#include "export/XlsxExport.h"

#include "export/CsvExport.h"
#include "export/XlsxCells.h"
#include "foundation/IntlSettings.h"
#include "report/FastText.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <cstdio>
#include <vector>
#include <xlsxwriter.h>

namespace {

// The fields of one CSV line as the CSV export wrote it: split at the delimiter outside
// double quotes, quotes removed and doubled quotes undone.
QStringList splitCsvLine(QByteArrayView line, char delimiter)
{
    QStringList fields;
    QByteArray field;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        field.clear();
        if (i < n && line[i] == '"') {
            for (++i; i < n; ++i) {
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < n && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        while (i < n && line[i] != delimiter)
            field += line[i++];
        fields.append(FastWin1255(field));
        if (i >= n)
            break;
        ++i; // the delimiter
    }
    return fields;
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

class TWorkbookWriter
{
public:
    TWorkbookWriter(const QString &path, const QString &title, const TFormatSettings &formats, int rowsPerSheet)
        : m_title(XlsxSheetName(title))
        , m_rowsPerSheet(qMax(2, rowsPerSheet))
        , m_formats(formats)
    {
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    }
    ~TWorkbookWriter()
    {
        if (m_book)
            workbook_close(m_book); // only when Close() was not called: the file is discarded
    }

    bool IsOpen() const { return m_book != nullptr; }
    bool RightToLeft = false;
    int FrontColumns = 0; // columns in front of the report's own (report-header mark, title columns)

    void SetColumnWidths(std::vector<double> widths)
    {
        m_widths = std::move(widths);
        if (m_sheet)
            applyWidths();
    }

    void WriteRow(const QStringList &cells, TRowKind kind)
    {
        if (!m_book)
            return;
        if (!m_sheet || m_row >= m_rowsPerSheet) {
            newSheet();
            if (!m_titles.isEmpty() && kind != TRowKind::Titles)
                WriteRow(m_titles, TRowKind::Titles); // the column titles again, above the rows that go on
        }
        const bool bold = kind == TRowKind::Titles || kind == TRowKind::Totals;
        if (kind == TRowKind::Titles) {
            m_titles = cells;
            if (!m_frozen) {
                worksheet_freeze_panes(m_sheet, lxw_row_t(m_row + 1), 0);
                m_frozen = true;
            }
        }
        for (qsizetype c = 0; c < cells.size() && c < 16384; ++c) {
            const TXlsxCell cell = ClassifyXlsxCell(cells[c], m_formats);
            const lxw_col_t col = lxw_col_t(c);
            if (cell.kind == TXlsxCell::Text) {
                // A cell holds at most 32,767 characters; the library would drop a longer one.
                worksheet_write_string(m_sheet, lxw_row_t(m_row), col,
                                       cell.text.left(kMaxCellCharacters).toUtf8().constData(),
                                       bold ? boldFormat() : nullptr);
            } else if (cell.kind == TXlsxCell::Number) {
                worksheet_write_number(m_sheet, lxw_row_t(m_row), col, cell.number, numberFormat(cell.format, bold));
            } else if (bold) {
                worksheet_write_blank(m_sheet, lxw_row_t(m_row), col, boldFormat());
            }
        }
        ++m_row;
    }

    // Writes the workbook; false when it could not be written.
    bool Close()
    {
        if (!m_book)
            return false;
        if (!m_sheet)
            newSheet(); // a workbook has at least one sheet
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    void newSheet()
    {
        ++m_sheetCount;
        QString name = m_title;
        if (m_sheetCount > 1) {
            const QString suffix = QStringLiteral(" (%1)").arg(m_sheetCount);
            name = m_title.left(31 - suffix.size()) + suffix;
        }
        m_sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
        if (!m_sheet) // a name the library refuses
            m_sheet = workbook_add_worksheet(m_book, nullptr);
        if (RightToLeft)
            worksheet_right_to_left(m_sheet);
        m_row = 0;
        m_frozen = false;
        applyWidths();
    }

    void applyWidths()
    {
        for (int i = 0; i < FrontColumns; ++i)
            worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i), 12, nullptr);
        for (size_t i = 0; i < m_widths.size(); ++i)
            if (m_widths[i] > 0)
                worksheet_set_column(m_sheet, lxw_col_t(FrontColumns + int(i)), lxw_col_t(FrontColumns + int(i)),
                                     m_widths[i], nullptr);
    }

    lxw_format *boldFormat()
    {
        if (!m_bold) {
            m_bold = workbook_add_format(m_book);
            format_set_bold(m_bold);
        }
        return m_bold;
    }

    lxw_format *numberFormat(const QString &numberFormat, bool bold)
    {
        auto &formats = bold ? m_boldNumbers : m_numbers;
        auto it = formats.constFind(numberFormat);
        if (it != formats.constEnd())
            return *it;
        lxw_format *format = workbook_add_format(m_book);
        format_set_num_format(format, numberFormat.toUtf8().constData());
        if (bold)
            format_set_bold(format);
        formats.insert(numberFormat, format);
        return format;
    }

    QString m_title;
    int m_rowsPerSheet;
    TFormatSettings m_formats;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    int m_sheetCount = 0;
    int m_row = 0;
    bool m_frozen = false;
    QStringList m_titles;
    std::vector<double> m_widths;
    lxw_format *m_bold = nullptr;
    QHash<QString, lxw_format *> m_numbers, m_boldNumbers;
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
    // Written beside the target and put in its place only when complete.
    QTemporaryFile temp(QFileInfo(target).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        return TExportStatus::TargetUnwritable;
    temp.close();

    TExportOptions csvOptions = options;
    csvOptions.AsciiDos = false; // cells in logical order, whatever the CSV is set to
    TCsvExport csv(csvOptions);
    bool completed = false;
    bool written = false;
    {
        TWorkbookWriter book(temp.fileName(), QFileInfo(reportFile).completeBaseName(),
                             formats ? *formats : ReadIntlSettings(), rowsPerSheet);
        if (!book.IsOpen())
            return TExportStatus::TargetUnwritable;
        if (reader.ReadHeader()) {
            QByteArrayView line;
            const char delimiter = csvOptions.Delimiter ? csvOptions.Delimiter : ',';
            completed = WalkRecords(reader, &progress, [&](int code, const QByteArray &rest) {
                if (code == rcRightToLeft)
                    book.RightToLeft = true;
                else if (code == rcColumnWidths)
                    book.SetColumnWidths(columnWidths(rest));
                if (!csv.HandleRecord(code, rest, line))
                    return;
                book.FrontColumns = (csvOptions.WritesHeader(htReportHeader) ? 1 : 0) + csv.TitleColumnCount();
                const TRowKind kind = code == rcTitles ? TRowKind::Titles
                                      : code == rcTotals ? TRowKind::Totals
                                      : code == rcReportHeaderLine ? TRowKind::Header
                                                                   : TRowKind::Data;
                book.WriteRow(splitCsvLine(line, delimiter), kind);
            }) == TRecordWalk::End;
        } else {
            completed = !progress.Cancelled();
        }
        if (completed)
            written = book.Close();
    }
    if (!completed)
        return TExportStatus::Cancelled;
    if (!written)
        return TExportStatus::TargetUnwritable;
    progress.Progress(100);
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return TExportStatus::TargetUnwritable;
    temp.setAutoRemove(false);
    return TExportStatus::Done;
}
