#pragma once
// A finished report page: a list of simple drawing primitives in page pixels (96 dpi, zoom
// 100). One function paints a page onto any QPainter, so the page view, the printer, PDF and
// PNG output never differ.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

enum class TPageOrientation : quint8 { Portrait, Landscape };

enum class TPrimitiveKind : quint8 { Text, Line, Rect, Image };

struct TPagePrimitive {
    TPrimitiveKind kind = TPrimitiveKind::Text;
    QRect rect;              // where it lies on the page; a line runs along its top edge
    QString text;            // Text
    quint16 font = 0;        // Text: index into the store's fonts
    quint16 image = 0;       // Image: index into the store's images
    quint32 flags = 0;       // Text: Qt::AlignmentFlag | Qt::TextWordWrap ...; AlignAbsolute is implied
    bool rightToLeft = false;// Text: reading direction
    QRgb color = 0xFF000000; // Text colour, pen of Line and Rect
    QRgb fill = 0;           // Rect: brush colour when hasFill
    bool hasFill = false;    // Rect
    bool hasPen = true;      // Rect: the outline is drawn
    quint8 penWidth = 1;     // Line, Rect
};

struct TPage {
    QSize size;              // pixels at 96 dpi
    std::vector<TPagePrimitive> items;
};
