// Timings and pictures for bench/preview-bench.sh; disabled in the test run.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/PageView.h"
#include "app/PreviewWindow.h"
#include "app/PrintJob.h"
#include "app/ReportPreviewRun.h"
#include "foundation/ReportProgressWindow.h"
#include "foundation/AppState.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Turning to a page at 100%: the page is drawn and the view painted.
TEST(PreviewBench, DISABLED_PageTurnAt100Percent)
{
    const int pages = qEnvironmentVariableIntValue("PREVIEW_BENCH_PAGES") > 0
        ? qEnvironmentVariableIntValue("PREVIEW_BENCH_PAGES") : 2000;
    TTestInstallation installation;
    TPageStore store;
    TfrmReportPreview window(QStringLiteral("/tmp/bench.srp"), QIcon());
    window.resize(1280, 900);
    window.show();
    window.SetStore(&store);
    FillStore(store, pages);
    window.ReportDone(false);
    window.ZoomListClick(TfrmReportPreview::kZoom100);
    QApplication::processEvents();
    double worst = 0, total = 0;
    const int turns = 200;
    for (int i = 0; i < turns; ++i) {
        const int page = int((quint64(i) * 7919) % quint64(pages)) + 1;
        QElapsedTimer timer;
        timer.start();
        window.GoToPage(page);
        Control<TPageView>(window, "qrPreview")->viewport()->repaint();
        const double ms = timer.nsecsElapsed() / 1e6;
        worst = qMax(worst, ms);
        total += ms;
    }
    std::printf("page turn at 100%%: %d pages, %d turns, mean %.2f ms, worst %.2f ms\n", pages, turns, total / turns, worst);
}

// A real report run into the preview (PREVIEW_BENCH_REPORT): first page shown, whole run,
// and turning to pages spread over it at 100%.
TEST(PreviewBench, DISABLED_RealReport)
{
    const QString report = qEnvironmentVariable("PREVIEW_BENCH_REPORT");
    ASSERT_FALSE(report.isEmpty()) << "set PREVIEW_BENCH_REPORT";
    AdminMode = true;
    QElapsedTimer clock;
    double firstPage = -1, finished = -1;
    double worst = 0, total = 0;
    int pages = 0, turns = 0;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *preview = qobject_cast<TfrmReportPreview *>(w);
            if (!preview || !preview->isVisible())
                continue;
            if (firstPage < 0 && Control<TPageView>(*preview, "qrPreview")->PageNumber() > 0)
                firstPage = clock.nsecsElapsed() / 1e6;
            if (!preview->ReportFinished())
                return;
            finished = clock.nsecsElapsed() / 1e6;
            watch.stop();
            pages = Control<TPageView>(*preview, "qrPreview")->PageCount();
            preview->ZoomListClick(TfrmReportPreview::kZoom100);
            turns = qMin(200, pages);
            for (int i = 0; i < turns; ++i) {
                const int page = int((quint64(i) * 7919) % quint64(pages)) + 1;
                QElapsedTimer timer;
                timer.start();
                preview->GoToPage(page);
                Control<TPageView>(*preview, "qrPreview")->viewport()->repaint();
                const double ms = timer.nsecsElapsed() / 1e6;
                worst = qMax(worst, ms);
                total += ms;
            }
            preview->close();
            return;
        }
    });
    clock.start();
    watch.start();
    TfrmReport form(report, kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
    std::printf("report %s: first page shown after %.0f ms, all %d pages after %.0f ms\n",
                qPrintable(report), firstPage, pages, finished);
    if (turns > 0)
        std::printf("page turn at 100%%: %d turns, mean %.2f ms, worst %.2f ms\n", turns, total / turns, worst);
}

// Pictures of the window for checking by eye.
TEST(PreviewBench, DISABLED_Screenshots)
{
    const QString dir = qEnvironmentVariable("PREVIEW_SHOT_DIR", QStringLiteral("/tmp"));
    TTestInstallation installation;
    TPageStore store;
    TfrmReportPreview window(QStringLiteral("/tmp/calls.srp"), QIcon());
    window.resize(1100, 760);
    window.show();
    window.SetStore(&store);
    FillStore(store, 12);
    window.SetProgress(40);
    window.grab().save(dir + "/preview-generating.png");
    window.ReportDone(true);
    window.ZoomListClick(TfrmReportPreview::kZoom100);
    window.GoToPage(3);
    window.grab().save(dir + "/preview-100.png");
    window.ZoomListClick(TfrmReportPreview::kZoomWholePage);
    window.ShowGoToPage();
    window.PrintStarted(nullptr);
    window.PrintProgress(3, 12);
    QApplication::processEvents();
    window.grab().save(dir + "/preview-whole-page.png");
    window.PrintFinished();

    TfrmReportProgress progress;
    progress.ShowProgress(1, 0, false);
    progress.SetPercent(35);
    progress.grab().save(dir + "/progress-window.png");
    progress.hide();

    TVelaPrinter printer;
    QTimer::singleShot(300, [&] {
        if (printer.PrintDialog()) {
            printer.PrintDialog()->grab().save(dir + "/print-dialog.png");
            printer.PrintDialog()->reject();
        }
    });
    printer.SetupFromDialog(&window, store);

    // A sample report printed to a PDF file, to compare with the preview.
    TfrmReport form(SourceDir() + "/examples/calls-by-extension.srp", kUserName);
    form.LoadReport();
    if (form.StartRun().Status == TfrmReport::TRunStart::Ready) {
        TPageStore pages;
        TSilentRunObserver observer;
        form.GeneratePages(pages, observer);
        window.SetStore(&pages);
        auto job = std::make_unique<TRVPrinter>();
        job->Printer->PrepareForPages(pages);
        job->Printer->setOutputFormat(QPrinter::PdfFormat);
        job->Printer->setOutputFileName(dir + "/sample-print.pdf");
        job->Printer->SetPageRange(1, 2);
        StartPrintJob(window, std::move(job));
        while (!window.NotPrinting())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        window.SetStore(nullptr);
    }
}

} // namespace
