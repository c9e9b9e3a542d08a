#pragma once
// A whole report run without windows, for the batch tool and tests: load, start (messages go
// to the message handler), generate every page into the store.
#include <QString>

class TPageStore;
class TProgressSink;

enum class TBatchRunResult { Ok, Refused, NoData, Unreadable };

// The progress sink, when given, is told the reading percentage and the records read.
TBatchRunResult RunReportIntoStore(const QString &fileName, TPageStore &store, TProgressSink *progress = nullptr);
