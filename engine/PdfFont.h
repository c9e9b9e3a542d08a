#pragma once
// A TrueType font face as a PDF writes it: the glyphs the pages used (the others emptied, so
// the file carries only what it shows), their widths, and the characters each glyph stands
// for, so that the text can be searched and copied.
#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <vector>

class TPdfFont
{
public:
    // A face without TrueType outlines (no "glyf" table) cannot be embedded: IsEmbeddable() is
    // false and its glyphs are drawn as outlines instead.
    explicit TPdfFont(const QRawFont &face);

    bool IsEmbeddable() const { return m_embeddable; }
    // Advance of a glyph in thousandths of the em, as the PDF width array gives it.
    int Width(quint32 glyph) const;
    void UseGlyph(quint32 glyph) { m_used.insert(glyph, m_used.value(glyph)); }
    // The character(s) a glyph stands for; the first one noted stays.
    void MapGlyph(quint32 glyph, const QString &text);

    // The subset font file: every table it needs, unused glyphs emptied.
    QByteArray SubsetFile() const;
    QByteArray ToUnicodeCMap() const;
    // "[g [w] g [w] ...]" of the used glyphs.
    QByteArray WidthArray() const;
    // The name in the PDF: a subset tag and the face's name in PDF name characters.
    QByteArray BaseName(int index) const;
    // FontBBox, Ascent, Descent and Flags of the font descriptor, in thousandths of the em.
    QByteArray DescriptorEntries() const;
    quint16 UnitsPerEm() const { return m_unitsPerEm; }

private:
    QRawFont m_face;
    bool m_embeddable = false;
    quint16 m_unitsPerEm = 1000;
    QByteArray m_hmtx;
    int m_metricsCount = 0;
    QHash<quint32, QString> m_used; // glyph -> characters, empty when none noted yet
};
