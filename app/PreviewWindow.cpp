#include "app/PreviewWindow.h"

#include "app/MailReport.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewIcons.h"
#include "app/PrintJob.h"
#include "app/RecentReports.h"
#include "app/ThumbnailPanel.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/LocalFileName.h"
#include "foundation/AppState.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/IniFile.h"
#include "foundation/DisplayText.h"
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
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kPageInfo = QStringLiteral("PageInfo");
constexpr int kScrollInterval = 200;
// Pending events are processed at most this often during generation.
constexpr qint64 kEventsInterval = 30;

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
    , m_reportFileName(reportFileName)
{
    setObjectName(QStringLiteral("frmReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setLayoutDirection(Qt::RightToLeft);
    setWindowIcon(icon);
    setAcceptDrops(true);
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint
                   | (AdminMode ? Qt::WindowMinimizeButtonHint : Qt::WindowType(0)));

    m_state = new TPreviewState(this);
    // The thumbnails beside the page view: first in the row, so on the right of the mirrored
    // window.
    auto *client = new QWidget(this);
    auto *row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    pnlThumbnails = new TThumbnailPanel(m_state, client);
    pnlThumbnails->setObjectName(QStringLiteral("pnlThumbnails"));
    qrPreview = new TPageView(client);
    qrPreview->setObjectName(QStringLiteral("qrPreview"));
    qrPreview->SetState(m_state);
    row->addWidget(pnlThumbnails);
    row->addWidget(qrPreview, 1);
    setCentralWidget(client);
    connect(pnlThumbnails, &TThumbnailPanel::PageClicked, this, [this](int page) {
        StopScrolling();
        GoToPage(page);
        qrPreview->setFocus();
    });
    buildToolbar();
    m_findBar = new TFindBar(m_state, this);
    m_findBar->SetGoToPage([this](int page) { GoToPage(page); });
    addToolBarBreak();
    addToolBar(m_findBar);
    connect(m_state, &TPreviewState::PageChanged, this, [this] {
        showPageCounter();
        UpdateToolbar();
    });
    connect(m_state, &TPreviewState::ZoomChanged, this, &TfrmReportPreview::onZoomChanged);

    ScrollTimer.setSingleShot(false);
    ScrollTimer.setInterval(kScrollInterval);
    connect(&ScrollTimer, &QTimer::timeout, this, &TfrmReportPreview::ScrollTick);
    connect(qrPreview, &TPageView::PageAvailable, this, &TfrmReportPreview::onPageAvailable);
    qrPreview->installEventFilter(this);
    qApp->installEventFilter(this);

    const bool thumbnails = IniReadYesNo(TrvlPar(), kPageInfo, QStringLiteral("ShowThumbnails"), false);
    pnlThumbnails->setVisible(thumbnails);
    btnThumbnails->setChecked(thumbnails);
    m_portraitZoom = IniReadInteger(TrvlPar(), kPageInfo, QStringLiteral("PortraitZoom"), -1);
    m_landscapeZoom = IniReadInteger(TrvlPar(), kPageInfo, QStringLiteral("LandscapeZoom"), -1);

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
    // The window manager's system menu cannot be extended here, so the about item lives in
    // the toolbar's context menu.
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this, [this, bar](const QPoint &at) {
        QMenu menu(this);
        menu.addAction(DisplayFormat(150, {DisplayText(1)}), this, &TfrmReportPreview::ShowAbout);
        menu.exec(bar->mapToGlobal(at));
    });
    auto button = [&](const char *name, TPreviewIcon picture, int hint, void (TfrmReportPreview::*slot)()) {
        QAction *a = bar->addAction(PreviewIcon(picture), DisplayText(hint));
        a->setObjectName(QLatin1String(name));
        a->setToolTip(DisplayText(hint).trimmed());
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
    m_progressAction = bar->addWidget(pnlProgress);
    bar->addSeparator();

    btnPrint = button("btnPrint", TPreviewIcon::Print, 6, &TfrmReportPreview::PrintClick);
    btnOpen = button("btnOpen", TPreviewIcon::Open, 7, &TfrmReportPreview::OpenClick);
    mnuRecent = new QMenu(this);
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuRecent->setToolTip(DisplayText(kTextRecentReports));
    connect(mnuRecent, &QMenu::aboutToShow, this, &TfrmReportPreview::fillRecentMenu);
    btnOpen->setMenu(mnuRecent);
    if (auto *openButton = qobject_cast<QToolButton *>(bar->widgetForAction(btnOpen)))
        openButton->setPopupMode(QToolButton::MenuButtonPopup);
    btnSave = button("btnSave", TPreviewIcon::Save, 8, &TfrmReportPreview::SaveClick);
    btnMail = button("btnMail", TPreviewIcon::Mail, 17, &TfrmReportPreview::MailClick);
    btnFind = button("btnFind", TPreviewIcon::Find, kTextFind, &TfrmReportPreview::FindClick);
    btnFind->setToolTip(DisplayText(kTextFind) + QStringLiteral(" (Ctrl+F)"));
    btnThumbnails = button("btnThumbnails", TPreviewIcon::Thumbnails, kTextThumbnails, &TfrmReportPreview::ThumbnailsClick);
    btnThumbnails->setCheckable(true);
    btnThumbnails->setToolTip(DisplayText(kTextThumbnails) + QStringLiteral(" (F4)"));
    bar->addSeparator();

    m_zoomBox = new TZoomBox(bar);
    cmbZoom = m_zoomBox;
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setEditable(true);
    cmbZoom->setInsertPolicy(QComboBox::NoInsert);
    cmbZoom->setLayoutDirection(Qt::LeftToRight);
    cmbZoom->addItems({QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"), DisplayText(14), DisplayText(15)});
    cmbZoom->setToolTip(DisplayText(13));
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
    pnlPage->setFixedWidth(80);
    pnlPage->setAlignment(Qt::AlignCenter);
    pnlPage->installEventFilter(this);
    pageLayout->addWidget(pnlPage);
    edtGoToPage = new QLineEdit(pagePanel);
    edtGoToPage->setObjectName(QStringLiteral("edtGoToPage"));
    edtGoToPage->setFixedWidth(80);
    pagePanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    edtGoToPage->setLayoutDirection(Qt::LeftToRight);
    pageLayout->addWidget(edtGoToPage);
    bar->addWidget(pagePanel);
    bar->addSeparator();

    btnClose = button("btnClose", TPreviewIcon::Close, 9, nullptr);
    connect(btnClose, &QAction::triggered, this, &QWidget::close);
}

void TfrmReportPreview::ShowAbout()
{
    ShowMessageBox(DisplayText(1) + QLatin1Char('\n') + QLatin1String(kViewerVersion), DisplayText(1), mkInformation, mbOK);
}

void TfrmReportPreview::SetStore(TPageStore *store)
{
    m_pageShown = false;
    m_waitingForNextPage = false;
    qrPreview->SetStore(store);
    m_findBar->SetStore(store);
    pnlThumbnails->SetStore(store);
    if (store && store->PageCount() > 0)
        onPageAvailable(store->PageCount());
    UpdateToolbar();
}

TPageStore *TfrmReportPreview::Store() const { return qrPreview->Store(); }

void TfrmReportPreview::updateCaption()
{
    setWindowTitle(AdminMode && !m_reportFileName.isEmpty() ? DisplayFormat(145, {WithGivenNames(m_reportFileName)})
                                                          : DisplayText(1));
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
    if (!isVisible() && !m_closing)
        ShowPreview();
    QEventLoop loop;
    while (isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

// The progress panel keeps its place in the toolbar when it has nothing to show, so the
// buttons after it never move (a click meant for Close must not land on the zoom box).
void TfrmReportPreview::updateProgressPanel()
{
    m_progressAction->setVisible(true);
}

void TfrmReportPreview::SetProgress(int percent)
{
    if (percent >= 100 && !gugProgress->isHidden()) {
        gugProgress->hide();
        updateProgressPanel();
    }
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
    m_hasGraph = hasGraph;
    m_reportFinished = true;
    if (!m_reportFileName.isEmpty())
        AddRecentReport(m_reportFileName);
    gugProgress->hide();
    updateProgressPanel();
    if (Store())
        Store()->SetFinished();
    UpdateToolbar();
    showPageCounter();
}

void TfrmReportPreview::UpdateToolbar()
{
    const bool known = !m_reportFileName.isEmpty();
    btnOpen->setEnabled(m_reportFinished);
    btnSave->setEnabled(known && m_reportFinished);
    btnMail->setEnabled(m_handlers.OnSendMail && m_reportFinished && qrPreview->PageCount() > 0 && CanSendMail());
    btnPrint->setEnabled(known && m_reportFinished && qrPreview->PageCount() > 0);
    btnGraph->setEnabled(known && m_reportFinished && m_hasGraph);
    const int page = qrPreview->PageNumber();
    const int count = qrPreview->PageCount();
    btnPageUp->setEnabled(page > 1);
    btnFirstPage->setEnabled(page > 1);
    // While pages are still arriving there is always a next page to wait for.
    const bool more = page < count || !m_reportFinished;
    btnPageDown->setEnabled(page > 0 && more);
    btnLastPage->setEnabled(page > 0 && more);
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
    if (m_waitingForNextPage && count > qrPreview->PageNumber()) {
        m_waitingForNextPage = false;
        GoToPage(qrPreview->PageNumber() + 1);
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
    m_waitingForNextPage = false;
    // The page box and the toolbar follow the state.
    qrPreview->ShowPage(qBound(1, n, count));
}

void TfrmReportPreview::PageUpClick()
{
    StopScrolling();
    GoToPage(qrPreview->PageNumber() - 1);
}

void TfrmReportPreview::PageDownClick()
{
    StopScrolling();
    const int page = qrPreview->PageNumber();
    if (page >= qrPreview->PageCount() && !m_reportFinished) {
        // The next page is still being made: it is shown when it comes.
        m_waitingForNextPage = page > 0;
        return;
    }
    GoToPage(page + 1);
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

void TfrmReportPreview::FindClick()
{
    m_findBar->Open();
}

void TfrmReportPreview::ThumbnailsClick()
{
    const bool show = pnlThumbnails->isHidden();
    pnlThumbnails->setVisible(show);
    btnThumbnails->setChecked(show);
}

// The zoom box shows the zoom in effect, whichever control changed it.
void TfrmReportPreview::onZoomChanged()
{
    if (m_pageShown && m_zoomBoxFollows)
        refreshZoomList();
}

// Top of the page view in the window: below the toolbars.
int TfrmReportPreview::pageViewTop() const
{
    return qrPreview->mapTo(this, QPoint(0, 0)).y();
}

// ---- printing ----

void TfrmReportPreview::PrintStarted(TPrinterThread *thread)
{
    m_printThread = thread;
    m_notPrinting = false;
    gugProgress->hide();
    lblPrnProgress->clear();
    lblPrnProgress->show();
    updateProgressPanel();
}

void TfrmReportPreview::PrintProgress(int current, int total)
{
    lblPrnProgress->setText(DisplayFormat(220, {QString::number(current), QString::number(total)}));
}

void TfrmReportPreview::PrintFinished()
{
    m_notPrinting = true;
    m_printThread = nullptr;
    lblPrnProgress->hide();
    lblPrnProgress->clear();
    updateProgressPanel();
}

void TfrmReportPreview::PrintFailed(const QString &message)
{
    ErrorOk(message);
}

// ---- closing ----

void TfrmReportPreview::closeEvent(QCloseEvent *event)
{
    if (!m_notPrinting && m_printThread) {
        if (!AskYesNo(DisplayText(219))) {
            m_requestedFile.clear();
            event->ignore();
            return;
        }
        m_printThread->StopAndWait();
        PrintFinished();
    }
    m_closing = true;
    StopScrolling();
    storeSettings();
    event->accept();
}

void TfrmReportPreview::storeSettings()
{
    // Nothing was shown, so there is no zoom to remember.
    if (m_pageShown && Store()) {
        const bool landscape = Store()->Orientation() == TPageOrientation::Landscape;
        const int value = m_state->ZoomMode() == kZoomPageWidth ? -1 : qrPreview->Zoom();
        (landscape ? m_landscapeZoom : m_portraitZoom) = value;
        IniWriteInteger(TrvlPar(), kPageInfo, landscape ? QStringLiteral("LandscapeZoom") : QStringLiteral("PortraitZoom"), value);
    }
    IniWriteYesNo(TrvlPar(), kPageInfo, QStringLiteral("ShowThumbnails"), !pnlThumbnails->isHidden());
    // An empty directory would only erase the one remembered from an earlier run.
    if (!LastSaveDirectory().isEmpty())
        IniWriteString(TrvlPar(), kPageInfo, QStringLiteral("LastReportDir"), LastSaveDirectory());
}
