// tarvel-report pdf REPORT.srp OUT.pdf: every page into one PDF file.
#include "cli/Commands.h"

#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "report/BatchRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

int pdf(const QStringList &args)
{
    if (args.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(args[0], status))
        return status;
    TPageStore store;
    if (RunReportIntoStore(args[0], store) != TBatchRunResult::Ok)
        return kExitFailure; // the reason went to stderr
    // Written beside the target and renamed over it, so a failure leaves no half file.
    QTemporaryFile temp(QFileInfo(args[1]).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    temp.close();
    if (!RenderPagesToPdf(store, temp.fileName()))
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    QFile::remove(args[1]);
    if (!temp.rename(args[1]))
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    temp.setAutoRemove(false);
    CliPrint(QStringLiteral("pages: %1\n").arg(store.PageCount()));
    return kExitOk;
}

const TCliCommand command("pdf", "REPORT.srp OUT.pdf", pdf);

} // namespace
