// An installation made by `cmake --install` into a temporary prefix: both programs run from
// there, keep their settings in the user's settings folder (given the default files on first
// use), and the viewer leaves the file type to the installation.
#include "foundation/AppState.h"
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class InstalledTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        prefix = new TTestDir;
        install = RunProgram(QStringLiteral(TARVEL_CMAKE),
                             {"--install", QStringLiteral(TARVEL_BUILD_DIR), "--prefix", prefix->path()}, {},
                             QProcessEnvironment::systemEnvironment(), 120000);
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_EQ(install.exitCode, 0) << install.out.constData() << install.err.constData(); }

    static QString path(const QString &name) { return prefix->path(name); }
    // The user's world: nothing set but a home, a settings and a data folder of the test's own.
    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("TARVEL_HOME");
        env.insert("HOME", user.path("home"));
        env.insert("XDG_CONFIG_HOME", user.path("config"));
        env.insert("XDG_DATA_HOME", user.path("data"));
        return env;
    }
    TProgramRun run(const char *program, const QStringList &arguments) const
    {
        return RunProgram(path(QStringLiteral("bin/") + QLatin1String(program)), arguments, {}, userEnvironment());
    }

    static TTestDir *prefix;
    static TProgramRun install;
    TTestDir user;
};

TTestDir *InstalledTest::prefix = nullptr;
TProgramRun InstalledTest::install;

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(InstalledTest, EveryFileInItsPlace)
{
    for (const char *name : {"bin/tarvel-viewer", "bin/tarvel-report", "share/tarvel/CLIENT.PAR",
                             "share/tarvel/TRVL.PAR", "share/tarvel/TRNSFONT.INI", "share/tarvel/texts.txt", "share/tarvel/texts-display.txt",
                             "share/tarvel/tarvel-viewer.png", "share/applications/tarvel-viewer.desktop",
                             "share/mime/packages/tarvel.xml", "share/icons/hicolor/16x16/apps/tarvel-viewer.png",
                             "share/icons/hicolor/256x256/apps/tarvel-viewer.png",
                             "share/icons/hicolor/scalable/apps/tarvel-viewer.svg",
                             "share/man/man1/tarvel-viewer.1.gz", "share/man/man1/tarvel-report.1.gz"})
        EXPECT_TRUE(QFileInfo(path(name)).size() > 0) << name;
    const QByteArray desktop = readFile(path("share/applications/tarvel-viewer.desktop"));
    EXPECT_TRUE(desktop.contains("\nExec=tarvel-viewer %f\n"));
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-tarvel-report;\n"));
    EXPECT_FALSE(desktop.contains("NoDisplay=true")); // the menu shows it
    // The desktop's own checker accepts the entry, when it is installed.
    if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
        const TProgramRun check =
            RunProgram(QStringLiteral("desktop-file-validate"), {path("share/applications/tarvel-viewer.desktop")});
        EXPECT_EQ(check.exitCode, 0) << check.out.constData() << check.err.constData();
        EXPECT_TRUE(check.out.isEmpty()) << check.out.constData(); // not even a hint
    }
    // The manual pages carry the programs' version.
    const TProgramRun man = RunProgram(QStringLiteral("gzip"), {"-dc", path("share/man/man1/tarvel-report.1.gz")});
    EXPECT_TRUE(man.out.contains(QByteArray("\"tarvel ") + kViewerVersion + "\"")) << man.out.left(200).constData();
    const QByteArray mime = readFile(path("share/mime/packages/tarvel.xml"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-tarvel-report\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.srp\"/>"));
}

