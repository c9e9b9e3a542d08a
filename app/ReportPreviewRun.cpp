#include "app/ReportPreviewRun.h"

#include "app/PreviewWindow.h"
#include "report/ReportForm.h"

QString RunReportPreview(TfrmReport &form, const QIcon &icon)
{
    if (!form.FileName().isEmpty()) {
        const TfrmReport::TRunStart start = form.StartRun();
        if (start == TfrmReport::TRunStart::RefusedVersion || start == TfrmReport::TRunStart::Cancelled)
            return QString();
    }
    TfrmReportPreview preview(form.FileName(), icon);
    preview.ReportFinished = true;
    preview.ShowModal();
    form.EndRun();
    return preview.RequestedFile();
}
