#include "report/BatchRun.h"

#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/IntlSettings.h"
#include "report/ReportForm.h"

#include <QFile>

namespace {

// Passes the run's per-record progress on to a sink, counting the records.
class TCountingRunObserver final : public TReportRunObserver
{
public:
    explicit TCountingRunObserver(TProgressSink *sink) : m_step(sink) {}
    void Progress(int percent) override { m_going = m_step(percent); }
    bool Cancelled() const override { return !m_going; }
    void ReportDone(bool) override {}

private:
    TProgressStep m_step;
    bool m_going = true;
};

} // namespace

TBatchRun RunReportIntoStore(const QString &fileName, TPageStore &store, TProgressSink *progress)
{
    // A page file is the pages of an earlier run.
    if (IsPageFile(fileName))
        return {LoadPagesFromFile(store, fileName) && store.PageCount() > 0 ? TBatchRunResult::Ok
                                                                           : TBatchRunResult::Unreadable,
                {}};
    QFile probe(fileName);
    if (!probe.open(QIODevice::ReadOnly))
        return {TBatchRunResult::Unreadable, {}};
    probe.close();
    LoadIntlSettings();
    TfrmReport form(fileName, QStringLiteral("ADMIN"));
    form.LoadReport();
    const TRunStartResult start = form.StartRun(progress);
    switch (start.Status) {
    case TRunStart::RefusedVersion:
    case TRunStart::Cancelled:
        return {TBatchRunResult::Refused, start};
    case TRunStart::NoData:
        return {TBatchRunResult::NoData, start};
    case TRunStart::Ready:
        break;
    }
    TCountingRunObserver observer(progress);
    form.GeneratePages(store, observer);
    if (progress)
        progress->Finished();
    return {TBatchRunResult::Ok, start};
}
