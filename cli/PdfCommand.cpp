// tarvel-report pdf REPORT.srp OUT.pdf: every page into one PDF file. REPORT may be a page file.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "foundation/Messages.h"
#include "report/BatchRun.h"

#include "foundation/AppState.h"
#include "foundation/OutputFile.h"

namespace {

int pdf(const QStringList &args)
{
    if (args.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    TPageStore store;
    TTerminalProgress progress;
    if (!CliRunIntoStoreFor(args[0], args[1], store, &progress, status))
        return status;
    // The old file stays until the new one is complete; a failure leaves no half file.
    TOutputFile out(args[1]);
    // The batch tool runs as the suite's administrator, who is the document's author.
    const auto pageDone = [&](int done, int total) {
        progress.Pages(done, total);
        return true;
    };
    if (!out.Open() || !RenderPagesToPdf(store, &out.Device(), QString::fromLatin1(kUserName), pageDone) || !out.Commit())
        return CliFail(QStringLiteral("cannot write %1: %2").arg(args[1], out.ErrorString()));
    progress.Finished();
    CliPrint(QStringLiteral("pages: %1\n").arg(store.PageCount()));
    return kExitOk;
}

const TCliCommand command("pdf", "REPORT.srp OUT.pdf", "every page as the preview shows it, as one PDF", pdf);

} // namespace
