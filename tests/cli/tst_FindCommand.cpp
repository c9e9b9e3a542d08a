// The batch tool's find: page numbers or their count, with the viewer's matching rules.
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

QProcessEnvironment sampleHome()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
    return env;
}

QString sample(const char *name) { return SourceDir() + QStringLiteral("/examples/") + QLatin1String(name); }

TEST(FindCommand, PrintsThePagesThatHoldTheText)
{
    // Every page has its number line; the provider name is on one page only.
    TProgramRun run = RunReportTool({"find", sample("trunk-summary.srp"), QString::fromUtf8("בזק")}, {}, sampleHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "1\n");
    run = RunReportTool({"find", sample("calls-by-extension.srp"), QString::fromUtf8("עמוד")}, {}, sampleHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    run = RunReportTool({"find", sample("calls-by-extension.srp"), QString::fromUtf8("עמוד"), "--count"}, {}, sampleHome());
    EXPECT_EQ(run.out, "10\n");
    // Nothing found is not a failure.
    run = RunReportTool({"find", sample("calls-by-extension.srp"), "no such text"}, {}, sampleHome());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(FindCommand, MatchesAcrossCellsIgnoringLatinCaseAndSpaceRuns)
{
    TTestDir dir;
    // A call listing: the date cell lies right of the time cell.
    const QString report = dir.path("listing.srp");
    ASSERT_EQ(RunProgram(QStringLiteral(TARVEL_MAKE_SAMPLES_EXE), {"--listing", "200", report}).exitCode, 0);
    const QByteArray byDate = RunReportTool({"find", report, "12/11/2026   16:33"}, {}, sampleHome()).out;
    const QByteArray byEye = RunReportTool({"find", report, "16:33 12/11/2026"}, {}, sampleHome()).out;
    EXPECT_EQ(byDate, "1\n");
    EXPECT_EQ(byEye, byDate);
    TProgramRun run = RunReportTool({"find", report, "OFFICE@GILBOA"}, {}, sampleHome());
    EXPECT_EQ(run.out, "1\n2\n3\n4\n5\n6\n7\n");
}

TEST(FindCommand, BadArguments)
{
    EXPECT_EQ(RunReportTool({"find", sample("trunk-summary.srp")}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"find", sample("trunk-summary.srp"), "   "}).exitCode, 2);
    EXPECT_EQ(RunReportTool({"find", sample("trunk-summary.srp"), "a", "b"}).exitCode, 2);
    TTestDir dir;
    EXPECT_EQ(RunReportTool({"find", dir.path("missing.srp"), "a"}).exitCode, 1);
}

} // namespace
