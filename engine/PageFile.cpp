#include "engine/PageFile.h"

#include "engine/PageCodec.h"
#include "engine/PageStore.h"
#include "foundation/InputFile.h"
#include "foundation/OutputFile.h"

#include <QDataStream>
#include <QFile>
#include <QtEndian>

namespace {

constexpr quint32 kMagic = 0x54515250; // "TQRP"
// Version 1 wrote every primitive field by field; version 2 writes each page in the compact
// form the page store keeps (about a third of the size). Both are read.
constexpr quint32 kVersion = 2;
constexpr int kMaxCount = 50'000'000;

// Version 1 pages, field by field.
bool readPage(QDataStream &in, TPage &page, int fontCount, int imageCount)
{
    quint32 count = 0;
    in >> page.size >> count;
    if (in.status() != QDataStream::Ok || count > quint32(kMaxCount))
        return false;
    page.size = ClampPageSize(page.size);
    page.items.clear();
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        TPagePrimitive p;
        quint8 kind = 0;
        in >> kind >> p.rect;
        if (kind > quint8(TPrimitiveKind::Image))
            return false;
        p.rect = ClampPageRect(p.rect);
        p.kind = TPrimitiveKind(kind);
        switch (p.kind) {
        case TPrimitiveKind::Text:
            in >> p.text >> p.font >> p.flags >> p.rightToLeft >> p.color;
            if (p.font >= fontCount)
                return false;
            break;
        case TPrimitiveKind::Line:
            in >> p.color >> p.penWidth;
            break;
        case TPrimitiveKind::Rect:
            in >> p.color >> p.fill >> p.hasFill >> p.hasPen >> p.penWidth;
            break;
        case TPrimitiveKind::Image:
            in >> p.image;
            if (p.image >= imageCount)
                return false;
            break;
        }
        page.items.push_back(p);
    }
    return in.status() == QDataStream::Ok;
}

// A font as stream version 6.4 writes it: family and style name, point and pixel size, 19
// bytes of hints and flags, then the list of families. Qt's reader reserves room for the
// list's count before reading a single entry, so a damaged count alone could ask for many
// gigabytes: the font is walked through first and must fit in the bytes the file has left.
constexpr int kFontFixedBytes = 8 + 4 + 19;
constexpr quint32 kMaxFontFamilies = 1000;

bool skipString(QIODevice &file)
{
    quint32 length = 0;
    if (file.read(reinterpret_cast<char *>(&length), 4) != 4)
        return false;
    length = qFromBigEndian(length);
    if (length == 0xFFFFFFFFu)
        return true; // a null string
    return (length % 2) == 0 && qint64(length) <= file.bytesAvailable() && file.skip(length) == qint64(length);
}

bool fontFits(QIODevice &file)
{
    const qint64 start = file.pos();
    bool fits = skipString(file) && skipString(file) && file.skip(kFontFixedBytes) == kFontFixedBytes;
    if (fits) {
        quint32 families = 0;
        fits = file.read(reinterpret_cast<char *>(&families), 4) == 4;
        families = qFromBigEndian(families);
        // Every entry takes at least its four length bytes.
        fits = fits && families <= kMaxFontFamilies && qint64(families) * 4 <= file.bytesAvailable();
        for (quint32 i = 0; fits && i < families; ++i)
            fits = skipString(file);
    }
    return file.seek(start) && fits;
}

} // namespace

bool SavePagesToFile(const TPageStore &store, const QString &fileName)
{
    TOutputFile file(fileName);
    if (!file.Open())
        return false;
    QDataStream out(&file.Device());
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << store.Title() << quint8(store.Orientation());
    out << quint32(store.FontCount());
    for (int i = 0; i < store.FontCount(); ++i)
        out << store.Font(quint16(i));
    out << quint32(store.ImageCount());
    for (int i = 0; i < store.ImageCount(); ++i)
        out << store.Image(quint16(i));
    out << quint32(store.PageCount());
    for (int i = 0; i < store.PageCount(); ++i)
        out << EncodePage(store.Page(i));
    if (out.status() != QDataStream::Ok) {
        file.Discard();
        return false;
    }
    return file.Commit();
}

bool IsPageFile(const QString &fileName)
{
    if (CheckInputFile(fileName) != TInputCheck::Ok)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    quint32 magic = 0;
    QDataStream in(&file);
    in >> magic;
    return in.status() == QDataStream::Ok && magic == kMagic;
}

namespace {

bool readAnyVersion(QDataStream &in, quint32 version, TPage &page, int fontCount, int imageCount)
{
    if (version == 1)
        return readPage(in, page, fontCount, imageCount);
    QByteArray bytes;
    in >> bytes;
    return in.status() == QDataStream::Ok && DecodePage(bytes, page, fontCount, imageCount);
}

} // namespace

bool LoadPagesFromFile(TPageStore &store, const QString &fileName)
{
    if (CheckInputFile(fileName) != TInputCheck::Ok)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic || version == 0 || version > kVersion)
        return false;

    // Read everything first, so a damaged file leaves the store empty.
    QString title;
    quint8 orientation = 0;
    quint32 fontCount = 0, imageCount = 0, pageCount = 0;
    in >> title >> orientation >> fontCount;
    if (in.status() != QDataStream::Ok || fontCount > 65535)
        return false;
    QList<QFont> fonts;
    for (quint32 i = 0; i < fontCount && in.status() == QDataStream::Ok; ++i) {
        if (!fontFits(file))
            return false;
        QFont font;
        in >> font;
        fonts.append(font);
    }
    in >> imageCount;
    if (in.status() != QDataStream::Ok || imageCount > 65535)
        return false;
    QList<QImage> images;
    for (quint32 i = 0; i < imageCount && in.status() == QDataStream::Ok; ++i) {
        QImage image;
        in >> image;
        images.append(image);
    }
    in >> pageCount;
    if (in.status() != QDataStream::Ok || pageCount > quint32(kMaxCount))
        return false;
    // Check every page first, so a damaged file leaves the store empty; then read them
    // again one at a time into the store, which keeps them compact (a long report's pages
    // would not fit in memory as they are drawn).
    const qint64 pagesStart = file.pos();
    for (quint32 i = 0; i < pageCount; ++i) {
        TPage page;
        if (!readAnyVersion(in, version, page, int(fontCount), int(imageCount)))
            return false;
    }
    if (!file.seek(pagesStart))
        return false;
    in.resetStatus();

    store.Clear();
    store.SetTitle(title);
    store.SetOrientation(orientation == quint8(TPageOrientation::Landscape) ? TPageOrientation::Landscape
                                                                           : TPageOrientation::Portrait);
    for (const QFont &font : fonts)
        store.AddFont(font);
    for (const QImage &image : images)
        store.AddImage(image);
    for (quint32 i = 0; i < pageCount; ++i) {
        TPage page;
        if (!readAnyVersion(in, version, page, int(fontCount), int(imageCount)))
            break;
        store.AddPage(page);
    }
    store.SetFinished();
    return true;
}
