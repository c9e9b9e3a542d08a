#include "engine/PdfWriter.h"

#include "engine/PageStore.h"
#include "engine/PdfFont.h"

#include <QDateTime>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Page pixels are 96 dpi, PDF points 72.
constexpr double kPointsPerPixel = 72.0 / 96.0;

void num(QByteArray &out, double v)
{
    AppendPdfNumber(out, v);
    out += ' ';
}

void color(QByteArray &out, QRgb rgb, const char *op)
{
    num(out, qRed(rgb) / 255.0);
    num(out, qGreen(rgb) / 255.0);
    num(out, qBlue(rgb) / 255.0);
    out += op;
    out += '\n';
}

void rect(QByteArray &out, const QRectF &r)
{
    num(out, r.x());
    num(out, r.y());
    num(out, r.width());
    num(out, r.height());
    out += "re ";
}

void glyphHex(QByteArray &out, quint32 glyph)
{
    static const char digits[] = "0123456789ABCDEF";
    out += '<';
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(glyph >> shift) & 0xF];
    out += '>';
}

void path(QByteArray &out, const QPainterPath &p)
{
    for (int i = 0; i < p.elementCount(); ++i) {
        const QPainterPath::Element e = p.elementAt(i);
        if (e.isMoveTo()) {
            num(out, e.x);
            num(out, e.y);
            out += "m\n";
        } else if (e.isLineTo()) {
            num(out, e.x);
            num(out, e.y);
            out += "l\n";
        } else if (e.isCurveTo() && i + 2 < p.elementCount()) {
            for (int k = 0; k < 3; ++k) {
                num(out, p.elementAt(i + k).x);
                num(out, p.elementAt(i + k).y);
            }
            out += "c\n";
            i += 2;
        }
    }
}

QByteArray pdfDate(const QDateTime &when)
{
    return "(D:" + when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)";
}

} // namespace

TPdfWriter::TPdfWriter(QIODevice *out, const TPdfDocumentInfo &info)
    : m_file(out)
    , m_info(info)
    , m_layoutDevice(1, 1, QImage::Format_RGB32)
{
    m_catalog = m_file.Reserve();
    m_pages = m_file.Reserve();
    m_resources = m_file.Reserve();
    m_infoObject = m_file.Reserve();
}

TPdfWriter::~TPdfWriter() = default;

void TPdfWriter::AddPage(const TPage &page, const TPageStore &resources)
{
    const QSize size = page.size.isEmpty() ? QSize(794, 1123) : page.size;
    m_content.truncate(0); // keeps its room for the next page
    m_fill = m_stroke = 0xFF000000; // the PDF's initial colours
    // Page pixels, y downwards, as the primitives are placed.
    m_content += "q ";
    num(m_content, kPointsPerPixel);
    m_content += "0 0 ";
    num(m_content, -kPointsPerPixel);
    m_content += "0 ";
    num(m_content, size.height() * kPointsPerPixel);
    m_content += "cm\n";
    for (const TPagePrimitive &item : page.items) {
        switch (item.kind) {
        case TPrimitiveKind::Text:
            text(item, resources);
            break;
        case TPrimitiveKind::Line: {
            if (qAlpha(item.color) == 0)
                break;
            setStroke(item.color);
            const double y = item.rect.top() + item.penWidth / 2.0;
            num(m_content, item.penWidth);
            m_content += "w 0 J ";
            num(m_content, item.rect.left());
            num(m_content, y);
            m_content += "m ";
            num(m_content, item.rect.left() + item.rect.width());
            num(m_content, y);
            m_content += "l S\n";
            break;
        }
        case TPrimitiveKind::Rect:
            if (item.hasFill && qAlpha(item.fill) != 0) {
                setFill(item.fill);
                rect(m_content, QRectF(item.rect));
                m_content += "f\n";
            }
            if (item.hasPen && qAlpha(item.color) != 0) {
                setStroke(item.color);
                const double half = item.penWidth / 2.0;
                num(m_content, item.penWidth);
                m_content += "w 0 j ";
                rect(m_content, QRectF(item.rect).adjusted(half, half, -half, -half));
                m_content += "S\n";
            }
            break;
        case TPrimitiveKind::Image: {
            const int id = imageFor(item.image, resources);
            if (id <= 0 || item.rect.isEmpty())
                break;
            // The image's unit square, its top row at the rectangle's top.
            m_content += "q ";
            num(m_content, item.rect.width());
            m_content += "0 0 ";
            num(m_content, -item.rect.height());
            num(m_content, item.rect.left());
            num(m_content, item.rect.top() + item.rect.height());
            m_content += "cm /Im" + QByteArray::number(item.image) + " Do Q\n";
            break;
        }
        }
    }
    m_content += "Q\n";

    const int contentId = m_file.Reserve();
    m_file.WriteStream(contentId, QByteArray(), m_content, true);
    const int pageId = m_file.Reserve();
    QByteArray body = "<< /Type /Page\n/Parent " + QByteArray::number(m_pages) + " 0 R /Resources "
                      + QByteArray::number(m_resources) + " 0 R /MediaBox [0 0 ";
    num(body, size.width() * kPointsPerPixel);
    num(body, size.height() * kPointsPerPixel);
    body += "] /Contents " + QByteArray::number(contentId) + " 0 R >>";
    m_file.WriteObject(pageId, body);
    m_pageIds.push_back(pageId);
}

