// Files the batch tool is given may be anything: a report that is a FIFO, a device or a folder
// is refused at once; an output never replaces the report, a device node or a symbolic link.
#include "ProgramRun.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QProcessEnvironment sampleHome()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
    return env;
}

TProgramRun tool(const QStringList &arguments)
{
    return RunReportTool(arguments, {}, sampleHome());
}

QString sample(const char *name) { return SourceDir() + QStringLiteral("/examples/") + QLatin1String(name); }

// Every command that writes a file, with the report before the target.
const QStringList kWritingCommands = {"export", "copy", "pdf", "graph-png"};

class FileSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        report = dir.path("R.srp");
        ASSERT_TRUE(QFile::copy(sample("calls-by-department.srp"), report));
        original = dir.read("R.srp");
    }
    TTestDir dir;
    QString report;
    QByteArray original;
};

TEST_F(FileSafetyTest, TheReportItselfIsNeverATarget)
{
    ASSERT_TRUE(QFile::link(report, dir.path("link.srp")));
    ASSERT_EQ(::link(QFile::encodeName(report).constData(), QFile::encodeName(dir.path("hard.srp")).constData()), 0);
    const QString dotted = dir.path() + QStringLiteral("/./R.srp");
    for (const QString &command : kWritingCommands) {
        for (const QString &target : {report, dotted, dir.path("link.srp"), dir.path("hard.srp")}) {
            const TProgramRun run = tool({command, report, target});
            EXPECT_EQ(run.exitCode, 1) << command.toStdString() << ' ' << target.toStdString();
            EXPECT_TRUE(run.err.contains("the report itself")) << run.err.constData();
            EXPECT_EQ(dir.read("R.srp"), original) << command.toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(dir.path("link.srp")).isSymLink());
}

TEST_F(FileSafetyTest, AReportThatIsNoRegularFileIsRefusedAtOnce)
{
    const QString fifo = dir.path("fifo.srp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QList<QStringList> commands = {
        {"info", "%1"},  {"export", "%1", dir.path("a.csv")}, {"copy", "%1", dir.path("a.srp")},
        {"pdf", "%1", dir.path("a.pdf")}, {"png", "%1", dir.path("pages")}, {"graph-data", "%1"},
        {"graph-png", "%1", dir.path("a.png")},
    };
    for (const QString &input : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
        for (QStringList command : commands) {
            command[1] = input;
            const TProgramRun run = tool(command);
            EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains("not a regular file")) << run.err.constData();
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(FileSafetyTest, ADeviceAsTargetIsWrittenIntoNotReplaced)
{
    // A node of our own when we may make one, so the test never touches the system's.
    QString device = QStringLiteral("/dev/null");
    if (::geteuid() == 0) {
        device = dir.path("null");
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    for (const char *command : {"export", "copy", "pdf"}) {
        const TProgramRun run = tool({command, report, device});
        EXPECT_EQ(run.exitCode, 0) << command << run.err.constData();
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << command;
    }
}

TEST_F(FileSafetyTest, StandardOutputAsTargetGetsTheExport)
{
    const TProgramRun run = tool({"export", report, "/dev/stdout"});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    tool({"export", report, dir.path("plain.csv")});
    EXPECT_EQ(run.out, dir.read("plain.csv"));
}

TEST_F(FileSafetyTest, AFifoAsTargetIsWrittenIntoNotReplaced)
{
    const QString fifo = dir.path("out.fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess reader;
    reader.start(QStringLiteral("cat"), {fifo});
    ASSERT_TRUE(reader.waitForStarted());
    const TProgramRun run = tool({"export", report, fifo});
    ASSERT_TRUE(reader.waitForFinished());
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    tool({"export", report, dir.path("plain.csv")});
    EXPECT_EQ(reader.readAllStandardOutput(), dir.read("plain.csv"));
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(FileSafetyTest, ALinkIsWrittenThroughAndPermissionsAreKept)
{
    for (const QString &command : kWritingCommands) {
        const QString extension = command == "pdf" ? ".pdf" : command == "graph-png" ? ".png" : command == "copy" ? ".srp" : ".csv";
        const QString real = dir.write("real-" + command + extension, "old");
        ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        const QString link = dir.path("link-" + command + extension);
        ASSERT_TRUE(QFile::link(real, link));
        const TProgramRun run = tool({command, report, link});
        EXPECT_EQ(run.exitCode, 0) << command.toStdString() << run.err.constData();
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << command.toStdString();
        EXPECT_NE(dir.read("real-" + command + extension), "old") << command.toStdString();
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << command.toStdString();
    }
    // Nothing but the files and links.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 1 + 2 * kWritingCommands.size());
}

TEST_F(FileSafetyTest, NamesUpToTheSystemsLimitAreWritten)
{
    const long limit = ::pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX);
    ASSERT_GT(limit, 10);
    for (const QString &command : kWritingCommands) {
        const QString name = QString(int(limit) - 4, command[0]) + QStringLiteral(".out");
        const TProgramRun run = tool({command, report, dir.path(name)});
        EXPECT_EQ(run.exitCode, 0) << command.toStdString() << run.err.constData();
        EXPECT_TRUE(QFileInfo(dir.path(name)).size() > 0) << command.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1 + kWritingCommands.size());
}

} // namespace

namespace {

TEST(LongLines, CopyWritesALineLongerThanTheReadersPiecesAsOneLine)
{
    TTestDir dir;
    // A data record of 40 MiB between two short ones.
    const QByteArray longField(40 * 1024 * 1024, 'x');
    const QByteArray report = MakeReport({"905,1", "101,2", "102,C3,C3", "103,L,L", "200,A,B", "100,a,b",
                                          QByteArray("100,") + longField + ",y", "100,c,d", "999"});
    const QString input = dir.write("long.srp", report);
    const TProgramRun run = tool({"copy", input, dir.path("copy.srp")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray copy = dir.read("copy.srp");
    const qsizetype longest = [&] {
        qsizetype best = 0, start = 0, lf;
        while ((lf = copy.indexOf('\n', start)) >= 0) {
            best = std::max(best, lf - start);
            start = lf + 1;
        }
        return best;
    }();
    EXPECT_GT(longest, 40 * 1024 * 1024);
    EXPECT_TRUE(copy.contains("\n100," + longField + ",y\r\n100,c,d\r\n"));
}

} // namespace
