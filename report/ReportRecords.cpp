// The record dispatcher of the report form: which record does what.
#include "report/ReportForm.h"

#include "report/RecordCodes.h"

#include <QThread>

void TfrmReport::DispatchRecord(bool preRead)
{
    QThread::yieldCurrentThread();
    switch (RecordCode) {
    case rcData:
    case rcTotals:
        if (preRead) {
            // Held back until the engine asks for the first detail row.
            PendingRecord = RecordRest;
            HasPendingRecord = true;
            if (RecordCode == rcTotals)
                HasGraph = false;
        }
        break;
    case rcGraphField:
        HasGraph = true;
        break;
    case rcTrafficGraph:
        IsTrafficGraph = true;
        break;
    case rcOrientation:
        ApplyOrientation(RecordRest);
        break;

    // Body layout records.
    case rcColumnCount: case rcColumnWidths: case rcDataAlignment: case rcDataSpacing:
    case rcDataLines: case rcChangeColumnCount: case rcNarrowColumn: case rcTitles:
    case rcTitleAlignment: case rcTitleRowCount: case rcTitleSpacing: case rcSpanTitle:
    case rcTotalCaption: case rcTotalSpacing: case rcTotalLines: case rcTotalStyle:
    case rcTextStyle: case rcTableStyle: case rcColumnBlockAlign: case rcRightToLeft:
    case rcDotLeader:
    // Page header, footer and page numbers.
    case rcReportHeaderLine: case rcReplaceReportHeaderLine: case rcClearReportHeader:
    case rcSubHeaderWidths: case rcSubHeaderCell: case rcSubHeaderRepeat: case rcClearSubHeader:
    case rcUserHeaderRepeat: case rcUserHeaderLine: case rcClearUserHeader:
    case rcSubHeaderInfoLine: case rcClearSubHeaderInfo: case rcHeaderFooterRepeat:
    case rcHeaderFooterMacro: case rcUserDefHeaderStyle: case rcUserDefHeaderLine:
    case rcUserDefFooterStyle: case rcUserDefFooterLine: case rcReportFooterLine:
    case rcClearReportFooter: case rcPageNumberOn: case rcPageNumberOff: case rcRestartPageNumbers:
    case rcPageHeaderItem: case rcLogoExtension:
    // The run: sections, page columns, end of report.
    case rcSectionEnd: case rcPageColumns: case rcEndOfReport:
        break;

    // Read by the CSV export and the graph readers, not by the report form.
    case rcTitleColumnCount: case rcTitleColumnCaptions: case rcTitleColumnValue:
    case rcClearTitleColumns: case rcCsvFormats: case rcGraph701: case rcGraph703:
    case rcGraph750: case rcGraph751: case rcGraphCategories: case rcGraph907: case rcGraph915:
    case rcGraphFile: case rcGraph917: case rcGraph951:
    default:
        break;
    }
}
