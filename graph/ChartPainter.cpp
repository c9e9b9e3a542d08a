#include "graph/ChartPainter.h"

#include "graph/ChartAxis.h"
#include "graph/ChartText.h"
#include "foundation/DisplayText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

const QColor kMarkBack(255, 255, 225);

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d) { return QPolygonF({a, b, c, d}); }

void fillPolygon(QPainter &p, const QPolygonF &poly, const QColor &fill, const QColor &line = Qt::black)
{
    p.setBrush(fill);
    p.setPen(QPen(line, 0));
    p.drawPolygon(poly);
}

void drawTexts(QPainter &p, const TChartModel &model, const QRectF &bounds)
{
    const QRectF r = bounds.adjusted(8, 6, -8, -6);
    p.setFont(model.titleFont);
    p.setPen(model.titleColor);
    const double lh = QFontMetricsF(model.titleFont).height();
    for (int i = 0; i < model.title.size(); ++i)
        DrawChartText(p, QRectF(r.left(), r.top() + i * lh, r.width(), lh), Qt::AlignCenter, model.title[i]);
    if (!model.foot.isEmpty()) {
        p.setFont(model.footFont);
        p.setPen(model.footColor);
        const double fh = QFontMetricsF(model.footFont).height();
        DrawChartText(p, QRectF(r.left(), r.bottom() - fh, r.width(), fh), Qt::AlignCenter, model.foot);
    }
}

void drawLegend(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    if (!l.legendRect.isValid())
        return;
    const QStringList texts = LegendTexts(model);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::black);
    p.drawRect(l.legendRect.translated(3, 3));
    p.setBrush(Qt::white);
    p.drawRect(l.legendRect);
    p.setFont(model.legendFont);
    const double lh = QFontMetricsF(model.legendFont).height();
    for (int i = 0; i < texts.size(); ++i) {
        const double y = l.legendRect.top() + 5 + i * lh;
        const QRectF box(l.legendRect.left() + 6, y + 2, model.legendColorWidth, lh - 4);
        p.setBrush(LegendColor(model, i));
        p.setPen(QPen(Qt::black, 0));
        p.drawRect(box);
        DrawChartText(p, QRectF(box.right() + 6, y, l.legendRect.right() - box.right() - 8, lh),
                   Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, texts[i]);
    }
}

struct AxisTick {
    double value;
    QString text;
};

// Value-axis ticks: the model's increment, else a step that leaves room for the labels.
std::vector<AxisTick> valueTicks(const TChartModel &model, const TChartLayout &l)
{
    const TChartAxis &axis = l.horizontal ? model.bottomAxis : model.leftAxis;
    const QFontMetricsF fm(axis.labelsFont);
    const double length = l.horizontal ? l.plot.width() : l.plot.height();
    const double labelSize = l.horizontal ? fm.horizontalAdvance(FormatAxisValue(l.valMax)) + fm.horizontalAdvance(QStringLiteral("00"))
                                          : fm.height();
    const double room = labelSize * (1 + std::max(0, axis.labelSpacing) / 100.0);
    double step = axis.increment;
    const double span = l.valMax - l.valMin;
    const int maxSteps = std::max(1, int(length / std::max(1.0, room)));
    if (step <= 0 || span / step > maxSteps * 4)
        step = std::max(step, NiceStep(span, maxSteps));
    std::vector<AxisTick> ticks;
    for (double v : AxisTicks(l.valMin, l.valMax, step))
        ticks.push_back({v, ValueAxisLabel(model, v)});
    return ticks;
}

