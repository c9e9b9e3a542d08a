#include "foundation/OutputFile.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool leadsThroughProc(const QString &fileName)
{
    // /dev/stdout and /dev/fd/N are links into /proc/self/fd, whose entries stand for open
    // files: replacing the file they name would not reach the descriptor that was meant.
    return fileName.startsWith(QLatin1String("/dev/")) || fileName.startsWith(QLatin1String("/proc/"));
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
    const bool node = IsNonRegularNode(m_target);
    // A regular file reached through /proc (standard output sent to a file) is added to, as
    // the shell's own descriptor would be.
    const bool openFile = !node && leadsThroughProc(m_target) && QFileInfo::exists(m_target);
    m_direct = node || openFile;
    if (m_direct)
        m_failed = !m_file.open(QIODevice::WriteOnly | (openFile ? QIODevice::Append : QIODevice::Truncate)
                                | QIODevice::Unbuffered);
    else
        m_failed = !m_save.open(QIODevice::WriteOnly);
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
    return m_save.commit();
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