TEST_F(InstalledTest, ProgramsAnswerHelpAndVersion)
{
    TProgramRun result = run("tarvel-report", {"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QByteArray("tarvel-report ") + kViewerVersion + "\n");
    result = run("tarvel-viewer", {"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QByteArray("tarvel-viewer ") + kViewerVersion + "\n");
    EXPECT_EQ(run("tarvel-viewer", {"--help"}).exitCode, 0);
    // --help writes nothing anywhere.
    EXPECT_FALSE(QFileInfo::exists(user.path("config")));
}

TEST_F(InstalledTest, FirstRunGivesTheUserTheDefaultSettings)
{
    const QString report = SourceDir() + QStringLiteral("/examples/calls-by-extension.srp");
    TProgramRun result = run("tarvel-report", {"pdf", report, user.path("out.pdf")});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_TRUE(result.out.startsWith("pages: "));
    EXPECT_TRUE(result.err.isEmpty()) << result.err.constData(); // no terminal, no progress line
    EXPECT_GT(QFileInfo(user.path("out.pdf")).size(), 1000);
    for (const char *name : {"CLIENT.PAR", "TRVL.PAR", "TRNSFONT.INI"})
        EXPECT_EQ(readFile(user.path("config/tarvel/") + QLatin1String(name)),
                  readFile(path("share/tarvel/") + QLatin1String(name)))
            << name;

    // The export reads its options from the user's CLIENT.PAR: comma-separated.
    result = run("tarvel-report", {"export", report, user.path("out.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_TRUE(readFile(user.path("out.csv")).contains(','));

    // A changed setting stays: the defaults never replace the user's files.
    QFile clientPar(user.path("config/tarvel/CLIENT.PAR"));
    ASSERT_TRUE(clientPar.open(QIODevice::WriteOnly));
    clientPar.write("[export]\r\nDELIMITER=59\r\n");
    clientPar.close();
    result = run("tarvel-report", {"export", report, user.path("semicolon.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_TRUE(readFile(user.path("semicolon.csv")).contains(';'));
    EXPECT_EQ(readFile(user.path("config/tarvel/CLIENT.PAR")), "[export]\r\nDELIMITER=59\r\n");
}

TEST_F(InstalledTest, ViewerLeavesTheFileTypeToTheInstallation)
{
    QProcessEnvironment env = userEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const TProgramRun result = RunProgram(path("bin/tarvel-viewer"), {"/INSTALL"}, {}, env, 20000);
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_FALSE(QFileInfo::exists(user.path("data/applications")));
    EXPECT_FALSE(QFileInfo::exists(user.path("data/mime")));

    // A copy run from the build folder registered itself for the user; its entry of the same
    // name would hide the installed one. The installed viewer takes it back.
    TProgramRun result2 = RunProgram(QStringLiteral(TARVEL_VIEWER_EXE), {"/INSTALL"}, {}, env, 20000);
    ASSERT_EQ(result2.exitCode, 0);
    const QString userEntry = user.path("data/applications/tarvel-viewer.desktop");
    ASSERT_TRUE(QFileInfo::exists(userEntry));
    result2 = RunProgram(path("bin/tarvel-viewer"), {"/INSTALL"}, {}, env, 20000);
    EXPECT_EQ(result2.exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(userEntry));
    EXPECT_FALSE(QFileInfo::exists(user.path("data/mime/packages/tarvel-srp.xml")));

    // An entry the user wrote (or changed) stays.
    QFile own(userEntry);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("[Desktop Entry]\nType=Application\nName=My viewer\nExec=tarvel-viewer %f\n");
    own.close();
    RunProgram(path("bin/tarvel-viewer"), {"/INSTALL"}, {}, env, 20000);
    EXPECT_TRUE(QFileInfo::exists(userEntry));
}

TEST_F(InstalledTest, AClientParBesideTheProgramStillWins)
{
    TTestDir copy;
    QDir().mkpath(copy.path("bin"));
    QDir().mkpath(copy.path("share"));
    ASSERT_TRUE(QFile::copy(path("bin/tarvel-report"), copy.path("bin/tarvel-report")));
    ASSERT_TRUE(QFile::link(path("share/tarvel"), copy.path("share/tarvel")));
    copy.write("bin/CLIENT.PAR", "[general]\r\nCS_SYSTEM=S\r\n");
    const TProgramRun result =
        RunProgram(copy.path("bin/tarvel-report"), {"info", SourceDir() + "/examples/calls-by-extension.srp"}, {},
                   userEnvironment());
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_FALSE(QFileInfo::exists(user.path("config/tarvel")));
}

} // namespace