void drawWalls(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    const QRectF f = l.plot;
    const QPointF d = l.depth;
    const double w = model.wallSize;
    const QColor wall = model.wallColor;
    if (model.backColor.isValid())
        fillPolygon(p, quad(f.topLeft() + d, f.topRight() + d, f.bottomRight() + d, f.bottomLeft() + d), model.backColor);
    // Left wall: from the front edge to the back, and its thickness.
    fillPolygon(p, quad(f.topLeft(), f.topLeft() + d, f.bottomLeft() + d, f.bottomLeft()), wall.darker(110));
    fillPolygon(p, quad(f.topLeft() - QPointF(w, 0), f.topLeft(), f.bottomLeft() + QPointF(0, w), f.bottomLeft() + QPointF(-w, w)), wall.darker(125));
    if (d != QPointF())
        fillPolygon(p, quad(f.topLeft() - QPointF(w, 0), f.topLeft() - QPointF(w, 0) + d, f.topLeft() + d, f.topLeft()), wall.lighter(115));
    // Floor: the bottom wall.
    fillPolygon(p, quad(f.bottomLeft(), f.bottomLeft() + d, f.bottomRight() + d, f.bottomRight()), wall.lighter(110));
    fillPolygon(p, quad(f.bottomLeft(), f.bottomRight(), f.bottomRight() + QPointF(0, w), f.bottomLeft() + QPointF(0, w)), wall.darker(125));
    if (d != QPointF())
        fillPolygon(p, quad(f.bottomRight(), f.bottomRight() + d, f.bottomRight() + d + QPointF(0, w), f.bottomRight() + QPointF(0, w)), wall.darker(140));
}

void drawAxes(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    const QRectF f = l.plot;
    const QPointF d = l.depth;
    const double w = model.wallSize;
    const TChartAxis &valueAxis = l.horizontal ? model.bottomAxis : model.leftAxis;
    const TChartAxis &categoryAxis = l.horizontal ? model.leftAxis : model.bottomAxis;
    // One pixel of the chart wide, not of the device: on a printer the dots scale with the
    // chart and stay dots, where a hairline's dots would be too fine to see.
    const QPen gridPen(Qt::black, 1, Qt::DotLine);

    // Value labels and grid.
    p.setFont(valueAxis.labelsFont);
    const QFontMetricsF vfm(valueAxis.labelsFont);
    for (const AxisTick &t : valueTicks(model, l)) {
        const double px = l.ValuePixel(t.value);
        if (valueAxis.gridVisible && std::abs(t.value - l.valMin) > 1e-12) {
            p.setPen(gridPen);
            if (l.horizontal) {
                p.drawLine(QPointF(px, f.bottom()) + d, QPointF(px, f.top()) + d);
                p.drawLine(QPointF(px, f.bottom()), QPointF(px, f.bottom()) + d);
            } else {
                p.drawLine(QPointF(f.left(), px) + d, QPointF(f.right(), px) + d);
                p.drawLine(QPointF(f.left(), px), QPointF(f.left(), px) + d);
            }
        }
        p.setPen(QPen(valueAxis.labelsColor, 0));
        if (l.horizontal) {
            p.drawLine(QPointF(px, f.bottom() + w), QPointF(px, f.bottom() + w + 3));
            DrawChartText(p, QRectF(px - 100, f.bottom() + w + 3, 200, vfm.height()), Qt::AlignHCenter | Qt::AlignTop, t.text);
        } else {
            p.drawLine(QPointF(f.left() - w - 3, px), QPointF(f.left() - w, px));
            DrawChartText(p, QRectF(f.left() - w - 1004, px - vfm.height() / 2, 1000, vfm.height()),
                       Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, t.text);
        }
    }

    // Category labels: the first series' point labels, skipped where they would overlap.
    p.setFont(categoryAxis.labelsFont);
    const QFontMetricsF cfm(categoryAxis.labelsFont);
    if (!model.series.empty()) {
        const std::vector<TChartPoint> &points = model.series.front().points;
        const auto [first, last] = VisiblePoints({l.catMin, l.catMax}, int(points.size()));
        const bool vertical = !l.horizontal && categoryAxis.labelAngle == 90;
        double lastEdge = -1e9;
        const double gap = cfm.height() * std::max(0, categoryAxis.labelSpacing) / 100.0 * 0.5;
        for (int i = first; i <= last; ++i) {
            const QString &text = points[size_t(i)].label;
            const double c = l.CategoryPixel(i);
            if (categoryAxis.gridVisible) {
                p.setPen(gridPen);
                if (l.horizontal)
                    p.drawLine(QPointF(f.left(), c) + d, QPointF(f.right(), c) + d);
                else
                    p.drawLine(QPointF(c, f.top()) + d, QPointF(c, f.bottom()) + d);
            }
            if (text.isEmpty())
                continue;
            const double size = (l.horizontal || vertical) ? cfm.height() : cfm.horizontalAdvance(text);
            const double start = (l.horizontal ? -c : c) - size / 2;
            if (start < lastEdge + gap)
                continue;
            lastEdge = start + size;
            p.setPen(QPen(categoryAxis.labelsColor, 0));
            if (l.horizontal) {
                DrawChartText(p, QRectF(f.left() - w - 1004, c - cfm.height() / 2, 1000, cfm.height()),
                           Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, text);
            } else if (vertical) {
                p.save();
                p.translate(c, f.bottom() + w + 3);
                p.rotate(-90);
                DrawChartText(p, QRectF(-1000, -cfm.height() / 2, 1000, cfm.height()), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, text);
                p.restore();
            } else {
                DrawChartText(p, QRectF(c - 500, f.bottom() + w + 3, 1000, cfm.height()), Qt::AlignHCenter | Qt::AlignTop, text);
            }
        }
    }

    // Axis titles.
    if (!model.leftAxis.title.isEmpty()) {
        p.setFont(model.leftAxis.titleFont);
        p.setPen(model.leftAxis.titleColor);
        const double th = QFontMetricsF(model.leftAxis.titleFont).height();
        p.save();
        p.translate(l.bounds.left() + 8 + th / 2, f.center().y());
        p.rotate(-90);
        DrawChartText(p, QRectF(-f.height(), -th / 2, 2 * f.height(), th), Qt::AlignCenter, model.leftAxis.title);
        p.restore();
    }
    if (!model.bottomAxis.title.isEmpty()) {
        p.setFont(model.bottomAxis.titleFont);
        p.setPen(model.bottomAxis.titleColor);
        const double th = QFontMetricsF(model.bottomAxis.titleFont).height();
        const double labels = (!l.horizontal && model.bottomAxis.labelAngle == 90) ? CategoryLabelWidth(model, cfm) : cfm.height();
        DrawChartText(p, QRectF(f.left(), f.bottom() + w + 6 + labels, f.width(), th), Qt::AlignCenter, model.bottomAxis.title);
    }
}

