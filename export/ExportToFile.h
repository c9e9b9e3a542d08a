#pragma once
// Exports a saved report as CSV or as text pages. The report is read again from its first
// record by a reader of its own; progress and cancel go through the caller's sink. The
// target is replaced only when the pass completed.
#include "export/ExportOptions.h"

#include <QString>

class TProgressSink;

enum class TExportStatus { Done, Cancelled, ReportUnreadable, TargetUnwritable };

// ".txt" in any letter case gives text pages, ".xlsx" an Excel workbook; every other name CSV.
bool IsTextExportTarget(const QString &target);

TExportStatus ExportReport(const QString &reportFile, const QString &target, const TExportOptions &options,
                           TProgressSink &progress);

// ExportReport with the options from section [export] of settingsPath. A cancelled export
// leaves the target as it was; the caller shows text kCannotExportText for a failure.
TExportStatus ExportToFile(const QString &reportFile, const QString &target, const QString &settingsPath,
                           TProgressSink &progress);

// Language texts of the export's progress window: caption and the question asked on Cancel.
inline constexpr int kExportProgressText = 50;
inline constexpr int kExportCancelText = 51;
inline constexpr int kCannotExportText = 19;
