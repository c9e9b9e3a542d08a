#pragma once
// The thumbnail panel of the preview: small pictures of the pages in a column, the page shown
// marked. Only the thumbnails in view are drawn, a few at a time between other events, from the
// same page painting as the view, and kept in a small cache.
#include "app/ThumbnailCache.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <vector>

class TPageStore;
class TPreviewState;

class TThumbnailPanel : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kThumbWidth = 120;

    explicit TThumbnailPanel(TPreviewState *state, QWidget *parent = nullptr);

    void SetStore(TPageStore *store);
    // 1-based page at a point of the viewport; 0 where there is none.
    int PageAt(const QPoint &point) const;
    // Pages whose thumbnails are (at least partly) in view: first and last, 1-based.
    std::pair<int, int> VisiblePages() const;
    const TThumbnailCache &Cache() const { return m_cache; }
    // Pictures drawn since the store was set (for tests of what is drawn).
    int Drawn() const { return m_drawn; }
    // Draws every thumbnail in view now instead of between events.
    void DrawVisibleNow();

signals:
    void PageClicked(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    QSize sizeHint() const override;

private:
    QSize thumbSize() const;
    int cellHeight() const;
    QRect cellRect(int page) const;
    void updateScrollBars();
    void drawPending();
    void followPage();
    QImage render(int page) const;

    TPreviewState *m_state;
    QPointer<TPageStore> m_store;
    TThumbnailCache m_cache;
    QTimer m_drawTimer;
    int m_drawn = 0;
};
