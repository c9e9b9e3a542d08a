// Geometry of a chart: where the titles, legend, axes, walls and every point go.
#include "graph/ChartAxis.h"
#include "graph/ChartPainter.h"
#include "graph/ChartText.h"

#include <QFontMetricsF>
#include <cmath>

double TChartLayout::CategoryPixel(double c) const
{
    const double span = catMax - catMin;
    const double f = span > 0 ? (c - catMin) / span : 0.5;
    return horizontal ? plot.bottom() - f * plot.height() : plot.left() + f * plot.width();
}

double TChartLayout::ValuePixel(double v) const
{
    const double span = valMax - valMin;
    const double f = span > 0 ? (v - valMin) / span : 0;
    return horizontal ? plot.left() + f * plot.width() : plot.bottom() - f * plot.height();
}

namespace {

double categoryUnit(const TChartLayout &l)
{
    const double span = l.catMax - l.catMin;
    const double length = l.horizontal ? l.plot.height() : l.plot.width();
    return span > 0 ? length / span : length;
}

void layoutBars(const TChartModel &model, TChartLayout &l)
{
    int barSeries = 0;
    for (const TChartSeries &s : model.series)
        barSeries += IsBarKind(s.kind);
    int slot = 0;
    for (size_t si = 0; si < model.series.size(); ++si) {
        const TChartSeries &s = model.series[si];
        if (!IsBarKind(s.kind))
            continue;
        const double unit = categoryUnit(l);
        const double group = unit * s.barWidthPercent / 100.0;
        const double width = s.overlapBars ? group : group / std::max(1, barSeries);
        const double offset = s.overlapBars ? 0 : slot * width;
        const auto [first, last] = VisiblePoints({l.catMin, l.catMax}, int(s.points.size()));
        for (int i = first; i <= last; ++i) {
            const double c = l.CategoryPixel(i);
            const double v0 = l.ValuePixel(std::max(0.0, l.valMin));
            const double v1 = l.ValuePixel(std::clamp(s.points[size_t(i)].value, l.valMin, l.valMax));
            QRectF r;
            if (l.horizontal)
                r = QRectF(QPointF(std::min(v0, v1), c + group / 2 - offset - width), QPointF(std::max(v0, v1), c + group / 2 - offset));
            else
                r = QRectF(QPointF(c - group / 2 + offset, std::min(v0, v1)), QPointF(c - group / 2 + offset + width, std::max(v0, v1)));
            TChartShape shape;
            shape.series = int(si);
            shape.point = i;
            shape.area.addRect(r);
            shape.markAnchor = l.horizontal ? QPointF(r.right(), r.center().y()) : QPointF(r.center().x(), r.top());
            shape.markAbove = !l.horizontal;
            l.shapes.push_back(shape);
        }
        ++slot;
    }
}

void layoutLines(const TChartModel &model, TChartLayout &l)
{
    for (size_t si = 0; si < model.series.size(); ++si) {
        const TChartSeries &s = model.series[si];
        if (IsBarKind(s.kind) || s.kind == TChartKind::Pie)
            continue;
        const int n = int(s.points.size());
        const auto [first, last] = VisiblePoints({l.catMin, l.catMax}, n);
        auto at = [&](int i) {
            return QPointF(l.CategoryPixel(i), l.ValuePixel(std::clamp(s.points[size_t(i)].value, l.valMin, l.valMax)));
        };
        for (int i = first; i <= last; ++i) {
            TChartShape shape;
            shape.series = int(si);
            shape.point = i;
            const QPointF p = at(i);
            shape.markAnchor = p;
            if (s.kind == TChartKind::Points || i + 1 >= n) {
                shape.area.addRect(QRectF(p - QPointF(5, 5), QSizeF(10, 10)));
            } else {
                // A line segment or area strip belongs to the point where it starts.
                const QPointF q = at(i + 1);
                if (s.kind == TChartKind::Area) {
                    const double base = l.ValuePixel(std::max(0.0, l.valMin));
                    QPolygonF strip({p, q, QPointF(q.x(), base), QPointF(p.x(), base)});
                    shape.area.addPolygon(strip);
                    shape.area.closeSubpath();
                } else {
                    const QPointF corner = s.kind == TChartKind::Stairs ? QPointF(q.x(), p.y()) : q;
                    auto band = [&](QPointF a, QPointF b) {
                        QPainterPath seg;
                        seg.moveTo(a);
                        seg.lineTo(b);
                        QPainterPathStroker stroker;
                        stroker.setWidth(std::max(8, s.lineWidth + 6));
                        return stroker.createStroke(seg);
                    };
                    shape.area = band(p, corner);
                    if (corner != q)
                        shape.area = shape.area.united(band(corner, q));
                }
            }
            l.shapes.push_back(shape);
        }
    }
}

void layoutPie(const TChartModel &model, TChartLayout &l)
{
    const TChartSeries &s = model.series.front();
    double total = 0;
    for (const TChartPoint &p : s.points)
        total += std::max(0.0, p.value);
    QRectF r = l.plot;
    // Room for the marks around the pie.
    const double markRoom = model.marksStyle != msNone ? 40 : 6;
    r.adjust(markRoom * 1.5, markRoom, -markRoom * 1.5, -markRoom);
    l.pieThickness = model.view3D ? std::max(4.0, r.height() * model.depthPercent / 200.0) : 0;
    r.setBottom(r.bottom() - l.pieThickness);
    if (s.circled || model.view3D) {
        const double d = std::min(r.width(), r.height() * (model.view3D ? 1.6 : 1.0));
        const double h = model.view3D ? std::min(r.height(), d * 0.62) : d;
        r = QRectF(r.center().x() - d / 2, r.center().y() - h / 2, d, h);
    }
    l.pieRect = r;
    if (total <= 0)
        return;
    double angle = 0;
    for (size_t i = 0; i < s.points.size(); ++i) {
        const double sweep = std::max(0.0, s.points[i].value) / total * 360.0;
        TChartShape shape;
        shape.series = 0;
        shape.point = int(i);
        shape.area.moveTo(r.center());
        shape.area.arcTo(r, angle, sweep);
        shape.area.closeSubpath();
        const double mid = (angle + sweep / 2) * M_PI / 180.0;
        shape.markAnchor = QPointF(r.center().x() + std::cos(mid) * r.width() / 2, r.center().y() - std::sin(mid) * r.height() / 2);
        l.shapes.push_back(shape);
        angle += sweep;
    }
}

} // namespace

