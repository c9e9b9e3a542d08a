// tarvel-report pages REPORT.srp OUT.QRP: the report's pages as a page file, as the preview
// saves them.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "engine/PageFile.h"
#include "engine/PageStore.h"

namespace {

int pages(const QStringList &args)
{
    if (args.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    TPageStore store;
    TTerminalProgress progress;
    if (!CliRunIntoStoreFor(args[0], args[1], store, &progress, status))
        return status;
    if (!SavePagesToFile(store, args[1]))
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    CliPrint(QStringLiteral("pages: %1\n").arg(store.PageCount()));
    return kExitOk;
}

const TCliCommand command("pages", "REPORT.srp OUT.QRP", pages);

} // namespace
