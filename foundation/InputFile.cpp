#include "foundation/InputFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opened without blocking: a FIFO would otherwise wait for a writer before fstat could tell.
int openNonBlocking(const QString &fileName)
{
    return ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

TInputCheck openError()
{
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return TInputCheck::Missing;
    case EACCES:
    case EPERM:
        return TInputCheck::Denied;
    case EISDIR:
        return TInputCheck::NotRegular;
    default:
        return TInputCheck::Unreadable;
    }
}

} // namespace

TInputCheck CheckInputFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return TInputCheck::Missing;
    struct stat info;
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return openError();
    if (!S_ISREG(info.st_mode))
        return TInputCheck::NotRegular;
    const int fd = openNonBlocking(fileName);
    if (fd < 0)
        return openError();
    ::close(fd);
    return TInputCheck::Ok;
}

TInputCheck ReadSmallRegularFile(const QString &fileName, qint64 maxBytes, QByteArray &bytes)
{
    bytes.clear();
    if (fileName.isEmpty())
        return TInputCheck::Missing;
    const int fd = openNonBlocking(fileName);
    if (fd < 0)
        return openError();
    struct stat info;
    TInputCheck result = TInputCheck::Ok;
    if (::fstat(fd, &info) != 0)
        result = TInputCheck::Unreadable;
    else if (!S_ISREG(info.st_mode))
        result = TInputCheck::NotRegular;
    else if (info.st_size > maxBytes)
        result = TInputCheck::TooLarge;
    if (result == TInputCheck::Ok) {
        // The size may change while reading: at most maxBytes are taken whatever happens.
        bytes.resize(qsizetype(info.st_size));
        qint64 got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        bytes.resize(qsizetype(got));
        if (got < info.st_size && errno != 0 && errno != EINTR)
            result = TInputCheck::Unreadable;
    }
    ::close(fd);
    return result;
}

bool IsSameFile(const QString &a, const QString &b)
{
    struct stat x, y;
    if (a.isEmpty() || b.isEmpty() || ::stat(QFile::encodeName(a).constData(), &x) != 0
        || ::stat(QFile::encodeName(b).constData(), &y) != 0)
        return false;
    return x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}
