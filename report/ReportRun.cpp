// The run of a report through the engine: which band prints when, section breaks, page
// columns and the shading of data rows.
#include "report/ReportRun.h"

#include "report/BodyLayout.h"
#include "report/PageHeader.h"
#include "report/RecordCodes.h"
#include "report/ReportPage.h"

TReportRun::TReportRun(TReportPage &page, TBodyLayout &body, TPageHeader &header)
    : m_page(page)
    , m_body(body)
    , m_header(header)
{
}

void TReportRun::Reset()
{
    m_shadeNow = kDefaultShadeColour;
    m_flags.SectionBreakPending = m_flags.RestartPagesAtBreak = false;
    m_flags.PageColumns = 1;
    m_page.PageSetup.Columns = 1;
    m_page.PageSetup.ColumnsRightToLeft = false;
}

void TReportRun::Prepare(bool blankForm)
{
    m_flags.HeaderInProgress = false;
    m_flags.UserDefHeaderDue = true;
    m_flags.TitlesDue = true;
    if (blankForm)
        m_flags.BlankFormPassDue = true;
}

bool TReportRun::Dispatch(int code, const QByteArray &rest)
{
    switch (code) {
    case rcSectionEnd: DoSectionEnd(); break;
    case rcPageColumns: DoPageColumns(rest); break;
    case rcEndOfReport: DoEndOfReport(); break;
    case rcRestartPageNumbers:
        if (m_flags.SectionBreakPending)
            m_flags.RestartPagesAtBreak = true;
        else
            m_header.RestartPageNumbers();
        break;
    default:
        return false;
    }
    return true;
}

void TReportRun::BeforeRow()
{
    if (m_flags.SectionBreakPending)
        HandleSectionBreak();
}

void TReportRun::Begin(TReportEngine &engine)
{
    m_page.PageSetup.Columns = m_flags.PageColumns;
    m_page.PageSetup.ColumnSpacing = m_flags.PageColumns > 1 ? kColumnGap : 0;
    m_page.PageSetup.ColumnsRightToLeft = m_page.RightToLeft;
    engine.SetPageSetup(m_page.PageSetup);
    engine.SetPageBands(&m_header.bndHeaderInfo(), &m_header.bndFooterInfo());
    m_engine = &engine;
    m_header.AttachEngine(&engine);
    m_flags.ShadeCounter = -1;
    m_shadeNow = kDefaultShadeColour;
    m_reportEnded = false;
}

void TReportRun::PrintBlankRow()
{
    m_flags.BlankFormPassDue = false;
    m_blankPass = true;
    m_recordCode = 0;
    m_engine->PrintBand(m_body.bndFields());
    m_blankPass = false;
}

void TReportRun::PrintRow() { m_engine->PrintBand(m_body.bndFields()); }

void TReportRun::End()
{
    m_blankPass = false;
    m_engine->Finish();
    m_engine = nullptr;
    m_header.AttachEngine(nullptr);
}

void TReportRun::FooterChanged()
{
    if (m_engine)
        m_engine->RecomputeFooterSpace();
}

void TReportRun::DoSectionEnd()
{
    m_flags.SectionBreakPending = true;
    if (m_header.UserDefRepeat() == '1') {
        m_flags.ReportFooterDue = true;
        m_header.bndFooterInfo().Enabled = false;
        FooterChanged();
    }
}

void TReportRun::DoEndOfReport()
{
    m_reportEnded = true;
    if (m_header.UserDefRepeat() != '0') {
        m_flags.ReportFooterDue = true;
        m_header.bndFooterInfo().Enabled = false;
        FooterChanged();
    }
}

void TReportRun::DoPageColumns(QByteArray rest)
{
    m_flags.PageColumns = qBound(1, NextInt(rest, 1), 9);
    m_page.PageSetup.Columns = m_flags.PageColumns;
    m_page.PageSetup.ColumnSpacing = m_flags.PageColumns > 1 ? kColumnGap : 0;
}

void TReportRun::HandleSectionBreak()
{
    m_header.SectionBreak();
    if (m_engine)
        m_engine->NewPage();
    m_flags.SectionBreakPending = false;
    if (m_flags.RestartPagesAtBreak) {
        m_header.RestartPageNumbers();
        m_flags.RestartPagesAtBreak = false;
    }
    m_flags.ShadeCounter = -1;
    m_shadeNow = kDefaultShadeColour;
}

