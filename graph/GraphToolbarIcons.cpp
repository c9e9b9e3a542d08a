#include "graph/GraphToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap canvas() {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QIcon GraphKindIcon(int kind)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, kind >= 2);
    p.setPen(QPen(Qt::black, 1));
    const QColor blue(0, 0, 200), red(200, 0, 0), green(0, 150, 0);
    switch (kind) {
    case 0:
        p.setBrush(blue); p.drawRect(3, 10, 4, 10);
        p.setBrush(red); p.drawRect(9, 4, 4, 16);
        p.setBrush(green); p.drawRect(15, 13, 4, 7);
        break;
    case 1:
        p.setBrush(blue); p.drawRect(2, 3, 10, 4);
        p.setBrush(red); p.drawRect(2, 9, 17, 4);
        p.setBrush(green); p.drawRect(2, 15, 7, 4);
        break;
    case 2: {
        QPolygonF area({QPointF(2, 20), QPointF(2, 12), QPointF(8, 6), QPointF(14, 11), QPointF(20, 4), QPointF(20, 20)});
        p.setBrush(green);
        p.drawPolygon(area);
        break;
    }
    case 3:
        p.setPen(QPen(red, 2));
        p.drawPolyline(QPolygonF({QPointF(2, 18), QPointF(8, 8), QPointF(14, 14), QPointF(20, 3)}));
        break;
    case 4:
        p.setPen(QPen(blue, 2));
        p.drawPolyline(QPolygonF({QPointF(2, 18), QPointF(7, 18), QPointF(7, 11), QPointF(13, 11), QPointF(13, 5), QPointF(20, 5)}));
        break;
    case 5:
        p.setBrush(red);
        for (QPointF c : {QPointF(4, 16), QPointF(9, 8), QPointF(14, 13), QPointF(18, 5)})
            p.drawRect(QRectF(c - QPointF(2, 2), QSizeF(4, 4)));
        break;
    default:
        p.setBrush(blue); p.drawPie(QRectF(2, 2, 18, 18), 0, 120 * 16);
        p.setBrush(red); p.drawPie(QRectF(2, 2, 18, 18), 120 * 16, 150 * 16);
        p.setBrush(green); p.drawPie(QRectF(2, 2, 18, 18), 270 * 16, 90 * 16);
        break;
    }
    return QIcon(pm);
}

QIcon GraphToolIcon(TGraphIcon icon)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    auto arrow = [&](bool right, bool bar) {
        p.setBrush(QColor(0, 0, 128));
        const QPolygonF tri = right ? QPolygonF({QPointF(7, 4), QPointF(16, 11), QPointF(7, 18)})
                                    : QPolygonF({QPointF(15, 4), QPointF(6, 11), QPointF(15, 18)});
        p.drawPolygon(tri);
        if (bar)
            p.drawRect(right ? QRectF(17, 4, 2, 14) : QRectF(3, 4, 2, 14));
    };
    switch (icon) {
    case TGraphIcon::ThreeD:
        p.setBrush(QColor(255, 200, 0));
        p.drawRect(3, 8, 11, 11);
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(8, 3), QPointF(19, 3), QPointF(14, 8)}));
        p.setBrush(QColor(200, 150, 0));
        p.drawPolygon(QPolygonF({QPointF(14, 8), QPointF(19, 3), QPointF(19, 14), QPointF(14, 19)}));
        break;
    case TGraphIcon::Marks:
        p.setBrush(QColor(255, 255, 200));
        p.drawRect(3, 3, 16, 9);
        p.drawLine(11, 12, 11, 19);
        break;
    case TGraphIcon::Legend:
        p.setBrush(Qt::white);
        p.drawRect(2, 3, 18, 16);
        p.setBrush(Qt::red); p.drawRect(4, 6, 4, 3);
        p.setBrush(Qt::blue); p.drawRect(4, 12, 4, 3);
        p.drawLine(10, 7, 17, 7);
        p.drawLine(10, 13, 17, 13);
        break;
    case TGraphIcon::Print:
        p.setBrush(Qt::white); p.drawRect(6, 2, 10, 7);
        p.setBrush(QColor(160, 160, 160)); p.drawRect(2, 9, 18, 8);
        p.setBrush(Qt::white); p.drawRect(6, 14, 10, 6);
        break;
    case TGraphIcon::Exit:
        p.setBrush(QColor(150, 90, 40)); p.drawRect(4, 2, 12, 18);
        p.setBrush(Qt::yellow); p.drawEllipse(QPointF(13, 11), 1.5, 1.5);
        break;
    case TGraphIcon::PreviousPage: arrow(true, false); break;   // right to left: back points right
    case TGraphIcon::NextPage: arrow(false, false); break;
    case TGraphIcon::PreviousGroup: arrow(true, true); break;
    case TGraphIcon::NextGroup: arrow(false, true); break;
    }
    return QIcon(pm);
}
