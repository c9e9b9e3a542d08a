#include "export/ExportToFile.h"

#include "export/CsvExport.h"
#include "export/LineWriter.h"
#include "export/TxtPage.h"
#include "export/XlsxExport.h"
#include "foundation/InputFile.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"

namespace {

// Text pages need to know beforehand whether the first data row has any field.
bool reportIsEmpty(const QString &reportFile)
{
    TSrpReader reader(reportFile);
    if (!reader.Open() || !reader.ReadHeader())
        return true;
    bool empty = true;
    WalkRecords(reader, nullptr, [&](int code, const QByteArray &rest) {
        if (code != rcData)
            return true;
        empty = rest.trimmed().isEmpty();
        return false;
    });
    return empty;
}

} // namespace

bool IsTextExportTarget(const QString &target)
{
    return target.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

TExportStatus ExportReport(const QString &reportFile, const QString &target, const TExportOptions &options,
                           TProgressSink &progress)
{
    // An export never replaces the report it reads.
    if (IsSameFile(reportFile, target))
        return TExportStatus::TargetUnwritable;
    if (IsXlsxExportTarget(target))
        return ExportReportToXlsx(reportFile, target, options, progress);
    const bool text = IsTextExportTarget(target);
    const bool empty = text && reportIsEmpty(reportFile);
    TSrpReader reader(reportFile);
    if (!reader.Open())
        return TExportStatus::ReportUnreadable;
    TLineWriter writer(target);
    if (!writer.Open())
        return TExportStatus::TargetUnwritable;

    bool completed = false;
    if (reader.ReadHeader()) {
        if (text) {
            TTxtPage page(writer, options);
            page.SetReportEmpty(empty);
            completed = WalkRecords(reader, &progress, [&](int code, const QByteArray &rest) {
                page.HandleRecord(code, rest);
            }) == TRecordWalk::End;
            if (completed)
                page.Finish();
        } else {
            TCsvExport csv(options);
            QByteArrayView line;
            completed = WalkRecords(reader, &progress, [&](int code, const QByteArray &rest) {
                if (csv.HandleRecord(code, rest, line))
                    writer.WriteLine(line);
            }) == TRecordWalk::End;
        }
    } else {
        completed = !progress.Cancelled();
    }
    if (!completed) {
        writer.Discard();
        return TExportStatus::Cancelled;
    }
    progress.Progress(100);
    return writer.Commit() ? TExportStatus::Done : TExportStatus::TargetUnwritable;
}

TExportStatus ExportToFile(const QString &reportFile, const QString &target, const QString &settingsPath,
                           TProgressSink &progress)
{
    TExportOptions options;
    LoadExportOptions(settingsPath, options);
    return ExportReport(reportFile, target, options, progress);
}
