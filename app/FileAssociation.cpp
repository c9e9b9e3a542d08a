#include "app/FileAssociation.h"

#include "foundation/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <functional>

namespace {

QString defaultDataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + QLatin1String("/.local/share");
}

// True when the file now holds exactly that content (written or already there).
bool writeWhenDifferent(const QString &fileName, const QByteArray &content, bool &changed)
{
    QFile current(fileName);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
        return true;
    current.close();
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(content);
    if (!out.commit())
        return false;
    changed = true;
    return true;
}

// Desktop entry quoting of an argument: double quotes, with ", `, $ and \ escaped.
QString quoteExec(const QString &path)
{
    QString escaped;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void refreshDatabases(const QString &dataHome)
{
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty())
        QProcess::startDetached(mime, {dataHome + QLatin1String("/mime")});
    const QString desktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktop.isEmpty())
        QProcess::startDetached(desktop, {dataHome + QLatin1String("/applications")});
}

} // namespace

TFileAssociation FileAssociationFiles(const QString &dataHome)
{
    const QString home = dataHome.isEmpty() ? defaultDataHome() : dataHome;
    return {home + QLatin1String("/mime/packages/tarvel-srp.xml"),
            home + QLatin1String("/applications/tarvel-viewer.desktop"),
            home + QLatin1String("/icons/hicolor/64x64/apps/tarvel-viewer.png")};
}

QString MimePackageText()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"%1\">\n"
        "    <comment>SRP File</comment>\n"
        "    <glob pattern=\"*.srp\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n").arg(QLatin1String(kSrpMimeType));
}

QString DesktopEntryText(const QString &executable)
{
    return QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tarvel Report Viewer\n"
        "Comment=SRP File\n"
        "Exec=%1 %f\n"
        "Icon=tarvel-viewer\n"
        "MimeType=%2;\n"
        "Terminal=false\n"
        "NoDisplay=true\n").arg(quoteExec(executable), QLatin1String(kSrpMimeType));
}

bool RegisterFileType(const QString &dataDir, const QString &runningExecutable, const QString &dataHome)
{
    const QString home = dataHome.isEmpty() ? defaultDataHome() : dataHome;
    const TFileAssociation files = FileAssociationFiles(home);
    const QString inDataDir = QDir(dataDir).filePath(QFileInfo(runningExecutable).fileName());
    const QString executable = QFileInfo(inDataDir).isExecutable() ? inDataDir : runningExecutable;

    bool changed = false;
    writeWhenDifferent(files.mimePackageFile, MimePackageText().toUtf8(), changed);
    writeWhenDifferent(files.desktopFile, DesktopEntryText(executable).toUtf8(), changed);
    QFile icon(QStringLiteral(":/icons/tarvel-viewer.png"));
    if (icon.open(QIODevice::ReadOnly))
        writeWhenDifferent(files.iconFile, icon.readAll(), changed);
    if (changed)
        refreshDatabases(home);
    return changed;
}

bool InstallationRegistersFileType(const QString &sharedDataDir)
{
    if (sharedDataDir.isEmpty())
        return false;
    const QDir share(sharedDataDir + QLatin1String("/.."));
    return QFileInfo::exists(share.filePath(QStringLiteral("applications/tarvel-viewer.desktop"))) &&
           QFileInfo::exists(share.filePath(QStringLiteral("mime/packages/tarvel.xml")));
}

bool InstallationRegistersFileType() { return InstallationRegistersFileType(SharedDataDir()); }

namespace {

// A desktop entry written by RegisterFileType, whatever executable it names.
bool isOurDesktopEntry(const QByteArray &content)
{
    auto withoutExec = [](const QString &text) {
        QStringList lines = text.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line.startsWith(QLatin1String("Exec=")); });
        return lines;
    };
    const QString text = QString::fromUtf8(content);
    return text.contains(QLatin1String("\nExec=")) && withoutExec(text) == withoutExec(DesktopEntryText(QString()));
}

bool removeWhenEqual(const QString &fileName, const std::function<bool(const QByteArray &)> &ours)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 65536 || !ours(file.readAll()))
        return false;
    file.close();
    return QFile::remove(fileName);
}

} // namespace

bool RemoveUserRegistration(const QString &dataHome)
{
    const QString home = dataHome.isEmpty() ? defaultDataHome() : dataHome;
    const TFileAssociation files = FileAssociationFiles(home);
    if (!removeWhenEqual(files.desktopFile, isOurDesktopEntry))
        return false; // the user's own entry, or none: leave everything as it is
    removeWhenEqual(files.mimePackageFile, [](const QByteArray &c) { return c == MimePackageText().toUtf8(); });
    QFile icon(QStringLiteral(":/icons/tarvel-viewer.png"));
    const QByteArray iconBytes = icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray();
    removeWhenEqual(files.iconFile, [&](const QByteArray &c) { return !iconBytes.isEmpty() && c == iconBytes; });
    refreshDatabases(home);
    return true;
}
