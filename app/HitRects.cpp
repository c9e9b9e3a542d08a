#include "app/HitRects.h"

#include "engine/PageStore.h"

#include <QImage>
#include <QTextLayout>

namespace {

// Text is measured as it is painted on a page: at 96 dots per inch.
QPaintDevice *pageDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

QRectF partRect(const TPagePrimitive &item, const THitPart &part, const TPageStore &resources)
{
    const QRectF whole(item.rect);
    if ((item.flags & Qt::TextWordWrap) || item.text.contains(QLatin1Char('\n')) || item.text.size() > 4000)
        return whole;
    QTextLayout layout(item.text, resources.Font(item.font), pageDevice());
    QTextOption option;
    option.setTextDirection(item.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return whole;
    }
    line.setLineWidth(1e6);
    const qreal width = line.naturalTextWidth();
    line.setLineWidth(width);
    layout.endLayout();
    const int from = qBound(0, part.from, int(item.text.size()));
    const int to = qBound(from, part.from + part.length, int(item.text.size()));
    const qreal x1 = line.cursorToX(from);
    const qreal x2 = line.cursorToX(to);
    // The same placement in the box as the painting's alignment gives the text.
    qreal left = whole.left();
    const int horizontal = int(item.flags) & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        left = whole.right() + 1 - width;
    else if (horizontal & Qt::AlignHCenter)
        left = whole.left() + (whole.width() - width) / 2;
    qreal top = whole.top();
    const int vertical = int(item.flags) & Qt::AlignVertical_Mask;
    if (vertical & Qt::AlignBottom)
        top = whole.bottom() + 1 - line.height();
    else if (vertical & Qt::AlignVCenter)
        top = whole.top() + (whole.height() - line.height()) / 2;
    return QRectF(left + qMin(x1, x2), top, qAbs(x2 - x1), line.height());
}

} // namespace

QRectF HitRect(const TPage &page, const TPageHit &hit, const TPageStore &resources)
{
    QRectF box;
    for (const THitPart &part : hit.parts) {
        if (part.item < 0 || part.item >= int(page.items.size()))
            continue;
        const QRectF r = partRect(page.items[size_t(part.item)], part, resources);
        box = box.isNull() ? r : box.united(r);
    }
    return box;
}
