// tarvel-report info REPORT.srp: what the viewer reads from a report's first lines.
#include "cli/Commands.h"

#include "graph/GraphFileCheck.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/Messages.h"
#include "report/ReportForm.h"

namespace {

int info(const QStringList &args)
{
    if (args.size() != 1)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(args[0], status))
        return status;
    if (IsPageFile(args[0])) {
        TPageStore store;
        if (!LoadPagesFromFile(store, args[0]))
            return CliFail(QStringLiteral("cannot read %1: a damaged page file").arg(args[0]));
        CliPrint(QStringLiteral("page-file: yes\npages: %1\n").arg(store.PageCount()));
        return kExitOk;
    }
    TfrmReport form(args[0], QStringLiteral("ADMIN"));
    form.LoadReport();
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    QString out;
    out += QStringLiteral("graph-file: %1\n").arg(yesNo(IsGraphFile(args[0])));
    out += QStringLiteral("scrambled: %1\n").arg(yesNo(form.Scrambled()));
    out += QStringLiteral("required-version: %1\n").arg(form.RequiredViewerVersion());
    out += QStringLiteral("orientation: %1\n")
               .arg(form.Orientation() == TOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    // A full run, as the preview makes it, for the page count.
    if (!IsGraphFile(args[0]) && form.RequiredViewerVersion() <= 1) {
        TfrmReport run(args[0], QStringLiteral("ADMIN"));
        run.LoadReport();
        // info describes the file; the run's own warnings are not its output.
        const bool ready = run.StartRun(nullptr).Ready();
        if (ready) {
            TPageStore store;
            TSilentRunObserver observer;
            run.GeneratePages(store, observer);
            out += QStringLiteral("pages: %1\n").arg(store.PageCount());
            out += QStringLiteral("columns: %1\n").arg(run.Body().ColumnCount());
        }
    }
    CliPrint(out);
    return kExitOk;
}

const TCliCommand command("info", "REPORT.srp", "the report's kind, orientation, pages and columns as key: value lines", info);

} // namespace
