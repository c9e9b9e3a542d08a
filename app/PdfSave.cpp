#include "app/PdfSave.h"

#include "app/PreviewWindow.h"
#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "export/ExportToFile.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "foundation/OutputFile.h"
#include "foundation/ReportProgressWindow.h"

TPdfSaveStatus SavePagesAsPdf(const TPageStore &store, const QString &target, const QString &author)
{
    TfrmReportProgress progress;
    progress.ShowProgress(kExportProgressText, kExportCancelText, true);
    TProgressSink &sink = progress.Sink();
    TOutputFile out(target);
    bool cancelled = false;
    const bool written = out.Open() && RenderPagesToPdf(store, &out.Device(), author, [&](int done, int total) {
        sink.Progress(total > 0 ? done * 100 / total : 100);
        cancelled = sink.Cancelled();
        return !cancelled;
    });
    progress.hide();
    if (cancelled)
        return TPdfSaveStatus::Cancelled; // the old file stays, no half file is left
    if (!written || !out.Commit()) {
        ErrorOk(DisplayFormat(kTextCannotSave, {target}));
        return TPdfSaveStatus::Failed;
    }
    return TPdfSaveStatus::Done;
}
