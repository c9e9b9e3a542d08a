#include "foundation/Paths.h"

#include "foundation/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TInstallPaths &paths()
{
    static TInstallPaths p;
    return p;
}

QString withSlash(QString dir)
{
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString executableDir()
{
    const QString home = qEnvironmentVariable("TARVEL_HOME");
    if (!home.isEmpty())
        return withSlash(QDir(home).absolutePath());
    if (QCoreApplication::instance())
        return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2));
}

} // namespace

void ResolvePaths()
{
    TInstallPaths p;
    p.programDir = executableDir();
    const QString local = FileInDir(p.programDir, QStringLiteral("CLIENT.PAR"));
    const QString serverPath = IniReadString(local, QStringLiteral("general"), QStringLiteral("SERVER_PATH"));
    const QString csSystem = IniReadString(local, QStringLiteral("general"), QStringLiteral("CS_SYSTEM"), QStringLiteral("S"));
    IniReadString(local, QStringLiteral("general"), QStringLiteral("SERVER_NAME"));
    p.clientServer = csSystem.toUpper() == QLatin1String("C");
    // Paths written on other systems may use backslashes.
    QString server = serverPath.trimmed();
    server.replace(QLatin1Char('\\'), QLatin1Char('/'));
    p.dataDir = withSlash(server);
    if (p.dataDir.isEmpty() || !p.clientServer)
        p.dataDir = p.programDir;
    p.webDir = p.dataDir + QLatin1String("Web/");
    p.webImagesDir = p.dataDir + QLatin1String("Web/HtDocs/Images/");
    paths() = p;
}

const TInstallPaths &InstallPaths()
{
    if (paths().programDir.isEmpty())
        ResolvePaths();
    return paths();
}

QString WindowsDir()
{
    const QString windir = qEnvironmentVariable("WINDIR");
    return windir.isEmpty() ? DataDir() : withSlash(windir);
}

QString FileInDir(const QString &dir, const QString &name)
{
    const QString exact = withSlash(dir) + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return withSlash(dir) + entry;
    return exact;
}

QString ClientParInProgramDir() { return FileInDir(ProgramDir(), QStringLiteral("CLIENT.PAR")); }
QString ClientParInDataDir() { return FileInDir(DataDir(), QStringLiteral("CLIENT.PAR")); }
QString TrvlPar() { return FileInDir(DataDir(), QStringLiteral("TRVL.PAR")); }

void EnsureRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir = "/tmp/runtime-" + QByteArray::number(uint(getuid()));
    ::mkdir(dir.constData(), 0700);
    struct stat info {};
    if (::lstat(dir.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()) {
        ::chmod(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
}
