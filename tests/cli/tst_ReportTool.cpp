// The batch tool as scripts use it: info, visual, errors and usage.
#include "foundation/VisualHebrew.h"
#include "ProgramRun.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportTool, InfoOfPlainScrambledAndGraphFiles)
{
    TTestDir dir;
    const QString plain = dir.write("plain.srp", MakeReport({"905,2", "100,a"}));
    TProgramRun run = RunReportTool({"info", plain});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("graph-file: no\n"));
    EXPECT_TRUE(run.out.contains("scrambled: no\n"));
    EXPECT_TRUE(run.out.contains("required-version: 1\n"));
    EXPECT_TRUE(run.out.contains("orientation: landscape\n"));

    const QString scrambled = dir.write("s.srp", MakeReport({"905,1", "100,a"}, true, "2"));
    run = RunReportTool({"info", scrambled});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("scrambled: yes\n"));
    EXPECT_TRUE(run.out.contains("required-version: 2\n"));
    EXPECT_TRUE(run.out.contains("orientation: portrait\n"));

    const QString graph = dir.write("g.srp", MakeReport({"916,1"}));
    run = RunReportTool({"info", graph});
    EXPECT_TRUE(run.out.contains("graph-file: yes\n"));
}

TEST(ReportTool, ErrorsAndUsage)
{
    TTestDir dir;
    TProgramRun run = RunReportTool({"info", dir.path("missing.srp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("missing.srp"));
    EXPECT_TRUE(run.out.isEmpty());

    run = RunReportTool({"info", dir.path()}); // a folder is not a report
    EXPECT_EQ(run.exitCode, 1);

    run = RunReportTool({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("usage"));
    EXPECT_EQ(RunReportTool({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"info"}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"info", "a", "b"}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"visual", "extra"}).exitCode, 2);
}

TEST(ReportTool, VisualConvertsEachLine)
{
    const QByteArray input = W1255("שלום 12") + "\r\n" + "plain text\n" + W1255("א") + QByteArray(1, kSegmentSeparator) + W1255("ב");
    TProgramRun run = RunReportTool({"visual"}, input);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray expected = "12 " + Win1255ToCp862(W1255("םולש")) + "\n" + "plain text\n" +
                                Win1255ToCp862(W1255("א")) + Win1255ToCp862(W1255("ב")) + "\n";
    EXPECT_EQ(run.out, expected);

    run = RunReportTool({"visual"}, QByteArray());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(ReportTool, TarvelHomeReplacesTheProgramDirectory)
{
    // A broken settings folder must not stop the tool.
    TTestDir home;
    home.write("CLIENT.PAR", QByteArray(3000, '\0'));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVEL_HOME", home.path());
    TTestDir dir;
    const TProgramRun run = RunReportTool({"info", dir.write("r.srp", MakeReport({"905,1"}))}, {}, env);
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
}

} // namespace