void drawBar(QPainter &p, const QRectF &r, const QColor &color, QPointF depth, bool horizontal)
{
    // Bars of a pixel or two (hundreds of points on one page) are only their colour: faces and
    // outlines would not show, and drawing them would slow paging down.
    if ((horizontal ? r.height() : r.width()) < 2.5) {
        p.fillRect(r, color);
        return;
    }
    if (depth != QPointF()) {
        const QPointF d = depth;
        if (horizontal) {
            fillPolygon(p, quad(r.topLeft(), r.topLeft() + d, r.topRight() + d, r.topRight()), color.lighter(130));
            fillPolygon(p, quad(r.topRight(), r.topRight() + d, r.bottomRight() + d, r.bottomRight()), color.darker(150));
        } else {
            fillPolygon(p, quad(r.topLeft(), r.topLeft() + d, r.topRight() + d, r.topRight()), color.lighter(130));
            fillPolygon(p, quad(r.topRight(), r.topRight() + d, r.bottomRight() + d, r.bottomRight()), color.darker(150));
        }
    }
    p.setBrush(color);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(r);
}

void drawSeries(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    const int n = int(model.series.size());
    // Bars: all series at full depth.
    for (const TChartShape &shape : l.shapes) {
        const TChartSeries &s = model.series[size_t(shape.series)];
        if (IsBarKind(s.kind))
            drawBar(p, shape.area.boundingRect(), PointColor(s, shape.point), l.depth, l.horizontal);
    }
    // Lines, areas, stairs and points: each series in its own slice of the depth, the last
    // series at the back, drawn first.
    for (int si = n - 1; si >= 0; --si) {
        const TChartSeries &s = model.series[size_t(si)];
        if (IsBarKind(s.kind) || s.kind == TChartKind::Pie || s.points.empty())
            continue;
        const QPointF z0 = l.depth * (double(si) / n);
        const QPointF z1 = l.depth * (double(si + 1) / n);
        const auto [first, last] = VisiblePoints({l.catMin - 1, l.catMax + 1}, int(s.points.size()));
        QPolygonF line;
        for (int i = first; i <= last; ++i) {
            const QPointF pt(l.CategoryPixel(i), l.ValuePixel(std::clamp(s.points[size_t(i)].value, l.valMin, l.valMax)));
            if (s.kind == TChartKind::Stairs && !line.isEmpty())
                line.append(QPointF(pt.x(), line.last().y()));
            line.append(pt);
        }
        if (line.isEmpty())
            continue;
        p.save();
        p.setClipRect(QRectF(l.plot.left(), l.bounds.top(), l.plot.width() + l.depth.x() + 1, l.bounds.height()));
        const QPolygonF front = line.translated(z0);
        if (s.kind == TChartKind::Points) {
            for (int i = first; i <= last; ++i) {
                const QPointF pt = QPointF(l.CategoryPixel(i), l.ValuePixel(std::clamp(s.points[size_t(i)].value, l.valMin, l.valMax))) + (z0 + z1) / 2;
                const QRectF box(pt - QPointF(4.5, 4.5), QSizeF(9, 9));
                if (l.depth != QPointF())
                    drawBar(p, box, PointColor(s, i), QPointF(3, -3), false);
                else
                    drawBar(p, box, PointColor(s, i), QPointF(), false);
            }
            p.restore();
            continue;
        }
        if (s.kind == TChartKind::Area) {
            const double base = l.ValuePixel(std::max(0.0, l.valMin));
            if (l.depth != QPointF()) {
                for (int k = 0; k + 1 < line.size(); ++k)
                    fillPolygon(p, quad(front[k], front[k] + (z1 - z0), front[k + 1] + (z1 - z0), front[k + 1]), s.color.lighter(120),
                                s.areaLines ? QColor(Qt::black) : s.color.lighter(120));
                fillPolygon(p, quad(front.last(), front.last() + (z1 - z0), QPointF(front.last().x(), base) + z1,
                                    QPointF(front.last().x(), base) + z0), s.color.darker(140));
            }
            QPolygonF area = front;
            area.append(QPointF(front.last().x(), base) + z0);
            area.append(QPointF(front.first().x(), base) + z0);
            fillPolygon(p, area, s.color, s.areaLines || l.depth == QPointF() ? QColor(Qt::black) : s.color);
        } else if (l.depth != QPointF()) {
            for (int k = 0; k + 1 < line.size(); ++k)
                fillPolygon(p, quad(front[k], front[k] + (z1 - z0), front[k + 1] + (z1 - z0), front[k + 1]),
                            front[k + 1].y() < front[k].y() ? s.color.darker(130) : s.color, s.color.darker(200));
            p.setPen(QPen(s.color.darker(200), std::max(1, s.lineWidth)));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(front);
        } else {
            p.setPen(QPen(s.color, std::max(1, s.lineWidth)));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(front);
        }
        p.restore();
    }
}

