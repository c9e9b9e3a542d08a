#pragma once
// How a report run talks to whoever shows it: the preview window (or the batch tool) is told
// the reading progress per record, may cancel, and learns when the last page is made.
#include "foundation/Progress.h"

#include <QString>
#include <QStringList>

enum class TRunStart { Ready, RefusedVersion, NoData, Cancelled };

// How the start of a run went, and what the window (or the batch tool) has to tell the user:
// text 152 with the required version when the report needs a newer viewer, 5237 when it has
// no rows. The form shows nothing itself.
struct TRunStartResult {
    TRunStart Status = TRunStart::Ready;
    int TextNumber = 0; // 0 when there is nothing to tell
    QStringList Arguments;

    bool Ready() const { return Status == TRunStart::Ready; }
    // Refused for its version or for having no rows.
    bool Refused() const { return Status == TRunStart::RefusedVersion || Status == TRunStart::NoData; }
    // The text to show, empty when there is none.
    QString Message() const;
};

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
    void ReportDone(bool hasGraph) override
    {
        m_done = true;
        m_hasGraph = hasGraph;
    }
    bool Done() const { return m_done; }
    bool HasGraph() const { return m_hasGraph; }

private:
    bool m_done = false;
    bool m_hasGraph = false;
};
