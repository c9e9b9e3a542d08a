#include "foundation/Paths.h"

#include "foundation/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

QString userConfigHome(const TProgramDirSources &sources)
{
    // XDG base directories must be absolute; a relative value is ignored.
    if (!sources.configHome.isEmpty() && QDir::isAbsolutePath(sources.configHome))
        return withSlash(sources.configHome);
    return withSlash(sources.homeDir) + QLatin1String(".config/");
}

} // namespace

QString ExecutableDir()
{
    if (QCoreApplication::instance())
        return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2));
}

QString SharedDataDir()
{
    // Installed programs find their shared files by the relative place the install rules
    // gave them, so an installation works under any prefix.
    const QString dir = withSlash(QDir::cleanPath(ExecutableDir() + QLatin1String(TARVEL_SHARE_FROM_BIN)));
    return QFileInfo::exists(FileInDir(dir, QStringLiteral("CLIENT.PAR"))) ? dir : QString();
}

TProgramDirChoice ChooseProgramDir(const TProgramDirSources &sources)
{
    if (!sources.tarvelHome.isEmpty())
        return {withSlash(QDir(sources.tarvelHome).absolutePath()), false};
    const QString exeDir = withSlash(sources.executableDir);
    if (QFileInfo::exists(FileInDir(exeDir, QStringLiteral("CLIENT.PAR"))) || sources.sharedDataDir.isEmpty())
        return {exeDir, false};
    return {userConfigHome(sources) + QLatin1String("tarvel/"), true};
}

QStringList DefaultSettingsFiles()
{
    return {QStringLiteral("TRVL.PAR"), QStringLiteral("TRNSFONT.INI"), QStringLiteral("CLIENT.PAR")};
}

bool SeedSettingsDir(const QString &dir, const QString &defaultsDir)
{
    if (!QDir().mkpath(dir))
        return false;
    bool ok = true;
    for (const QString &name : DefaultSettingsFiles()) {
        const QString target = FileInDir(dir, name);
        const QString source = FileInDir(defaultsDir, name);
        if (QFileInfo::exists(target) || !QFileInfo::exists(source))
            continue;
        // Copied under a temporary name and renamed, so an interrupted copy leaves no half file.
        const QString partial = target + QLatin1String(".new");
        QFile::remove(partial);
        if (!QFile::copy(source, partial)) {
            ok = false;
            continue;
        }
        // The installed defaults are read-only; the user's copy must take the settings written back.
        QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ReadOther);
        if (!QFile::rename(partial, target)) {
            QFile::remove(partial);
            ok = false;
        }
    }
    return ok;
}

void ResolvePaths()
{
    TInstallPaths p;
    TProgramDirSources sources;
    sources.tarvelHome = qEnvironmentVariable("TARVEL_HOME");
    sources.executableDir = ExecutableDir();
    sources.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    sources.homeDir = QDir::homePath();
    if (sources.tarvelHome.isEmpty())
        sources.sharedDataDir = SharedDataDir();
    const TProgramDirChoice choice = ChooseProgramDir(sources);
    if (choice.userSettings && !QFileInfo::exists(FileInDir(choice.dir, QStringLiteral("CLIENT.PAR"))))
        SeedSettingsDir(choice.dir, sources.sharedDataDir); // a failure leaves the built-in defaults
    p.programDir = choice.dir;
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
