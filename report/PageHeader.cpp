// The page header's bands and controls, which record does what to them, and what the run
// does to them page by page.
#include "report/PageHeader.h"

#include "engine/ReportEngine.h"
#include "foundation/LanguageTable.h"
#include "report/RecordCodes.h"

TPageHeader::TPageHeader(TReportPage &page, const TBodyLayout &body)
    : m_page(page)
    , m_body(body)
{
    // The child-band chains above the body and of the page footer.
    m_bndHeaderInfo.Child = &m_bndSubHeaderInfo;
    m_bndSubHeaderInfo.Child = &m_bndUserHeader;
    m_bndUserHeader.Child = &m_bndUserDefHeader;
    m_bndUserDefHeader.Child = &m_bndReportHeader;
    m_bndReportHeader.Child = &m_bndSubHeader;
    m_bndFooterInfo.Child = &m_bndFooterInfo2;
    CreateControls();
}

void TPageHeader::CreateControls()
{
    m_mmoHeader = &m_bndUserDefHeader.Add(TItemKind::Memo, QStringLiteral("mmoHeader"));
    m_mmoFooter = &m_bndFooterInfo.Add(TItemKind::Memo, QStringLiteral("mmoFooter"));
    m_mmoFooter1 = &m_bndReportFooter.Add(TItemKind::Memo, QStringLiteral("mmoFooter1"));
    m_mmoFooter1->Top = 24;
    m_footerRule = &m_bndFooterInfo2.Add(TItemKind::Shape, QStringLiteral("FooterRule"));
    m_footerRule->Shape = TShapeKind::HorizontalLine;
    m_footerRule->Height = 1;
    m_footerRule->Enabled = false;
    m_lblPageNumber = &m_bndFooterInfo2.Add(TItemKind::Label, QStringLiteral("lblPageNumber"));
    m_lblPageNumber->Visible = false;
    m_lblPageNumber->AlignToBand = true;
}

bool TPageHeader::Dispatch(int code, const QByteArray &rest)
{
    switch (code) {
    case rcReportHeaderLine: DoTextLine(m_bndReportHeader, m_settings.ReportHeaderLines, 9, rest); break;
    case rcReplaceReportHeaderLine: DoReplaceReportHeaderLine(rest); break;
    case rcClearReportHeader: ClearTextBand(m_bndReportHeader, m_settings.ReportHeaderLines); break;
    case rcSubHeaderWidths: DoSubHeaderWidths(rest); break;
    case rcSubHeaderCell: DoSubHeaderCell(rest); break;
    case rcSubHeaderRepeat: {
        QByteArray fields = rest;
        const QByteArray letter = NextField(fields);
        m_settings.SubHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcClearSubHeader: DoClearSubHeader(); break;
    case rcUserHeaderRepeat: {
        QByteArray fields = rest;
        const QByteArray letter = NextField(fields);
        m_settings.UserHeaderRepeat = letter.isEmpty() ? ' ' : letter[0];
        break;
    }
    case rcUserHeaderLine:
        m_settings.UserHeaderOn = true;
        DoTextLine(m_bndUserHeader, m_settings.UserHeaderLines, 14, rest);
        break;
    case rcClearUserHeader: ClearTextBand(m_bndUserHeader, m_settings.UserHeaderLines); break;
    case rcSubHeaderInfoLine: DoSubHeaderInfoLine(rest); break;
    case rcClearSubHeaderInfo: ClearTextBand(m_bndSubHeaderInfo, m_settings.SubHeaderInfoLines); break;
    case rcHeaderFooterRepeat: case rcHeaderFooterMacro: case rcUserDefHeaderStyle:
    case rcUserDefHeaderLine: case rcUserDefFooterStyle: case rcUserDefFooterLine:
        DoUserDefRecord(code, rest);
        break;
    case rcReportFooterLine: DoTextLine(m_bndReportFooter, m_settings.ReportFooterLines, 14, rest); break;
    case rcClearReportFooter: ClearTextBand(m_bndReportFooter, m_settings.ReportFooterLines); break;
    case rcPageNumberOn: DoPageNumberOn(rest); break;
    case rcPageNumberOff: DoPageNumberOff(); break;
    case rcLogoExtension: m_settings.LogoExt = QString::fromLatin1(rest); break;
    default:
        return false;
    }
    return true;
}

void TPageHeader::DoPageNumberOff()
{
    m_lblPageNumber->Visible = false;
    m_bndFooterInfo2.Enabled = false;
    FooterChanged();
}

void TPageHeader::FooterChanged()
{
    if (m_engine)
        m_engine->RecomputeFooterSpace();
}

void TPageHeader::SectionBreak()
{
    if (m_bndUserHeader.Enabled || m_settings.UserHeaderRepeat == '1')
        m_bndUserHeader.Enabled = true;
    if (m_bndSubHeader.Enabled || m_settings.SubHeaderRepeat == '1')
        m_bndSubHeader.Enabled = true;
    if (m_bndUserDefHeader.Enabled || UserDefRepeat() == '1')
        m_bndUserDefHeader.Enabled = true;
}

void TPageHeader::NumberPage()
{
    ++m_pageCounter;
    m_lblPageNumber->Caption = FormatText(m_settings.PageNumberFormat, {QString::number(m_pageCounter)});
}

void TPageHeader::PlaceHeaderBlock()
{
    PlaceBlock(*m_mmoHeader, m_blocks.Header());
    m_bndUserDefHeader.Height = qMax(m_bndUserDefHeader.Height, m_mmoHeader->Bottom());
}

void TPageHeader::PlaceFooterBlock() { PlaceBlock(*m_mmoFooter, m_blocks.Footer()); }

void TPageHeader::ClearFooterBlock() { m_mmoFooter->Lines.clear(); }

void TPageHeader::PlaceReportFooterBlock() { PlaceBlock(*m_mmoFooter1, m_blocks.Footer()); }

void TPageHeader::ClearReportFooterBlock() { m_mmoFooter1->Lines.clear(); }
