// tarvel-report png REPORT.srp OUTDIR [--dpi N]: every page as OUTDIR/page-0001.png, ...
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "foundation/Messages.h"
#include "foundation/InputFile.h"
#include "foundation/LocalFileName.h"
#include "foundation/OutputFile.h"
#include "report/BatchRun.h"

#include <QDir>

namespace {

// zlib level 2 rather than Qt's default: pages are mostly white, so the files grow little and
// are written several times as fast.
constexpr int kPngQuality = 80;

int png(const QStringList &args)
{
    QStringList rest = args;
    int dpi = 96;
    const int at = rest.indexOf(QStringLiteral("--dpi"));
    if (at >= 0) {
        if (at + 1 >= rest.size())
            return kExitUsage;
        bool ok = false;
        dpi = rest[at + 1].toInt(&ok);
        if (!ok || dpi < 10 || dpi > 1200)
            return kExitUsage;
        rest.remove(at, 2);
    }
    if (rest.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckReadable(rest[0], status))
        return status;
    TPageStore store;
    TTerminalProgress progress;
    if (!CliRunIntoStore(rest[0], store, &progress, status))
        return status;
    if (!MakeLocalFolder(rest[1]))
        return CliFail(QStringLiteral("cannot create the folder %1").arg(rest[1]));
    const QDir dir(rest[1]);
    for (int i = 0; i < store.PageCount(); ++i) {
        const QString name = dir.filePath(QStringLiteral("page-%1.png").arg(i + 1, 4, 10, QLatin1Char('0')));
        TOutputFile out(name);
        if (IsSameFile(rest[0], name))
            return CliFail(QStringLiteral("%1 is the report itself").arg(name));
        if (!out.Open() || !RenderPageImage(store, i, dpi).save(&out.Device(), "PNG", kPngQuality) || !out.Commit())
            return CliFail(QStringLiteral("cannot write %1: %2").arg(name, out.ErrorString()));
        progress.Pages(i + 1, store.PageCount());
    }
    progress.Finished();
    CliPrint(QStringLiteral("pages: %1\n").arg(store.PageCount()));
    return kExitOk;
}

const TCliCommand command("png", "REPORT.srp OUTDIR [--dpi N]", "every page as OUTDIR/page-0001.png, ...", png);

} // namespace
