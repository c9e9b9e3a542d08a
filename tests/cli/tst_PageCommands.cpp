// The batch tool's page commands: pdf, png and the page count of info, on the sample reports.
#include "ProgramRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment sampleHome()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVEL_HOME"), SourceDir() + QStringLiteral("/examples/home"));
    return env;
}

int pagesPrinted(const QByteArray &out)
{
    const auto m = QRegularExpression(QStringLiteral("pages: (\\d+)")).match(QString::fromUtf8(out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

TEST(PageCommands, PngWritesEveryPageAtTheAskedResolution)
{
    TTestDir dir;
    const QString report = SourceDir() + QStringLiteral("/examples/calls-by-extension.srp");
    TProgramRun run = RunReportTool({"png", report, dir.path("out")}, {}, sampleHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const int pages = pagesPrinted(run.out);
    ASSERT_GT(pages, 1);
    const QStringList files = QDir(dir.path("out")).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), pages);
    EXPECT_EQ(files.first(), "page-0001.png");
    EXPECT_EQ(QImage(dir.path("out/page-0001.png")).size(), QSize(794, 1123));

    run = RunReportTool({"png", report, dir.path("half"), "--dpi", "48"}, {}, sampleHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(QImage(dir.path("half/page-0001.png")).size(), QSize(397, 562));

    run = RunReportTool({"png", report, dir.path("x"), "--dpi"}, {}, sampleHome());
    EXPECT_EQ(run.exitCode, 2);

    // info counts the same pages after a full run.
    run = RunReportTool({"info", report}, {}, sampleHome());
    EXPECT_EQ(pagesPrinted(run.out), pages);
    EXPECT_TRUE(run.out.contains("columns: 8\n"));
}

TEST(PageCommands, PdfHasThePagesOfTheReport)
{
    TTestDir dir;
    const QString report = SourceDir() + QStringLiteral("/examples/calls-by-department.srp");
    TProgramRun run = RunReportTool({"pdf", report, dir.path("d.pdf")}, {}, sampleHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray pdf = dir.read("d.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(int(pdf.count("/Type /Page\n")), pagesPrinted(run.out));
    // Nothing else is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"d.pdf"}));
}

TEST(PageCommands, RefusedAndEmptyReportsFailWithTheirMessage)
{
    TTestDir dir;
    for (const char *name : {"needs-version-2.srp", "no-data.srp"}) {
        const QString report = SourceDir() + QStringLiteral("/examples/") + QString::fromLatin1(name);
        TProgramRun run = RunReportTool({"pdf", report, dir.path("r.pdf")}, {}, sampleHome());
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_FALSE(run.err.isEmpty()) << name;
        EXPECT_FALSE(QFile::exists(dir.path("r.pdf"))) << name;
        run = RunReportTool({"png", report, dir.path("p")}, {}, sampleHome());
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_TRUE(QDir(dir.path("p")).entryList({"*.png"}).isEmpty()) << name;
    }
    TProgramRun run = RunReportTool({"pdf", dir.path("missing.srp"), dir.path("m.pdf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("missing.srp"));
}
