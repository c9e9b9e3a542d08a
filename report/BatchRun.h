#pragma once
// A whole report run without windows, for the batch tool and tests: load, start, generate
// every page into the store. The start's message (version, no rows) is for the caller. A page
// file (.QRP) is loaded instead of run.
#include "report/RunResult.h"

#include <QString>

class TPageStore;
class TProgressSink;

enum class TBatchRunResult { Ok, Refused, NoData, Unreadable };

struct TBatchRun {
    TBatchRunResult Result = TBatchRunResult::Ok;
    TRunStartResult Start; // its Message() is what to tell the user
};

// The progress sink, when given, is told the reading percentage and the records read.
TBatchRun RunReportIntoStore(const QString &fileName, TPageStore &store, TProgressSink *progress = nullptr);
