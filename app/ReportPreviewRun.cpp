#include "app/ReportPreviewRun.h"

#include "app/MailReport.h"
#include "app/PdfSave.h"
#include "app/PreviewWindow.h"
#include "app/PrintJob.h"
#include "foundation/ReportProgressWindow.h"
#include "engine/PageStore.h"
#include "export/ExportToFile.h"
#include "export/ReportCopy.h"
#include "export/SaveReportDialog.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "graph/GraphWindowLauncher.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"

namespace {

// The run reports to the preview: progress per record, cancel when the window is closed,
// and the end of the report.
class TPreviewObserver final : public TReportRunObserver
{
public:
    explicit TPreviewObserver(TfrmReportPreview &preview) : m_preview(preview) {}
    void Progress(int percent) override { m_preview.SetProgress(percent); }
    bool Cancelled() const override { return m_preview.Closing(); }
    void ReportDone(bool hasGraph) override
    {
        if (!m_preview.Closing())
            m_preview.ReportDone(hasGraph);
    }

private:
    TfrmReportPreview &m_preview;
};

// The preview's commands that need the report itself.
void connectCallbacks(TfrmReportPreview &preview, TfrmReport &form, const QIcon &icon)
{
    preview.SetOnPrintReport([&preview](bool showDialog) { PrintReport(preview, showDialog); });
    preview.SetOnShowGraph([&preview, &form, icon] {
        ShowReportGraph(&preview, form.FileName(), form.IsTrafficGraph(), icon);
    });
    preview.SetSaveDialog([&form](QWidget *parent, const QString &startDirectory, QString &file, int &type) {
        return RunSaveReportDialog(parent, startDirectory, file, type, form.FileName());
    });
    preview.SetOnSaveCopy([&form](const QString &target, const QString &, const QString &) {
        TfrmReportProgress progress;
        progress.ShowProgress(kCopyProgressText, kCopyCancelText, true);
        const TCopyStatus status = SaveReportCopy(form.FileName(), target,
                                                  {form.SavedStyleRecords(), form.SavedHeaderRecords()}, progress.Sink());
        progress.hide();
        // A copy onto the report itself is silently nothing; a cancelled copy leaves nothing.
        if (status == TCopyStatus::ReportUnreadable || status == TCopyStatus::TargetUnwritable)
            ErrorOk(DisplayFormat(kTextCannotSave, {target}));
        return status == TCopyStatus::Done;
    });
    // PDF documents name the report's title and, as author, the suite's user.
    preview.SetOnSavePdf([&preview, &form](const QString &target) {
        if (preview.Store())
            SavePagesAsPdf(*preview.Store(), target, form.UserName());
    });
    preview.SetOnSendMail([&preview, &form] {
        if (preview.Store())
            SendPagesByMail(*preview.Store(), preview.Store()->Title(), form.UserName());
    });
    preview.SetOnExport([&form](const QString &target, const QString &clientSettingsFile) {
        TfrmReportProgress progress;
        progress.ShowProgress(kExportProgressText, kExportCancelText, true);
        const TExportStatus status = ExportToFile(form.FileName(), target, clientSettingsFile, progress.Sink());
        progress.hide();
        // A cancelled export leaves the old file and is no failure.
        if (status == TExportStatus::ReportUnreadable || status == TExportStatus::TargetUnwritable) {
            ErrorOk(DisplayText(kCannotExportText));
            return false;
        }
        return true;
    });
}

} // namespace

QString RunReportPreview(TfrmReport &form, const QIcon &icon, TRunStartResult *result)
{
    TRunStartResult start;
    if (form.FileName().isEmpty()) {
        start = form.StartRun(nullptr);
    } else {
        // The pre-read runs behind the progress window; Stop keeps what was read.
        auto progress = std::make_unique<TfrmReportProgress>();
        progress->ShowProgress(1, 0, false);
        start = form.StartRun(&progress->Sink());
        const bool stopped = progress->Stopped();
        // The progress window goes before the message.
        progress.reset();
        if (result)
            *result = start;
        if (start.TextNumber != 0)
            WarnOk(start.Message());
        // A report without rows still opens, with empty pages, after text 5237.
        if (start.Status == TRunStart::RefusedVersion)
            return QString();
        if (start.Status == TRunStart::Cancelled && !stopped)
            return QString();
    }
    if (result)
        *result = start;

    // Declared before the window: the window (and a print job it runs) goes first.
    TPageStore store;
    TfrmReportPreview preview(form.FileName(), icon);
    connectCallbacks(preview, form, icon);
    preview.SetStore(&store);
    preview.ShowPreview();

    // Pages appear in the window while the rest of the report is read.
    TPreviewObserver observer(preview);
    if (start.Ready())
        form.GeneratePages(store, observer);
    else
        observer.ReportDone(false);
    preview.ShowModal();
    form.EndRun();
    return preview.RequestedFile();
}
