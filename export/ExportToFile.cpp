#include "export/ExportToFile.h"

#include "export/CsvExport.h"
#include "export/LineWriter.h"
#include "export/TxtPage.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "foundation/Progress.h"
#include "report/RecordCodes.h"
#include "report/SrpReader.h"

namespace {

// Text pages need to know beforehand whether the first data row has any field.
bool reportIsEmpty(const QString &reportFile)
{
    TSrpReader reader(reportFile);
    if (!reader.Open() || !reader.ReadHeader())
        return true;
    while (reader.ReadRecord())
        if (reader.RecordCode() == rcData)
            return reader.RecordRest().trimmed().isEmpty();
    return true;
}

template <typename HandleRecord>
bool readAll(TSrpReader &reader, TProgressSink &progress, HandleRecord handle)
{
    int shown = -1;
    while (!progress.Cancelled()) {
        if (!reader.ReadRecord())
            return true;
        const int percent = reader.PercentRead();
        if (percent != shown) {
            progress.Progress(percent);
            shown = percent;
        }
        handle(reader.RecordCode(), reader.RecordRest());
    }
    return false;
}

} // namespace

bool IsTextExportTarget(const QString &target)
{
    return target.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

TExportStatus ExportReport(const QString &reportFile, const QString &target, const TExportOptions &options,
                           TProgressSink &progress)
{
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
            page.ReportEmpty = empty;
            completed = readAll(reader, progress, [&](int code, const QByteArray &rest) { page.HandleRecord(code, rest); });
            if (completed)
                page.Finish();
        } else {
            TCsvExport csv(options);
            QByteArrayView line;
            completed = readAll(reader, progress, [&](int code, const QByteArray &rest) {
                if (csv.HandleRecord(code, rest, line))
                    writer.WriteLine(line);
            });
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

bool ExportToFile(const QString &reportFile, const QString &target, const QString &settingsPath,
                  TProgressSink &progress)
{
    TExportOptions options;
    LoadExportOptions(settingsPath, options);
    switch (ExportReport(reportFile, target, options, progress)) {
    case TExportStatus::Done:
    case TExportStatus::Cancelled:
        return true;
    default:
        ErrorOk(LookupText(kCannotExportText));
        return false;
    }
}
