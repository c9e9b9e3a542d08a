#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "foundation/InputFile.h"
#include "foundation/LocalFileName.h"
#include "foundation/Messages.h"
#include "report/BatchRun.h"

#include <QFile>
#include <cstdio>

namespace {
QList<const TCliCommand *> &registry()
{
    static QList<const TCliCommand *> list;
    return list;
}
} // namespace

TCliCommand::TCliCommand(const char *n, const char *u, std::function<int(const QStringList &)> r)
    : name(n), usage(u), run(std::move(r))
{
    registry().append(this);
}

TCliCommand::TCliCommand(const char *n, const char *u, const char *s, std::function<int(const QStringList &)> r)
    : TCliCommand(n, u, std::move(r))
{
    summary = s;
}

const QList<const TCliCommand *> &CliCommands() { return registry(); }

int CliFail(const QString &message)
{
    CliEraseProgress();
    std::fprintf(stderr, "tarvel-report: %s\n", WithGivenNames(message).toUtf8().constData());
    return kExitFailure;
}

void CliPrint(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

bool CliCheckReadable(const QString &fileName, int &status)
{
    switch (CheckInputFile(fileName)) {
    case TInputCheck::Ok:
        return true;
    case TInputCheck::NotRegular:
        status = CliFail(QStringLiteral("cannot open %1: not a regular file").arg(fileName));
        return false;
    case TInputCheck::Missing:
        status = CliFail(QStringLiteral("cannot open %1: no such file").arg(fileName));
        return false;
    default:
        break;
    }
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    status = CliFail(QStringLiteral("cannot open %1: %2").arg(fileName, file.errorString()));
    return false;
}

bool CliRunIntoStore(const QString &fileName, TPageStore &store, TProgressSink *progress, int &status)
{
    const TBatchRun run = RunReportIntoStore(fileName, store, progress);
    switch (run.Result) {
    case TBatchRunResult::Ok:
        return true;
    case TBatchRunResult::Unreadable:
        status = CliFail(QStringLiteral("cannot read %1: no report and no undamaged page file").arg(fileName));
        return false;
    default:
        if (!run.Start.Message().isEmpty())
            WarnOk(run.Start.Message()); // to stderr
        status = kExitFailure;
        return false;
    }
}

bool CliCheckNotSpecial(const QString &fileName, int &status)
{
    if (CheckInputFile(fileName) != TInputCheck::NotRegular)
        return true;
    status = CliFail(QStringLiteral("cannot open %1: not a regular file").arg(fileName));
    return false;
}

bool CliCheckOutput(const QString &input, const QString &output, int &status)
{
    if (!IsSameFile(input, output))
        return true;
    status = CliFail(QStringLiteral("%1 is the report itself").arg(output));
    return false;
}

bool CliRunIntoStoreFor(const QString &report, const QString &output, TPageStore &store, TProgressSink *progress,
                        int &status)
{
    return CliCheckReadable(report, status) && CliCheckOutput(report, output, status)
           && CliRunIntoStore(report, store, progress, status);
}
