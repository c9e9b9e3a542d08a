#include "app/PreviewWindow.h"

#include "foundation/LocalFileName.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/RecentReports.h"
#include "app/ThumbnailPanel.h"
#include "app/PreviewState.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/IniFile.h"
#include "foundation/LocalFileName.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

// Open, save, print and graph: the toolbar actions that leave the window.

namespace {

const QString kPageInfo = QStringLiteral("PageInfo");

} // namespace

// ---- open, save, print, graph ----

QString TfrmReportPreview::startDirectory() const
{
    if (!LastSaveDirectory().isEmpty())
        return LastSaveDirectory();
    if (m_reportFileName.isEmpty())
        return IniReadString(TrvlPar(), kPageInfo, QStringLiteral("LastReportDir"));
    // A report named in another code page is opened through a stand-in name under /proc:
    // the dialog starts in the folder the name was given in.
    return QFileInfo(WithGivenNames(m_reportFileName)).absolutePath();
}

void TfrmReportPreview::OpenClick()
{
    if (m_busy)
        return;
    m_busy = true;
    StopScrolling();
    QString file;
    if (m_handlers.OpenDialog) {
        file = m_handlers.OpenDialog(this, startDirectory());
    } else {
        QFileDialog dialog(this, DisplayText(7).trimmed(), startDirectory());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters({QStringLiteral("Report files (*.SRP *.srp)"), QStringLiteral("Report files (*.QRP *.qrp)")});
        dialog.setDefaultSuffix(QStringLiteral("SRP"));
        TranslateFormFonts(&dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().constFirst();
    }
    m_busy = false;
    OpenFile(file);
}

void TfrmReportPreview::OpenFile(const QString &file)
{
    if (file.isEmpty() || m_busy || !btnOpen->isEnabled())
        return;
    StopScrolling();
    if (QFileInfo(file).suffix().left(3).toUpper() != QLatin1String("QRP")) {
        // Another report: the driver shows it in a new report form once this window is closed.
        m_requestedFile = file;
        close();
        return;
    }
    openPageFile(file);
    updateCaption();
}

void TfrmReportPreview::OpenRecent(const QString &file)
{
    if (m_busy || !btnOpen->isEnabled())
        return;
    if (!QFileInfo(file).isFile()) {
        RemoveRecentReport(file);
        WarnOk(DisplayText(5237));
        return;
    }
    OpenFile(file);
}

void TfrmReportPreview::fillRecentMenu()
{
    mnuRecent->clear();
    for (const QString &file : RecentReports()) {
        QAction *a = mnuRecent->addAction(QDir::toNativeSeparators(file));
        connect(a, &QAction::triggered, this, [this, file] { OpenRecent(file); });
    }
}

namespace {

// The one report or page file a drag brings; empty for anything else.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return QString();
    const QString file = data->urls().constFirst().toLocalFile();
    const QString suffix = QFileInfo(file).suffix().toUpper();
    return suffix == QLatin1String("SRP") || suffix == QLatin1String("QRP") ? file : QString();
}

} // namespace

