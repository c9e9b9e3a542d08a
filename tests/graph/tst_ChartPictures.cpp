// Pictures of each chart kind: the pixels that must be there (walls, bars, slices, marks).
#include "GraphTestSupport.h"

#include "graph/ChartPainter.h"
#include "graph/GraphView.h"
#include "graph/TrafficView.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage draw(const TChartModel &model, QSize size = QSize(800, 500))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    PaintChart(model, p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    // Screenshots for looking at by eye when asked for.
    static int n = 0;
    const QString dir = qEnvironmentVariable("TARVEL_GRAPH_SHOTS");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(QStringLiteral("picture-%1.png").arg(++n)));
    return image;
}

int countColor(const QImage &image, const QColor &color, const QRect &area = QRect())
{
    const QRect r = area.isNull() ? image.rect() : area;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) == color.rgb();
    return n;
}

struct View {
    TTestDir dir;
    TMessageRecorder messages;
    TGraphView view{TIntlSettings::Plain()};
    View()
    {
        EXPECT_TRUE(view.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(8))));
        TGraphSettings s = view.Settings();
        s.colors.useRandom = false;
        view.SetSettings(s);
        view.Activate();
    }
};

} // namespace

TEST(ChartPictures, BarsOnWallsIn2DAnd3D)
{
    View v;
    for (bool threeD : {false, true}) {
        v.view.Set3D(threeD);
        const QImage image = draw(v.view.Model());
        EXPECT_EQ(countColor(image, Qt::magenta), 0);                                   // the panel is painted whole
        EXPECT_GT(countColor(image, ToQColor(12632256)), 10000);                        // silver background
        EXPECT_GT(countColor(image, ToQColor(8421504)), 10000);                         // grey back wall
        EXPECT_GT(countColor(image, ToQColor(16711680)), 2000) << "blue bars, 3D " << threeD;
    }
}

TEST(ChartPictures, EveryKindDraws)
{
    View v;
    v.view.SelectYField(1);
    for (int kind = 0; kind <= 6; ++kind) {
        for (bool threeD : {false, true}) {
            if (kind == 6)
                v.view.PieButton();
            else
                v.view.KindButton(kind);
            v.view.Set3D(threeD);
            ASSERT_EQ(v.view.Kind(), kind);
            const QImage image = draw(v.view.Model());
            const QColor blue = ToQColor(16711680);
            if (kind == 6) {
                // Slices in several colours, and a legend.
                int colours = 0;
                for (QColor c : {QColor(Qt::blue), QColor(Qt::red), QColor(Qt::green)})
                    colours += countColor(image, c) > 100;
                EXPECT_GE(colours, 2) << "pie 3D " << threeD;
            } else {
                EXPECT_GT(countColor(image, blue) + countColor(image, blue.darker(130)), kind == 5 ? 200 : 400) << "kind " << kind << " 3D " << threeD;
            }
        }
    }
}

TEST(ChartPictures, MarksAreDrawn)
{
    View v;
    const QColor markBack(255, 255, 225);
    EXPECT_EQ(countColor(draw(v.view.Model()), markBack), 0);
    v.view.SetMarksStyle(msValue);
    EXPECT_GT(countColor(draw(v.view.Model()), markBack), 500);
}

TEST(ChartPictures, TrafficCurve)
{
    TTestDir dir;
    TMessageRecorder messages;
    TTrafficView view{TIntlSettings::Plain()};
    ASSERT_TRUE(view.LoadFile(dir.write(QStringLiteral("t.srp"), TrafficFile(2, 24))));
    view.Activate();
    EXPECT_TRUE(view.AveragingMode());
    const QImage image = draw(view.Model());
    EXPECT_GT(countColor(image, ToQColor(65280)), 5000); // lime area of series 1
}
