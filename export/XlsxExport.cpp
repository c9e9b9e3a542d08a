#include "export/XlsxExport.h"

#include "export/CsvExport.h"
#include "export/XlsxRowQueue.h"
#include "export/XlsxWorkbook.h"
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

// The fields of one CSV line as the CSV export wrote it, split at the delimiter outside
// double quotes, quotes removed and doubled quotes undone, into the row's text and cell ends.
// Windows-1255 gives one character a byte, so the ends found in bytes hold in the text.
void splitCsvLine(QByteArrayView line, char delimiter, QByteArray &cells, TXlsxRow &row)
{
    cells.clear();
    row.ends.clear();
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        if (i < n && line[i] == '"') {
            for (++i; i < n; ++i) {
                if (line[i] != '"') {
                    cells += line[i];
                } else if (i + 1 < n && line[i + 1] == '"') {
                    cells += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const qsizetype start = i;
        while (i < n && line[i] != delimiter)
            ++i;
        cells += line.sliced(start, i - start);
        row.ends.append(cells.size());
        if (i >= n)
            break;
        ++i; // the delimiter
    }
    row.text = FastWin1255(cells);
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
        TXlsxWorkbook book(output.Device(), QFileInfo(reportFile).completeBaseName(),
                           formats ? *formats : ReadIntlSettings(), rowsPerSheet);
        if (!book.IsOpen())
            return TExportStatus::TargetUnwritable;
        if (reader.ReadHeader()) {
            TXlsxRowQueue rows(book);
            TXlsxRow layout; // what rows take from the records before them
            QByteArrayView line;
            QByteArray cells; // kept from row to row, so its room is made once
            const char delimiter = csvOptions.Delimiter ? csvOptions.Delimiter : ',';
            completed = WalkRecords(reader, &progress, [&](int code, const QByteArray &rest) {
                if (code == rcRightToLeft)
                    layout.rightToLeft = true;
                else if (code == rcColumnWidths)
                    layout.widths = std::make_shared<const std::vector<double>>(columnWidths(rest));
                if (!csv.HandleRecord(code, rest, line))
                    return;
                TXlsxRow row = layout;
                row.frontColumns = (csvOptions.WritesHeader(htReportHeader) ? 1 : 0) + csv.TitleColumnCount();
                row.kind = code == rcTitles ? TXlsxRowKind::Titles
                           : code == rcTotals ? TXlsxRowKind::Totals
                           : code == rcReportHeaderLine ? TXlsxRowKind::Header
                                                        : TXlsxRowKind::Data;
                splitCsvLine(line, delimiter, cells, row);
                rows.Add(std::move(row));
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