void TPdfWriter::text(const TPagePrimitive &item, const TPageStore &resources)
{
    if (qAlpha(item.color) == 0)
        return;
    if (item.font >= m_layoutFonts.size())
        for (int i = int(m_layoutFonts.size()); i < resources.FontCount(); ++i)
            m_layoutFonts.emplace_back(resources.Font(quint16(i)), &m_layoutDevice);
    const QFont font = item.font < m_layoutFonts.size() ? m_layoutFonts[item.font] : QFont();
    quint32 flags = item.flags | Qt::AlignAbsolute;
    const TShapedText *shaped
        = m_texts.Shape(font, item.font, item.rect.size(), flags, item.rightToLeft, item.text, &m_layoutDevice);
    QByteArray once;
    const QByteArray *operators = &once;
    if (!shaped) {
        // Flags or characters the page layout leaves to drawText: the text is still written,
        // laid out without them.
        QString plain = item.text;
        plain.replace(QChar(ushort(0x9c)), u' ');
        flags &= Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::AlignAbsolute | Qt::TextDontClip
                 | Qt::TextWordWrap;
        TShapedText fallback;
        if (!ShapeText(font, item.rect.size(), flags, item.rightToLeft, plain, &m_layoutDevice, fallback, false))
            return;
        once = textOperators(fallback, plain, item.rect.size());
    } else {
        // A text met before is written with the operators made then.
        if (shaped->drawn.isEmpty())
            shaped->drawn = textOperators(*shaped, item.text, item.rect.size());
        operators = &shaped->drawn;
    }
    setFill(item.color);
    m_content += "q 1 0 0 1 ";
    num(m_content, item.rect.left());
    num(m_content, item.rect.top());
    m_content += "cm\n";
    m_content += *operators;
    m_content += "Q\n";
}

// The text's operators with its rectangle's top left corner at the origin.
QByteArray TPdfWriter::textOperators(const TShapedText &shaped, const QString &text, QSize size)
{
    noteCharacters(shaped, text);
    QByteArray out;
    if (shaped.clip) {
        out += "q ";
        rect(out, QRectF(QPointF(0, 0), QSizeF(size)));
        out += "W n\n";
    }
    for (const QGlyphRun &run : shaped.runs)
        glyphRun(out, run, shaped.decorated);
    if (shaped.clip)
        out += "Q\n";
    return out;
}

void TPdfWriter::noteCharacters(const TShapedText &shaped, const QString &text)
{
    for (const QGlyphRun &run : shaped.runs) {
        const QRawFont face = run.rawFont();
        const int index = fontFor(face);
        TPdfFont &font = *m_fonts[size_t(index)];
        for (quint32 g : run.glyphIndexes())
            font.UseGlyph(g);
        // Each character's own glyph stands for it; shaped forms that no character maps to
        // (mirrored brackets, ligatures) are found through other texts or stay unmapped.
        const QList<quint32> own = face.glyphIndexesForString(text);
        for (qsizetype i = 0; i < own.size() && i < text.size(); ++i)
            if (own[i] != 0 && !text.at(i).isSurrogate())
                font.MapGlyph(own[i], QString(text.at(i)));
    }
}

