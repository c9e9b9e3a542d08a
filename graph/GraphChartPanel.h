#pragma once
// The chart area of both graph windows: draws the view's chart model, shows call-outs on a
// double click, copies the chart as a picture and prints it.
#include "graph/ChartModel.h"
#include "graph/GraphView.h"

#include <QWidget>
#include <functional>

class QPrinter;

class TChartPanel : public QWidget
{
    Q_OBJECT
public:
    TChartPanel(const TChartModel &model, QWidget *parent);

    // Call-outs for a double click at a point of the panel.
    using TCallOutsAt = std::function<std::vector<TCallOut>(const QRectF &bounds, const QPointF &pos)>;
    void SetCallOuts(TCallOutsAt callOutsAt) { m_callOutsAt = std::move(callOutsAt); }
    void ShowCallOuts(const std::vector<TCallOut> &callOuts, const QPoint &at);
    bool CallOutShown() const { return !m_callOuts.empty(); }

    // The chart as a picture with a white background.
    QImage Picture() const;
    void CopyPicture() const;
    // The print dialog, then the chart centred on the page; false when nothing was printed.
    bool Print();
    // The chart on one page of the printer, in the rectangle of GraphPrintRect.
    bool PrintTo(QPrinter &printer) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const TChartModel &m_model;
    TCallOutsAt m_callOutsAt;
    std::vector<TCallOut> m_callOuts;
    QPoint m_callOutAt;
};

// Draws a call-out: a white box with round corners and a shadow, 20 pixels right of and
// above the mouse point, joined to it by a pointer, holding centred lines.
void PaintCallOut(QPainter &painter, const TCallOut &callOut, const QPoint &at, const QFont &font);
// The rectangle the chart is printed into: 85 % (landscape) or 90 % (portrait) of the page's
// shorter way, the chart's proportions kept, centred.
QRect GraphPrintRect(const QRect &page, const QSize &chart, bool landscape);
