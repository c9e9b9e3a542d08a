// The batch tool's export and copy commands, run as a script runs them.
#include "ProgramRun.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QDir>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment homeAt(const QString &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), dir);
    return env;
}

class ExportCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        report = dir.write("r.srp", MakeReport({"905,1", "101,2", "102,C3,C3", "103,L,L", "200,A,B",
                                                "100,x;1,y", "999"}));
        settings = dir.write("S.PAR", "[export]\r\nDELIMITER=59\r\nLINES_IN_PAGE=-1\r\n");
    }
    TTestDir dir;
    QString report, settings;
};

TEST_F(ExportCommandsTest, ExportChoosesTheWriterByTheExtension)
{
    TProgramRun run = RunReportTool({"export", report, dir.path("out.csv"), "--settings", settings});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(dir.read("out.csv"), "A;B\r\n\"x;1\";y\r\n");

    run = RunReportTool({"export", report, dir.path("OUT.TxT"), "--settings", settings});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(dir.read("OUT.TxT"), "A   B  \r\n--- ---\r\nx;1 y   \r\n\r\n");

    // Without --settings the options come from CLIENT.PAR in the program directory.
    dir.write("CLIENT.PAR", "[export]\r\nDELIMITER=9\r\n");
    run = RunReportTool({"export", report, dir.path("plain")}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(dir.read("plain"), "A\tB\r\nx;1\ty\r\n");
}

TEST_F(ExportCommandsTest, FailuresExitWithAMessage)
{
    TProgramRun run = RunReportTool({"export", dir.path("none.srp"), dir.path("a.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.isEmpty());
    run = RunReportTool({"export", report, dir.path("no/such/dir/a.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("a.csv"));
    EXPECT_EQ(RunReportTool({"export", report}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"export", report, "a", "--settings"}).exitCode, 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // S.PAR and r.srp only
}

TEST_F(ExportCommandsTest, CopyWritesTheReportAgain)
{
    dir.write("TRVL.PAR", "[PageInfo]\r\nCompName=Acme\r\n");
    TProgramRun run = RunReportTool({"copy", report, dir.path("c.srp")}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray copy = dir.read("c.srp");
    EXPECT_TRUE(copy.startsWith(dir.read("r.srp").left(20)));
    EXPECT_TRUE(copy.contains("\r\n100,x;1,y\r\n999\r\n"));
    EXPECT_TRUE(copy.contains("\"Acme\"")); // the page header the viewer would show

    EXPECT_EQ(RunReportTool({"copy", report, report}).exitCode, 1);
    EXPECT_EQ(RunReportTool({"copy", dir.path("none.srp"), dir.path("d.srp")}).exitCode, 1);
    EXPECT_EQ(RunReportTool({"copy", report}).exitCode, 2);
}

} // namespace
