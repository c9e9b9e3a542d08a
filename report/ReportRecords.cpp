// The record dispatcher of the report form: which record does what.
#include "report/ReportForm.h"

#include "report/RecordCodes.h"

#include <QThread>

void TfrmReport::DispatchRecord(int code, const QByteArray &rest, bool preRead)
{
    m_recordCode = code;
    switch (code) {
    case rcData:
    case rcTotals:
        if (preRead) {
            // Held back until the engine asks for the first detail row.
            m_pendingCode = code;
            m_pendingRecord = rest;
            m_hasPendingRecord = true;
            if (code == rcTotals)
                HasGraph = false;
            break;
        }
        if (SectionBreakPending)
            HandleSectionBreak();
        if (code == rcData)
            m_body.DoData(rest);
        else
            m_body.DoTotals(rest);
        break;
    case rcGraphField:
        HasGraph = true;
        break;
    case rcTrafficGraph:
        IsTrafficGraph = true;
        break;
    case rcOrientation:
        ApplyOrientation(rest);
        break;

    // Page header, footer and page numbers.
    case rcReportHeaderLine: DoTextLine(bndReportHeader, ReportHeaderLines, 9, rest); break;
    case rcReplaceReportHeaderLine: DoReplaceReportHeaderLine(rest); break;
    case rcClearReportHeader: ClearTextBand(bndReportHeader, ReportHeaderLines); break;
    case rcSubHeaderWidths: DoSubHeaderWidths(rest); break;
    case rcSubHeaderCell: DoSubHeaderCell(rest); break;
    case rcSubHeaderRepeat: {
        QByteArray fields = rest;
        const QByteArray letter = NextField(fields);
        SubHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcClearSubHeader: DoClearSubHeader(); break;
    case rcUserHeaderRepeat: {
        QByteArray fields = rest;
        const QByteArray letter = NextField(fields);
        UserHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcUserHeaderLine:
        UserHeaderOn = true;
        DoTextLine(bndUserHeader, UserHeaderLines, 14, rest);
        break;
    case rcClearUserHeader: ClearTextBand(bndUserHeader, UserHeaderLines); break;
    case rcSubHeaderInfoLine: DoSubHeaderInfoLine(rest); break;
    case rcClearSubHeaderInfo: ClearTextBand(bndSubHeaderInfo, SubHeaderInfoLines); break;
    case rcHeaderFooterRepeat: case rcHeaderFooterMacro: case rcUserDefHeaderStyle:
    case rcUserDefHeaderLine: case rcUserDefFooterStyle: case rcUserDefFooterLine:
        DoUserDefRecord(code, rest);
        break;
    case rcReportFooterLine: DoTextLine(bndReportFooter, ReportFooterLines, 14, rest); break;
    case rcClearReportFooter: ClearTextBand(bndReportFooter, ReportFooterLines); break;
    case rcPageNumberOn: DoPageNumberOn(rest); break;
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
    case rcPageHeaderItem: DoPageHeaderItem(rest, preRead); break;
    case rcLogoExtension: LogoExt = QString::fromLatin1(rest); break;

    // The run: sections, page columns, end of report.
    case rcSectionEnd: DoSectionEnd(); break;
    case rcPageColumns: DoPageColumns(rest); break;
    case rcEndOfReport: DoEndOfReport(); break;

    // The body layout's records; the rest are read by the CSV export and the graph readers.
    default:
        m_body.Dispatch(code, rest);
        break;
    }
}
