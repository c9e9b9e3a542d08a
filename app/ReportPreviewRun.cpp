#include "app/ReportPreviewRun.h"

#include "app/PreviewWindow.h"
#include "app/PrintJob.h"
#include "app/ReportProgressWindow.h"
#include "engine/PageStore.h"
#include "report/ReportForm.h"

namespace {

// The run reports to the preview: progress per record, cancel when the window is closed,
// and the end of the report.
class TPreviewObserver final
{
public:
    explicit TPreviewObserver(TfrmReportPreview &preview) : m_preview(preview) {}
    void Progress(int percent) { m_preview.SetProgress(percent); }
    bool Cancelled() const { return m_preview.Closing; }
    void ReportDone(bool hasGraph)
    {
        if (!m_preview.Closing)
            m_preview.ReportDone(hasGraph);
    }

private:
    TfrmReportPreview &m_preview;
};

} // namespace

QString RunReportPreview(TfrmReport &form, const QIcon &icon)
{
    bool stopped = false;
    if (!form.FileName().isEmpty()) {
        // The pre-read runs behind the progress window; Stop keeps what was read.
        auto progress = std::make_unique<TfrmReportProgress>();
        progress->ShowProgress(1, 0, false);
        const TfrmReport::TRunStart start = form.StartRun(&progress->Sink());
        stopped = progress->Stopped;
        progress.reset();
        if (start == TfrmReport::TRunStart::RefusedVersion || start == TfrmReport::TRunStart::NoData)
            return QString();
        if (start == TfrmReport::TRunStart::Cancelled && !stopped)
            return QString();
    }

    // Declared before the window: the window (and a print job it runs) goes first.
    TPageStore store;
    TfrmReportPreview preview(form.FileName(), icon);
    preview.OnPrintReport = [&preview](bool showDialog) { PrintReport(preview, showDialog); };
    preview.SetStore(&store);
    preview.ShowPreview();

    TPreviewObserver observer(preview);
    if (form.FileName().isEmpty())
        observer.ReportDone(false);
    else
        observer.ReportDone(false);
    preview.ShowModal();
    form.EndRun();
    return preview.RequestedFile();
}
