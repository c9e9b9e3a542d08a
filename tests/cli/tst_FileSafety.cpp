// Files the batch tool is given may be anything: a report that is a FIFO, a device or a folder
// is refused at once; outputs under the longest names are written (what a target may be is
// tested in tst_OutputSafety).
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
const QStringList kWritingCommands = {"export", "copy", "pdf", "graph-png", "pages"};

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

TEST_F(FileSafetyTest, AReportThatIsNoRegularFileIsRefusedAtOnce)
{
    const QString fifo = dir.path("fifo.srp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QList<QStringList> commands = {
        {"info", "%1"},  {"export", "%1", dir.path("a.csv")}, {"copy", "%1", dir.path("a.srp")},
        {"pdf", "%1", dir.path("a.pdf")}, {"png", "%1", dir.path("pages")}, {"graph-data", "%1"},
        {"graph-png", "%1", dir.path("a.png")}, {"pages", "%1", dir.path("a.QRP")},
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

TEST_F(FileSafetyTest, NamesUpToTheSystemsLimitAreWrittenAndReplaced)
{
    const long limit = ::pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX);
    ASSERT_GT(limit, 10);
    for (int i = 0; i < kWritingCommands.size(); ++i) {
        const QString &command = kWritingCommands[i];
        const QString name = QString(int(limit) - 4, QLatin1Char(char('a' + i))) + QStringLiteral(".out");
        // Written new, then over itself: the second run replaces a file with a name at the limit.
        for (int run = 0; run < 2; ++run) {
            const TProgramRun result = tool({command, report, dir.path(name)});
            EXPECT_EQ(result.exitCode, 0) << command.toStdString() << result.err.constData();
            EXPECT_TRUE(QFileInfo(dir.path(name)).size() > 3) << command.toStdString();
            if (run == 0) {
                ASSERT_EQ(::chmod(QFile::encodeName(dir.path(name)).constData(), 0640), 0);
            }
        }
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(dir.path(name)).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << command.toStdString();
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
