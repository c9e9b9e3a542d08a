// A report named in a Hebrew or Latin-1 code page ("\xe9\xf2.srp", not UTF-8) is read and its
// outputs written under their own bytes, whatever the locale.
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

// The names in the folder as bytes (QDir would decode them).
QList<QByteArray> rawEntries(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

qint64 sizeOf(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 ? qint64(info.st_size) : -1;
}

class LocalNamesTest : public ::testing::TestWithParam<const char *>
{
protected:
    // Arguments as bytes: QProcess would encode a QString as UTF-8.
    TProgramRun tool(const QList<QByteArray> &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(GetParam()));
        // The shell makes the bytes from octal escapes and passes them through untouched.
        QString script = QStringLiteral("cd '%1' && exec '%2'").arg(dir.path(), QStringLiteral(TARVEL_REPORT_EXE));
        for (const QByteArray &argument : arguments) {
            QString octal;
            for (const char c : argument)
                octal += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
            script += QStringLiteral(" \"$(printf '%1')\"").arg(octal);
        }
        return RunProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, {}, env);
    }
    QByteArray folder() const { return QFile::encodeName(dir.path()); }
    // QTemporaryDir cannot remove names it cannot decode.
    void TearDown() override { std::filesystem::remove_all(folder().toStdString()); }
    TTestDir dir;
};

TEST_P(LocalNamesTest, EveryCommandReadsAndWritesTheNamesBytes)
{
    const QByteArray report = "\xe9\xf2.srp";
    ASSERT_TRUE(QFile::copy(SourceDir() + QStringLiteral("/examples/calls-by-department.srp"), dir.path("plain.srp")));
    ASSERT_EQ(::rename((folder() + "/plain.srp").constData(), (folder() + '/' + report).constData()), 0);
    const QByteArray pages = "\xf2\xee\xe5\xe3\xe9\xed"; // a folder for png, named in Windows-1255
    const QList<QList<QByteArray>> commands = {
        {"info", report}, {"graph-data", report}, {"export", report, "\xe9\xf2.csv"}, {"export", report, "\xe9\xf2.txt"},
        {"export", report, "\xe9\xf2.xlsx"}, {"copy", report, "\xe9\xf2-copy.srp"}, {"pdf", report, "\xe9\xf2.pdf"},
        {"pages", report, "\xe9\xf2.QRP"}, {"graph-png", report, "\xe9\xf2.png"}, {"png", report, pages},
        {"info", "\xe9\xf2.QRP"},
    };
    for (int round = 0; round < 2; ++round) { // new files, then replacing them
        for (const QList<QByteArray> &command : commands) {
            const TProgramRun run = tool(command);
            EXPECT_EQ(run.exitCode, 0) << command.join(' ').toStdString() << run.err.constData();
        }
    }
    EXPECT_EQ(rawEntries(folder()), QList<QByteArray>({"\xe9\xf2-copy.srp", "\xe9\xf2.QRP", "\xe9\xf2.csv", "\xe9\xf2.pdf",
                                                      "\xe9\xf2.png", "\xe9\xf2.srp", "\xe9\xf2.txt", "\xe9\xf2.xlsx", pages}));
    for (const QByteArray &name : rawEntries(folder()))
        EXPECT_GT(sizeOf(folder() + '/' + name), 0) << name.toStdString();
    EXPECT_EQ(rawEntries(folder() + '/' + pages), QList<QByteArray>({"page-0001.png"}));
}

TEST_P(LocalNamesTest, MessagesNameTheFileAsGiven)
{
    const TProgramRun run = tool({"info", "\xe9\xf2-missing.srp"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("-missing.srp")) << run.err.constData();
    EXPECT_FALSE(run.err.contains("/proc/")) << run.err.constData();
    const QByteArray here = "\xe9\xf2.srp";
    ASSERT_TRUE(QFile::copy(SourceDir() + QStringLiteral("/examples/calls-by-department.srp"), dir.path("plain.srp")));
    ASSERT_EQ(::rename((folder() + "/plain.srp").constData(), (folder() + '/' + here).constData()), 0);
    const TProgramRun itself = tool({"export", here, here});
    EXPECT_EQ(itself.exitCode, 1);
    EXPECT_TRUE(itself.err.contains("the report itself")) << itself.err.constData();
    EXPECT_FALSE(itself.err.contains("/proc/")) << itself.err.constData();
}

INSTANTIATE_TEST_SUITE_P(Locales, LocalNamesTest, ::testing::Values("C.UTF-8", "C", "POSIX"));

} // namespace
