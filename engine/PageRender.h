#pragma once
// Pages of a store drawn onto images and PDF files exactly as the page view draws them.
#include <QImage>
#include <QString>
#include <functional>

class QIODevice;
class TPageStore;

// No page image has more pixels than this (an A4 page at 1200 dpi has about 140 million).
inline constexpr qint64 kMaxPageImagePixels = 150'000'000;

// Page i at the given resolution (96 = page pixels), white background; a null image when it
// would have more than kMaxPageImagePixels.
QImage RenderPageImage(const TPageStore &store, int index, int dpi);
// Told after each page written: pages done and the page count; returns false to stop.
using TPdfPageCallback = std::function<bool(int done, int total)>;

// Every page into a PDF file of the pages' paper size, titled with the store's title, by the
// given author; false when it cannot be written or was stopped.
bool RenderPagesToPdf(const TPageStore &store, const QString &fileName, const QString &author = QString());
// The same PDF written into an open device.
bool RenderPagesToPdf(const TPageStore &store, QIODevice *device, const QString &author = QString(),
                      const TPdfPageCallback &pageDone = {});
// Whether the pages' fonts can go into the PDF as they are (TrueType outlines). Otherwise the
// PDF is made by Qt's PDF engine, slower but with the same searchable text.
bool PdfCanEmbedFonts(const TPageStore &store);
