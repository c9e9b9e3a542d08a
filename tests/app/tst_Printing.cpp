// Printing the stored pages to a PDF file on the print thread: page range, copies, progress,
// failures reported, and the preview closed while printing.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/PreviewWindow.h"
#include "app/PrintJob.h"
#include "foundation/DisplayText.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int pdfPages(const QString &file)
{
    QProcess info;
    info.start("pdfinfo", {file});
    if (!info.waitForFinished(20000))
        return -1;
    const QStringList lines = QString::fromUtf8(info.readAllStandardOutput()).split('\n');
    for (const QString &line : lines)
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfText(const QString &file, int page)
{
    QProcess text;
    text.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), file, "-"});
    text.waitForFinished(20000);
    QString out = QString::fromUtf8(text.readAllStandardOutput());
    out.remove(QRegularExpression("[\u202A-\u202E]"));
    return out;
}

std::unique_ptr<TRVPrinter> pdfJob(const TPageStore &store, const QString &file, int from, int to, int copies = 1)
{
    auto job = std::make_unique<TRVPrinter>();
    job->Printer->PrepareForPages(store);
    job->Printer->setOutputFormat(QPrinter::PdfFormat);
    job->Printer->setOutputFileName(file);
    job->Printer->setCopyCount(copies);
    job->Printer->SetPageRange(from, to);
    return job;
}

bool waitUntil(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class Printing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        preview = std::make_unique<TfrmReportPreview>(QStringLiteral("/tmp/r.srp"), QIcon());
        preview->resize(900, 600);
        preview->SetStore(&store);
        FillStore(store, 10);
        preview->ReportDone(false);
    }
    TTestInstallation installation;
    TPageStore store;
    std::unique_ptr<TfrmReportPreview> preview;
};

TEST_F(Printing, PageRangeToPdfWithProgress)
{
    const QString pdf = installation.path("out.pdf");
    QStringList progress;
    TPrinterThread *thread = StartPrintJob(*preview, pdfJob(store, pdf, 3, 5));
    ASSERT_NE(thread, nullptr);
    QObject::connect(thread, &TPrinterThread::PagePrinted, preview.get(),
                     [&](int current, int total) { progress << Control<QLabel>(*preview, "lblPrnProgress")->text() + QString("|%1/%2").arg(current).arg(total); });
    EXPECT_FALSE(preview->NotPrinting());
    ASSERT_TRUE(waitUntil([&] { return preview->NotPrinting(); }));
    EXPECT_EQ(pdfPages(pdf), 3);
    ASSERT_EQ(progress.size(), 3);
    EXPECT_TRUE(progress[2].endsWith("|3/3"));
    EXPECT_EQ(progress[2].section('|', 0, 0), DisplayFormat(220, {"3", "3"}));
    EXPECT_TRUE(pdfText(pdf, 1).contains("303")); // first row of page 3
    EXPECT_TRUE(pdfText(pdf, 3).contains("503"));
    EXPECT_FALSE(Control<QLabel>(*preview, "lblPrnProgress")->isVisible());
}

TEST_F(Printing, SampleReportPrintsAsItIsShown)
{
    TfrmReport form(SourceDir() + "/examples/calls-by-extension.srp", "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun().Status, TfrmReport::TRunStart::Ready);
    TPageStore pages;
    TSilentRunObserver observer;
    form.GeneratePages(pages, observer);
    ASSERT_GT(pages.PageCount(), 1);
    preview->SetStore(&pages);
    const QString pdf = installation.path("sample.pdf");
    StartPrintJob(*preview, pdfJob(pages, pdf, 1, pages.PageCount()));
    ASSERT_TRUE(waitUntil([&] { return preview->NotPrinting(); }));
    EXPECT_EQ(pdfPages(pdf), pages.PageCount());
    // Text stays text, Hebrew included.
    const QString first = pdfText(pdf, 1);
    EXPECT_TRUE(first.contains(QString::fromUtf8("שלוחה")));
    EXPECT_TRUE(first.contains("201"));
}

TEST_F(Printing, CopiesThePdfWriterCannotMakeAreMadeByTheJob)
{
    const QString pdf = installation.path("copies.pdf");
    StartPrintJob(*preview, pdfJob(store, pdf, 9, 10, 2));
    ASSERT_TRUE(waitUntil([&] { return preview->NotPrinting(); }));
    EXPECT_EQ(pdfPages(pdf), 4);
}

TEST_F(Printing, LandscapePagesPrintOnLandscapePaper)
{
    TPageStore wide;
    FillStore(wide, 2, true);
    TVelaPrinter printer;
    printer.PrepareForPages(wide);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    TVelaPrinter portrait;
    portrait.PrepareForPages(store);
    EXPECT_EQ(portrait.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(Printing, DialogOffersThePagesAndCancelPrintsNothing)
{
    TPageStore wide;
    FillStore(wide, 4, true);
    TVelaPrinter printer;
    int maxPage = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QTimer::singleShot(200, [&] {
        if (printer.PrintDialog()) {
            maxPage = printer.PrintDialog()->maxPage();
            orientation = printer.pageLayout().orientation();
            printer.PrintDialog()->reject();
        }
    });
    EXPECT_FALSE(printer.SetupFromDialog(nullptr, wide));
    EXPECT_EQ(maxPage, 4);
    EXPECT_EQ(orientation, QPageLayout::Landscape);
}

TEST_F(Printing, AFileThatCannotBeWrittenIsReported)
{
    TMessageCapture messages;
    const QString pdf = installation.path("no/such/dir/out.pdf");
    TPrinterThread *thread = StartPrintJob(*preview, pdfJob(store, pdf, 1, 2));
    QPointer<TPrinterThread> guard(thread);
    ASSERT_TRUE(waitUntil([&] { return preview->NotPrinting(); }));
    ASSERT_TRUE(waitUntil([&] { return !messages.Texts().isEmpty(); }, 2000));
    EXPECT_EQ(messages.Texts()[0], DisplayFormat(kTextPrintFailed, {pdf}));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(Printing, ClosingWhilePrintingAsksAndStopsOnYes)
{
    // Enough pages that the job is still running when the window is closed.
    TPageStore big;
    FillStore(big, 400);
    preview->SetStore(&big);
    const QString pdf = installation.path("long.pdf");
    TMessageCapture messages(false);
    StartPrintJob(*preview, pdfJob(big, pdf, 1, 400));
    preview->show();
    ASSERT_TRUE(waitUntil([&] { return !Control<QLabel>(*preview, "lblPrnProgress")->text().isEmpty(); }));
    preview->close();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(messages.Texts()[0], DisplayText(219));
    EXPECT_TRUE(preview->isVisible()); // No: printing goes on
    EXPECT_FALSE(preview->NotPrinting());

    messages.SetAnswerYes(true);
    preview->close();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(preview->NotPrinting());
    EXPECT_TRUE(preview->Closing());
    EXPECT_FALSE(QFileInfo::exists(pdf)); // an aborted job leaves no half file
}

} // namespace
