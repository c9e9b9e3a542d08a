#pragma once
// A whole report run without windows, for the batch tool and tests: load, start (messages go
// to the message handler), generate every page into the store.
#include <QString>

class TPageStore;

enum class TBatchRunResult { Ok, Refused, NoData, Unreadable };

TBatchRunResult RunReportIntoStore(const QString &fileName, TPageStore &store);