TChartLayout LayoutChart(const TChartModel &model, const QRectF &bounds)
{
    TChartLayout l;
    l.bounds = bounds;
    QRectF r = bounds.adjusted(8, 6, -8, -6);

    const QFontMetricsF title(model.titleFont);
    r.setTop(r.top() + title.height() * model.title.size());
    if (!model.foot.isEmpty())
        r.setBottom(r.bottom() - QFontMetricsF(model.footFont).height() - 4);

    const QStringList legend = LegendTexts(model);
    if (model.legendVisible && !legend.isEmpty()) {
        const QFontMetricsF fm(model.legendFont);
        double w = 0;
        for (const QString &t : legend)
            w = std::max(w, fm.horizontalAdvance(t));
        const double width = model.legendColorWidth + w + 22;
        const double height = fm.height() * legend.size() + 10;
        l.legendRect = QRectF(r.right() - width, r.center().y() - height / 2, width, height);
        r.setRight(l.legendRect.left() - 10);
    }

    l.pie = !model.series.empty() && model.Kind() == TChartKind::Pie;
    if (l.pie) {
        l.plot = r;
        layoutPie(model, l);
        return l;
    }

    l.horizontal = model.Kind() == TChartKind::HorizBar;
    const TChartAxis &category = l.horizontal ? model.leftAxis : model.bottomAxis;
    const TChartAxis &value = l.horizontal ? model.bottomAxis : model.leftAxis;
    l.catMin = category.minimum;
    l.catMax = category.maximum;
    l.valMin = value.minimum;
    l.valMax = value.maximum > value.minimum ? value.maximum : value.minimum + 1;

    // Left side: axis title and labels; bottom: labels and axis title.
    const QFontMetricsF leftLabels(model.leftAxis.labelsFont);
    const QFontMetricsF bottomLabels(model.bottomAxis.labelsFont);
    if (!model.leftAxis.title.isEmpty())
        r.setLeft(r.left() + QFontMetricsF(model.leftAxis.titleFont).height() + 4);
    double leftWidth = model.leftAxis.labelWidth;
    if (leftWidth <= 0)
        leftWidth = l.horizontal ? CategoryLabelWidth(model, leftLabels) : leftLabels.horizontalAdvance(QStringLiteral("00000"));
    r.setLeft(r.left() + leftWidth + 4 + model.wallSize);
    double bottomHeight = bottomLabels.height();
    if (!l.horizontal && model.bottomAxis.labelAngle == 90)
        bottomHeight = CategoryLabelWidth(model, bottomLabels);
    r.setBottom(r.bottom() - bottomHeight - 4 - model.wallSize);
    if (!model.bottomAxis.title.isEmpty())
        r.setBottom(r.bottom() - QFontMetricsF(model.bottomAxis.titleFont).height() - 2);
    // Half a label of room at the top and right so edge labels are not cut.
    r.setTop(r.top() + leftLabels.height() / 2);
    r.setRight(r.right() - bottomLabels.horizontalAdvance(QStringLiteral("000")) / 2);

    if (model.view3D) {
        const double d = std::min(r.width(), r.height()) * std::clamp(model.depthPercent, 1, 100) / 100.0 * 0.3;
        l.depth = QPointF(d, -d);
        r.setRight(r.right() - d);
        r.setTop(r.top() + d);
    }
    l.plot = r.isValid() ? r : QRectF(r.topLeft(), QSizeF(1, 1));
    layoutBars(model, l);
    layoutLines(model, l);
    return l;
}

std::vector<TChartHit> HitTest(const TChartModel &model, const QRectF &bounds, const QPointF &pos)
{
    const TChartLayout l = LayoutChart(model, bounds);
    std::vector<TChartHit> hits;
    for (size_t s = 0; s < model.series.size(); ++s) {
        for (const TChartShape &shape : l.shapes) {
            if (shape.series == int(s) && shape.area.contains(pos)) {
                hits.push_back({shape.series, shape.point});
                break;
            }
        }
    }
    return hits;
}
