// Every batch command that writes a file treats its target the same way: the report itself
// (by any name) is refused, a device or a FIFO is written into, a symbolic link is written
// through and an existing file keeps its permissions.
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// One writing command: how it is called for a report and a target file, the name its target
// must have (png writes OUTDIR/page-0001.png), how its output starts, and whether two runs
// give the same bytes (a PDF, a workbook and a page image carry the time they were made).
struct TWritingCommand {
    const char *label;
    const char *targetName;
    QByteArray magic;
    bool repeatable;
    QStringList (*arguments)(const QString &report, const QString &target);
};

QStringList plain(const char *command, const QString &report, const QString &target)
{
    return {QString::fromLatin1(command), report, target};
}

const TWritingCommand kCommands[] = {
    {"export csv", "out.csv", {}, true, [](const QString &r, const QString &t) { return plain("export", r, t); }},
    {"export txt", "out.txt", {}, true, [](const QString &r, const QString &t) { return plain("export", r, t); }},
    {"export xlsx", "out.xlsx", "PK", false, [](const QString &r, const QString &t) { return plain("export", r, t); }},
    {"copy", "out.srp", {}, true, [](const QString &r, const QString &t) { return plain("copy", r, t); }},
    {"pages", "out.QRP", {}, true, [](const QString &r, const QString &t) { return plain("pages", r, t); }},
    {"pdf", "out.pdf", "%PDF", false, [](const QString &r, const QString &t) { return plain("pdf", r, t); }},
    {"graph-png", "out.png", "\x89PNG", true, [](const QString &r, const QString &t) { return plain("graph-png", r, t); }},
    {"png", "page-0001.png", "\x89PNG", false,
     [](const QString &r, const QString &t) { return QStringList{"png", r, QFileInfo(t).path()}; }},
};

QProcessEnvironment sampleHome()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
    return env;
}

TProgramRun tool(const QStringList &arguments) { return RunReportTool(arguments, {}, sampleHome()); }

std::string label(const TWritingCommand &command, const QString &more = {})
{
    return command.label + (" " + more).toStdString();
}

mode_t modeOf(const QString &name)
{
    struct stat info;
    return ::stat(QFile::encodeName(name).constData(), &info) == 0 ? info.st_mode : 0;
}

class OutputSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        report = dir.path("R.srp");
        ASSERT_TRUE(QFile::copy(SourceDir() + QStringLiteral("/examples/calls-by-department.srp"), report));
        original = dir.read("R.srp");
    }
    // A folder of the command's own, so that png's fixed page names do not meet.
    QString targetIn(const TWritingCommand &command, const char *folder)
    {
        const QString path = dir.path(QString::fromLatin1(command.label).replace(' ', '-') + '-' + folder);
        QDir().mkpath(path);
        return path + '/' + QLatin1String(command.targetName);
    }
    // What the command writes into a plain new file.
    QByteArray plainOutput(const TWritingCommand &command)
    {
        const QString target = targetIn(command, "plain");
        const TProgramRun run = tool(command.arguments(report, target));
        EXPECT_EQ(run.exitCode, 0) << label(command) << run.err.constData();
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void expectLike(const TWritingCommand &command, const QByteArray &bytes, const QByteArray &plain, const QString &how)
    {
        EXPECT_FALSE(bytes.isEmpty()) << label(command, how);
        EXPECT_TRUE(bytes.startsWith(command.magic)) << label(command, how);
        if (command.repeatable) {
            EXPECT_EQ(bytes, plain) << label(command, how);
        }
    }
    TTestDir dir;
    QString report;
    QByteArray original;
};

TEST_F(OutputSafetyTest, TheReportItselfIsRefusedByEveryName)
{
    for (const TWritingCommand &command : kCommands) {
        // The report under the target's own name, given as both.
        const QString itself = targetIn(command, "itself");
        ASSERT_TRUE(QFile::copy(report, itself));
        // The report reached through a symbolic link, a hard link and "./".
        const QString symbolic = targetIn(command, "symlink");
        ASSERT_TRUE(QFile::link(report, symbolic));
        const QString hard = targetIn(command, "hardlink");
        ASSERT_EQ(::link(QFile::encodeName(report).constData(), QFile::encodeName(hard).constData()), 0);
        const QString dotted = QFileInfo(hard).path() + QStringLiteral("/./") + QFileInfo(hard).fileName();
        const QList<QStringList> runs = {command.arguments(itself, itself), command.arguments(report, symbolic),
                                         command.arguments(report, hard), command.arguments(report, dotted),
                                         command.arguments(dir.path() + QStringLiteral("/./R.srp"), hard)};
        for (const QStringList &arguments : runs) {
            const TProgramRun run = tool(arguments);
            EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains("the report itself")) << arguments.join(' ').toStdString() << run.err.constData();
        }
        EXPECT_EQ(dir.read("R.srp"), original) << label(command);
        EXPECT_EQ(QFile(itself).size(), original.size()) << label(command);
        EXPECT_TRUE(QFileInfo(symbolic).isSymLink()) << label(command);
    }
}

