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
    if (!CliCheckReadable(args[0], status) || !CliCheckOutput(args[0], args[1], status))
        return status;
    TPageStore store;
    TTerminalProgress progress;
    if (!CliRunIntoStore(args[0], store, &progress, status))
        return status;
    if (!SavePagesToFile(store, args[1]))
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    CliPrint(QStringLiteral("pages: %1\n").arg(store.PageCount()));
    return kExitOk;
}

const TCliCommand command("pages", "REPORT.srp OUT.QRP", pages);

} // namespace
