// Files made to break the batch tool: each runs through the commands it attacks with a memory
// limit, and must end with status 0, or 1 and a message, having written bounded output.
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Every output the commands write stays far below what the attacks once made (hundreds of MB).
constexpr qint64 kMaxOutputBytes = 32 * 1024 * 1024;

QString hostile(const QString &name = QString())
{
    return SourceDir() + QStringLiteral("/tests/hostile/") + name;
}

// Runs the batch tool with its address space limited, as the attacks once needed gigabytes.
// The sanitizers reserve terabytes of address space for themselves, so they run unlimited.
TProgramRun runLimited(const QStringList &arguments, const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), home);
#if defined(__SANITIZE_ADDRESS__)
    const bool limit = false;
#else
    const bool limit = !QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty();
#endif
    if (!limit)
        return RunProgram(QStringLiteral(TARVEL_REPORT_EXE), arguments, {}, env, 120000);
    return RunProgram(QStringLiteral("prlimit"),
                      QStringList{QStringLiteral("--as=2147483648"), QStringLiteral("--"), QStringLiteral(TARVEL_REPORT_EXE)} + arguments,
                      {}, env, 120000);
}

qint64 sizeOfTree(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return info.exists() ? info.size() : 0;
    qint64 total = 0;
    QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        total += QFileInfo(it.next()).size();
    return total;
}

struct THostileCase {
    const char *file;     // under tests/hostile
    const char *home;     // a settings folder under tests/hostile; empty: the samples' home
    QList<QStringList> commands; // "IN" is the file, "OUT" an output in a fresh folder
};

const QList<THostileCase> &cases()
{
    static const QList<THostileCase> list = {
        {"01-txt-width-overflow.srp", "", {{"export", "IN", "OUT.txt"}, {"export", "IN", "OUT.csv"}, {"info", "IN"}, {"pdf", "IN", "OUT.pdf"}}},
        {"02-txt-group-overflow.srp", "", {{"export", "IN", "OUT.txt"}, {"info", "IN"}}},
        {"03-txt-output-size.srp", "", {{"export", "IN", "OUT.txt"}, {"pdf", "IN", "OUT.pdf"}}},
        {"03b-txt-width-amplification.srp", "", {{"export", "IN", "OUT.txt"}}},
        {"04-logo-jpeg-bomb.srp", "", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}, {"png", "IN", "OUT"}, {"copy", "IN", "OUT.srp"}}},
        {"05-graph-401-growth.srp", "", {{"graph-data", "IN"}, {"graph-png", "IN", "OUT.png"}, {"export", "IN", "OUT.txt"}}},
        {"06-macro-chain.srp", "", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}, {"export", "IN", "OUT.txt"}}},
        {"07-qrp-font-alloc.qrp", "", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}, {"png", "IN", "OUT"}}},
        {"", "08-trvl-fontsize-home", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}, {"copy", "IN", "OUT.srp"}, {"graph-png", "GRAPH", "OUT.png"}}},
        {"", "09-trnsfont-home", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}}},
        {"", "10-trvl-logofile-devzero-home", {{"info", "IN"}, {"pdf", "IN", "OUT.pdf"}, {"copy", "IN", "OUT.srp"}}},
    };
    return list;
}

TEST(HostileInput, EveryFileEndsCleanlyWithBoundedOutput)
{
    if (!QFileInfo::exists(hostile()))
        GTEST_SKIP() << "no tests/hostile folder";
    const QString sampleHome = SourceDir() + QStringLiteral("/examples/home");
    const QString sampleReport = SourceDir() + QStringLiteral("/examples/calls-by-department.srp");
    const QString sampleGraph = SourceDir() + QStringLiteral("/examples/graph-calls.srp");
    for (const THostileCase &c : cases()) {
        const QString input = *c.file ? hostile(QLatin1String(c.file)) : sampleReport;
        const QString home = *c.home ? hostile(QLatin1String(c.home)) : sampleHome;
        for (const QStringList &command : c.commands) {
            TTestDir dir;
            QStringList arguments;
            QString output;
            for (const QString &a : command) {
                if (a == QLatin1String("IN"))
                    arguments << input;
                else if (a == QLatin1String("GRAPH"))
                    arguments << sampleGraph;
                else if (a.startsWith(QLatin1String("OUT")))
                    arguments << (output = dir.path(a));
                else
                    arguments << a;
            }
            const std::string what = (QLatin1String(*c.file ? c.file : c.home) + QLatin1Char(' ') + command.join(' ')).toStdString();
            const TProgramRun run = runLimited(arguments, home);
            EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << what << ": status " << run.exitCode << '\n' << run.err.constData();
            if (run.exitCode == 1) {
                EXPECT_FALSE(run.err.isEmpty()) << what;
            }
            EXPECT_LT(run.out.size(), kMaxOutputBytes) << what;
            if (!output.isEmpty()) {
                EXPECT_LT(sizeOfTree(output), kMaxOutputBytes) << what;
            }
        }
    }
}

// LogoFile naming a FIFO would block for ever if it were opened for reading.
TEST(HostileInput, ALogoFileThatIsAFifoIsNotRead)
{
    TTestDir dir;
    const QString sampleHome = SourceDir() + QStringLiteral("/examples/home");
    for (const QString &name : QDir(sampleHome).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sampleHome + QLatin1Char('/') + name, dir.path(name)));
    QFile par(dir.path("TRVL.PAR"));
    ASSERT_TRUE(par.open(QIODevice::ReadOnly));
    QByteArray text = par.readAll();
    par.close();
    ASSERT_TRUE(text.contains("LogoFile=logo.jpg"));
    text.replace("LogoFile=logo.jpg", "LogoFile=" + QFile::encodeName(dir.path("logo.fifo")));
    QFile::remove(dir.path("TRVL.PAR"));
    dir.write("TRVL.PAR", text);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("logo.fifo")).constData(), 0600), 0);
    const TProgramRun run = runLimited({"info", SourceDir() + QStringLiteral("/examples/calls-by-department.srp")}, dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("pages: ")) << run.out.constData();
}

} // namespace