TEST_F(OutputSafetyTest, StandardOutputGetsWhatAFileWould)
{
    for (const TWritingCommand &command : kCommands) {
        // Only the name tells text pages and workbooks from CSV; png writes into a folder.
        if (!QByteArray(command.targetName).startsWith("out.") || QByteArray(command.targetName).endsWith(".txt")
            || QByteArray(command.targetName).endsWith(".xlsx"))
            continue;
        const TProgramRun run = tool(command.arguments(report, QStringLiteral("/dev/stdout")));
        EXPECT_EQ(run.exitCode, 0) << label(command) << run.err.constData();
        // The count of pages some commands print follows what they wrote.
        const qsizetype end = run.out.lastIndexOf("pages: ");
        expectLike(command, end > 0 ? run.out.left(end) : run.out, plainOutput(command), "to /dev/stdout");
    }
}

TEST_F(OutputSafetyTest, AFifoIsWrittenIntoAndStays)
{
    for (const TWritingCommand &command : kCommands) {
        const QString fifo = targetIn(command, "fifo");
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // The reader's output goes to a file: a pipe to this test would fill while the command runs.
        const QString received = fifo + QStringLiteral(".received");
        QProcess reader;
        reader.setStandardOutputFile(received);
        reader.start(QStringLiteral("cat"), {fifo});
        ASSERT_TRUE(reader.waitForStarted());
        const TProgramRun run = tool(command.arguments(report, fifo));
        if (run.exitCode != 0) {
            // Unblock a reader still waiting (never waiting for one that has gone).
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        ASSERT_TRUE(reader.waitForFinished());
        EXPECT_EQ(run.exitCode, 0) << label(command) << run.err.constData();
        QFile got(received);
        ASSERT_TRUE(got.open(QIODevice::ReadOnly));
        expectLike(command, got.readAll(), plainOutput(command), "into a FIFO");
        EXPECT_TRUE(S_ISFIFO(modeOf(fifo))) << label(command);
    }
}

TEST_F(OutputSafetyTest, ADeviceIsWrittenIntoNotReplaced)
{
    // A node of our own when we may make one, so the test never touches the system's.
    const bool ownNode = ::geteuid() == 0;
    for (const TWritingCommand &command : kCommands) {
        QString device = QStringLiteral("/dev/null");
        if (ownNode) {
            device = targetIn(command, "device");
            ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        } else if (QByteArray(command.label) == "png") {
            continue; // /dev/page-0001.png is no node of ours
        }
        const TProgramRun run = tool(command.arguments(report, device));
        EXPECT_EQ(run.exitCode, 0) << label(command) << run.err.constData();
        EXPECT_TRUE(S_ISCHR(modeOf(device))) << label(command);
    }
}

TEST_F(OutputSafetyTest, ALinkIsWrittenThroughAndPermissionsAreKept)
{
    for (const TWritingCommand &command : kCommands) {
        const QString real = targetIn(command, "real");
        const QString kept = targetIn(command, "kept");
        for (const QString &name : {real, kept}) {
            QFile old(name);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), 0640), 0);
        }
        const QString link = targetIn(command, "link");
        ASSERT_TRUE(QFile::link(real, link));

        const QByteArray plain = plainOutput(command);
        for (const QString &target : {link, kept}) {
            const TProgramRun run = tool(command.arguments(report, target));
            EXPECT_EQ(run.exitCode, 0) << label(command, target) << run.err.constData();
        }
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << label(command);
        for (const QString &name : {real, kept}) {
            QFile written(name);
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            expectLike(command, written.readAll(), plain, name);
            EXPECT_EQ(modeOf(name) & 0777, 0640u) << label(command, name);
            // Nothing left beside it.
            EXPECT_EQ(QDir(QFileInfo(name).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 1)
                << label(command, name);
        }
    }
}

} // namespace
