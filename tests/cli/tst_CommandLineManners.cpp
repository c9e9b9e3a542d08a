// Command-line manners of both programs: --help and --version (and the manual pages saying
// the same), and the batch tool's progress line, shown only on a terminal and never with
// --quiet.
#include "cli/TerminalProgress.h"
#include "foundation/AppState.h"
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment sampleHome()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
    return env;
}

QString sample(const char *name) { return SourceDir() + QStringLiteral("/examples/") + QLatin1String(name); }

QByteArray manPage(const char *name)
{
    QFile file(SourceDir() + QStringLiteral("/packaging/") + QLatin1String(name) + QStringLiteral(".1.in"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The command names --help lists under "what each command does".
QStringList helpCommands(const QByteArray &help)
{
    QStringList names;
    const QList<QByteArray> lines = help.split('\n');
    const qsizetype start = lines.indexOf("what each command does:");
    for (qsizetype i = start + 1; start >= 0 && i < lines.size() && lines[i].startsWith("  "); ++i)
        names.append(QString::fromUtf8(lines[i].trimmed().split(' ').first()));
    return names;
}

TEST(Manners, ReportToolHelpAndVersion)
{
    TProgramRun run = RunReportTool({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("tarvel-report ") + kViewerVersion + "\n");

    run = RunReportTool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty());
    for (const char *part : {"usage:", "--quiet", "TARVEL_HOME", "XDG_CONFIG_HOME", "exit status:", "2  bad arguments"})
        EXPECT_TRUE(run.out.contains(part)) << part;
    const QStringList commands = helpCommands(run.out);
    for (const char *name : {"copy", "export", "info", "pdf", "png", "visual"})
        EXPECT_TRUE(commands.contains(QLatin1String(name))) << name;

    // The manual page tells every command --help tells, and the same environment.
    const QByteArray page = manPage("tarvel-report");
    ASSERT_FALSE(page.isEmpty());
    for (const QString &name : commands)
        EXPECT_TRUE(page.contains(".BI \"" + name.toUtf8() + " ") || page.contains(".B " + name.toUtf8() + "\n"))
            << "command " << name.toStdString() << " is missing from packaging/tarvel-report.1.in";
    for (const char *part : {"TARVEL_HOME", "XDG_CONFIG_HOME", "WINDIR", "\\-\\-quiet", "@PROJECT_VERSION@"})
        EXPECT_TRUE(page.contains(part)) << part;

    // Bad arguments still give the usage on standard error.
    run = RunReportTool({"--no-such-option"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("usage:"));
}

TEST(Manners, ViewerHelpAndVersionNeedNoDisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    TProgramRun run = RunProgram(QStringLiteral(TARVEL_VIEWER_EXE), {"--version"}, {}, env);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("tarvel-viewer ") + kViewerVersion + "\n");

    run = RunProgram(QStringLiteral(TARVEL_VIEWER_EXE), {"--help"}, {}, env);
    EXPECT_EQ(run.exitCode, 0);
    for (const char *part : {"usage: tarvel-viewer [REPORT.srp]", "/INSTALL", "TARVEL_HOME", "XDG_DATA_HOME", "exit status:"})
        EXPECT_TRUE(run.out.contains(part)) << part;
    const QByteArray page = manPage("tarvel-viewer");
    for (const char *part : {"/INSTALL", "TARVEL_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "\\-\\-version"})
        EXPECT_TRUE(page.contains(part)) << part;
}

TEST(Manners, NoProgressWithoutATerminal)
{
    TTestDir dir;
    const QProcessEnvironment env = sampleHome();
    const QString report = sample("calls-by-extension.srp");
    const QList<QStringList> commands = {{"pdf", report, dir.path("a.pdf")},
                                         {"png", report, dir.path("pages")},
                                         {"export", report, dir.path("a.csv")},
                                         {"copy", report, dir.path("a.srp")}};
    for (const QStringList &command : commands) {
        const TProgramRun run = RunReportTool(command, {}, env);
        EXPECT_EQ(run.exitCode, 0) << command.first().toStdString() << run.err.constData();
        EXPECT_TRUE(run.err.isEmpty()) << command.first().toStdString() << ": " << run.err.constData();
    }
}

// Runs the tool on a pseudo-terminal (util-linux script), where standard error is a terminal.
TProgramRun runOnTerminal(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted.append(QLatin1Char('\'') + argument + QLatin1Char('\''));
    const QString command = QStringLiteral("'" TARVEL_REPORT_EXE "' ") + quoted.join(QLatin1Char(' '));
    return RunProgram(QStringLiteral("script"), {"-qec", command, "/dev/null"}, {}, sampleHome());
}

TEST(Manners, ProgressLineOnATerminalUnlessQuiet)
{
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        GTEST_SKIP() << "no script program to make a terminal";
    TTestDir dir;
    const QString report = sample("calls-by-extension.srp");
    TProgramRun run = runOnTerminal({"pdf", report, dir.path("a.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.out.constData();
    EXPECT_TRUE(run.out.contains("100%")) << run.out.constData();
    EXPECT_TRUE(run.out.contains(" records  0:")) << run.out.constData();
    EXPECT_TRUE(run.out.contains(" of ")) << run.out.constData(); // "page 3 of 7"
    EXPECT_TRUE(run.out.contains("pages: ")); // the result still comes

    run = runOnTerminal({"--quiet", "pdf", report, dir.path("b.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.out.constData();
    EXPECT_FALSE(run.out.contains('%')) << run.out.constData();
    EXPECT_FALSE(run.out.contains('\r' + QByteArray(" "))) << run.out.constData();

    run = runOnTerminal({"export", report, dir.path("c.csv"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.out.constData();
    EXPECT_FALSE(run.out.contains('%'));
}

QByteArray drawn(FILE *file)
{
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[256];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, qsizetype(n));
    return bytes;
}

TEST(Manners, ProgressLineCountsAndErasesItself)
{
    FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        TTerminalProgress progress(file);
        progress.RecordsRead(12345);
        progress.Progress(45);
        EXPECT_EQ(progress.Line(), " 45%  12,345 records  0:00");
        // The same percentage again within the redraw pause draws nothing more.
        const qsizetype size = drawn(file).size();
        progress.Progress(45);
        EXPECT_EQ(drawn(file).size(), size);
        progress.Pages(3, 7);
        EXPECT_EQ(progress.Line(), " 42%  page 3 of 7  0:00");
        progress.Pages(2);
        EXPECT_EQ(progress.Line(), " 42%  2 pages  0:00");
        // Out-of-range numbers are clamped.
        progress.Progress(250);
        progress.RecordsRead(-5);
        EXPECT_TRUE(progress.Line().startsWith("100%"));
    }
    const QByteArray bytes = drawn(file);
    EXPECT_TRUE(bytes.startsWith("\r 45%  12,345 records  0:00"));
    EXPECT_TRUE(bytes.contains("\r 42%  page 3 of 7  0:00"));
    // Finished (here by the destructor) leaves a blank line with the cursor at its start.
    EXPECT_TRUE(bytes.endsWith(QByteArray(" ").repeated(4) + "\r"));
    std::fclose(file);

    TTerminalProgress nowhere(nullptr);
    nowhere.Progress(50); // draws nothing and does not crash
    EXPECT_FALSE(nowhere.Cancelled());
}

} // namespace
