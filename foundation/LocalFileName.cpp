#include "foundation/LocalFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TStandIn {
    QString folder;
    QByteArray originalPath;
    QString given; // for messages
};

// The descriptors stay open for the life of the process: the names made from them must keep
// meaning the same file and folder.
struct TStandIns {
    QMutex lock;
    QHash<QString, TStandIn> names;
    QHash<QString, QString> folders; // with the folder's name as given
};

TStandIns &standIns()
{
    static TStandIns instance;
    return instance;
}

bool decodesExactly(const QByteArray &bytes)
{
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

QString descriptorName(int fd) { return QStringLiteral("/proc/self/fd/%1").arg(fd); }

} // namespace

QString LocalFileName(const QByteArray &given)
{
    if (decodesExactly(given))
        return QFile::decodeName(given);
    QByteArray bytes = given;
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    const qsizetype slash = bytes.lastIndexOf('/');
    const QByteArray folderBytes = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : bytes.left(slash);
    const QByteArray leaf = bytes.mid(slash + 1);
    const int dirFd = ::open(folderBytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0 || leaf.isEmpty() || leaf == "." || leaf == "..") {
        if (dirFd >= 0)
            ::close(dirFd);
        return QFile::decodeName(given); // no such folder: the name fails as missing
    }
    const QString folder = descriptorName(dirFd);
    TStandIns &all = standIns();
    QMutexLocker locker(&all.lock);
    all.folders.insert(folder, QFile::decodeName(folderBytes));
    if (decodesExactly(leaf))
        return folder + QLatin1Char('/') + QFile::decodeName(leaf);
    // O_PATH opens even a FIFO without waiting and reads nothing; links are followed.
    const int fileFd = ::openat(dirFd, leaf.constData(), O_PATH | O_CLOEXEC);
    const QString name = fileFd >= 0 ? descriptorName(fileFd) : folder + QLatin1Char('/') + QFile::decodeName(leaf);
    all.names.insert(name, {folder, folder.toLatin1() + '/' + leaf, QFile::decodeName(given)});
    return name;
}

bool StandInFileName(const QString &name, QString &folder, QByteArray &originalPath)
{
    TStandIns &all = standIns();
    QMutexLocker locker(&all.lock);
    const auto found = all.names.constFind(name);
    if (found == all.names.constEnd())
        return false;
    folder = found->folder;
    originalPath = found->originalPath;
    return true;
}

bool IsInStandInFolder(const QString &name)
{
    if (!name.startsWith(QLatin1String("/proc/self/fd/")))
        return false;
    TStandIns &all = standIns();
    QMutexLocker locker(&all.lock);
    if (all.names.contains(name))
        return true;
    const qsizetype slash = name.indexOf(QLatin1Char('/'), 14);
    return slash > 0 && (all.folders.contains(name.left(slash)) || all.names.contains(name.left(slash)));
}

QString WithGivenNames(QString text)
{
    TStandIns &all = standIns();
    QMutexLocker locker(&all.lock);
    for (auto it = all.names.constBegin(); it != all.names.constEnd(); ++it)
        text.replace(it.key(), it->given);
    for (auto it = all.folders.constBegin(); it != all.folders.constEnd(); ++it)
        text.replace(it.key() + QLatin1Char('/'), it.value() + QLatin1Char('/'));
    return text;
}

bool MakeLocalFolder(QString &name)
{
    QString folder;
    QByteArray original;
    if (!StandInFileName(name, folder, original))
        return QDir().mkpath(name);
    if (::mkdir(original.constData(), 0777) != 0 && errno != EEXIST)
        return false;
    const QString made = LocalFileName(original);
    TStandIns &all = standIns();
    QMutexLocker locker(&all.lock);
    if (all.names.contains(made))
        all.names[made].given = all.names.value(name).given; // messages keep the name as given
    name = made;
    return QFileInfo(name).isDir();
}
