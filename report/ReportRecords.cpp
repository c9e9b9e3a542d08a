// The record dispatcher of the report form: which record does what.
#include "report/ReportForm.h"

#include "report/RecordCodes.h"

#include <QThread>

void TfrmReport::DispatchRecord(bool preRead)
{
    switch (RecordCode) {
    case rcData:
    case rcTotals:
        if (preRead) {
            // Held back until the engine asks for the first detail row.
            PendingRecord = RecordRest;
            HasPendingRecord = true;
            if (RecordCode == rcTotals)
                HasGraph = false;
            break;
        }
        if (SectionBreakPending)
            HandleSectionBreak();
        if (RecordCode == rcData)
            m_body.DoData(RecordRest);
        else
            m_body.DoTotals(RecordRest);
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

    // Page header, footer and page numbers.
    case rcReportHeaderLine: DoTextLine(bndReportHeader, ReportHeaderLines, 9, RecordRest); break;
    case rcReplaceReportHeaderLine: DoReplaceReportHeaderLine(RecordRest); break;
    case rcClearReportHeader: ClearTextBand(bndReportHeader, ReportHeaderLines); break;
    case rcSubHeaderWidths: DoSubHeaderWidths(RecordRest); break;
    case rcSubHeaderCell: DoSubHeaderCell(RecordRest); break;
    case rcSubHeaderRepeat: {
        QByteArray rest = RecordRest;
        const QByteArray letter = NextField(rest);
        SubHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcClearSubHeader: DoClearSubHeader(); break;
    case rcUserHeaderRepeat: {
        QByteArray rest = RecordRest;
        const QByteArray letter = NextField(rest);
        UserHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcUserHeaderLine:
        UserHeaderOn = true;
        DoTextLine(bndUserHeader, UserHeaderLines, 14, RecordRest);
        break;
    case rcClearUserHeader: ClearTextBand(bndUserHeader, UserHeaderLines); break;
    case rcSubHeaderInfoLine: DoSubHeaderInfoLine(RecordRest); break;
    case rcClearSubHeaderInfo: ClearTextBand(bndSubHeaderInfo, SubHeaderInfoLines); break;
    case rcHeaderFooterRepeat: case rcHeaderFooterMacro: case rcUserDefHeaderStyle:
    case rcUserDefHeaderLine: case rcUserDefFooterStyle: case rcUserDefFooterLine:
        DoUserDefRecord(RecordCode, RecordRest);
        break;
    case rcReportFooterLine: DoTextLine(bndReportFooter, ReportFooterLines, 14, RecordRest); break;
    case rcClearReportFooter: ClearTextBand(bndReportFooter, ReportFooterLines); break;
    case rcPageNumberOn: DoPageNumberOn(RecordRest); break;
    case rcPageNumberOff:
        lblPageNumber->Visible = false;
        bndFooterInfo2.Enabled = false;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
        break;
    case rcRestartPageNumbers:
        if (SectionBreakPending)
            RestartPagesAtBreak = true;
        else
            PageCounter = 0;
        break;
    case rcPageHeaderItem: DoPageHeaderItem(RecordRest, preRead); break;
    case rcLogoExtension: LogoExt = QString::fromLatin1(RecordRest); break;

    // The run: sections, page columns, end of report.
    case rcSectionEnd: DoSectionEnd(); break;
    case rcPageColumns: DoPageColumns(RecordRest); break;
    case rcEndOfReport: DoEndOfReport(); break;

    // The body layout's records; the rest are read by the CSV export and the graph readers.
    default:
        m_body.Dispatch(RecordCode, RecordRest);
        break;
    }
}
