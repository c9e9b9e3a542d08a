#include "engine/PageStore.h"

#include "engine/PageCodec.h"
#include "engine/ShapedText.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryFile>

#include <atomic>

// Finished pages are kept in their compact byte form in a temporary file of their own (in
// memory when no such file can be made), so the store stays small however long the report.
// The last pages read are kept decoded, so repainting a page does not decode it again.
struct TPageStore::Impl {
    std::vector<QFont> fonts;
    QHash<QString, quint16> fontIndex; // QFont::key() -> index
    std::vector<QImage> images;
    std::atomic<bool> finished = false; // read by searches on other threads

    mutable QMutex mutex; // the print thread reads pages while the view does
    std::unique_ptr<QTemporaryFile> spill;
    bool spillFailed = false;
    QString temporaryFolder;
    std::vector<qint64> offsets; // page i's bytes run from offsets[i] to offsets[i + 1]
    std::vector<QSize> sizes;    // known without decoding the page
    qint64 end = 0;
    std::vector<QByteArray> inMemory; // when there is no spill file
    static constexpr int kCacheSize = 4;
    mutable std::vector<std::pair<int, TPage>> cache;

    bool openSpill()
    {
        if (spill)
            return true;
        if (spillFailed)
            return false;
        auto file = std::make_unique<QTemporaryFile>(
            (temporaryFolder.isEmpty() ? QDir::tempPath() : temporaryFolder) + QStringLiteral("/tarvel-pages-XXXXXX"));
        if (!file->open()) {
            spillFailed = true;
            return false;
        }
        spill = std::move(file);
        return true;
    }
};

TPageStore::TPageStore(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{
}

TPageStore::~TPageStore()
{
    emit PagesDiscarded();
}

void TPageStore::SetTemporaryFolder(const QString &folder)
{
    QMutexLocker lock(&d->mutex);
    d->temporaryFolder = folder;
}

quint16 TPageStore::AddFont(const QFont &font)
{
    const QString key = font.key();
    auto it = d->fontIndex.constFind(key);
    if (it != d->fontIndex.constEnd())
        return *it;
    {
        QMutexLocker lock(&d->mutex); // a search thread reads how many there are
        d->fonts.push_back(font);
    }
    const quint16 index = quint16(d->fonts.size() - 1);
    d->fontIndex.insert(key, index);
    return index;
}

quint16 TPageStore::AddImage(const QImage &image)
{
    for (size_t i = 0; i < d->images.size(); ++i)
        if (d->images[i].cacheKey() == image.cacheKey())
            return quint16(i);
    QMutexLocker lock(&d->mutex);
    d->images.push_back(image);
    return quint16(d->images.size() - 1);
}

QFont TPageStore::Font(quint16 index) const { return index < d->fonts.size() ? d->fonts[index] : QFont(); }
QImage TPageStore::Image(quint16 index) const { return index < d->images.size() ? d->images[index] : QImage(); }

int TPageStore::FontCount() const { return int(d->fonts.size()); }
int TPageStore::ImageCount() const { return int(d->images.size()); }

void TPageStore::AddPage(const TPage &page)
{
    const QByteArray bytes = EncodePage(page);
    int count;
    {
        QMutexLocker lock(&d->mutex);
        bool written = false;
        if (d->inMemory.empty() && d->openSpill()) {
            written = d->spill->seek(d->end) && d->spill->write(bytes) == bytes.size();
            if (!written && d->offsets.empty()) {
                d->spill.reset();
                d->spillFailed = true;
            }
        }
        if (written) {
            d->offsets.push_back(d->end);
            d->end += bytes.size();
        } else if (d->spill) {
            // The disk filled up part way: keep the remaining pages in memory. Pages already
            // on disk stay readable.
            d->inMemory.resize(d->offsets.size());
            d->inMemory.push_back(bytes);
            d->offsets.push_back(d->end);
        } else {
            d->inMemory.push_back(bytes);
            d->offsets.push_back(0);
        }
        d->sizes.push_back(page.size);
        count = int(d->offsets.size());
    }
    emit PageAdded(count);
}

int TPageStore::PageCount() const
{
    QMutexLocker lock(&d->mutex);
    return int(d->offsets.size());
}

// The stored bytes of page i; call with the mutex held.
QByteArray TPageStore::pageBytes(int index) const
{
    QByteArray bytes;
    const size_t at = size_t(index);
    if (at < d->inMemory.size() && !d->inMemory[at].isNull()) {
        bytes = d->inMemory[at];
    } else if (d->spill) {
        const qint64 next = at + 1 < d->offsets.size() && (at + 1 >= d->inMemory.size() || d->inMemory[at + 1].isNull())
                                ? d->offsets[at + 1]
                                : d->end;
        if (d->spill->seek(d->offsets[at]))
            bytes = d->spill->read(next - d->offsets[at]);
    }
    return bytes;
}

TPage TPageStore::Page(int index) const
{
    QMutexLocker lock(&d->mutex);
    if (index < 0 || index >= int(d->offsets.size()))
        return {};
    for (const auto &[i, page] : d->cache)
        if (i == index)
            return page;
    const QByteArray bytes = pageBytes(index);
    TPage page;
    if (!DecodePage(bytes, page, int(d->fonts.size()), int(d->images.size())))
        return {};
    if (d->cache.size() >= size_t(Impl::kCacheSize))
        d->cache.erase(d->cache.begin());
    d->cache.emplace_back(index, page);
    return page;
}

TPage TPageStore::PageForScan(int index, const std::function<bool(QByteArrayView bytes)> &wanted) const
{
    QByteArray bytes;
    int fonts = 0;
    int images = 0;
    {
        QMutexLocker lock(&d->mutex);
        if (index < 0 || index >= int(d->offsets.size()))
            return {};
        for (const auto &[i, page] : d->cache)
            if (i == index)
                return page;
        bytes = pageBytes(index);
        fonts = int(d->fonts.size());
        images = int(d->images.size());
    }
    if (wanted && !wanted(bytes))
        return {};
    TPage page;
    if (!DecodePage(bytes, page, fonts, images))
        return {};
    return page;
}

QSize TPageStore::PageSize(int index) const
{
    QMutexLocker lock(&d->mutex);
    return index >= 0 && index < int(d->sizes.size()) ? d->sizes[size_t(index)] : QSize();
}

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
    emit PagesDiscarded();
    d = std::make_unique<Impl>();
}

void TPageStore::PaintPage(int index, QPainter &painter, TShapedTextCache *texts) const
{
    PaintPrimitives(Page(index), *this, painter, texts);
}

namespace {

void paintText(const TPagePrimitive &item, QPainter &painter, TShapedTextCache *texts)
{
    const QFlags<Qt::AlignmentFlag> flags = QFlags<Qt::AlignmentFlag>::fromInt(int(item.flags) | Qt::AlignAbsolute);
    const TShapedText *shaped = nullptr;
    TShapedText once;
    if (texts)
        shaped = texts->Shape(painter.font(), item.font, item.rect.size(), quint32(flags.toInt()), item.rightToLeft,
                              item.text, painter.device());
    else if (ShapeText(painter.font(), item.rect.size(), quint32(flags.toInt()), item.rightToLeft, item.text,
                       painter.device(), once))
        shaped = &once;
    if (shaped && !shaped->decorated)
        DrawShapedText(painter, item.rect, *shaped);
    else
        painter.drawText(item.rect, flags.toInt(), item.text);
}

} // namespace

void PaintPrimitives(const TPage &page, const TPageStore &resources, QPainter &painter, TShapedTextCache *texts)
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
            paintText(item, painter, texts);
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
