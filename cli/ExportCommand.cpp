// tarvel-report export REPORT.srp OUTPUT [--settings FILE]: the viewer's CSV or text-page
// export, byte for byte, with the options of section [export] of FILE (default CLIENT.PAR in
// the program directory). OUTPUT ending in ".txt" (any letter case) gives text pages, ".xlsx"
// an Excel workbook.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "export/ExportToFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Paths.h"
#include "foundation/Progress.h"

namespace {

int exportReport(const QStringList &args)
{
    QStringList files;
    QString settings = ClientParInProgramDir();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--settings")) {
            if (++i >= args.size())
                return kExitUsage;
            settings = args[i];
        } else {
            files.append(args[i]);
        }
    }
    if (files.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(files[0], status) || !CliCheckOutput(files[0], files[1], status))
        return status;

    TExportOptions options;
    LoadExportOptions(settings, options);
    TTerminalProgress progress;
    switch (ExportReport(files[0], files[1], options, progress)) {
    case TExportStatus::Done:
        return kExitOk;
    case TExportStatus::ReportUnreadable:
        return CliFail(QStringLiteral("cannot open %1").arg(files[0]));
    case TExportStatus::TargetUnwritable:
        return CliFail(QStringLiteral("cannot write %1: %2").arg(files[1], LookupText(kCannotExportText)));
    default:
        return CliFail(QStringLiteral("export of %1 stopped").arg(files[0]));
    }
}

const TCliCommand command("export", "REPORT.srp OUTPUT [--settings FILE]", "CSV, text pages when OUTPUT ends in .txt, an Excel workbook when in .xlsx", exportReport);

} // namespace
