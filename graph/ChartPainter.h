#pragma once
// Draws a chart model onto any QPainter, in 96-dpi units inside the given rectangle: the
// graph window, the printer (the caller scales the painter), and bitmaps for copy-picture
// and PNG files. Hit testing uses the same geometry, so what the mouse finds is what is seen.
#include "graph/ChartModel.h"

#include <QPainterPath>
#include <QRectF>
#include <vector>

class QPainter;

struct TChartShape {
    int series = 0;
    int point = 0;
    QPainterPath area;  // where the point is on screen (front face)
    QPointF markAnchor; // where its mark's arrow starts
    bool markAbove = true;
};

struct TChartLayout {
    QRectF bounds;
    QRectF plot;          // front plane of the plot area
    QPointF depth;        // from the front plane to the back wall
    bool pie = false;
    QRectF pieRect;
    double pieThickness = 0;
    QRectF legendRect;
    std::vector<TChartShape> shapes;

    // Category and value axis positions on the front plane.
    bool horizontal = false; // horizontal bars: categories run up the left axis
    double CategoryPixel(double c) const;
    double ValuePixel(double v) const;
    double catMin = 0, catMax = 1, valMin = 0, valMax = 1;
};

TChartLayout LayoutChart(const TChartModel &model, const QRectF &bounds);
void PaintChart(const TChartModel &model, QPainter &painter, const QRectF &bounds);

struct TChartHit {
    int series = 0;
    int point = 0;
};
// For each series that has a point under pos, that point (searched from the first series).
std::vector<TChartHit> HitTest(const TChartModel &model, const QRectF &bounds, const QPointF &pos);
// The text a mark shows by default for the style (before the model's mark handler).
QString DefaultMarkText(const TChartModel &model, int series, int point);
// Draws a text of the chart in its own direction: titles, names and labels that hold Hebrew
// read right to left, the rest left to right; the alignment is on the picture, never mirrored.
void DrawChartText(QPainter &painter, const QRectF &rect, int flags, const QString &text);
