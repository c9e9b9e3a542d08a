#include "foundation/OutputFile.h"

#include "foundation/LocalFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool leadsThroughProc(const QString &fileName)
{
    // /dev/stdout and /dev/fd/N are links into /proc/self/fd, whose entries stand for open
    // files: replacing the file they name would not reach the descriptor that was meant.
    return (fileName.startsWith(QLatin1String("/dev/")) || fileName.startsWith(QLatin1String("/proc/")))
           && !IsInStandInFolder(fileName);
}

// Replacing an existing file goes through a temporary name of the target's own name and a
// suffix; for a name near the system's limit that is too long, so a short one is used.
bool leavesNoRoomForSuffix(const QString &existing)
{
    const QFileInfo info(existing);
    long limit = ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = 255;
    return QFile::encodeName(info.fileName()).size() + 8 > limit;
}

QString shortNameIn(const QDir &folder)
{
    QString name;
    do {
        name = folder.filePath(QStringLiteral(".tarvel-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (QFileInfo::exists(name) || QFileInfo(name).isSymLink());
    return name;
}

} // namespace

bool IsNonRegularNode(const QString &fileName)
{
    struct stat info;
    return ::stat(QFile::encodeName(fileName).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

TOutputFile::TOutputFile(const QString &target)
    : m_target(target), m_save(target), m_file(target)
{
    // Never write into a regular target directly, even where a temporary file cannot be made.
    m_save.setDirectWriteFallback(false);
}

TOutputFile::~TOutputFile() { Discard(); }

bool TOutputFile::Open()
{
    m_failed = false;
    QString standInFolder;
    QByteArray original;
    const bool standIn = StandInFileName(m_target, standInFolder, original);
    struct stat info;
    const bool node = standIn ? ::stat(original.constData(), &info) == 0 && !S_ISREG(info.st_mode) : IsNonRegularNode(m_target);
    // A regular file reached through /proc (standard output sent to a file) is added to, as
    // the shell's own descriptor would be.
    const bool openFile = !node && leadsThroughProc(m_target) && QFileInfo::exists(m_target);
    m_direct = node || openFile;
    if (m_direct)
        m_failed = !m_file.open(QIODevice::WriteOnly | (openFile ? QIODevice::Append : QIODevice::Truncate)
                                | QIODevice::Unbuffered);
    else {
        m_renameTo.clear();
        const QFileInfo existing(m_target);
        if (standIn) {
            m_renameTo = original;
            m_save.setFileName(shortNameIn(QDir(standInFolder)));
        } else if (existing.isFile() && leavesNoRoomForSuffix(existing.canonicalFilePath())) {
            m_renameTo = QFile::encodeName(existing.canonicalFilePath()); // a link is written through
            m_save.setFileName(shortNameIn(QFileInfo(existing.canonicalFilePath()).absoluteDir()));
        } else {
            m_save.setFileName(m_target);
        }
        m_failed = !m_save.open(QIODevice::WriteOnly);
    }
    return !m_failed;
}

QIODevice &TOutputFile::Device()
{
    return m_direct ? static_cast<QIODevice &>(m_file) : static_cast<QIODevice &>(m_save);
}

bool TOutputFile::Commit()
{
    if (m_direct) {
        if (!m_file.isOpen())
            return false;
        m_file.close();
        return m_file.error() == QFileDevice::NoError;
    }
    if (!m_save.isOpen())
        return false;
    if (!m_save.commit())
        return false;
    if (m_renameTo.isEmpty())
        return true;
    // The new file gets the permissions of one it replaces, then takes its place.
    const QByteArray written = QFile::encodeName(m_save.fileName());
    struct stat old;
    const bool keepsMode = ::stat(m_renameTo.constData(), &old) != 0 || ::chmod(written.constData(), old.st_mode & 07777) == 0;
    const bool replaced = keepsMode && std::rename(written.constData(), m_renameTo.constData()) == 0;
    if (!replaced)
        ::unlink(written.constData());
    return replaced;
}

void TOutputFile::Discard()
{
    if (m_direct) {
        m_file.close();
    } else if (m_save.isOpen()) {
        m_save.cancelWriting();
        m_save.commit(); // with writing cancelled this only removes the temporary file
    }
}

QString TOutputFile::ErrorString() const
{
    return m_direct ? m_file.errorString() : m_save.errorString();
}
