#include "engine/PageRender.h"

#include "engine/PageStore.h"
#include "engine/PdfWriter.h"
#include "engine/ShapedText.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <algorithm>
#include <cmath>

QImage RenderPageImage(const TPageStore &store, int index, int dpi)
{
    const QSize size = store.PageSize(index);
    const double scale = dpi / 96.0;
    const double width = std::max(1.0, std::round(size.width() * scale));
    const double height = std::max(1.0, std::round(size.height() * scale));
    // A page of a file may claim any size: an image beyond kMaxPageImagePixels is not made.
    if (width * height > double(kMaxPageImagePixels))
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    store.PaintPage(index, painter);
    painter.end();
    return image;
}

bool RenderPagesToPdf(const TPageStore &store, const QString &fileName, const QString &author)
{
    QFile file(fileName);
    if (store.PageCount() == 0 || !file.open(QIODevice::WriteOnly))
        return false;
    return RenderPagesToPdf(store, &file, author) && file.flush();
}

bool PdfCanEmbedFonts(const TPageStore &store)
{
    const QImage device(1, 1, QImage::Format_RGB32);
    for (int i = 0; i < store.FontCount(); ++i)
        if (QRawFont::fromFont(QFont(store.Font(quint16(i)), &device)).fontTable("glyf").isEmpty())
            return false;
    return true;
}

namespace {

// Qt's PDF engine: for fonts that cannot be embedded as they are.
bool renderWithQt(const TPageStore &store, QIODevice *device, const QString &author, const TPdfPageCallback &pageDone)
{
    QPdfWriter writer(device);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("tarvel-report"));
    writer.setTitle(store.Title());
    Q_UNUSED(author); // this Qt's PDF writer has no author entry
    auto layoutFor = [](QSize pixels) {
        // Page pixels are 96 dpi: 72 points per 96 pixels.
        const QPageSize size(QSizeF(pixels.width() * 72.0 / 96.0, pixels.height() * 72.0 / 96.0), QPageSize::Point,
                             QString(), QPageSize::ExactMatch);
        return QPageLayout(size, QPageLayout::Portrait, QMarginsF());
    };
    writer.setPageLayout(layoutFor(store.PageSize(0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const double scale = writer.resolution() / 96.0;
    TShapedTextCache texts;
    for (int i = 0; i < store.PageCount(); ++i) {
        if (i > 0) {
            writer.setPageLayout(layoutFor(store.PageSize(i)));
            if (!writer.newPage())
                return false;
        }
        painter.save();
        painter.scale(scale, scale);
        store.PaintPage(i, painter, &texts);
        painter.restore();
        if (pageDone && !pageDone(i + 1, store.PageCount())) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace

bool RenderPagesToPdf(const TPageStore &store, QIODevice *device, const QString &author,
                      const TPdfPageCallback &pageDone)
{
    if (store.PageCount() == 0)
        return false;
    if (!PdfCanEmbedFonts(store))
        return renderWithQt(store, device, author, pageDone);
    TPdfWriter writer(device, TPdfDocumentInfo{store.Title(), author});
    for (int i = 0; i < store.PageCount(); ++i) {
        writer.AddPage(store.Page(i), store);
        if (pageDone && !pageDone(i + 1, store.PageCount()))
            return false;
    }
    return writer.Finish();
}
