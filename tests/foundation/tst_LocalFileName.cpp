// Names that are not UTF-8 reach the file with their own bytes, for reading and writing.
#include "foundation/LocalFileName.h"
#include "foundation/OutputFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readBytes(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "(missing)";
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
}

bool writeBytes(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// A test folder that is emptied by bytes first: QTemporaryDir cannot remove names it cannot decode.
struct TRawDir : TTestDir {
    ~TRawDir() { std::filesystem::remove_all(QFile::encodeName(path()).toStdString()); }
};

bool writeThrough(const QString &name, const QByteArray &bytes)
{
    TOutputFile out(name);
    return out.Open() && out.Device().write(bytes) == bytes.size() && out.Commit();
}

TEST(LocalFileName, Utf8NamesStayAsTheyAre)
{
    EXPECT_EQ(LocalFileName("/tmp/דוח.srp"), QStringLiteral("/tmp/דוח.srp"));
    EXPECT_EQ(LocalFileName("x.csv"), QStringLiteral("x.csv"));
    QString folder;
    QByteArray original;
    EXPECT_FALSE(StandInFileName(QStringLiteral("x.csv"), folder, original));
}

TEST(LocalFileName, AnExistingFileIsReadUnderItsOwnBytes)
{
    TRawDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\xe9\xf2.srp";
    ASSERT_TRUE(writeBytes(raw, "report"));
    const QString name = LocalFileName(raw);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(file.readAll(), "report");
    EXPECT_TRUE(QFileInfo(name).isFile());
    EXPECT_EQ(WithGivenNames("cannot read " + name), "cannot read " + QFile::decodeName(raw));
}

TEST(LocalFileName, AFileInAFolderNamedInAnotherCodePageIsReached)
{
    TRawDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/\xe3\xe5\xe7";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    ASSERT_TRUE(writeBytes(folder + "/a.srp", "in folder"));
    QFile file(LocalFileName(folder + "/a.srp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "in folder");
}

TEST(LocalFileName, ANewFileIsWrittenUnderItsOwnBytesAndAnOldOneReplaced)
{
    TRawDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\xe9\xf2.csv";
    EXPECT_TRUE(writeThrough(LocalFileName(raw), "first"));
    EXPECT_EQ(readBytes(raw), "first");
    ASSERT_EQ(::chmod(raw.constData(), 0640), 0);
    EXPECT_TRUE(writeThrough(LocalFileName(raw), "second"));
    EXPECT_EQ(readBytes(raw), "second");
    struct stat info;
    ASSERT_EQ(::stat(raw.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Nothing else was left in the folder (no name of replacement characters, no temporary).
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(QFile::encodeName(dir.path()).toStdString()),
                            std::filesystem::directory_iterator()), 1);
}

TEST(LocalFileName, AFolderIsMadeUnderItsOwnBytes)
{
    TRawDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\xf2\xee";
    QString name = LocalFileName(raw);
    ASSERT_TRUE(MakeLocalFolder(name));
    EXPECT_TRUE(QFileInfo(raw).exists() || std::filesystem::is_directory(raw.toStdString()));
    EXPECT_TRUE(writeThrough(name + QStringLiteral("/page.png"), "page"));
    EXPECT_EQ(readBytes(raw + "/page.png"), "page");
    EXPECT_EQ(WithGivenNames(name), QFile::decodeName(raw));
}

TEST(LocalFileName, AMissingFolderFailsAsMissing)
{
    const QString name = LocalFileName("/no such folder \xe9/a.srp");
    EXPECT_FALSE(QFileInfo::exists(name));
    TOutputFile out(name);
    EXPECT_FALSE(out.Open());
}

} // namespace
