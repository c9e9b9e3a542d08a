#include "export/ReportCopy.h"

#include "export/LineWriter.h"
#include "foundation/InputFile.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"

#include <QFileInfo>

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a), y(b);
    if (x.absoluteFilePath().compare(y.absoluteFilePath(), Qt::CaseInsensitive) == 0)
        return true;
    // Through "./", a symbolic link or a hard link alike: the same device and inode.
    return IsSameFile(a, b);
}

// Lines without a numeric code are no records: they are copied as they are stored rather than
// rebuilt as code 0 (which would drop their first field).
QByteArray copyLine(const TSrpReader &reader)
{
    return reader.RecordCode() == 0 ? reader.StoredLine()
                                    : RebuildRecordLine(reader.RecordCode(), reader.RecordRest(), reader.Header().Scrambled);
}

// A line longer than the reader's pieces is written back as one line: the pieces after the
// first as they are stored, a line end only after the last.
void writePiece(TLineWriter &writer, const TSrpReader &reader)
{
    const QByteArray bytes = reader.ContinuesLine() ? reader.StoredLine() : copyLine(reader);
    if (reader.LineContinues())
        writer.WriteRaw(bytes);
    else
        writer.WriteLine(bytes);
}

} // namespace

QByteArray RebuildRecordLine(int code, const QByteArray &rest, bool scrambled)
{
    QByteArray line = QByteArray::number(code);
    if (!rest.isEmpty()) {
        line += ',';
        line += rest;
    }
    return scrambled ? ScrambleLine(line) : line;
}

QList<QByteArray> CollectHeaderRecords(TSrpReader &reader, const TSavedHeaderRecords &saved,
                                       TProgressSink &progress, bool &stopRecord)
{
    QList<QByteArray> list;
    stopRecord = false;
    if (!reader.ReadHeader())
        return list;
    list.append(reader.StoredHeaderLine());
    bool hasPageHeaderItems = false;
    const TRecordWalk walk = WalkRecords(reader, &progress, [&](int code, const QByteArray &) {
        if (code == rcData || code == rcTotals || code == rcEndOfReport)
            return false;
        hasPageHeaderItems |= code == rcPageHeaderItem;
        list.append(copyLine(reader));
        return true;
    });
    stopRecord = walk == TRecordWalk::Stopped;
    list += saved.StyleRecords;
    if (!hasPageHeaderItems && !progress.Cancelled())
        list += saved.HeaderRecords;
    return list;
}

TCopyStatus SaveReportCopy(const QString &reportFile, const QString &target, const TSavedHeaderRecords &saved,
                           TProgressSink &progress)
{
    if (sameFile(reportFile, target))
        return TCopyStatus::SameFile;
    TSrpReader reader(reportFile);
    if (!reader.Open())
        return TCopyStatus::ReportUnreadable;
    TLineWriter writer(target);
    if (!writer.Open())
        return TCopyStatus::TargetUnwritable;

    bool stopRecord = false;
    for (const QByteArray &line : CollectHeaderRecords(reader, saved, progress, stopRecord))
        writer.WriteLine(line);
    if (stopRecord) {
        writePiece(writer, reader);
        WalkRecords(reader, &progress, [&](int, const QByteArray &) { writePiece(writer, reader); });
    }
    if (progress.Cancelled()) {
        writer.Discard();
        return TCopyStatus::Cancelled;
    }
    progress.Progress(100);
    return writer.Commit() ? TCopyStatus::Done : TCopyStatus::TargetUnwritable;
}
