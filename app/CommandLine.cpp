#include "app/CommandLine.h"

#include "foundation/AppState.h"
#include "foundation/Paths.h"

QString JoinCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool IsInstallRequest(const QString &commandLineName)
{
    return commandLineName.toUpper().contains(QLatin1String("/INSTALL"));
}

bool IsEmbeddingRequest(const QString &commandLineName)
{
    return commandLineName.toUpper() == QLatin1String("-EMBEDDING");
}

TViewerOption ViewerOption(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return TViewerOption::None;
    if (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h"))
        return TViewerOption::Help;
    if (arguments[1] == QLatin1String("--version"))
        return TViewerOption::Version;
    return TViewerOption::None;
}

QString ViewerVersionText() { return QStringLiteral("tarvel-viewer %1\n").arg(QLatin1String(kViewerVersion)); }

QString ViewerHelpText()
{
    return QStringLiteral(
               "tarvel-viewer %1: shows saved reports (.srp) of the Tarvel call-accounting suite as\n"
               "printed pages, to page through, print, save, export and draw graphs from.\n"
               "\n"
               "usage: tarvel-viewer [REPORT.srp]\n"
               "       tarvel-viewer /INSTALL\n"
               "       tarvel-viewer --help | --version\n"
               "\n"
               "All arguments together name one file, so an unquoted path with spaces arrives whole.\n"
               "With no argument an empty preview opens, from which a report can be opened. A report\n"
               "that holds only graph data opens in a graph window.\n"
               "/INSTALL only registers the .srp file type for the user (a desktop entry and a\n"
               "shared-mime-info type under $XDG_DATA_HOME); every start does the same. An installed\n"
               "package has registered the type for everyone: its viewer writes nothing, and takes\n"
               "back such a registration that another copy wrote for the user.\n"
               "\n"
               "options:\n"
               "  --help       this text\n"
               "  --version    the version\n"
               "\n"
               "environment:\n"
               "%2"
               "  XDG_DATA_HOME    where /INSTALL registers the file type (default ~/.local/share)\n"
               "\n"
               "exit status:\n"
               "  0  always; problems are told in the viewer's message windows\n")
        .arg(QLatin1String(kViewerVersion), QLatin1String(kPathsEnvironmentHelp));
}
