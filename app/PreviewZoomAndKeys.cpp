#include "app/PreviewWindow.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/PreviewState.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QWheelEvent>

// Zoom list, typed pages, automatic scrolling and the keys of the preview window.

namespace {

constexpr int kScrollStep = 10;
constexpr int kScrollInterval = 200;
constexpr int kEdgePauseInterval = 600;

// Ctrl+wheel goes through these zooms.
constexpr int kZoomSteps[] = {10, 25, 50, 75, 100, 125, 150, 200, 250, 300};

bool ctrlAlone(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return mods == Qt::ControlModifier;
}

} // namespace

// ---- zoom ----

void TfrmReportPreview::applyStoredZoom()
{
    const bool landscape = Store() && Store()->Orientation() == TPageOrientation::Landscape;
    const int stored = landscape ? m_landscapeZoom : m_portraitZoom;
    int index;
    if (stored < TPageView::kMinZoom || stored > TPageView::kMaxZoom) {
        qrPreview->ZoomToWidth();
        index = kZoomPageWidth;
    } else {
        qrPreview->SetZoom(stored);
        index = stored == 200 ? kZoom200 : stored == 150 ? kZoom150 : stored == 100 ? kZoom100 : kZoomCurrent;
    }
    m_state->SetZoomMode(index);
    refreshZoomList();
}

void TfrmReportPreview::removeCurrentZoomEntry()
{
    if (cmbZoom->count() <= kZoomCurrent)
        return;
    const QString text = cmbZoom->currentText();
    const QSignalBlocker block(cmbZoom);
    cmbZoom->removeItem(kZoomCurrent);
    cmbZoom->setCurrentIndex(-1);
    cmbZoom->setEditText(text);
}

// The box shows the zoom in effect as a sixth entry.
void TfrmReportPreview::refreshZoomList()
{
    const QSignalBlocker block(cmbZoom);
    while (cmbZoom->count() > kZoomCurrent)
        cmbZoom->removeItem(cmbZoom->count() - 1);
    cmbZoom->addItem(QString::number(qrPreview->Zoom()) + QLatin1Char('%'));
    cmbZoom->setCurrentIndex(kZoomCurrent);
}

// Arrow keys in the zoom box only move the selection; nothing is applied until a click or Enter.
void TfrmReportPreview::moveZoomSelection(int step)
{
    const int current = cmbZoom->currentIndex();
    const int next = current < 0 ? (step < 0 ? cmbZoom->count() - 1 : 0) : current + step;
    if (next < 0 || next >= cmbZoom->count())
        return;
    m_arrowInZoom = true;
    {
        const QSignalBlocker block(cmbZoom);
        cmbZoom->setCurrentIndex(next);
    }
    m_arrowInZoom = false;
}

void TfrmReportPreview::leaveZoomBox()
{
    if (cmbZoom->hasFocus() || cmbZoom->isAncestorOf(QApplication::focusWidget()))
        qrPreview->setFocus();
}

void TfrmReportPreview::ZoomListClick(int index)
{
    if (m_arrowInZoom) {
        m_arrowInZoom = false;
        return;
    }
    switch (index) {
    case kZoom200: qrPreview->SetZoom(200); break;
    case kZoom150: qrPreview->SetZoom(150); break;
    case kZoom100: qrPreview->SetZoom(100); break;
    case kZoomWholePage: qrPreview->ZoomToFit(); break;
    case kZoomPageWidth: qrPreview->ZoomToWidth(); break;
    default: break;
    }
    m_state->SetZoomMode(index);
    refreshZoomList();
    leaveZoomBox();
}

