#include "app/PreviewWindow.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/RecentReports.h"
#include "app/ThumbnailPanel.h"
#include "app/PreviewState.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/IniFile.h"
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
        QFileDialog dialog(this, DisplayText(7).trimmed(), startDirectory());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters({QStringLiteral("Report files (*.SRP *.srp)"), QStringLiteral("Report files (*.QRP *.qrp)")});
        dialog.setDefaultSuffix(QStringLiteral("SRP"));
        TranslateFormFonts(&dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().constFirst();
    }
    Busy = false;
    OpenFile(file);
}

void TfrmReportPreview::OpenFile(const QString &file)
{
    if (file.isEmpty() || Busy || !btnOpen->isEnabled())
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
    if (Busy || !btnOpen->isEnabled())
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
    if (btnOpen->isEnabled() && !Busy && !droppedFile(event->mimeData()).isEmpty())
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
    ReportFileName = file;
    AddRecentReport(file);
    ReportFinished = true;
    // Graph data comes from a report file, not from pages.
    HasGraph = false;
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
                OnSaveCopy(file, DisplayText(129), DisplayText(130));
            break;
        case 2:
            if (Store() && !SavePagesToFile(*Store(), file))
                ErrorOk(DisplayFormat(kTextCannotSave, {file}));
            break;
        case 4:
            if (OnSavePdf)
                OnSavePdf(file);
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

void TfrmReportPreview::MailClick()
{
    if (Busy || !OnSendMail || !btnMail->isEnabled())
        return;
    Busy = true;
    StopScrolling();
    OnSendMail();
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
        // The graph window is modal over this one, which takes no input meanwhile.
        OnShowGraph();
        activateWindow();
        qrPreview->setFocus();
    }
    Busy = false;
}

