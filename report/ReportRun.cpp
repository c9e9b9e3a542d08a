// The generation run: the need-data loop that reads one record per detail step, section
// breaks, page starts and the print conditions of every band.
#include "report/ReportForm.h"

#include "engine/PageStore.h"
#include "foundation/LanguageTable.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"

#include <QFileInfo>
#include <utility>

void TfrmReport::GeneratePages(TPageStore &store, TReportRunObserver &observer)
{
    TReportEngine engine(store, *this);
    m_page.PageSetup.Columns = PageColumns;
    m_page.PageSetup.ColumnSpacing = PageColumns > 1 ? kColumnGap : 0;
    m_page.PageSetup.ColumnsRightToLeft = m_page.RightToLeft;
    engine.Setup = m_page.PageSetup;
    engine.PageHeader = &m_header.bndHeaderInfo();
    engine.PageFooter = &m_header.bndFooterInfo();
    m_engine = &engine;
    m_header.AttachEngine(&engine);
    store.Title = QFileInfo(m_fileName).completeBaseName();
    store.Orientation = m_page.PageSetup.Orientation;
    store.SetTemporaryFolder(m_temporaryFolder);
    if (!m_header.Settings().BuildPageHeader || m_header.SavedStyleRecords().isEmpty())
        WritePageHeaderRecords();
    ShadeCounter = -1;
    m_shadeNow = kDefaultShadeColour;
    m_reportEnded = false;

    if (BlankFormPassDue && !observer.Cancelled()) {
        // A blank form prints one empty data row.
        BlankFormPassDue = false;
        m_blankPass = true;
        m_recordCode = 0;
        engine.PrintBand(m_body.bndFields());
    }
    m_blankPass = false;
    // The record the pre-read held back comes first, then the rest of the file.
    if (m_hasPendingRecord && !observer.Cancelled()) {
        m_hasPendingRecord = false;
        PrintRecord(m_pendingCode, std::exchange(m_pendingRecord, QByteArray()));
        observer.Progress(m_reader->PercentRead());
    }
    if (m_reader->IsOpen())
        WalkRecords(*m_reader, &observer, [this](int code, const QByteArray &rest) { PrintRecord(code, rest); });
    m_blankPass = false;
    engine.Finish();
    m_reader->Close();
    m_engine = nullptr;
    m_header.AttachEngine(nullptr);
    observer.Progress(100);
    store.SetFinished();
    observer.ReportDone(HasGraph);
}

void TfrmReport::PrintRecord(int code, const QByteArray &rest)
{
    if (m_recordWatcher)
        m_recordWatcher(code, rest);
    DispatchRecord(code, rest, false);
    m_engine->PrintBand(m_body.bndFields());
}

void TfrmReport::DoSectionEnd()
{
    SectionBreakPending = true;
    if (m_header.UserDefRepeat() == '1') {
        ReportFooterDue = true;
        m_header.bndFooterInfo().Enabled = false;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
    }
}

void TfrmReport::DoEndOfReport()
{
    m_reportEnded = true;
    if (m_header.UserDefRepeat() != '0') {
        ReportFooterDue = true;
        m_header.bndFooterInfo().Enabled = false;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
    }
}

void TfrmReport::DoPageColumns(QByteArray rest)
{
    PageColumns = qBound(1, NextInt(rest, 1), 9);
    m_page.PageSetup.Columns = PageColumns;
    m_page.PageSetup.ColumnSpacing = PageColumns > 1 ? kColumnGap : 0;
}

void TfrmReport::HandleSectionBreak()
{
    m_header.SectionBreak();
    if (m_engine)
        m_engine->NewPage();
    SectionBreakPending = false;
    if (RestartPagesAtBreak) {
        m_header.RestartPageNumbers();
        RestartPagesAtBreak = false;
    }
    ShadeCounter = -1;
    m_shadeNow = kDefaultShadeColour;
}

void TfrmReport::StartPage()
{
    TBand &footer = m_header.bndFooterInfo();
    m_header.bndReportFooter().Enabled = true;
    ReportFooterDue = false;
    footer.Enabled = m_header.UserDefRepeat() == '0';
    if (footer.Enabled) {
        footer.Height = m_header.Settings().FooterBandHeight;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
    }
}

bool TfrmReport::BeforePrint(TBand &band)
{
    TPageHeader &h = m_header;
    if (&band == &h.bndHeaderInfo())
        return true;
    if (&band == &h.bndSubHeaderInfo())
        return h.Settings().SubHeaderInfoOn;
    if (&band == &h.bndUserHeader())
        return h.Settings().UserHeaderOn;
    if (&band == &h.bndUserDefHeader()) {
        const bool prints = h.HeaderBlock().Active && !HeaderInProgress && UserDefHeaderDue;
        if (prints) {
            h.PlaceHeaderBlock();
            HeaderInProgress = true;
        }
        if (h.FooterBlock().Active)
            h.PlaceFooterBlock();
        return prints;
    }
    if (&band == &h.bndReportHeader())
        return !h.HeaderBlock().ReplacesReportHeader && !HeaderInProgress && TitlesDue;
    if (&band == &h.bndSubHeader())
        return !HeaderInProgress && TitlesDue;
    if (&band == &m_body.bndTitles()) {
        const bool prints = !HeaderInProgress && TitlesDue;
        if (prints)
            TitlesDue = false;
        return prints;
    }
    if (&band == &m_body.bndFields()) {
        const bool prints = m_recordCode == rcData || m_blankPass;
        if (prints && m_body.shpDataBackground().Visible) {
            ++ShadeCounter;
            if (ShadeCounter % qMax(1, m_body.ShadeInterval()) == 0) {
                m_shadeNow = m_shadeNow == clWhite ? m_body.ShadeColour() : clWhite;
                ShadeCounter = 0;
            }
            m_body.shpDataBackground().BrushColor = m_shadeNow;
        }
        return prints;
    }
    if (&band == &m_body.bndTotals())
        return m_recordCode == rcTotals && !m_blankPass;
    if (&band == &h.bndReportFooter()) {
        const bool block = h.FooterBlock().Active && ReportFooterDue;
        if (block)
            h.PlaceReportFooterBlock();
        else
            h.ClearReportFooterBlock();
        // Report footer lines (record 601) print at the section or report end too.
        return block || (h.Settings().ReportFooterLines > 0 && (ReportFooterDue || m_reportEnded));
    }
    if (&band == &h.bndFooterInfo()) {
        if (!h.FooterBlock().Active || (!band.Enabled && h.UserDefRepeat() != '0'))
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

void TfrmReport::AfterPrint(TBand &band, bool printed)
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
        HeaderInProgress = false;
        UserDefHeaderDue = false;
    } else if (&band == &h.bndReportHeader()) {
        h.bndSubHeader().Enabled = h.bndSubHeader().Enabled || h.Settings().SubHeaderRepeat == '0';
    } else if (&band == &h.bndSubHeader()) {
        band.Enabled = h.Settings().SubHeaderRepeat == '0';
    } else if (&band == &m_body.bndFields()) {
        UserDefHeaderDue = true;
        TitlesDue = true;
    } else if (&band == &m_body.bndTotals()) {
        m_body.TotalsPrinted();
        UserDefHeaderDue = true;
        TitlesDue = true;
    } else if (&band == &h.bndReportFooter()) {
        band.Enabled = false;
    }
}
