#include "engine/PdfFont.h"

#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <map>

namespace {

quint16 u16(const QByteArray &table, int at)
{
    return at >= 0 && at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
}

qint16 s16(const QByteArray &table, int at) { return qint16(u16(table, at)); }

quint32 u32(const QByteArray &table, int at)
{
    return at >= 0 && at + 4 <= table.size() ? qFromBigEndian<quint32>(table.constData() + at) : 0;
}

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v >> 8));
    out.append(char(v & 0xFF));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v >> 16));
    put16(out, quint16(v & 0xFFFF));
}

void hex4(QByteArray &out, quint32 v)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(digits[(v >> shift) & 0xF]);
}

quint32 checksum(const QByteArray &table)
{
    quint32 sum = 0;
    const int words = (int(table.size()) + 3) / 4;
    for (int i = 0; i < words; ++i) {
        quint32 word = 0;
        for (int b = 0; b < 4; ++b) {
            const int at = i * 4 + b;
            word = (word << 8) | (at < table.size() ? quint8(table[at]) : 0);
        }
        sum += word;
    }
    return sum;
}

// Where glyph g's outline lies in "glyf"; an empty range for a glyph without one or a table
// that does not hold it.
std::pair<quint32, quint32> glyphRange(const QByteArray &loca, bool longOffsets, int glyphCount, quint32 glyph,
                                       int glyfSize)
{
    if (glyph >= quint32(glyphCount))
        return {0, 0};
    quint32 from, to;
    if (longOffsets) {
        from = u32(loca, int(glyph) * 4);
        to = u32(loca, int(glyph) * 4 + 4);
    } else {
        from = quint32(u16(loca, int(glyph) * 2)) * 2;
        to = quint32(u16(loca, int(glyph) * 2 + 2)) * 2;
    }
    if (from > to || to > quint32(glyfSize))
        return {0, 0};
    return {from, to};
}

// The glyphs a composite glyph is made of.
void addComponents(const QByteArray &glyph, std::vector<quint32> &todo)
{
    if (glyph.size() < 10 || s16(glyph, 0) >= 0)
        return;
    int at = 10;
    for (int guard = 0; guard < 256 && at + 4 <= glyph.size(); ++guard) {
        const quint16 flags = u16(glyph, at);
        todo.push_back(u16(glyph, at + 2));
        at += 4 + ((flags & 0x0001) ? 4 : 2);
        if (flags & 0x0008)
            at += 2;
        else if (flags & 0x0040)
            at += 4;
        else if (flags & 0x0080)
            at += 8;
        if (!(flags & 0x0020))
            break;
    }
}

QByteArray nameCharacters(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-')
            out.append(char(c.unicode()));
    return out.isEmpty() ? QByteArray("Font") : out;
}

} // namespace

TPdfFont::TPdfFont(const QRawFont &face)
    : m_face(face)
{
    const QByteArray head = m_face.fontTable("head");
    const QByteArray hhea = m_face.fontTable("hhea");
    m_hmtx = m_face.fontTable("hmtx");
    m_unitsPerEm = qBound<quint16>(16, u16(head, 18), 16384);
    m_metricsCount = qMin<int>(u16(hhea, 34), int(m_hmtx.size() / 4));
    m_embeddable = head.size() >= 54 && m_metricsCount > 0 && !m_face.fontTable("glyf").isEmpty()
                   && !m_face.fontTable("loca").isEmpty() && m_face.fontTable("maxp").size() >= 6;
}

int TPdfFont::Width(quint32 glyph) const
{
    if (m_metricsCount <= 0)
        return 0;
    const int index = glyph < quint32(m_metricsCount) ? int(glyph) : m_metricsCount - 1;
    return int(qint64(u16(m_hmtx, index * 4)) * 1000 / m_unitsPerEm);
}

void TPdfFont::MapGlyph(quint32 glyph, const QString &text)
{
    auto it = m_used.find(glyph);
    if (it == m_used.end())
        m_used.insert(glyph, text);
    else if (it->isEmpty())
        *it = text;
}