void drawPie(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    const TChartSeries &s = model.series.front();
    std::vector<const TChartShape *> slices;
    for (const TChartShape &shape : l.shapes)
        slices.push_back(&shape);
    // Sides of the 3D pie: the slices drawn again and again below the top, darker.
    if (l.pieThickness > 0) {
        for (double t = l.pieThickness; t >= 1; t -= 1) {
            for (const TChartShape *shape : slices) {
                const QColor c = PointColor(s, shape->point);
                p.setBrush(s.darkShading ? c.darker(150) : c);
                p.setPen(Qt::NoPen);
                p.drawPath(shape->area.translated(0, t));
            }
        }
    }
    for (const TChartShape *shape : slices) {
        p.setBrush(PointColor(s, shape->point));
        p.setPen(QPen(Qt::black, 0));
        p.drawPath(shape->area);
    }
}

void drawMark(QPainter &p, const TChartModel &model, const QString &text, QPointF anchor, QPointF direction, const QRectF &clip)
{
    const QFontMetricsF fm(model.leftAxis.labelsFont);
    const QPointF tip = anchor + direction * 10;
    const QSizeF size(fm.horizontalAdvance(text) + 6, fm.height() + 2);
    QRectF box(tip - QPointF(size.width() / 2, size.height() / 2), size);
    if (direction.y() < -0.5)
        box.moveBottom(tip.y());
    else if (direction.y() > 0.5)
        box.moveTop(tip.y());
    if (direction.x() > 0.5)
        box.moveLeft(tip.x());
    else if (direction.x() < -0.5)
        box.moveRight(tip.x());
    if (clip.isValid() && !clip.intersects(box))
        return;
    p.setPen(QPen(Qt::white, 0));
    p.drawLine(anchor, tip);
    p.setFont(model.leftAxis.labelsFont);
    p.setBrush(kMarkBack);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(box);
    DrawChartText(p, box, Qt::AlignCenter, text);
}

