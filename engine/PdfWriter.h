#pragma once
// Report pages written straight into a PDF file: the page primitives become PDF drawing
// operators, texts are placed glyph by glyph where the page view puts them (the same
// layout, see ShapedText.h), in embedded subsets of the fonts, with the characters of every
// glyph so the text can be searched and copied. Written page by page: memory stays flat
// however long the report.
#include "engine/Page.h"
#include "engine/PdfFile.h"
#include "engine/ShapedText.h"

#include <QImage>
#include <QRawFont>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class TPageStore;
class TPdfFont;

struct TPdfDocumentInfo {
    QString title;
    QString author;
};

class TPdfWriter
{
public:
    TPdfWriter(QIODevice *out, const TPdfDocumentInfo &info);
    ~TPdfWriter();

    void AddPage(const TPage &page, const TPageStore &resources);
    // Fonts, images, the page tree and the trailer; false when the file could not be written.
    bool Finish();

private:
    void text(const TPagePrimitive &item, const TPageStore &resources);
    QByteArray textOperators(const TShapedText &shaped, const QString &text, QSize size);
    void glyphRun(QByteArray &out, const QGlyphRun &run, bool decorated);
    void noteCharacters(const TShapedText &shaped, const QString &text);
    int fontFor(const QRawFont &face);
    int imageFor(quint16 index, const TPageStore &resources);
    void setFill(QRgb color);
    void setStroke(QRgb color);

    TPdfFile m_file;
    TPdfDocumentInfo m_info;
    int m_catalog, m_pages, m_resources, m_infoObject;
    std::vector<int> m_pageIds;
    std::vector<std::unique_ptr<TPdfFont>> m_fonts;
    std::vector<std::pair<QRawFont, int>> m_faces; // face -> index in m_fonts
    std::vector<int> m_fontIds;
    std::vector<std::pair<quint16, int>> m_images; // store image index -> object
    TShapedTextCache m_texts;
    QImage m_layoutDevice; // texts are laid out for an image, as the page view's are
    std::vector<QFont> m_layoutFonts; // the store's fonts for that device
    QByteArray m_content;  // the page being written
    QRgb m_fill = 0, m_stroke = 0;
};