QByteArray TPdfFont::SubsetFile() const
{
    const QByteArray head = m_face.fontTable("head");
    const QByteArray loca = m_face.fontTable("loca");
    const QByteArray glyf = m_face.fontTable("glyf");
    QByteArray maxp = m_face.fontTable("maxp");
    const bool longOffsets = s16(head, 50) == 1;
    const int glyphCount = u16(maxp, 4);

    // The used glyphs, the glyphs they are composed of, and glyph 0 (the missing glyph).
    QSet<quint32> keep;
    std::vector<quint32> todo{0};
    for (auto it = m_used.constBegin(); it != m_used.constEnd(); ++it)
        todo.push_back(it.key());
    while (!todo.empty()) {
        const quint32 g = todo.back();
        todo.pop_back();
        if (g >= quint32(glyphCount) || keep.contains(g))
            continue;
        keep.insert(g);
        const auto [from, to] = glyphRange(loca, longOffsets, glyphCount, g, int(glyf.size()));
        addComponents(glyf.mid(from, to - from), todo);
    }

    QByteArray newGlyf;
    QByteArray newLoca;
    for (int g = 0; g < glyphCount; ++g) {
        put32(newLoca, quint32(newGlyf.size()));
        if (!keep.contains(quint32(g)))
            continue;
        const auto [from, to] = glyphRange(loca, longOffsets, glyphCount, quint32(g), int(glyf.size()));
        newGlyf.append(glyf.constData() + from, to - from);
        while (newGlyf.size() % 4)
            newGlyf.append('\0');
    }
    put32(newLoca, quint32(newGlyf.size()));

    QByteArray newHead = head;
    newHead[8] = newHead[9] = newHead[10] = newHead[11] = 0; // checkSumAdjustment, not needed in a PDF
    newHead[50] = 0;
    newHead[51] = 1; // long loca offsets

    std::map<QByteArray, QByteArray> tables; // sorted by tag, as the directory must be
    for (const char *tag : {"cmap", "cvt ", "fpgm", "hhea", "hmtx", "name", "OS/2", "post", "prep"}) {
        const QByteArray table = m_face.fontTable(tag);
        if (!table.isEmpty())
            tables[QByteArray(tag)] = table;
    }
    tables["glyf"] = newGlyf;
    tables["head"] = newHead;
    tables["loca"] = newLoca;
    tables["maxp"] = maxp;

    QByteArray out;
    const quint16 count = quint16(tables.size());
    quint16 power = 1, log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, quint16(power * 16));
    put16(out, log);
    put16(out, quint16(count * 16 - power * 16));
    quint32 offset = 12 + 16u * count;
    for (const auto &[tag, table] : tables) {
        out.append(tag);
        put32(out, checksum(table));
        put32(out, offset);
        put32(out, quint32(table.size()));
        offset += (quint32(table.size()) + 3) & ~3u;
    }
    for (const auto &[tag, table] : tables) {
        out.append(table);
        while (out.size() % 4)
            out.append('\0');
    }
    return out;
}

QByteArray TPdfFont::ToUnicodeCMap() const
{
    std::vector<std::pair<quint32, QString>> mapped;
    for (auto it = m_used.constBegin(); it != m_used.constEnd(); ++it)
        if (!it->isEmpty() && it.key() <= 0xFFFF)
            mapped.emplace_back(it.key(), *it);
    std::sort(mapped.begin(), mapped.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QByteArray out = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (size_t start = 0; start < mapped.size(); start += 100) {
        const size_t end = qMin(mapped.size(), start + 100);
        out += QByteArray::number(qulonglong(end - start)) + " beginbfchar\n";
        for (size_t i = start; i < end; ++i) {
            out += '<';
            hex4(out, mapped[i].first);
            out += "> <";
            for (QChar c : mapped[i].second)
                hex4(out, c.unicode());
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

QByteArray TPdfFont::WidthArray() const
{
    std::vector<quint32> glyphs;
    glyphs.reserve(size_t(m_used.size()));
    for (auto it = m_used.constBegin(); it != m_used.constEnd(); ++it)
        glyphs.push_back(it.key());
    std::sort(glyphs.begin(), glyphs.end());
    QByteArray out = "[";
    for (quint32 g : glyphs)
        out += QByteArray::number(g) + " [" + QByteArray::number(Width(g)) + "] ";
    out += ']';
    return out;
}

QByteArray TPdfFont::BaseName(int index) const
{
    // Six capital letters name a subset; they differ per font of the file.
    QByteArray tag = "TVAAAA";
    for (int i = 5, n = index; i >= 2 && n > 0; --i, n /= 26)
        tag[i] = char('A' + n % 26);
    return tag + '+' + nameCharacters(m_face.familyName()) + '-' + nameCharacters(m_face.styleName());
}

QByteArray TPdfFont::DescriptorEntries() const
{
    const QByteArray head = m_face.fontTable("head");
    const QByteArray hhea = m_face.fontTable("hhea");
    auto scaled = [this](int v) { return QByteArray::number(qint64(v) * 1000 / m_unitsPerEm); };
    const bool italic = m_face.style() != QFont::StyleNormal;
    // Flags: nonsymbolic (32) would claim the standard Latin character set; a subset of
    // any script is symbolic (4).
    return "/Flags " + QByteArray::number(4 + (italic ? 64 : 0)) + " /FontBBox [" + scaled(s16(head, 36)) + ' '
           + scaled(s16(head, 38)) + ' ' + scaled(s16(head, 40)) + ' ' + scaled(s16(head, 42)) + "] /ItalicAngle "
           + (italic ? "-12" : "0") + " /Ascent " + scaled(s16(hhea, 4)) + " /Descent " + scaled(s16(hhea, 6))
           + " /CapHeight " + scaled(s16(hhea, 4)) + " /StemV 80";
}