void TfrmReportPreview::ZoomEnter()
{
    // The box shows what was entered, not the list refreshed under it.
    m_zoomBoxFollows = false;
    const auto follow = qScopeGuard([this] { m_zoomBoxFollows = true; });
    const QString text = cmbZoom->currentText().trimmed();
    const int index = cmbZoom->currentIndex();
    if (index >= kZoom200 && index <= kZoomPageWidth && text == cmbZoom->itemText(index)) {
        removeCurrentZoomEntry();
        switch (index) {
        case kZoom200: qrPreview->SetZoom(200); break;
        case kZoom150: qrPreview->SetZoom(150); break;
        case kZoom100: qrPreview->SetZoom(100); break;
        case kZoomWholePage: qrPreview->ZoomToFit(); break;
        default: qrPreview->ZoomToWidth(); break;
        }
        m_state->SetZoomMode(index);
        if (index == kZoomWholePage || index == kZoomPageWidth)
            refreshZoomList();
        else {
            const QSignalBlocker block(cmbZoom);
            cmbZoom->setCurrentIndex(index);
        }
    } else {
        QString number = text;
        if (number.endsWith(QLatin1Char('%')))
            number.chop(1);
        bool ok = false;
        int value = number.trimmed().toInt(&ok);
        if (!ok)
            value = -1;
        if (value >= TPageView::kMinZoom && value <= TPageView::kMaxZoom) {
            qrPreview->ZoomToFit();
            qrPreview->SetZoom(value);
            // A typed zoom is what is remembered, whatever was chosen before.
            m_state->SetZoomMode(kZoomCurrent);
            cmbZoom->setEditText(number.trimmed() + QLatin1Char('%'));
        } else {
            WarnOk(DisplayFormat(76, {QString::number(TPageView::kMinZoom), QString::number(TPageView::kMaxZoom)}));
            cmbZoom->setEditText(QString::number(qrPreview->Zoom()) + QLatin1Char('%'));
        }
    }
    leaveZoomBox();
}

// One step of Ctrl+wheel: the next zoom of the ladder up or down from the zoom in effect.
void TfrmReportPreview::ZoomStep(bool in)
{
    const int zoom = qrPreview->Zoom();
    int next = zoom;
    if (in) {
        for (int step : kZoomSteps)
            if (step > zoom) {
                next = step;
                break;
            }
    } else {
        for (int step : kZoomSteps)
            if (step < zoom)
                next = step;
    }
    if (next == zoom)
        return;
    qrPreview->SetZoom(next);
    m_state->SetZoomMode(kZoomCurrent);
}

void TfrmReportPreview::ZoomTo100()
{
    qrPreview->SetZoom(100);
    m_state->SetZoomMode(kZoom100);
    refreshZoomList();
}

// ---- go to a typed page ----

void TfrmReportPreview::ShowGoToPage()
{
    if (edtGoToPage->isVisible())
        return;
    edtGoToPage->clear();
    pnlPage->hide();
    edtGoToPage->show();
    edtGoToPage->setFocus();
}

void TfrmReportPreview::goToTypedPage()
{
    const QString text = edtGoToPage->text().trimmed();
    edtGoToPage->hide();
    pnlPage->show();
    qrPreview->setFocus();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok)
        GoToPage(n);
}

// ---- automatic scrolling ----

void TfrmReportPreview::StartScrolling(bool upward)
{
    if (qrPreview->PageNumber() == 0)
        return;
    ScrollUpward = upward;
    m_edgePause = false;
    ScrollTimer.setInterval(kScrollInterval);
    ScrollTimer.start();
}

void TfrmReportPreview::StopScrolling()
{
    ScrollTimer.stop();
    m_edgePause = false;
    ScrollTimer.setInterval(kScrollInterval);
}

void TfrmReportPreview::ScrollTick()
{
    const int page = qrPreview->PageNumber();
    const int count = qrPreview->PageCount();
    if (m_edgePause) {
        // The pause at the edge is over: turn the page, or stop at the edge of the report.
        m_edgePause = false;
        ScrollTimer.setInterval(kScrollInterval);
        if (ScrollUpward && page > 1) {
            GoToPage(page - 1);
            qrPreview->ScrollTo(qrPreview->ScrollMaximum());
        } else if (!ScrollUpward && page < count) {
            GoToPage(page + 1);
            qrPreview->ScrollTo(0);
        } else {
            StopScrolling();
        }
        return;
    }
    qrPreview->ScrollBy(ScrollUpward ? -kScrollStep : kScrollStep);
    const bool atEdge = ScrollUpward ? qrPreview->ScrollPosition() <= 0
                                     : qrPreview->ScrollPosition() >= qrPreview->ScrollMaximum();
    if (atEdge) {
        m_edgePause = true;
        ScrollTimer.setInterval(kEdgePauseInterval);
    }
}

// ---- keys ----

