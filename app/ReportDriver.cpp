#include "app/ReportDriver.h"

#include "app/CommandLine.h"
#include "graph/GraphFileCheck.h"
#include "app/ReportPreviewRun.h"
#include "app/UsablePrinter.h"
#include "foundation/DisplayText.h"
#include "foundation/InputFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "graph/GraphWindowLauncher.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// A file that cannot be read is no report.
bool isReadableFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.isFile() && info.isReadable();
}

// A FIFO would block the viewer for ever and a device never end: refused by name, at once.
bool isSpecialFile(const QString &fileName)
{
    return !fileName.isEmpty() && CheckInputFile(fileName) == TInputCheck::NotRegular;
}

} // namespace

int ShowReport(QWidget *, const QIcon &icon, const QString &fileName, const QString &userName)
{
    InitLanguageTable();
    QString current = fileName;
    int status = 0;
    if (!HasUsablePrinter()) {
        ErrorOk(DisplayText(5336));
        status = 1;
    } else if (IsEmbeddingRequest(current)) {
        // Started for the automation object: there is no report to show.
    } else if (isSpecialFile(current)) {
        WarnOk(DisplayFormat(kInputNotRegularText, {current}));
        status = 1;
    } else if (!current.isEmpty() && !isReadableFile(current)) {
        WarnOk(DisplayText(5237));
        status = 1;
    } else if (IsGraphFile(current)) {
        RunGraphWindow(current, icon);
    } else {
        // A report is run when it opens; a name chosen in the preview that does not open is
        // still run when the report before it was not refused.
        bool accepted = false;
        for (;;) {
            auto form = std::make_unique<TfrmReport>(current, userName);
            if (form->LoadReport())
                accepted = true;
            QString next;
            if (accepted || current.isEmpty()) {
                TRunStartResult start;
                next = RunReportPreview(*form, icon, &start);
                if (start.Refused())
                    accepted = false;
                QApplication::processEvents();
            }
            if (next.isEmpty())
                break;
            // The new name is not tested for existence or graph content again.
            current = next;
        }
    }
    ReleaseLanguageTable();
    return status;
}
