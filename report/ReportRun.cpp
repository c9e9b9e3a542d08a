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
    engine.PageHeader = &bndHeaderInfo;
    engine.PageFooter = &bndFooterInfo;
    m_engine = &engine;
    store.Title = QFileInfo(m_fileName).completeBaseName();
    store.Orientation = m_page.PageSetup.Orientation;
    store.SetTemporaryFolder(m_temporaryFolder);
    if (!BuildPageHeader || SavedStyleRecords.isEmpty())
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
    if (UserDefRepeat() == '1') {
        ReportFooterDue = true;
        bndFooterInfo.Enabled = false;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
    }
}

void TfrmReport::DoEndOfReport()
{
    m_reportEnded = true;
    if (UserDefRepeat() != '0') {
        ReportFooterDue = true;
        bndFooterInfo.Enabled = false;
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
    if (bndUserHeader.Enabled || UserHeaderRepeat == '1')
        bndUserHeader.Enabled = true;
    if (bndSubHeader.Enabled || SubHeaderRepeat == '1')
        bndSubHeader.Enabled = true;
    if (bndUserDefHeader.Enabled || UserDefRepeat() == '1')
        bndUserDefHeader.Enabled = true;
    if (m_engine)
        m_engine->NewPage();
    SectionBreakPending = false;
    if (RestartPagesAtBreak) {
        PageCounter = 0;
        RestartPagesAtBreak = false;
    }
    ShadeCounter = -1;
    m_shadeNow = kDefaultShadeColour;
}

void TfrmReport::StartPage()
{
    bndReportFooter.Enabled = true;
    ReportFooterDue = false;
    bndFooterInfo.Enabled = UserDefRepeat() == '0';
    if (bndFooterInfo.Enabled) {
        bndFooterInfo.Height = FooterBandHeight;
        if (m_engine)
            m_engine->RecomputeFooterSpace();
    }
}

bool TfrmReport::BeforePrint(TBand &band)
{
    if (&band == &bndHeaderInfo)
        return true;
    if (&band == &bndSubHeaderInfo)
        return SubHeaderInfoOn;
    if (&band == &bndUserHeader)
        return UserHeaderOn;
    if (&band == &bndUserDefHeader) {
        const bool prints = HeaderBlock.Active && !HeaderInProgress && UserDefHeaderDue;
        if (prints) {
            PlaceBlock(*mmoHeader, HeaderBlock);
            band.Height = qMax(band.Height, mmoHeader->Bottom());
            HeaderInProgress = true;
        }
        if (FooterBlock.Active)
            PlaceBlock(*mmoFooter, FooterBlock);
        return prints;
    }
    if (&band == &bndReportHeader)
        return !HeaderBlock.ReplacesReportHeader && !HeaderInProgress && TitlesDue;
    if (&band == &bndSubHeader)
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
    if (&band == &bndReportFooter) {
        const bool block = FooterBlock.Active && ReportFooterDue;
        if (block)
            PlaceBlock(*mmoFooter1, FooterBlock);
        else
            mmoFooter1->Lines.clear();
        // Report footer lines (record 601) print at the section or report end too.
        return block || (ReportFooterLines > 0 && (ReportFooterDue || m_reportEnded));
    }
    if (&band == &bndFooterInfo) {
        if (!FooterBlock.Active || (!band.Enabled && UserDefRepeat() != '0'))
            mmoFooter->Lines.clear();
        else
            PlaceBlock(*mmoFooter, FooterBlock);
        return true;
    }
    if (&band == &bndFooterInfo2) {
        ++PageCounter;
        lblPageNumber->Caption = FormatText(PageNumberFormat, {QString::number(PageCounter)});
        return true;
    }
    return true;
}

void TfrmReport::AfterPrint(TBand &band, bool printed)
{
    if (&band == &bndUserHeader) {
        bndUserHeader.Enabled = UserHeaderRepeat == '0';
        return;
    }
    if (!printed)
        return;
    if (&band == &bndUserDefHeader) {
        bndUserDefHeader.Enabled = UserDefRepeat() == '0';
        HeaderInProgress = false;
        UserDefHeaderDue = false;
    } else if (&band == &bndReportHeader) {
        bndSubHeader.Enabled = bndSubHeader.Enabled || SubHeaderRepeat == '0';
    } else if (&band == &bndSubHeader) {
        bndSubHeader.Enabled = SubHeaderRepeat == '0';
    } else if (&band == &m_body.bndFields()) {
        UserDefHeaderDue = true;
        TitlesDue = true;
    } else if (&band == &m_body.bndTotals()) {
        m_body.TotalsPrinted();
        UserDefHeaderDue = true;
        TitlesDue = true;
    } else if (&band == &bndReportFooter) {
        bndReportFooter.Enabled = false;
    }
}