void drawMarks(QPainter &p, const TChartModel &model, const TChartLayout &l)
{
    if (model.marksStyle == msNone)
        return;
    for (const TChartShape &shape : l.shapes) {
        const TChartSeries &s = model.series[size_t(shape.series)];
        QString text = DefaultMarkText(model, shape.series, shape.point);
        if (model.markText)
            text = model.markText(shape.series, shape.point, text);
        if (text.isEmpty())
            continue;
        if (l.pie) {
            const QPointF c = l.pieRect.center();
            QPointF dir = shape.markAnchor - c;
            const double len = std::hypot(dir.x(), dir.y());
            dir = len > 0 ? dir / len : QPointF(0, -1);
            drawMark(p, model, text, shape.markAnchor, dir * 1.5, QRectF());
        } else {
            const QPointF anchor = shape.markAnchor + (IsBarKind(s.kind) ? l.depth * 0.5 : QPointF());
            const QPointF dir = shape.markAbove ? QPointF(0, -1) : QPointF(1, 0);
            drawMark(p, model, text, anchor, dir, s.clipMarks ? l.plot.adjusted(0, -l.plot.height(), l.plot.width(), 0) : QRectF());
        }
    }
}

} // namespace

void PaintChart(const TChartModel &model, QPainter &p, const QRectF &bounds)
{
    p.save();
    // Axes read left to right; Hebrew texts still run right to left inside themselves.
    p.setLayoutDirection(Qt::LeftToRight);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(bounds, model.color);
    const TChartLayout l = LayoutChart(model, bounds);
    drawTexts(p, model, bounds);
    if (l.pie) {
        if (!model.series.empty())
            drawPie(p, model, l);
    } else {
        drawWalls(p, model, l);
        drawAxes(p, model, l);
        p.save();
        // Bars of the page stay inside the walls.
        p.setClipRect(QRectF(l.plot.left(), l.bounds.top(), l.plot.width() + l.depth.x() + 1, l.plot.bottom() - l.bounds.top() + 1));
        drawSeries(p, model, l);
        p.restore();
    }
    drawMarks(p, model, l);
    drawLegend(p, model, l);
    p.restore();
}

void DrawChartText(QPainter &painter, const QRectF &rect, int flags, const QString &text)
{
    painter.setLayoutDirection(IsRightToLeftText(text) ? Qt::RightToLeft : Qt::LeftToRight);
    painter.drawText(rect, flags | Qt::AlignAbsolute, text);
}