int TPdfWriter::fontFor(const QRawFont &face)
{
    for (const auto &[known, index] : m_faces)
        if (known == face)
            return index;
    // Another size of a face already written is the same font.
    for (const auto &[known, index] : m_faces)
        if (known.familyName() == face.familyName() && known.styleName() == face.styleName()
            && known.weight() == face.weight() && known.style() == face.style()) {
            const int same = index; // copied: adding to m_faces moves its elements
            m_faces.emplace_back(face, same);
            return same;
        }
    m_fonts.push_back(std::make_unique<TPdfFont>(face));
    m_fontIds.push_back(m_file.Reserve());
    const int index = int(m_fonts.size() - 1);
    m_faces.emplace_back(face, index);
    return index;
}

void TPdfWriter::glyphRun(QByteArray &out, const QGlyphRun &run, bool decorated)
{
    const QPointF origin(0, 0);
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype count = qMin(glyphs.size(), positions.size());
    if (count == 0)
        return;
    const QRawFont face = run.rawFont();
    const int index = fontFor(face);
    TPdfFont &font = *m_fonts[size_t(index)];
    const double size = face.pixelSize();
    if (size <= 0)
        return;

    // Left to right, as the glyphs stand on the page.
    std::vector<qsizetype> order;
    order.resize(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return positions[a].x() < positions[b].x(); });

    if (!font.IsEmbeddable()) {
        // Outlines only: such a face cannot be embedded.
        for (qsizetype i : order) {
            const QPainterPath outline = face.pathForGlyph(glyphs[i]).translated(origin + positions[i]);
            path(out, outline);
            if (!outline.isEmpty())
                out += "f\n";
        }
    } else {
        const QByteArray fontName = "/F" + QByteArray::number(index) + ' ';
        out += "BT " + fontName;
        num(out, size);
        out += "Tf\n";
        double penX = 0, lineY = 0;
        bool open = false;
        for (qsizetype i : order) {
            const QPointF at = origin + positions[i];
            if (!open || std::abs(at.y() - lineY) > 0.001) {
                if (open)
                    out += "] TJ\n";
                out += "1 0 0 -1 ";
                num(out, at.x());
                num(out, at.y());
                out += "Tm [";
                penX = at.x();
                lineY = at.y();
                open = true;
            } else {
                // Where the last glyph's width left the pen, against where this glyph stands.
                const long adjust = std::lround((penX - at.x()) * 1000 / size);
                if (adjust != 0) {
                    out += QByteArray::number(qlonglong(adjust));
                    penX -= adjust * size / 1000;
                }
            }
            glyphHex(out, glyphs[i]);
            penX += font.Width(glyphs[i]) * size / 1000;
        }
        out += "] TJ ET\n";
    }

    if (decorated && (run.underline() || run.strikeOut() || run.overline())) {
        const QPointF first = origin + positions[order.front()];
        const qsizetype lastIndex = order.back();
        const double right
            = (origin + positions[lastIndex]).x() + font.Width(glyphs[lastIndex]) * size / 1000;
        const double thickness = qMax(1.0, face.lineThickness());
        auto bar = [&](double y) {
            rect(out, QRectF(first.x(), y, right - first.x(), thickness));
            out += "f\n";
        };
        if (run.underline())
            bar(first.y() + face.underlinePosition());
        if (run.strikeOut())
            bar(first.y() - face.xHeight() / 2);
        if (run.overline())
            bar(first.y() - face.ascent());
    }
}

