#include "app/PreviewIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 24;
const QColor kInk(30, 60, 120);
const QColor kPaper(250, 250, 245);

// A filled triangle pointing up or down, with its flat side at y.
void triangle(QPainter &p, qreal y, bool up, qreal width = 14)
{
    const qreal x0 = (kSize - width) / 2;
    const qreal h = width * 0.55;
    QPainterPath path;
    if (up) {
        path.moveTo(x0, y);
        path.lineTo(x0 + width, y);
        path.lineTo(kSize / 2.0, y - h);
    } else {
        path.moveTo(x0, y);
        path.lineTo(x0 + width, y);
        path.lineTo(kSize / 2.0, y + h);
    }
    path.closeSubpath();
    p.fillPath(path, kInk);
}

void page(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(140, 140, 140), 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void draw(QPainter &p, TPreviewIcon kind)
{
    switch (kind) {
    case TPreviewIcon::PageUp: triangle(p, 16, true); break;
    case TPreviewIcon::PageDown: triangle(p, 8, false); break;
    case TPreviewIcon::ScrollUp: triangle(p, 12, true); triangle(p, 20, true); break;
    case TPreviewIcon::ScrollDown: triangle(p, 4, false); triangle(p, 12, false); break;
    case TPreviewIcon::ScrollStop: p.fillRect(QRectF(6, 6, 12, 12), QColor(170, 30, 30)); break;
    case TPreviewIcon::FirstPage:
        p.fillRect(QRectF(5, 4, 14, 2.5), kInk);
        triangle(p, 17, true);
        break;
    case TPreviewIcon::LastPage:
        triangle(p, 7, false);
        p.fillRect(QRectF(5, 17.5, 14, 2.5), kInk);
        break;
    case TPreviewIcon::Graph:
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(3, 21), QPointF(21, 21));
        p.fillRect(QRectF(5, 12, 4, 9), QColor(200, 60, 50));
        p.fillRect(QRectF(10, 6, 4, 15), QColor(60, 130, 60));
        p.fillRect(QRectF(15, 9, 4, 12), QColor(50, 90, 190));
        break;
    case TPreviewIcon::Print:
        page(p, QRectF(7, 2.5, 10, 8));
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(170, 175, 185));
        p.drawRoundedRect(QRectF(3, 9.5, 18, 8), 1.5, 1.5);
        page(p, QRectF(7, 14.5, 10, 7));
        break;
    case TPreviewIcon::Open: {
        p.setPen(QPen(QColor(140, 100, 20), 1.2));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath folder;
        folder.moveTo(3, 7); folder.lineTo(9, 7); folder.lineTo(11, 9); folder.lineTo(20, 9);
        folder.lineTo(20, 19); folder.lineTo(3, 19); folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case TPreviewIcon::Save:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(70, 100, 170));
        p.drawRect(QRectF(4, 4, 16, 16));
        p.fillRect(QRectF(7, 4.6, 10, 6), kPaper);
        p.fillRect(QRectF(8, 14, 8, 6), QColor(200, 200, 200));
        break;
    case TPreviewIcon::Mail:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3, 6, 18, 12));
        p.drawLine(QPointF(3, 6), QPointF(12, 13));
        p.drawLine(QPointF(21, 6), QPointF(12, 13));
        break;
    case TPreviewIcon::Close:
        p.setPen(QPen(QColor(170, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case TPreviewIcon::Find:
        p.setPen(QPen(kInk, 2.2));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(4, 4, 11, 11));
        p.setPen(QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 14), QPointF(20, 20));
        break;
    case TPreviewIcon::Thumbnails:
        page(p, QRectF(3, 3, 8, 8));
        page(p, QRectF(13, 3, 8, 8));
        page(p, QRectF(3, 13, 8, 8));
        page(p, QRectF(13, 13, 8, 8));
        break;
    }
}

QPixmap picture(TPreviewIcon kind, qreal ratio)
{
    QPixmap pixmap(QSize(kSize, kSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, kind);
    return pixmap;
}

} // namespace

QIcon PreviewIcon(TPreviewIcon kind)
{
    QIcon icon;
    icon.addPixmap(picture(kind, 1));
    icon.addPixmap(picture(kind, 2));
    return icon;
}
