#include "report/BatchRun.h"

#include "engine/PageStore.h"
#include "foundation/IntlSettings.h"
#include "report/ReportForm.h"

#include <QFile>

TBatchRunResult RunReportIntoStore(const QString &fileName, TPageStore &store)
{
    QFile probe(fileName);
    if (!probe.open(QIODevice::ReadOnly))
        return TBatchRunResult::Unreadable;
    probe.close();
    LoadIntlSettings();
    TfrmReport form(fileName, QStringLiteral("ADMIN"));
    form.LoadReport();
    switch (form.StartRun(nullptr)) {
    case TfrmReport::TRunStart::RefusedVersion:
    case TfrmReport::TRunStart::Cancelled:
        return TBatchRunResult::Refused;
    case TfrmReport::TRunStart::NoData:
        return TBatchRunResult::NoData;
    case TfrmReport::TRunStart::Ready:
        break;
    }
    TSilentRunObserver observer;
    form.GeneratePages(store, observer);
    return TBatchRunResult::Ok;
}
