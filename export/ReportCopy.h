#pragma once
// The ".srp" copy of the save-as dialog: the report's records written again in the file's own
// line form, with the page header and text styles that were in force when it was shown.
#include <QByteArray>
#include <QList>
#include <QString>

class TProgressSink;
class TSrpReader;

// The page-header and style records the report form last wrote (codes 900, and 912 with
// 914), as finished file lines (already scrambled when the report is). The report form fills
// it from its SavedStyleRecords and SavedHeaderRecords.
struct TSavedHeaderRecords {
    QList<QByteArray> StyleRecords;  // 900
    QList<QByteArray> HeaderRecords; // 912 and 914
};

enum class TCopyStatus { Done, Cancelled, SameFile, ReportUnreadable, TargetUnwritable };

// A record as a file line: its code, "," and its rest (the code alone when the rest is
// empty), scrambled when the file is.
QByteArray RebuildRecordLine(int code, const QByteArray &rest, bool scrambled);

// The file's first line as stored, then every record before the first data (100), totals
// (300) or end (999) record, then the saved style records and, unless the report carries
// page-header records (912) of its own, the saved header records. The reader is left on the
// record that stopped the gathering; stopRecord tells whether there is one.
QList<QByteArray> CollectHeaderRecords(TSrpReader &reader, const TSavedHeaderRecords &saved,
                                       TProgressSink &progress, bool &stopRecord);

// Writes the copy to target, replacing it only when the copy completed. Nothing happens when
// target is the report itself.
TCopyStatus SaveReportCopy(const QString &reportFile, const QString &target, const TSavedHeaderRecords &saved,
                           TProgressSink &progress);

// Language texts of the copy's progress window: caption and the question asked on Cancel.
inline constexpr int kCopyProgressText = 129;
inline constexpr int kCopyCancelText = 130;
