// tarvel-report: the viewer's code without windows, for scripts and tests.
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "foundation/AppState.h"
#include "foundation/LocalFileName.h"
#include "foundation/Paths.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

namespace {

QList<const TCliCommand *> commandsByName()
{
    QList<const TCliCommand *> list = CliCommands();
    std::sort(list.begin(), list.end(), [](const TCliCommand *a, const TCliCommand *b) {
        return qstrcmp(a->name, b->name) < 0;
    });
    return list;
}

void printUsage(FILE *out)
{
    std::fprintf(out, "usage: tarvel-report COMMAND ARGUMENTS... [--quiet]\n"
                      "       tarvel-report --help | --version\n"
                      "commands:\n");
    for (const TCliCommand *c : commandsByName())
        std::fprintf(out, "  tarvel-report %s %s\n", c->name, c->usage);
}

int usage()
{
    printUsage(stderr);
    std::fprintf(stderr, "tarvel-report --help tells more.\n");
    return kExitUsage;
}

int help()
{
    std::printf("tarvel-report %s: the Tarvel report viewer's code without windows, for scripts.\n\n", kViewerVersion);
    printUsage(stdout);
    std::printf("\nwhat each command does:\n");
    for (const TCliCommand *c : commandsByName())
        std::printf("  %-11s %s\n", c->name, c->summary);
    std::printf("\noptions:\n"
                "  --quiet      no progress line (long commands show one on standard error\n"
                "               when it is a terminal)\n"
                "  --help       this text\n"
                "  --version    the version\n"
                "\nenvironment:\n%s"
                "\nexit status:\n"
                "  0  success\n"
                "  1  failure: a message on standard error\n"
                "  2  bad arguments: the usage on standard error\n",
                kPathsEnvironmentHelp);
    return kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    // Pages and charts are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureRuntimeDir();
    QGuiApplication app(argc, argv);

    // From the bytes Qt left: a file name that is not UTF-8 keeps its own bytes.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(LocalFileName(argv[i]));
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")))
        return help();
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        std::printf("tarvel-report %s\n", kViewerVersion);
        return kExitOk;
    }
    // --quiet may stand anywhere: it belongs to no command.
    if (args.removeAll(QStringLiteral("--quiet")) > 0)
        SetCliQuiet(true);

    AdminMode = true;
    ResolvePaths();
    if (args.isEmpty())
        return usage();
    const QString name = args.takeFirst();
    for (const TCliCommand *c : CliCommands()) {
        if (name == QLatin1String(c->name)) {
            const int status = c->run(args);
            std::fflush(stdout);
            return status == kExitUsage ? usage() : status;
        }
    }
    return usage();
}
