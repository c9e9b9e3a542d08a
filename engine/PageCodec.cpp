#include "engine/PageCodec.h"

#include <algorithm>

namespace {

enum : quint8 { kRtl = 0x04, kColor = 0x08, kFill = 0x10, kPen = 0x20 };

void putVar(QByteArray &out, quint64 v)
{
    while (v >= 0x80) {
        out.append(char(v | 0x80));
        v >>= 7;
    }
    out.append(char(v));
}

void putInt(QByteArray &out, qint64 v) { putVar(out, quint64((v << 1) ^ (v >> 63))); }

void putRgb(QByteArray &out, QRgb c)
{
    for (int s = 0; s < 32; s += 8)
        out.append(char((c >> s) & 0xFF));
}

struct TReader {
    const uchar *p;
    const uchar *end;
    bool ok = true;

    quint64 var()
    {
        quint64 v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (p >= end) {
                ok = false;
                return 0;
            }
            const uchar b = *p++;
            v |= quint64(b & 0x7F) << shift;
            if (!(b & 0x80))
                return v;
        }
        ok = false;
        return 0;
    }
    qint64 sint()
    {
        const quint64 v = var();
        return qint64(v >> 1) ^ -qint64(v & 1);
    }
    quint8 byte()
    {
        if (p >= end) {
            ok = false;
            return 0;
        }
        return *p++;
    }
    QRgb rgb()
    {
        QRgb c = 0;
        for (int s = 0; s < 32; s += 8)
            c |= QRgb(byte()) << s;
        return c;
    }
};

} // namespace

QByteArray EncodePage(const TPage &page)
{
    QByteArray out;
    out.reserve(int(page.items.size()) * 24 + 16);
    putVar(out, quint64(qMax(0, page.size.width())));
    putVar(out, quint64(qMax(0, page.size.height())));
    putVar(out, page.items.size());
    for (const TPagePrimitive &p : page.items) {
        quint8 head = quint8(p.kind);
        if (p.rightToLeft)
            head |= kRtl;
        if (p.color != 0xFF000000)
            head |= kColor;
        if (p.hasFill)
            head |= kFill;
        if (p.hasPen)
            head |= kPen;
        out.append(char(head));
        putInt(out, p.rect.x());
        putInt(out, p.rect.y());
        putInt(out, p.rect.width());
        putInt(out, p.rect.height());
        if (head & kColor)
            putRgb(out, p.color);
        switch (p.kind) {
        case TPrimitiveKind::Text: {
            putVar(out, p.font);
            putVar(out, p.flags);
            const QByteArray utf8 = p.text.toUtf8();
            putVar(out, quint64(utf8.size()));
            out.append(utf8);
            break;
        }
        case TPrimitiveKind::Line:
            out.append(char(p.penWidth));
            break;
        case TPrimitiveKind::Rect:
            out.append(char(p.penWidth));
            if (p.hasFill)
                putRgb(out, p.fill);
            break;
        case TPrimitiveKind::Image:
            putVar(out, p.image);
            break;
        }
    }
    return out;
}

QSize ClampPageSize(QSize size)
{
    return QSize(std::clamp(size.width(), 0, kMaxPageSide), std::clamp(size.height(), 0, kMaxPageSide));
}

QRect ClampPageRect(QRect rect)
{
    // QRect keeps its corners: the width of one built from corners may itself overflow.
    auto c = [](qint64 v) { return int(std::clamp<qint64>(v, -kMaxPageCoordinate, kMaxPageCoordinate)); };
    return QRect(QPoint(c(rect.left()), c(rect.top())), QPoint(c(rect.right()), c(rect.bottom())));
}

bool DecodePage(QByteArrayView bytes, TPage &page, int fontCount, int imageCount)
{
    TReader in{reinterpret_cast<const uchar *>(bytes.data()), reinterpret_cast<const uchar *>(bytes.data()) + bytes.size()};
    page = TPage();
    // Sizes and positions are the file's word: they stay where arithmetic on them cannot
    // overflow, and a page no larger than any paper.
    const int w = int(std::min<quint64>(in.var(), kMaxPageSide));
    const int h = int(std::min<quint64>(in.var(), kMaxPageSide));
    page.size = QSize(w, h);
    const quint64 count = in.var();
    // Every primitive takes at least five bytes.
    if (!in.ok || count > quint64(bytes.size()) / 5)
        return false;
    page.items.reserve(size_t(count));
    for (quint64 i = 0; i < count && in.ok; ++i) {
        TPagePrimitive p;
        const quint8 head = in.byte();
        const quint8 kind = head & 0x03;
        p.kind = TPrimitiveKind(kind);
        p.rightToLeft = head & kRtl;
        p.hasFill = head & kFill;
        p.hasPen = head & kPen;
        auto coordinate = [&in] { return int(std::clamp<qint64>(in.sint(), -kMaxPageCoordinate, kMaxPageCoordinate)); };
        const int x = coordinate(), y = coordinate(), rw = coordinate(), rh = coordinate();
        p.rect = QRect(x, y, rw, rh);
        if (head & kColor)
            p.color = in.rgb();
        switch (p.kind) {
        case TPrimitiveKind::Text: {
            p.font = quint16(in.var());
            p.flags = quint32(in.var());
            const quint64 length = in.var();
            if (!in.ok || p.font >= fontCount || length > quint64(in.end - in.p))
                return false;
            p.text = QString::fromUtf8(reinterpret_cast<const char *>(in.p), qsizetype(length));
            in.p += length;
            break;
        }
        case TPrimitiveKind::Line:
            p.penWidth = in.byte();
            break;
        case TPrimitiveKind::Rect:
            p.penWidth = in.byte();
            if (p.hasFill)
                p.fill = in.rgb();
            break;
        case TPrimitiveKind::Image:
            p.image = quint16(in.var());
            if (p.image >= imageCount)
                return false;
            break;
        }
        page.items.push_back(std::move(p));
    }
    return in.ok && in.p == in.end;
}
