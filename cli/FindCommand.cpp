// tarvel-report find REPORT TEXT [--count]: the numbers of the pages that hold TEXT, one a
// line, found as the viewer's find bar finds them; with --count only how many pages hold it.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "engine/PageStore.h"
#include "foundation/Messages.h"
#include "engine/StoreSearch.h"
#include "report/BatchRun.h"

namespace {

int find(const QStringList &args)
{
    QStringList rest = args;
    const bool countOnly = rest.removeAll(QStringLiteral("--count")) > 0;
    if (rest.size() != 2)
        return kExitUsage;
    const TSearchText text(rest[1]);
    if (text.IsEmpty())
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(rest[0], status))
        return status;
    TPageStore store;
    TTerminalProgress progress;
    const TBatchRun run = RunReportIntoStore(rest[0], store, &progress);
    if (run.Result != TBatchRunResult::Ok) {
        if (!run.Start.Message().isEmpty())
            WarnOk(run.Start.Message()); // to stderr
        return kExitFailure;
    }
    const std::vector<std::pair<int, int>> found = FindInStore(store, text);
    progress.Finished();
    if (countOnly) {
        CliPrint(QStringLiteral("%1\n").arg(found.size()));
        return kExitOk;
    }
    QString out;
    for (const auto &[page, hits] : found)
        out += QString::number(page + 1) + QLatin1Char('\n');
    CliPrint(out);
    return kExitOk;
}

const TCliCommand command("find", "REPORT.srp TEXT [--count]",
                          "the numbers of the pages that hold TEXT, as the viewer's find bar finds them", find);

} // namespace
