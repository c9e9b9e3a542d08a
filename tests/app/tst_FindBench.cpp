// Timings, memory and pictures of find and thumbnails for bench/find-bench.sh; disabled in the
// test run.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewWindow.h"
#include "app/ReportPreviewRun.h"
#include "app/ThumbnailPanel.h"
#include "foundation/AppState.h"
#include "report/ReportForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

TfrmReportPreview *shownPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<TfrmReportPreview *>(w); preview && preview->isVisible())
            return preview;
    return nullptr;
}

// "VmRSS" or "VmHWM" of this process, in KB.
long memoryKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Searches the finished report shown; milliseconds to the first hit and to the full count.
void timeSearch(TfrmReportPreview &preview, const QString &text)
{
    preview.GoToPage(1);
    TFindBar *bar = preview.FindBar();
    const TSearchHits &hits = preview.State()->Hits();
    QElapsedTimer clock;
    clock.start();
    bar->Search(text);
    double first = -1;
    while (bar->Searching() || first < 0) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (first < 0 && !hits.IsEmpty())
            first = clock.nsecsElapsed() / 1e6;
        if (!bar->Searching() && hits.IsEmpty())
            break;
    }
    const double all = clock.nsecsElapsed() / 1e6;
    std::printf("find \"%s\": first hit after %.0f ms, %d hits on %zu of %d pages counted after %.0f ms\n",
                qPrintable(text), first, hits.Total(), hits.Pages().size(), Control<TPageView>(preview, "qrPreview")->PageCount(), all);
}

// A report run into the preview (FIND_BENCH_REPORT): find while the pages arrive and on the
// finished report, then the thumbnail panel shown and scrolled, with the memory it takes.
TEST(FindBench, DISABLED_BigReport)
{
    const QString report = qEnvironmentVariable("FIND_BENCH_REPORT");
    ASSERT_FALSE(report.isEmpty()) << "set FIND_BENCH_REPORT";
    const QString rare = qEnvironmentVariable("FIND_BENCH_RARE", QStringLiteral("03-9206081"));
    const QString common = qEnvironmentVariable("FIND_BENCH_COMMON", QString::fromUtf8("סלולרי"));
    AdminMode = true;
    QElapsedTimer clock;
    double searchStarted = -1, firstWhileReading = -1, finished = -1;
    bool started = false;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TfrmReportPreview *preview = shownPreview();
        if (!preview)
            return;
        if (!started && Control<TPageView>(*preview, "qrPreview")->PageNumber() > 0) {
            // Searching while the report is still being read.
            started = true;
            searchStarted = clock.nsecsElapsed() / 1e6;
            preview->FindBar()->Open();
            preview->FindBar()->Search(common);
        }
        if (started && firstWhileReading < 0 && !preview->State()->Hits().IsEmpty())
            firstWhileReading = clock.nsecsElapsed() / 1e6 - searchStarted;
        if (!preview->ReportFinished())
            return;
        watch.stop();
        finished = clock.nsecsElapsed() / 1e6;
        const int pages = Control<TPageView>(*preview, "qrPreview")->PageCount();
        std::printf("report %s: %d pages made in %.0f ms; searching \"%s\" from page 1 as they came: first hit "
                    "after %.0f ms\n",
                    qPrintable(report), pages, finished, qPrintable(common), firstWhileReading);
        while (preview->FindBar()->Searching())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        timeSearch(*preview, rare);
        timeSearch(*preview, common);
        preview->FindBar()->Close();

        const long before = memoryKb("VmRSS:");
        preview->ThumbnailsClick();
        QApplication::processEvents();
        TThumbnailPanel *panel = Control<TThumbnailPanel>(*preview, "pnlThumbnails");
        QScrollBar *bar = panel->verticalScrollBar();
        QElapsedTimer scrolling;
        scrolling.start();
        const int jumps = 300;
        for (int i = 0; i < jumps; ++i) {
            bar->setValue(int((qint64(i) * 7919 * bar->pageStep()) % qMax(1, bar->maximum())));
            panel->DrawVisibleNow();
            panel->viewport()->repaint();
        }
        const double perScreen = scrolling.nsecsElapsed() / 1e6 / jumps;
        std::printf("thumbnails: %d screens drawn at %.1f ms each, %d pictures drawn, cache %d pictures / %lld KB; "
                    "resident memory %ld KB before the panel, %ld KB with it\n",
                    jumps, perScreen, panel->Drawn(), panel->Cache().Count(), panel->Cache().Bytes() / 1024, before,
                    memoryKb("VmRSS:"));
        preview->close();
    });
    clock.start();
    watch.start();
    TfrmReport form(report, kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
    std::printf("peak resident memory of the run: %ld KB\n", memoryKb("VmHWM:"));
}

// Pictures of the find bar with its hits and of the thumbnail panel (FIND_SHOT_REPORT, a
// sample report), for checking by eye.
TEST(FindBench, DISABLED_Screenshots)
{
    const QString dir = qEnvironmentVariable("FIND_SHOT_DIR", QStringLiteral("/tmp"));
    const QString report = qEnvironmentVariable("FIND_SHOT_REPORT");
    const QString text = qEnvironmentVariable("FIND_SHOT_TEXT", QString::fromUtf8("סלולרי"));
    ASSERT_FALSE(report.isEmpty()) << "set FIND_SHOT_REPORT";
    AdminMode = true;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TfrmReportPreview *preview = shownPreview();
        if (!preview || !preview->ReportFinished())
            return;
        watch.stop();
        preview->resize(1280, 860);
        preview->ZoomListClick(TfrmReportPreview::kZoom100);
        if (Control<TThumbnailPanel>(*preview, "pnlThumbnails")->isHidden())
            preview->ThumbnailsClick();
        preview->FindClick();
        preview->FindBar()->Search(text);
        while (preview->FindBar()->Searching())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        preview->FindBar()->FindNext();
        preview->FindBar()->FindNext();
        Control<TThumbnailPanel>(*preview, "pnlThumbnails")->DrawVisibleNow();
        QApplication::processEvents();
        preview->grab().save(dir + "/find-bar.png");
        // Back past the first hit: round to the last, with the note.
        while (preview->State()->Hits().CurrentNumber() > 1)
            preview->FindBar()->FindPrevious();
        preview->FindBar()->FindPrevious();
        Control<TThumbnailPanel>(*preview, "pnlThumbnails")->DrawVisibleNow();
        QApplication::processEvents();
        preview->grab().save(dir + "/find-wrapped.png");
        preview->FindBar()->Close();
        preview->ZoomListClick(TfrmReportPreview::kZoomWholePage);
        preview->GoToPage(3);
        Control<TThumbnailPanel>(*preview, "pnlThumbnails")->DrawVisibleNow();
        QApplication::processEvents();
        preview->grab().save(dir + "/thumbnails.png");
        preview->close();
    });
    watch.start();
    TfrmReport form(report, kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
}

} // namespace