int TPdfWriter::imageFor(quint16 index, const TPageStore &resources)
{
    for (const auto &[known, id] : m_images)
        if (known == index)
            return id;
    const QImage image = resources.Image(index);
    if (image.isNull())
        return 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels;
    pixels.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    const QByteArray dimensions = "/Width " + QByteArray::number(rgb.width()) + " /Height "
                                  + QByteArray::number(rgb.height()) + " /BitsPerComponent 8 /Interpolate true";
    QByteArray mask;
    if (image.hasAlphaChannel()) {
        const QImage alpha = image.convertToFormat(QImage::Format_ARGB32);
        QByteArray levels;
        levels.reserve(qsizetype(alpha.width()) * alpha.height());
        for (int y = 0; y < alpha.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(alpha.constScanLine(y));
            for (int x = 0; x < alpha.width(); ++x)
                levels.append(char(qAlpha(line[x])));
        }
        const int maskId = m_file.Reserve();
        m_file.WriteStream(maskId, "/Type /XObject /Subtype /Image /ColorSpace /DeviceGray " + dimensions, levels, true);
        mask = " /SMask " + QByteArray::number(maskId) + " 0 R";
    }
    const int id = m_file.Reserve();
    m_file.WriteStream(id, "/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB " + dimensions + mask, pixels, true);
    m_images.emplace_back(index, id);
    return id;
}

void TPdfWriter::setFill(QRgb c)
{
    if ((c & 0xFFFFFF) == (m_fill & 0xFFFFFF))
        return;
    color(m_content, c, "rg");
    m_fill = c;
}

void TPdfWriter::setStroke(QRgb c)
{
    if ((c & 0xFFFFFF) == (m_stroke & 0xFFFFFF))
        return;
    color(m_content, c, "RG");
    m_stroke = c;
}

bool TPdfWriter::Finish()
{
    QByteArray fonts;
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const TPdfFont &font = *m_fonts[i];
        const QByteArray ref = QByteArray::number(m_fontIds[i]) + " 0 R";
        fonts += "/F" + QByteArray::number(qulonglong(i)) + ' ' + ref + ' ';
        const QByteArray name = '/' + font.BaseName(int(i));
        if (!font.IsEmbeddable()) {
            // Drawn as outlines: a name in the resources that no text uses.
            m_file.WriteObject(m_fontIds[i], "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
            continue;
        }
        const int file = m_file.Reserve(), descriptor = m_file.Reserve(), cid = m_file.Reserve(),
                  toUnicode = m_file.Reserve();
        m_file.WriteStream(file, QByteArray(), font.SubsetFile(), true);
        m_file.WriteObject(descriptor, "<< /Type /FontDescriptor /FontName " + name + ' ' + font.DescriptorEntries()
                                           + " /FontFile2 " + QByteArray::number(file) + " 0 R >>");
        m_file.WriteObject(cid, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name
                                    + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                                    + " /FontDescriptor " + QByteArray::number(descriptor) + " 0 R /CIDToGIDMap /Identity"
                                    + " /W " + font.WidthArray() + " >>");
        m_file.WriteStream(toUnicode, QByteArray(), font.ToUnicodeCMap(), true);
        m_file.WriteObject(m_fontIds[i], "<< /Type /Font /Subtype /Type0 /BaseFont " + name
                                             + " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(cid)
                                             + " 0 R] /ToUnicode " + QByteArray::number(toUnicode) + " 0 R >>");
    }
    QByteArray images;
    for (const auto &[index, id] : m_images)
        images += "/Im" + QByteArray::number(index) + ' ' + QByteArray::number(id) + " 0 R ";
    m_file.WriteObject(m_resources, "<< /ProcSet [/PDF /Text /ImageC] /Font << " + fonts + ">> /XObject << " + images
                                        + ">> >>");

    QByteArray kids;
    for (int id : m_pageIds)
        kids += QByteArray::number(id) + " 0 R ";
    m_file.WriteObject(m_pages, "<< /Type /Pages /Kids [" + kids + "] /Count "
                                    + QByteArray::number(qulonglong(m_pageIds.size())) + " >>");
    m_file.WriteObject(m_catalog, "<< /Type /Catalog /Pages " + QByteArray::number(m_pages) + " 0 R >>");
    const QByteArray now = pdfDate(QDateTime::currentDateTimeUtc());
    m_file.WriteObject(m_infoObject, "<< /Title " + TPdfFile::TextString(m_info.title) + " /Author "
                                         + TPdfFile::TextString(m_info.author) + " /Creator "
                                         + TPdfFile::TextString(QStringLiteral("tarvel-report")) + " /Producer "
                                         + TPdfFile::TextString(QStringLiteral("Tarvel report viewer"))
                                         + " /CreationDate " + now + " >>");
    return m_file.Finish(m_catalog, m_infoObject);
}
