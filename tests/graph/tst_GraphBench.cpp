// Timings for bench/graph-bench.sh (run with --gtest_also_run_disabled_tests); they print
// numbers and assert nothing about speed.
#include "GraphTestSupport.h"

#include "graph/ChartPainter.h"
#include "graph/GraphView.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <gtest/gtest.h>

TEST(GraphBench, DISABLED_ThousandPoints)
{
    const QString file = qEnvironmentVariable("TARVEL_BENCH_GRAPH");
    ASSERT_FALSE(file.isEmpty()) << "TARVEL_BENCH_GRAPH names a graph file of 1000 points";
    QImage image(1280, 800, QImage::Format_RGB32);
    for (int kind : {0, 3})
    for (int pp : {12, 1000}) {
        QElapsedTimer timer;
        timer.start();
        TGraphView view;
        ASSERT_TRUE(view.LoadFile(file));
        view.Activate();
        view.KindButton(kind);
        view.PointsPerPageChanged(pp);
        {
            QPainter p(&image);
            PaintChart(view.Model(), p, QRectF(image.rect()));
        }
        const double open = timer.nsecsElapsed() / 1e6;
        // Paging: each step rebuilds the series as the window does, then draws.
        const int steps = 50;
        timer.restart();
        for (int i = 0; i < steps; ++i) {
            if (view.NextPageEnabled())
                view.NextPage();
            else
                view.Scroll(-1000);
            QPainter p(&image);
            PaintChart(view.Model(), p, QRectF(image.rect()));
        }
        const double page = timer.nsecsElapsed() / 1e6 / steps;
        std::printf("%s, points per page %4d: open and draw %.1f ms, page and redraw %.2f ms\n", kind == 0 ? "bars 3D" : "lines 3D", pp, open, page);
    }
}
