// tarvel-viewer: shows a saved report (".srp") as printed pages, or a graph file as a graph.
#include "app/CommandLine.h"
#include "app/FileAssociation.h"
#include "app/ReportDriver.h"
#include "foundation/AppState.h"
#include "foundation/FontTranslation.h"
#include "foundation/LocalFileName.h"
#include "foundation/MessageBox.h"
#include "foundation/Paths.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace {

QStringList rawArguments(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// An installed package registered the file type for everyone (and takes back a per-user
// registration of another copy); a copy run from elsewhere registers it for the user.
void registerFileType()
{
    if (InstallationRegistersFileType())
        RemoveUserRegistration();
    else
        RegisterFileType(DataDir(), QCoreApplication::applicationFilePath());
}

} // namespace

int main(int argc, char **argv)
{
    AdminMode = true;
    switch (ViewerOption(rawArguments(argc, argv))) {
    case TViewerOption::Help:
        std::fputs(ViewerHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    case TViewerOption::Version:
        std::fputs(ViewerVersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case TViewerOption::None:
        break;
    }
    const QString commandLineName = JoinCommandLine(rawArguments(argc, argv));

    if (IsInstallRequest(commandLineName)) {
        // Registration only: no window, so no display is needed.
        QCoreApplication app(argc, argv);
        ResolvePaths();
        registerFileType();
        return 0;
    }

    EnsureRuntimeDir();
    QApplication app(argc, argv);
    ResolvePaths();
    LoadFontTranslation(TrvlPar(), QStringLiteral("sysconfig"));
    registerFileType();

    QApplication::setLayoutDirection(Qt::RightToLeft);
    // No application display name: the platform would append it to every window caption, and
    // captions are the language table's texts exactly.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_he"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    InstallMessageWindow();

    const QIcon icon(QStringLiteral(":/icons/tarvel-viewer.png"));
    QApplication::setWindowIcon(icon);
    // Qt has taken its own options off argv; the name is the rest's bytes, joined by spaces
    // (a name that is not UTF-8 keeps its own bytes).
    QByteArray joined;
    for (int i = 1; i < argc; ++i)
        joined += (i > 1 ? " " : "") + QByteArray(argv[i]);
    return ShowReport(nullptr, icon, LocalFileName(joined), QLatin1String(kUserName));
}
