#pragma once
// Pages of a store drawn onto images and PDF files exactly as the page view draws them.
#include <QImage>
#include <QString>

#include <functional>

class QIODevice;
class TPageStore;

// Page i at the given resolution (96 = page pixels), white background.
QImage RenderPageImage(const TPageStore &store, int index, int dpi);
// Every page into a PDF file of the pages' paper size; false when it cannot be written.
bool RenderPagesToPdf(const TPageStore &store, const QString &fileName);
// The same PDF written into an open device.
// pageDone, when given, is told after each page: pages done and the page count.
bool RenderPagesToPdf(const TPageStore &store, QIODevice *device,
                      const std::function<void(int done, int total)> &pageDone = {});
