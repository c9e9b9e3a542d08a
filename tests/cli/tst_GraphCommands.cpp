// The batch tool's graph commands, run as a script runs them.
#include "ProgramRun.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QImage>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment homeAt(const QString &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), dir);
    return env;
}

QByteArray graphFile()
{
    return MakeReport({"905,1", "916,1", "951", W1255("400,1,C,0,0,שיחות"), "700,1,-1,Ext", "701,2,0,Calls,1,out",
                       "701,3,0,Calls,1,in", "701,4,2,Cost", "100,201,3,4,12.5", "100,202,5,6,7", "902",
                       "100,301,1,1,1", "902"},
                      true);
}

} // namespace

TEST(GraphCommands, GraphDataPrintsTheCopyDataText)
{
    TTestDir dir;
    const QString file = dir.write("g.srp", graphFile());
    TProgramRun run = RunReportTool({"graph-data", file}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(QString::fromUtf8(run.out), QStringLiteral("\"Ext\"\t\"Calls (out)\"\t\"Calls (in)\"\t\"Cost\"\r\n"
                                                         "\"201\"\t3\t4\t12.50\r\n"
                                                         "\"202\"\t5\t6\t7.00"));
    run = RunReportTool({"graph-data", file, "--group", "1"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.endsWith("\"301\"\t1\t1\t1.00"));
    run = RunReportTool({"graph-data", file, "--group", "2"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 1);
    run = RunReportTool({"graph-data", file, "--group", "x"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 2);
}

TEST(GraphCommands, GraphDataOfATrafficPage)
{
    TTestDir dir;
    const QString file = dir.write("t.srp", MakeReport({"905,1", "950", "700,1,-1,Ext", "700,2,-1,Hour",
                                                        "701,3,0,Calls", "703,Calls,1", "100,201,08:00,5",
                                                        "100,202,08:00,7", "100,202,09:00,1"}));
    TProgramRun run = RunReportTool({"graph-data", file, "--group", "1"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "\"Ext\"\t\"Hour\"\t\"Calls\"\r\n\"202\"\t\"08:00\"\t7\r\n\"202\"\t\"09:00\"\t1");
}

TEST(GraphCommands, NoGraphDataFails)
{
    TTestDir dir;
    const QString file = dir.write("r.srp", MakeReport({"905,1", "101,1", "100,x"}));
    TProgramRun run = RunReportTool({"graph-data", file}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("פורמט לא מוכר"))) << run.err.constData();
    run = RunReportTool({"graph-png", file, dir.path("x.png")}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.path("x.png")));
    run = RunReportTool({"graph-data", dir.path("missing.srp")}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("לא ניתן לפתוח קובץ לגראף")));
}

TEST(GraphCommands, GraphPngDrawsTheChart)
{
    TTestDir dir;
    const QString file = dir.write("g.srp", graphFile());
    for (const char *kind : {"0", "1", "2", "3", "4", "5", "6"}) {
        const QString out = dir.path(QStringLiteral("k%1.png").arg(kind));
        TProgramRun run = RunReportTool({"graph-png", file, out, "--kind", kind, "--width", "640", "--height", "400"},
                                        {}, homeAt(dir.path()));
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QImage image(out);
        ASSERT_EQ(image.size(), QSize(640, 400)) << kind;
        EXPECT_EQ(image.pixelColor(2, 2), QColor(192, 192, 192)); // the silver panel
    }
    TProgramRun run = RunReportTool({"graph-png", file, dir.path("a.png"), "--kind", "9"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 2);
    run = RunReportTool({"graph-png", file, dir.path("g1.png"), "--group", "1"}, {}, homeAt(dir.path()));
    EXPECT_EQ(run.exitCode, 0);
}
