#include "graph/GraphChartPanel.h"

#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "graph/ChartPainter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

TChartPanel::TChartPanel(const TChartModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    setLayoutDirection(Qt::LeftToRight); // a chart reads left to right whatever the window does
    setMinimumSize(300, 200);
}

void TChartPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    PaintChart(m_model, p, QRectF(rect()));
    for (const TCallOut &c : m_callOuts)
        PaintCallOut(p, c, m_callOutAt, font());
}

void TChartPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_callOutsAt)
        return;
    const QPoint at = event->position().toPoint();
    ShowCallOuts(m_callOutsAt(QRectF(rect()), QPointF(at)), at);
}

void TChartPanel::mousePressEvent(QMouseEvent *event)
{
    if (!m_callOuts.empty() && event->button() == Qt::LeftButton) {
        m_callOuts.clear();
        update();
    }
    QWidget::mousePressEvent(event);
}

void TChartPanel::ShowCallOuts(const std::vector<TCallOut> &callOuts, const QPoint &at)
{
    m_callOuts = callOuts;
    m_callOutAt = at;
    update();
}

QImage TChartPanel::Picture() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    TChartModel white = m_model;
    white.color = Qt::white;
    QPainter p(&image);
    PaintChart(white, p, QRectF(QPointF(0, 0), QSizeF(size())));
    return image;
}

void TChartPanel::CopyPicture() const
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(Picture());
}

QRect GraphPrintRect(const QRect &page, const QSize &chart, bool landscape)
{
    const double factor = landscape ? 0.85 : 0.90;
    const double cw = std::max(1, chart.width()), ch = std::max(1, chart.height());
    int w, h;
    if (page.width() > page.height()) {
        h = int(std::lround(page.height() * factor));
        w = int(std::lround(h * cw / ch));
    } else {
        w = int(std::lround(page.width() * factor));
        h = int(std::lround(w * ch / cw));
    }
    // A chart of other proportions than the page would run off it the long way: shrink it.
    if (w > page.width()) {
        h = int(std::lround(h * double(page.width()) * factor / w));
        w = int(std::lround(page.width() * factor));
    }
    if (h > page.height()) {
        w = int(std::lround(w * double(page.height()) * factor / h));
        h = int(std::lround(page.height() * factor));
    }
    return QRect(page.left() + (page.width() - w) / 2, page.top() + (page.height() - h) / 2, w, h);
}

bool TChartPanel::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("crtGraph"));
    QPrintDialog dialog(&printer, window());
    // Printing to a file is offered only where there is no printer at all.
    if (!QPrinterInfo::availablePrinters().isEmpty())
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = PrintTo(printer);
    QApplication::restoreOverrideCursor();
    update();
    if (!ok)
        ErrorOk(DisplayText(5336));
    return ok;
}

bool TChartPanel::PrintTo(QPrinter &printer) const
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = GraphPrintRect(QRect(QPoint(0, 0), page.size()), size(),
                                        printer.pageLayout().orientation() == QPageLayout::Landscape);
    p.translate(target.topLeft());
    p.scale(double(target.width()) / width(), double(target.height()) / height());
    PaintChart(m_model, p, QRectF(QPointF(0, 0), QSizeF(size())));
    return p.end();
}

void PaintCallOut(QPainter &p, const TCallOut &callOut, const QPoint &at, const QFont &font)
{
    if (callOut.lines.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(font);
    const QFontMetrics fm(font);
    int width = 0;
    for (const QString &line : callOut.lines)
        width = std::max(width, fm.horizontalAdvance(line));
    const QSize size(width + 20, fm.height() * int(callOut.lines.size()) + 10);
    const QRect box(at.x() + 20, at.y() - 20 - size.height(), size.width(), size.height());
    QPainterPath shape;
    shape.addRoundedRect(box, 7.5, 7.5);
    QPolygonF pointer({QPointF(at), QPointF(box.left() + 8, box.bottom()), QPointF(box.left() + 22, box.bottom())});
    QPainterPath pointerPath;
    pointerPath.addPolygon(pointer);
    pointerPath.closeSubpath();
    const QPainterPath whole = shape.united(pointerPath);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(whole.translated(2, 2));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(whole);
    p.setPen(Qt::black);
    for (int i = 0; i < callOut.lines.size(); ++i)
        DrawChartText(p, QRect(box.left(), box.top() + 5 + i * fm.height(), box.width(), fm.height()), Qt::AlignCenter,
                   callOut.lines[i]);
    p.restore();
}
