#include "engine/PageStore.h"

#include <QHash>

struct TPageStore::Impl {
    std::vector<QFont> fonts;
    QHash<QString, quint16> fontIndex; // QFont::key() -> index
    std::vector<QImage> images;
    std::vector<TPage> pages;
    bool finished = false;
};

TPageStore::TPageStore(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{
}

TPageStore::~TPageStore() = default;

quint16 TPageStore::AddFont(const QFont &font)
{
    const QString key = font.key();
    auto it = d->fontIndex.constFind(key);
    if (it != d->fontIndex.constEnd())
        return *it;
    d->fonts.push_back(font);
    const quint16 index = quint16(d->fonts.size() - 1);
    d->fontIndex.insert(key, index);
    return index;
}

quint16 TPageStore::AddImage(const QImage &image)
{
    for (size_t i = 0; i < d->images.size(); ++i)
        if (d->images[i].cacheKey() == image.cacheKey())
            return quint16(i);
    d->images.push_back(image);
    return quint16(d->images.size() - 1);
}

QFont TPageStore::Font(quint16 index) const { return index < d->fonts.size() ? d->fonts[index] : QFont(); }
QImage TPageStore::Image(quint16 index) const { return index < d->images.size() ? d->images[index] : QImage(); }

int TPageStore::FontCount() const { return int(d->fonts.size()); }
int TPageStore::ImageCount() const { return int(d->images.size()); }

void TPageStore::AddPage(const TPage &page)
{
    d->pages.push_back(page);
    emit PageAdded(int(d->pages.size()));
}

int TPageStore::PageCount() const { return int(d->pages.size()); }

TPage TPageStore::Page(int index) const
{
    if (index < 0 || index >= int(d->pages.size()))
        return {};
    return d->pages[size_t(index)];
}

QSize TPageStore::PageSize(int index) const { return Page(index).size; }

bool TPageStore::IsFinished() const { return d->finished; }

void TPageStore::SetFinished()
{
    if (d->finished)
        return;
    d->finished = true;
    emit Finished();
}

void TPageStore::Clear()
{
    d = std::make_unique<Impl>();
}

void TPageStore::PaintPage(int index, QPainter &painter) const
{
    PaintPrimitives(Page(index), *this, painter);
}

void PaintPrimitives(const TPage &page, const TPageStore &resources, QPainter &painter)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), page.size), Qt::white);
    for (const TPagePrimitive &item : page.items) {
        switch (item.kind) {
        case TPrimitiveKind::Text:
            painter.setFont(resources.Font(item.font));
            painter.setPen(QColor::fromRgba(item.color));
            painter.setLayoutDirection(item.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            // Positions are fixed on paper: right stays right whatever the direction.
            painter.drawText(item.rect, int(item.flags) | Qt::AlignAbsolute, item.text);
            break;
        case TPrimitiveKind::Line: {
            QPen pen(QColor::fromRgba(item.color));
            pen.setWidth(item.penWidth);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            const qreal y = item.rect.top() + item.penWidth / 2.0;
            painter.drawLine(QPointF(item.rect.left(), y), QPointF(item.rect.left() + item.rect.width(), y));
            break;
        }
        case TPrimitiveKind::Rect:
            if (item.hasFill)
                painter.fillRect(item.rect, QColor::fromRgba(item.fill));
            if (item.hasPen) {
                QPen pen(QColor::fromRgba(item.color));
                pen.setWidth(item.penWidth);
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                const qreal half = item.penWidth / 2.0;
                painter.drawRect(QRectF(item.rect).adjusted(half, half, -half, -half));
            }
            break;
        case TPrimitiveKind::Image:
            painter.drawImage(item.rect, resources.Image(item.image));
            break;
        }
    }
    painter.restore();
}
