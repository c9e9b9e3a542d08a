// tarvel-report copy REPORT.srp OUTPUT.srp: the save-as copy of the viewer, with the page
// header and text styles the viewer would show the report with.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "export/ReportCopy.h"
#include "foundation/Messages.h"
#include "foundation/Progress.h"
#include "report/ReportForm.h"

namespace {

// What the viewer's report form writes back when it shows the report: its text styles and
// the page header it built (from TRVL.PAR, unless the report has its own).
TSavedHeaderRecords shownHeaderRecords(const QString &reportFile)
{
    // The run's warnings (no data, version) belong to the viewer, not to a copy: not shown.
    TfrmReport form(reportFile, QStringLiteral("ADMIN"));
    form.LoadReport();
    TSilentProgress progress;
    form.StartRun(&progress);
    form.WritePageHeaderRecords();
    form.EndRun();
    return {form.SavedStyleRecords(), form.SavedHeaderRecords()};
}

int copyReport(const QStringList &args)
{
    if (args.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(args[0], status) || !CliCheckOutput(args[0], args[1], status))
        return status;
    TTerminalProgress progress;
    switch (SaveReportCopy(args[0], args[1], shownHeaderRecords(args[0]), progress)) {
    case TCopyStatus::Done:
        return kExitOk;
    case TCopyStatus::SameFile:
        return CliFail(QStringLiteral("%1 is the report itself").arg(args[1]));
    case TCopyStatus::ReportUnreadable:
        return CliFail(QStringLiteral("cannot open %1").arg(args[0]));
    case TCopyStatus::TargetUnwritable:
        return CliFail(QStringLiteral("cannot write %1").arg(args[1]));
    default:
        return CliFail(QStringLiteral("copy of %1 stopped").arg(args[0]));
    }
}

const TCliCommand command("copy", "REPORT.srp OUTPUT.srp", "the viewer's \"save as .srp\" copy", copyReport);

} // namespace
