#pragma once
// The pages of one report, as they are generated. The preview shows pages while the rest
// are still being made (PageAdded), the printer and the page-file writer read them back.
// Fonts and images are shared by all pages and referred to by index.
#include "engine/Page.h"

#include <QFont>
#include <QObject>
#include <QPainter>
#include <functional>
#include <memory>

class TShapedTextCache;

class TPageStore : public QObject
{
    Q_OBJECT
public:
    explicit TPageStore(QObject *parent = nullptr);
    ~TPageStore() override;

    // Index of a font or image, added when new.
    quint16 AddFont(const QFont &font);
    quint16 AddImage(const QImage &image);
    QFont Font(quint16 index) const;
    QImage Image(quint16 index) const;
    int FontCount() const;
    int ImageCount() const;

    // Appends a finished page and tells the views.
    void AddPage(const TPage &page);
    // Pages available so far.
    int PageCount() const;
    // Page i (0-based) as stored; an empty page when out of range.
    TPage Page(int index) const;
    // The same, for a reader on another thread going through many pages (a search): decoded
    // outside the lock and not kept among the recently read pages.
    // When wanted is given it sees the page's stored bytes first, and a page it refuses is not
    // decoded (an empty page comes back).
    TPage PageForScan(int index, const std::function<bool(QByteArrayView bytes)> &wanted = {}) const;
    // All pages are there: generation has ended.
    bool IsFinished() const;
    void SetFinished();
    void Clear();

    // The folder of the spill file; the system's temporary folder unless one is given.
    void SetTemporaryFolder(const QString &folder);

    // The report's name (documents and print jobs are called by it) and how its pages lie.
    const QString &Title() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    TPageOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPageOrientation orientation) { m_orientation = orientation; }

    // Paints page i with its top left corner at the painter's origin, in page pixels; the
    // caller scales the painter for zoom and device resolution. Texts are laid out once per
    // cache (see ShapedText.h); without one, each time.
    void PaintPage(int index, QPainter &painter, TShapedTextCache *texts = nullptr) const;
    QSize PageSize(int index) const;

signals:
    void PageAdded(int pageCount);
    void Finished();
    // The pages are about to go (the store is cleared or destroyed): readers on other threads
    // must stop now. Sent on the store's thread.
    void PagesDiscarded();

private:
    QByteArray pageBytes(int index) const;

    QString m_title;
    TPageOrientation m_orientation = TPageOrientation::Portrait;

    struct Impl;
    std::unique_ptr<Impl> d;
};

// Draws one page's primitives. Shared by the store and the tests.
void PaintPrimitives(const TPage &page, const TPageStore &resources, QPainter &painter,
                     TShapedTextCache *texts = nullptr);
