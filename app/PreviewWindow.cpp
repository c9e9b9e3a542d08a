#include "app/PreviewWindow.h"

#include "app/PageView.h"
#include "app/PreviewIcons.h"
#include "app/PrintJob.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/AppState.h"
#include "foundation/FontTranslation.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>

namespace {

const QString kPageInfo = QStringLiteral("PageInfo");
constexpr int kScrollStep = 10;
constexpr int kScrollInterval = 200;
constexpr int kEdgePauseInterval = 600;
// Pending events are processed at most this often during generation.
constexpr qint64 kEventsInterval = 30;

bool ctrlAlone(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return mods == Qt::ControlModifier;
}

} // namespace

QString &LastSaveDirectory()
{
    static QString directory;
    return directory;
}

// The zoom box: tells the window before its list drops down.
class TZoomBox : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> BeforeDropDown;
    void showPopup() override
    {
        if (BeforeDropDown)
            BeforeDropDown();
        QComboBox::showPopup();
    }
};

bool TfrmReportPreview::ScrollUpward = false;

TfrmReportPreview::TfrmReportPreview(const QString &reportFileName, const QIcon &icon, QWidget *parent)
    : QMainWindow(parent)
    , ReportFileName(reportFileName)
{
    setObjectName(QStringLiteral("frmReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setLayoutDirection(Qt::RightToLeft);
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint
                   | (AdminMode ? Qt::WindowMinimizeButtonHint : Qt::WindowType(0)));

    qrPreview = new TPageView(this);
    setCentralWidget(qrPreview);
    buildToolbar();

    ScrollTimer.setSingleShot(false);
    ScrollTimer.setInterval(kScrollInterval);
    connect(&ScrollTimer, &QTimer::timeout, this, &TfrmReportPreview::ScrollTick);
    connect(qrPreview, &TPageView::PageAvailable, this, &TfrmReportPreview::onPageAvailable);
    qrPreview->installEventFilter(this);
    qApp->installEventFilter(this);

    PortraitZoom = IniReadInteger(TrvlPar(), kPageInfo, QStringLiteral("PortraitZoom"), -1);
    LandscapeZoom = IniReadInteger(TrvlPar(), kPageInfo, QStringLiteral("LandscapeZoom"), -1);

    edtGoToPage->hide();
    pnlPage->clear();
    gugProgress->show();
    lblPrnProgress->clear();
    lblPrnProgress->hide();
    updateCaption();
    UpdateToolbar();
    TranslateFormFonts(this);
}

TfrmReportPreview::~TfrmReportPreview()
{
    qApp->removeEventFilter(this);
    if (m_printThread)
        m_printThread->StopAndWait();
}

void TfrmReportPreview::buildToolbar()
{
    auto *bar = addToolBar(QStringLiteral("tlbPreview"));
    bar->setObjectName(QStringLiteral("tlbPreview"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(22, 22));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto button = [&](const char *name, TPreviewIcon picture, int hint, void (TfrmReportPreview::*slot)()) {
        QAction *a = bar->addAction(PreviewIcon(picture), LookupText(hint));
        a->setObjectName(QLatin1String(name));
        a->setToolTip(LookupText(hint).trimmed());
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    btnPageUp = button("btnPageUp", TPreviewIcon::PageUp, 3, &TfrmReportPreview::PageUpClick);
    btnPageDown = button("btnPageDown", TPreviewIcon::PageDown, 2, &TfrmReportPreview::PageDownClick);
    btnScrollUp = button("btnScrollUp", TPreviewIcon::ScrollUp, 12, nullptr);
    connect(btnScrollUp, &QAction::triggered, this, [this] { StartScrolling(true); });
    btnScrollStop = button("btnScrollStop", TPreviewIcon::ScrollStop, 11, &TfrmReportPreview::StopScrolling);
    btnScrollDown = button("btnScrollDown", TPreviewIcon::ScrollDown, 10, nullptr);
    connect(btnScrollDown, &QAction::triggered, this, [this] { StartScrolling(false); });
    btnFirstPage = button("btnFirstPage", TPreviewIcon::FirstPage, 4, &TfrmReportPreview::FirstPageClick);
    btnLastPage = button("btnLastPage", TPreviewIcon::LastPage, 5, &TfrmReportPreview::LastPageClick);
    btnGraph = button("btnGraph", TPreviewIcon::Graph, 75, &TfrmReportPreview::GraphClick);
    bar->addSeparator();

    // Generation progress; the print progress label takes its place while printing.
    pnlProgress = new QWidget(bar);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setFixedWidth(150);
    auto *progressLayout = new QHBoxLayout(pnlProgress);
    progressLayout->setContentsMargins(4, 0, 4, 0);
    gugProgress = new QProgressBar(pnlProgress);
    gugProgress->setObjectName(QStringLiteral("gugProgress"));
    gugProgress->setRange(0, 100);
    gugProgress->setValue(0);
    gugProgress->setTextVisible(false);
    gugProgress->setMaximumHeight(16);
    progressLayout->addWidget(gugProgress);
    lblPrnProgress = new QLabel(pnlProgress);
    lblPrnProgress->setObjectName(QStringLiteral("lblPrnProgress"));
    lblPrnProgress->setAlignment(Qt::AlignCenter);
    progressLayout->addWidget(lblPrnProgress);
    bar->addWidget(pnlProgress);
    bar->addSeparator();

    btnPrint = button("btnPrint", TPreviewIcon::Print, 6, &TfrmReportPreview::PrintClick);
    btnOpen = button("btnOpen", TPreviewIcon::Open, 7, &TfrmReportPreview::OpenClick);
    btnSave = button("btnSave", TPreviewIcon::Save, 8, &TfrmReportPreview::SaveClick);
    btnMail = button("btnMail", TPreviewIcon::Mail, 17, nullptr);
    bar->addSeparator();

    m_zoomBox = new TZoomBox(bar);
    cmbZoom = m_zoomBox;
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setEditable(true);
    cmbZoom->setInsertPolicy(QComboBox::NoInsert);
    cmbZoom->setLayoutDirection(Qt::LeftToRight);
    cmbZoom->addItems({QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"), LookupText(14), LookupText(15)});
    cmbZoom->setToolTip(LookupText(13));
    cmbZoom->setMinimumWidth(120);
    cmbZoom->setCurrentIndex(-1);
    m_zoomBox->BeforeDropDown = [this] { removeCurrentZoomEntry(); };
    connect(cmbZoom, &QComboBox::activated, this, &TfrmReportPreview::ZoomListClick);
    bar->addWidget(cmbZoom);

    auto *pagePanel = new QWidget(bar);
    auto *pageLayout = new QHBoxLayout(pagePanel);
    pageLayout->setContentsMargins(4, 0, 4, 0);
    pnlPage = new QLabel(pagePanel);
    pnlPage->setObjectName(QStringLiteral("pnlPage"));
    pnlPage->setFrameShape(QFrame::StyledPanel);
    pnlPage->setFrameShadow(QFrame::Sunken);
    pnlPage->setMinimumWidth(80);
    pnlPage->setAlignment(Qt::AlignCenter);
    pnlPage->installEventFilter(this);
    pageLayout->addWidget(pnlPage);
    edtGoToPage = new QLineEdit(pagePanel);
    edtGoToPage->setObjectName(QStringLiteral("edtGoToPage"));
    edtGoToPage->setMinimumWidth(80);
    edtGoToPage->setMaximumWidth(80);
    edtGoToPage->setLayoutDirection(Qt::LeftToRight);
    pageLayout->addWidget(edtGoToPage);
    bar->addWidget(pagePanel);
    bar->addSeparator();

    btnClose = button("btnClose", TPreviewIcon::Close, 9, nullptr);
    connect(btnClose, &QAction::triggered, this, &QWidget::close);
}

void TfrmReportPreview::SetStore(TPageStore *store)
{
    m_pageShown = false;
    qrPreview->SetStore(store);
    if (store && store->PageCount() > 0)
        onPageAvailable(store->PageCount());
    UpdateToolbar();
}

TPageStore *TfrmReportPreview::Store() const { return qrPreview->Store(); }

void TfrmReportPreview::updateCaption()
{
    setWindowTitle(AdminMode && !ReportFileName.isEmpty() ? FormatText(LookupText(145), {ReportFileName})
                                                          : LookupText(1));
}

void TfrmReportPreview::ShowPreview()
{
    // Top of the screen, maximised; the geometry is set too for window managers that ignore
    // the request.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    raise();
    activateWindow();
    qrPreview->setFocus();
}

void TfrmReportPreview::ShowModal()
{
    if (!isVisible() && !Closing)
        ShowPreview();
    QEventLoop loop;
    while (isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void TfrmReportPreview::SetProgress(int percent)
{
    if (percent >= 100)
        gugProgress->hide();
    else if (percent >= 0)
        gugProgress->setValue(percent);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (percent >= 100 || now - m_lastEventsAt >= kEventsInterval) {
        m_lastEventsAt = now;
        QApplication::processEvents();
    }
}

void TfrmReportPreview::ReportDone(bool hasGraph)
{
    HasGraph = hasGraph;
    ReportFinished = true;
    gugProgress->hide();
    if (Store())
        Store()->SetFinished();
    UpdateToolbar();
    showPageCounter();
}

void TfrmReportPreview::UpdateToolbar()
{
    const bool known = !ReportFileName.isEmpty();
    btnOpen->setEnabled(ReportFinished);
    btnSave->setEnabled(known && ReportFinished);
    btnMail->setEnabled(false);
    btnPrint->setEnabled(known && ReportFinished && qrPreview->PageCount() > 0);
    btnGraph->setEnabled(known && ReportFinished && HasGraph);
    const int page = qrPreview->PageNumber();
    const int count = qrPreview->PageCount();
    btnPageUp->setEnabled(page > 1);
    btnFirstPage->setEnabled(page > 1);
    btnPageDown->setEnabled(page > 0 && page < count);
    btnLastPage->setEnabled(page > 0 && page < count);
    btnScrollUp->setEnabled(page > 0);
    btnScrollDown->setEnabled(page > 0);
    btnScrollStop->setEnabled(page > 0);
}

void TfrmReportPreview::showPageCounter()
{
    const int count = qrPreview->PageCount();
    if (count == 0) {
        pnlPage->clear();
        return;
    }
    pnlPage->setText(QStringLiteral("%1/%2").arg(qrPreview->PageNumber()).arg(count));
}

void TfrmReportPreview::onPageAvailable(int count)
{
    if (!m_pageShown && count >= 1) {
        m_pageShown = true;
        // The view must have its final size before a fitting zoom is computed.
        if (isVisible())
            QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        qrPreview->ShowPage(1);
        applyStoredZoom();
        GoToPage(1);
        return;
    }
    showPageCounter();
    UpdateToolbar();
}

void TfrmReportPreview::GoToPage(int n)
{
    const int count = qrPreview->PageCount();
    if (count == 0)
        return;
    qrPreview->ShowPage(qBound(1, n, count));
    showPageCounter();
    UpdateToolbar();
}

void TfrmReportPreview::PageUpClick()
{
    StopScrolling();
    GoToPage(qrPreview->PageNumber() - 1);
}

void TfrmReportPreview::PageDownClick()
{
    StopScrolling();
    GoToPage(qrPreview->PageNumber() + 1);
}

void TfrmReportPreview::FirstPageClick()
{
    StopScrolling();
    GoToPage(1);
}

void TfrmReportPreview::LastPageClick()
{
    StopScrolling();
    GoToPage(qrPreview->PageCount());
}

// ---- zoom ----

void TfrmReportPreview::applyStoredZoom()
{
    const bool landscape = Store() && Store()->Orientation == TPageOrientation::Landscape;
    const int stored = landscape ? LandscapeZoom : PortraitZoom;
    int index;
    if (stored < TPageView::kMinZoom || stored > TPageView::kMaxZoom) {
        qrPreview->ZoomToWidth();
        index = kZoomPageWidth;
    } else {
        qrPreview->SetZoom(stored);
        index = stored == 200 ? kZoom200 : stored == 150 ? kZoom150 : stored == 100 ? kZoom100 : kZoomCurrent;
    }
    ZoomMode = index;
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
    ArrowInZoom = true;
    {
        const QSignalBlocker block(cmbZoom);
        cmbZoom->setCurrentIndex(next);
    }
    ArrowInZoom = false;
}

void TfrmReportPreview::leaveZoomBox()
{
    if (cmbZoom->hasFocus() || cmbZoom->isAncestorOf(QApplication::focusWidget()))
        qrPreview->setFocus();
}

void TfrmReportPreview::ZoomListClick(int index)
{
    if (ArrowInZoom) {
        ArrowInZoom = false;
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
    ZoomMode = index;
    refreshZoomList();
    leaveZoomBox();
}

void TfrmReportPreview::ZoomEnter()
{
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
        ZoomMode = index;
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
            ZoomMode = kZoomCurrent;
            cmbZoom->setEditText(number.trimmed() + QLatin1Char('%'));
        } else {
            WarnOk(FormatText(LookupText(76), {QString::number(TPageView::kMinZoom), QString::number(TPageView::kMaxZoom)}));
            cmbZoom->setEditText(QString::number(qrPreview->Zoom()) + QLatin1Char('%'));
        }
    }
    leaveZoomBox();
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
    EdgePause = false;
    ScrollTimer.setInterval(kScrollInterval);
    ScrollTimer.start();
}

void TfrmReportPreview::StopScrolling()
{
    ScrollTimer.stop();
    EdgePause = false;
    ScrollTimer.setInterval(kScrollInterval);
}

void TfrmReportPreview::ScrollTick()
{
    const int page = qrPreview->PageNumber();
    const int count = qrPreview->PageCount();
    if (EdgePause) {
        // The pause at the edge is over: turn the page, or stop at the edge of the report.
        EdgePause = false;
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
        EdgePause = true;
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
        if (ZoomMode == kZoomWholePage || ZoomMode == kZoomPageWidth) {
            QMetaObject::invokeMethod(this, [this] {
                if (ZoomMode == kZoomWholePage)
                    qrPreview->ZoomToFit();
                else if (ZoomMode == kZoomPageWidth)
                    qrPreview->ZoomToWidth();
                else
                    return;
                if (cmbZoom->count() > kZoomCurrent && cmbZoom->currentIndex() == kZoomCurrent)
                    refreshZoomList();
            }, Qt::QueuedConnection);
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
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
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
        } else {
            close();
        }
        return true;
    case Qt::Key_PageUp:
        if (ctrl) {
            if (btnPageUp->isEnabled())
                PageUpClick();
        } else {
            qrPreview->ScrollBy(-qrPreview->VisibleHeight());
        }
        return true;
    case Qt::Key_PageDown:
        if (ctrl) {
            if (btnPageDown->isEnabled())
                PageDownClick();
        } else {
            qrPreview->ScrollBy(qrPreview->VisibleHeight());
        }
        return true;
    case Qt::Key_Home:
        if (inPageEdit || (inZoom && !ctrl))
            return false;
        if (ctrl) {
            if (btnFirstPage->isEnabled())
                FirstPageClick();
        } else {
            qrPreview->ScrollTo(0);
        }
        return true;
    case Qt::Key_End:
        if (inPageEdit || (inZoom && !ctrl))
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
        if (inPageEdit || inZoom)
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
    case Qt::Key_G: ShowGoToPage(); return true;
    case Qt::Key_O: if (btnOpen->isEnabled()) OpenClick(); return true;
    case Qt::Key_P: if (btnPrint->isEnabled()) PrintClick(); return true;
    case Qt::Key_R: if (btnGraph->isEnabled()) GraphClick(); return true;
    case Qt::Key_S: if (btnSave->isEnabled()) SaveClick(); return true;
    default: return false;
    }
}

// ---- open, save, print, graph ----

QString TfrmReportPreview::startDirectory() const
{
    if (!LastSaveDirectory().isEmpty())
        return LastSaveDirectory();
    if (ReportFileName.isEmpty())
        return IniReadString(TrvlPar(), kPageInfo, QStringLiteral("LastReportDir"));
    return QFileInfo(ReportFileName).absolutePath();
}

void TfrmReportPreview::OpenClick()
{
    if (Busy)
        return;
    Busy = true;
    StopScrolling();
    QString file;
    if (OpenDialog) {
        file = OpenDialog(this, startDirectory());
    } else {
        QFileDialog dialog(this, LookupText(7).trimmed(), startDirectory());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters({QStringLiteral("Report files (*.SRP *.srp)"), QStringLiteral("Report files (*.QRP *.qrp)")});
        dialog.setDefaultSuffix(QStringLiteral("SRP"));
        TranslateFormFonts(&dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().constFirst();
    }
    Busy = false;
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().left(3).toUpper() != QLatin1String("QRP")) {
        // Another report: the driver shows it in a new report form once this window is closed.
        m_requestedFile = file;
        close();
        return;
    }
    openPageFile(file);
    updateCaption();
}

void TfrmReportPreview::openPageFile(const QString &file)
{
    // The pages shown stay as they are unless the file gives pages.
    auto store = std::make_unique<TPageStore>();
    if (!LoadPagesFromFile(*store, file) || store->PageCount() == 0) {
        WarnOk(FormatText(LookupText(16), {file}));
        return;
    }
    store->SetFinished();
    TPageStore *loaded = store.get();
    // Earlier stores stay alive: a print job may still be reading one.
    m_loadedStores.push_back(std::move(store));
    ReportFileName = file;
    ReportFinished = true;
    // Graph data comes from a report file, not from pages.
    HasGraph = false;
    const int zoom = qrPreview->Zoom();
    qrPreview->SetStore(loaded);
    m_pageShown = true;
    qrPreview->ShowPage(1);
    if (ZoomMode == kZoomWholePage)
        qrPreview->ZoomToFit();
    else if (ZoomMode == kZoomPageWidth)
        qrPreview->ZoomToWidth();
    else
        qrPreview->SetZoom(zoom);
    refreshZoomList();
    GoToPage(1);
}

void TfrmReportPreview::SaveClick()
{
    if (Busy || !SaveDialog)
        return;
    Busy = true;
    StopScrolling();
    QString file;
    int type = 0;
    if (SaveDialog(this, startDirectory(), file, type) && !file.isEmpty()) {
        switch (type) {
        case 0:
            if (OnSaveCopy)
                OnSaveCopy(file, LookupText(129), LookupText(130));
            break;
        case 2:
            if (Store() && !SavePagesToFile(*Store(), file))
                ErrorOk(FormatText(LookupText(kTextCannotSave), {file}));
            break;
        default:
            if (OnExport)
                OnExport(file, ClientParInProgramDir());
            break;
        }
        LastSaveDirectory() = QFileInfo(file).absolutePath();
    }
    Busy = false;
}

void TfrmReportPreview::PrintClick()
{
    if (Busy || !NotPrinting)
        return;
    Busy = true;
    StopScrolling();
    if (OnPrintReport)
        OnPrintReport(true);
    Busy = false;
    qrPreview->setFocus();
}

void TfrmReportPreview::GraphClick()
{
    if (Busy)
        return;
    Busy = true;
    StopScrolling();
    if (OnShowGraph) {
        setEnabled(false);
        OnShowGraph();
        setEnabled(true);
        activateWindow();
        qrPreview->setFocus();
    }
    Busy = false;
}

// ---- printing ----

void TfrmReportPreview::PrintStarted(TPrinterThread *thread)
{
    m_printThread = thread;
    NotPrinting = false;
    gugProgress->hide();
    lblPrnProgress->clear();
    lblPrnProgress->show();
}

void TfrmReportPreview::PrintProgress(int current, int total)
{
    lblPrnProgress->setText(FormatText(LookupText(220), {QString::number(current), QString::number(total)}));
}

void TfrmReportPreview::PrintFinished()
{
    NotPrinting = true;
    m_printThread = nullptr;
    lblPrnProgress->hide();
    lblPrnProgress->clear();
}

void TfrmReportPreview::PrintFailed(const QString &message)
{
    ErrorOk(message);
}

// ---- closing ----

void TfrmReportPreview::closeEvent(QCloseEvent *event)
{
    if (!NotPrinting && m_printThread) {
        if (!AskYesNo(LookupText(219))) {
            m_requestedFile.clear();
            event->ignore();
            return;
        }
        m_printThread->StopAndWait();
        PrintFinished();
    }
    Closing = true;
    StopScrolling();
    storeSettings();
    event->accept();
}

void TfrmReportPreview::storeSettings()
{
    // Nothing was shown, so there is no zoom to remember.
    if (m_pageShown && Store()) {
        const bool landscape = Store()->Orientation == TPageOrientation::Landscape;
        const int value = ZoomMode == kZoomPageWidth ? -1 : qrPreview->Zoom();
        (landscape ? LandscapeZoom : PortraitZoom) = value;
        IniWriteInteger(TrvlPar(), kPageInfo, landscape ? QStringLiteral("LandscapeZoom") : QStringLiteral("PortraitZoom"), value);
    }
    // An empty directory would only erase the one remembered from an earlier run.
    if (!LastSaveDirectory().isEmpty())
        IniWriteString(TrvlPar(), kPageInfo, QStringLiteral("LastReportDir"), LastSaveDirectory());
}