// Every ShadeInterval rows the background turns from white to the shading colour or back.
void TReportRun::ShadeDataRow()
{
    ++m_flags.ShadeCounter;
    if (m_flags.ShadeCounter % qMax(1, m_body.ShadeInterval()) == 0) {
        m_shadeNow = m_shadeNow == clWhite ? m_body.ShadeColour() : clWhite;
        m_flags.ShadeCounter = 0;
    }
    m_body.shpDataBackground().BrushColor = m_shadeNow;
}

void TReportRun::StartPage()
{
    TBand &footer = m_header.bndFooterInfo();
    m_header.bndReportFooter().Enabled = true;
    m_flags.ReportFooterDue = false;
    footer.Enabled = m_header.UserDefRepeat() == '0';
    if (footer.Enabled) {
        footer.Height = m_header.Settings().FooterBandHeight;
        FooterChanged();
    }
}

bool TReportRun::BeforePrint(TBand &band)
{
    TPageHeader &h = m_header;
    if (&band == &h.bndHeaderInfo())
        return true;
    if (&band == &h.bndSubHeaderInfo())
        return h.Settings().SubHeaderInfoOn;
    if (&band == &h.bndUserHeader())
        return h.Settings().UserHeaderOn;
    if (&band == &h.bndUserDefHeader()) {
        const bool prints = h.HeaderBlock().Active() && !m_flags.HeaderInProgress && m_flags.UserDefHeaderDue;
        if (prints) {
            h.PlaceHeaderBlock();
            m_flags.HeaderInProgress = true;
        }
        if (h.FooterBlock().Active())
            h.PlaceFooterBlock();
        return prints;
    }
    if (&band == &h.bndReportHeader())
        return !h.HeaderBlock().ReplacesReportHeader() && !m_flags.HeaderInProgress && m_flags.TitlesDue;
    if (&band == &h.bndSubHeader())
        return !m_flags.HeaderInProgress && m_flags.TitlesDue;
    if (&band == &m_body.bndTitles()) {
        const bool prints = !m_flags.HeaderInProgress && m_flags.TitlesDue;
        if (prints)
            m_flags.TitlesDue = false;
        return prints;
    }
    if (&band == &m_body.bndFields()) {
        const bool prints = m_recordCode == rcData || m_blankPass;
        if (prints && m_body.shpDataBackground().Visible)
            ShadeDataRow();
        return prints;
    }
    if (&band == &m_body.bndTotals())
        return m_recordCode == rcTotals && !m_blankPass;
    if (&band == &h.bndReportFooter()) {
        const bool block = h.FooterBlock().Active() && m_flags.ReportFooterDue;
        if (block)
            h.PlaceReportFooterBlock();
        else
            h.ClearReportFooterBlock();
        // Report footer lines (record 601) print at the section or report end too.
        return block || (h.Settings().ReportFooterLines > 0 && (m_flags.ReportFooterDue || m_reportEnded));
    }
    if (&band == &h.bndFooterInfo()) {
        if (!h.FooterBlock().Active() || (!band.Enabled && h.UserDefRepeat() != '0'))
            h.ClearFooterBlock();
        else
            h.PlaceFooterBlock();
        return true;
    }
    if (&band == &h.bndFooterInfo2()) {
        h.NumberPage();
        return true;
    }
    return true;
}

void TReportRun::AfterPrint(TBand &band, bool printed)
{
    TPageHeader &h = m_header;
    if (&band == &h.bndUserHeader()) {
        band.Enabled = h.Settings().UserHeaderRepeat == '0';
        return;
    }
    if (!printed)
        return;
    if (&band == &h.bndUserDefHeader()) {
        band.Enabled = h.UserDefRepeat() == '0';
        m_flags.HeaderInProgress = false;
        m_flags.UserDefHeaderDue = false;
    } else if (&band == &h.bndReportHeader()) {
        h.bndSubHeader().Enabled = h.bndSubHeader().Enabled || h.Settings().SubHeaderRepeat == '0';
    } else if (&band == &h.bndSubHeader()) {
        band.Enabled = h.Settings().SubHeaderRepeat == '0';
    } else if (&band == &m_body.bndFields()) {
        m_flags.UserDefHeaderDue = true;
        m_flags.TitlesDue = true;
    } else if (&band == &m_body.bndTotals()) {
        m_body.TotalsPrinted();
        m_flags.UserDefHeaderDue = true;
        m_flags.TitlesDue = true;
    } else if (&band == &h.bndReportFooter()) {
        band.Enabled = false;
    }
}
