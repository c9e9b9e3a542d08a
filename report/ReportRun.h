#pragma once
// How a report run talks to whoever shows it: the preview window (or the batch tool) is told
// the reading progress per record, may cancel, and learns when the last page is made.
#include "foundation/Progress.h"

class TReportRunObserver : public TProgressSink
{
public:
    // The report is complete (or was cancelled): every page is in the store.
    virtual void ReportDone(bool hasGraph) = 0;
};

// An observer for runs nobody watches (batch tool, tests).
class TSilentRunObserver : public TReportRunObserver
{
public:
    void Progress(int) override {}
    bool Cancelled() const override { return false; }
    void ReportDone(bool hasGraph) override { Done = true; HasGraph = hasGraph; }
    bool Done = false;
    bool HasGraph = false;
};