bool TfrmReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlPage && event->type() == QEvent::MouseButtonDblClick) {
        ShowGoToPage();
        return true;
    }
    if (watched == qrPreview && event->type() == QEvent::Resize && m_pageShown) {
        // A fitting zoom follows the window's size.
        if (m_state->ZoomMode() == kZoomWholePage || m_state->ZoomMode() == kZoomPageWidth) {
            QMetaObject::invokeMethod(this, [this] {
                if (m_state->ZoomMode() == kZoomWholePage)
                    qrPreview->ZoomToFit();
                else if (m_state->ZoomMode() == kZoomPageWidth)
                    qrPreview->ZoomToWidth();
                else
                    return;
                if (cmbZoom->count() > kZoomCurrent && cmbZoom->currentIndex() == kZoomCurrent)
                    refreshZoomList();
            }, Qt::QueuedConnection);
        }
        return false;
    }
    if (event->type() == QEvent::Wheel && watched == qrPreview->viewport() && m_pageShown) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if ((wheel->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) == Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                ZoomStep(delta > 0);
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    return handleKey(static_cast<QKeyEvent *>(event));
}

bool TfrmReportPreview::handleKey(QKeyEvent *event)
{
    const bool ctrl = ctrlAlone(event);
    QWidget *focus = QApplication::focusWidget();
    const bool inZoom = focus && (focus == cmbZoom || cmbZoom->isAncestorOf(focus));
    const bool inPageEdit = edtGoToPage->isVisible() && focus == edtGoToPage;
    const bool inFind = m_findBar->isVisible() && m_findBar->IsTextBox(focus);
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_F4:
        ThumbnailsClick();
        return true;
    case Qt::Key_F3:
        if (shift)
            m_findBar->FindPrevious();
        else
            m_findBar->FindNext();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inFind) {
            if (shift)
                m_findBar->FindPrevious();
            else
                m_findBar->FindNext();
            return true;
        }
        if (inPageEdit) {
            goToTypedPage();
            return true;
        }
        if (inZoom) {
            ZoomEnter();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (edtGoToPage->isVisible()) {
            edtGoToPage->hide();
            pnlPage->show();
            qrPreview->setFocus();
        } else if (m_findBar->isVisible()) {
            m_findBar->Close();
            qrPreview->setFocus();
        } else {
            close();
        }
        return true;
    case Qt::Key_PageUp:
        if (ctrl) {
            if (btnPageUp->isEnabled())
                PageUpClick();
        } else {
            qrPreview->ScrollBy(-qMax(kScrollStep, qrPreview->VisibleHeight() - pageViewTop()));
        }
        return true;
    case Qt::Key_PageDown:
        if (ctrl) {
            if (btnPageDown->isEnabled())
                PageDownClick();
        } else {
            qrPreview->ScrollBy(qMax(kScrollStep, qrPreview->VisibleHeight() - pageViewTop()));
        }
        return true;
    case Qt::Key_Home:
        if (inPageEdit || inFind || (inZoom && !ctrl))
            return false;
        if (ctrl) {
            if (btnFirstPage->isEnabled())
                FirstPageClick();
        } else {
            qrPreview->ScrollTo(0);
        }
        return true;
    case Qt::Key_End:
        if (inPageEdit || inFind || (inZoom && !ctrl))
            return false;
        if (ctrl) {
            if (btnLastPage->isEnabled())
                LastPageClick();
        } else {
            qrPreview->ScrollTo(qrPreview->ScrollMaximum());
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (inPageEdit || inZoom || inFind)
            return false;
        qrPreview->ScrollSideways(event->key() == Qt::Key_Left ? -kScrollStep : kScrollStep);
        return true;
    case Qt::Key_Up:
        if (inZoom) {
            if (cmbZoom->count() > kZoomCurrent)
                removeCurrentZoomEntry();
            moveZoomSelection(-1);
            return true;
        }
        qrPreview->ScrollBy(-kScrollStep);
        return true;
    case Qt::Key_Down:
        if (inZoom) {
            moveZoomSelection(1);
            return true;
        }
        qrPreview->ScrollBy(kScrollStep);
        return true;
    default:
        break;
    }
    if (!ctrl)
        return false;
    switch (event->key()) {
    case Qt::Key_F: FindClick(); return true;
    case Qt::Key_0: ZoomTo100(); return true;
    case Qt::Key_G: ShowGoToPage(); return true;
    case Qt::Key_O: if (btnOpen->isEnabled()) OpenClick(); return true;
    case Qt::Key_P: if (btnPrint->isEnabled()) PrintClick(); return true;
    case Qt::Key_R: if (btnGraph->isEnabled()) GraphClick(); return true;
    case Qt::Key_S: if (btnSave->isEnabled()) SaveClick(); return true;
    default: return false;
    }
}

