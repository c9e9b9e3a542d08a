#include "app/ReportDriver.h"

#include "app/CommandLine.h"
#include "graph/GraphFileCheck.h"
#include "app/ReportPreviewRun.h"
#include "app/UsablePrinter.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "graph/GraphWindowLauncher.h"
#include "report/ReportForm.h"

#include <QApplication>
#include <QFileInfo>

void ShowReport(QWidget *, const QIcon &icon, const QString &fileName, const QString &userName)
{
    InitLanguageTable();
    QString current = fileName;
    if (!HasUsablePrinter()) {
        ErrorOk(LookupText(5336));
    } else if (!current.isEmpty() && !QFileInfo::exists(current)) {
        if (!IsEmbeddingRequest(current))
            WarnOk(LookupText(5237));
    } else if (IsGraphFile(current)) {
        RunGraphWindow(current, icon);
    } else {
        for (;;) {
            auto form = std::make_unique<TfrmReport>(current, userName);
            form->LoadReport();
            QString next;
            if (ReportAccepted || current.isEmpty()) {
                next = RunReportPreview(*form, icon);
                QApplication::processEvents();
            }
            if (next.isEmpty())
                break;
            // The new name is not tested for existence or graph content again.
            current = next;
        }
    }
    ReleaseLanguageTable();
}
