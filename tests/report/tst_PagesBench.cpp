// Speed of a whole report run, for bench/pages-bench.sh (disabled in the normal test run):
// time to the first page, rows per second, and fetching and painting any page at 100%.
#include "engine/PageFile.h"
#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "report/ReportForm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <gtest/gtest.h>

TEST(PagesBench, DISABLED_FirstPageRowsPerSecondAndPageTurn)
{
    const QString file = qEnvironmentVariable("TARVEL_BENCH_REPORT");
    const int rows = qEnvironmentVariableIntValue("TARVEL_BENCH_ROWS");
    ASSERT_FALSE(file.isEmpty());
    QElapsedTimer clock;
    clock.start();
    TfrmReport form(file, QStringLiteral("ADMIN"));
    form.LoadReport();
    ASSERT_EQ(form.StartRun(nullptr).Status, TfrmReport::TRunStart::Ready);
    TPageStore store;
    qint64 firstPage = -1;
    QObject::connect(&store, &TPageStore::PageAdded, [&](int) {
        if (firstPage < 0)
            firstPage = clock.nsecsElapsed();
    });
    TSilentRunObserver observer;
    form.GeneratePages(store, observer);
    const double total = clock.nsecsElapsed() / 1e9;
    std::printf("pages: %d\n", store.PageCount());
    std::printf("first page: %.1f ms\n", firstPage / 1e6);
    std::printf("whole run: %.2f s, %.0f rows/s, %.0f pages/s\n", total, rows / total, store.PageCount() / total);

    // Turning to pages spread over the report: fetch and paint at 100% (96 dpi).
    QImage image(store.PageSize(0), QImage::Format_ARGB32_Premultiplied);
    double worst = 0, sum = 0;
    const int turns = 40;
    for (int i = 0; i < turns; ++i) {
        const int page = int((qint64(store.PageCount() - 1) * ((i * 7919) % turns)) / (turns - 1));
        QElapsedTimer t;
        t.start();
        QPainter painter(&image);
        store.PaintPage(page, painter);
        painter.end();
        const double ms = t.nsecsElapsed() / 1e6;
        worst = qMax(worst, ms);
        sum += ms;
    }
    std::printf("page turn at 100%%: mean %.1f ms, worst %.1f ms\n", sum / turns, worst);

    // The pages saved as a page file and opened again.
    const QString qrp = QDir::temp().filePath(QStringLiteral("tarvel-bench-pages.qrp"));
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(SavePagesToFile(store, qrp));
    const double saved = t.nsecsElapsed() / 1e9;
    t.restart();
    TPageStore loaded;
    ASSERT_TRUE(LoadPagesFromFile(loaded, qrp));
    const double opened = t.nsecsElapsed() / 1e9;
    std::printf("page file: saved in %.2f s (%lld MB), opened in %.2f s, %d pages\n", saved,
                QFileInfo(qrp).size() / (1024 * 1024), opened, loaded.PageCount());
    QFile::remove(qrp);
}
