// tarvel-report: the viewer's code without windows, for scripts and tests.
#include "cli/Commands.h"

#include "foundation/AppState.h"
#include "foundation/Paths.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage:\n");
    for (const TCliCommand *c : CliCommands())
        std::fprintf(stderr, "  tarvel-report %s %s\n", c->name, c->usage);
    std::fprintf(stderr, "TARVEL_HOME, when set, names the installation folder (CLIENT.PAR, TRVL.PAR).\n");
    return kExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    // Pages and charts are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureRuntimeDir();
    QGuiApplication app(argc, argv);
    AdminMode = true;
    ResolvePaths();

    QStringList args = QGuiApplication::arguments().mid(1);
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