void TfrmReportPreview::dragEnterEvent(QDragEnterEvent *event)
{
    if (btnOpen->isEnabled() && !m_busy && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmReportPreview::dropEvent(QDropEvent *event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so the dragging program is not kept waiting.
    QMetaObject::invokeMethod(this, [this, file] { OpenFile(file); }, Qt::QueuedConnection);
}

void TfrmReportPreview::openPageFile(const QString &file)
{
    // The pages shown stay as they are unless the file gives pages.
    auto store = std::make_unique<TPageStore>();
    if (!LoadPagesFromFile(*store, file) || store->PageCount() == 0) {
        WarnOk(DisplayFormat(16, {file}));
        return;
    }
    store->SetFinished();
    TPageStore *loaded = store.get();
    // Earlier stores stay alive: a print job may still be reading one.
    m_loadedStores.push_back(std::move(store));
    m_reportFileName = file;
    AddRecentReport(file);
    m_reportFinished = true;
    // Graph data comes from a report file, not from pages.
    m_hasGraph = false;
    const int zoom = qrPreview->Zoom();
    qrPreview->SetStore(loaded);
    m_findBar->SetStore(loaded);
    pnlThumbnails->SetStore(loaded);
    m_waitingForNextPage = false;
    m_pageShown = true;
    qrPreview->ShowPage(1);
    if (m_state->ZoomMode() == kZoomWholePage)
        qrPreview->ZoomToFit();
    else if (m_state->ZoomMode() == kZoomPageWidth)
        qrPreview->ZoomToWidth();
    else
        qrPreview->SetZoom(zoom);
    refreshZoomList();
    GoToPage(1);
}

void TfrmReportPreview::SaveClick()
{
    if (m_busy || !m_handlers.SaveDialog)
        return;
    m_busy = true;
    StopScrolling();
    QString file;
    int type = 0;
    if (m_handlers.SaveDialog(this, startDirectory(), file, type) && !file.isEmpty()) {
        switch (type) {
        case 0:
            if (m_handlers.OnSaveCopy)
                m_handlers.OnSaveCopy(file, DisplayText(129), DisplayText(130));
            break;
        case 2:
            if (Store() && !SavePagesToFile(*Store(), file))
                ErrorOk(DisplayFormat(kTextCannotSave, {file}));
            break;
        case 4:
            if (m_handlers.OnSavePdf)
                m_handlers.OnSavePdf(file);
            break;
        default:
            if (m_handlers.OnExport)
                m_handlers.OnExport(file, ClientParInProgramDir());
            break;
        }
        LastSaveDirectory() = QFileInfo(file).absolutePath();
    }
    m_busy = false;
}

void TfrmReportPreview::MailClick()
{
    if (m_busy || !m_handlers.OnSendMail || !btnMail->isEnabled())
        return;
    m_busy = true;
    StopScrolling();
    m_handlers.OnSendMail();
    m_busy = false;
}

void TfrmReportPreview::PrintClick()
{
    if (m_busy || !m_notPrinting)
        return;
    m_busy = true;
    StopScrolling();
    if (m_handlers.OnPrintReport)
        m_handlers.OnPrintReport(true);
    m_busy = false;
    qrPreview->setFocus();
}

void TfrmReportPreview::GraphClick()
{
    if (m_busy)
        return;
    m_busy = true;
    StopScrolling();
    if (m_handlers.OnShowGraph) {
        // The graph window is modal over this one, which takes no input meanwhile.
        m_handlers.OnShowGraph();
        activateWindow();
        qrPreview->setFocus();
    }
    m_busy = false;
}

void TfrmReportPreview::SetOnPrintReport(std::function<void(bool showDialog)> handler)
{
    m_handlers.OnPrintReport = std::move(handler);
}
void TfrmReportPreview::SetOnShowGraph(std::function<void()> handler) { m_handlers.OnShowGraph = std::move(handler); }
void TfrmReportPreview::SetOnSaveCopy(TPreviewHandlers::TSaveCopy handler) { m_handlers.OnSaveCopy = std::move(handler); }
void TfrmReportPreview::SetOnExport(TPreviewHandlers::TExport handler) { m_handlers.OnExport = std::move(handler); }
void TfrmReportPreview::SetOnSavePdf(std::function<void(const QString &file)> handler)
{
    m_handlers.OnSavePdf = std::move(handler);
}
void TfrmReportPreview::SetOnSendMail(std::function<void()> handler) { m_handlers.OnSendMail = std::move(handler); }
void TfrmReportPreview::SetSaveDialog(TPreviewHandlers::TSaveDialog dialog) { m_handlers.SaveDialog = std::move(dialog); }
void TfrmReportPreview::SetOpenDialog(TPreviewHandlers::TOpenDialog dialog) { m_handlers.OpenDialog = std::move(dialog); }
