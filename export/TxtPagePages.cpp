// Text pages: adding lines, the page events of each repeat mode and writing a page.
#include "export/TxtPage.h"

#include "export/LineWriter.h"
#include "foundation/Codepages.h"
#include "foundation/LanguageTable.h"
#include "foundation/VisualHebrew.h"
#include "report/RecordStream.h"

#include <algorithm>

namespace {

constexpr int kPageNumberText = 112;

QByteArray spaces(qsizetype n) { return QByteArray(std::max<qsizetype>(n, 0), ' '); }

} // namespace

// Lines the page holds: the body and, unless data only, the header parts; and the footer
// block with its two spacing lines until the footer was moved off the page.
int TTxtPage::lineCount(bool withFooter) const
{
    qsizetype count = m_body.size();
    if (!Options.DataOnly) {
        if (headerOn())
            count += HeaderBlock.LineCount() + 2;
        if (!HeaderBlock.ReplacesReportHeader())
            count += m_reportHeaderBlock.size() + 1;
        if (!m_subHeaderTable.isEmpty())
            count += m_subHeaderTable.size() + 1;
        count += TitleRowCount + 1;
    }
    if (withFooter && !m_footerOverflow)
        count += FooterBlock.LineCount() + 2;
    return int(count);
}

void TTxtPage::addLine(const QByteArray &line)
{
    if (m_endAtNextLine) {
        m_endAtNextLine = false;
        endPage();
    }
    if (m_partsStale || m_subHeaderStale || !m_headerUsed)
        buildParts();
    m_body.append(line);
    m_pageEmpty = false;
    m_sectionEnded = false; // a line after a section end belongs to the next section
    m_reportEnded = false;
    if (!Options.Continuous() && lineCount(true) >= Options.LinesInPage)
        pageFilled();
}

void TTxtPage::pageFilled()
{
    switch (UserDefRepeat) {
    case '9':
        writePage();
        startPage();
        break;
    case '0':
        placeFooter();
        writePage();
        startPage();
        break;
    case '1':
    case '2':
        // The footer's room is given to the body first; the footer follows at the section end.
        if (m_footerOverflow || FooterBlock.LineCount() == 0) {
            endPage();
        } else {
            m_footerOverflow = true;
        }
        break;
    default:
        break; // the page grows
    }
}

void TTxtPage::sectionEnd()
{
    switch (UserDefRepeat) {
    case '9':
        writePage();
        startPage();
        break;
    case '0':
    case '1':
        placeFooter();
        writePage();
        startPage();
        m_sectionEnded = true;
        break;
    default:
        if (Options.LinesInPage < m_body.size() + FooterBlock.LineCount())
            endPage();
        else
            m_endAtNextLine = true;
        break;
    }
}

void TTxtPage::reportEnd()
{
    if (m_reportEnded)
        return;
    switch (UserDefRepeat) {
    case '9':
        if (!m_body.isEmpty())
            writePage();
        break;
    case '0':
    case '1':
        if (!m_sectionEnded) {
            placeFooter();
            writePage();
        }
        break;
    default:
        m_endAtNextLine = false;
        m_leaveHeaderOut = Options.Continuous();
        placeFooter();
        writePage();
        m_leaveHeaderOut = false;
        break;
    }
    // What was written is done with: a later part of the report starts on a page of its own.
    m_body.clear();
    m_pageEmpty = true;
    m_reportEnded = true;
}

void TTxtPage::Finish()
{
    if (!m_body.isEmpty() || m_endAtNextLine)
        reportEnd();
}

void TTxtPage::endPage()
{
    writePage();
    m_body.clear();
    m_pageEmpty = true;
    HeaderBlock.SetOnPage(false);
    m_footerOverflow = false;
}

void TTxtPage::startPage()
{
    m_body.clear();
    if (UserDefRepeat != '9') {
        m_pageEmpty = true;
        HeaderBlock.SetOnPage(true);
        m_footerOverflow = false;
        m_sectionEnded = false;
    }
}

void TTxtPage::placeFooter()
{
    if (!Options.Continuous() && Options.LinesInPage < FooterBlock.LineCount() + lineCount(false)) {
        endPage();
        m_footerOverflow = true;
    }
    FooterBlock.SetOnPage(true);
}

void TTxtPage::writePage()
{
    const bool footerOn = FooterBlock.Active() && FooterBlock.OnPage();
    FooterBlock.SetOnPage(false); // the footer goes onto the page it was placed for only
    if (m_body.isEmpty() && !Options.Continuous() && !m_footerOverflow)
        return;
    if (m_partsStale || m_subHeaderStale || !m_headerUsed)
        buildParts();

    if (!SubHeaderInfo.isEmpty() && !Options.DataOnly) {
        QByteArray info = SubHeaderInfo;
        for (int i = 0; i < 4; ++i)
            NextField(info);
        info = NextField(info);
        if (Options.AsciiDos)
            info = StripSeparators(ToVisual(info));
        if (RightToLeft)
            info = spaces(PageWidth - info.size() - 1) + info;
        m_target.WriteLine(info);
    }
    if (!Options.DataOnly && !m_leaveHeaderOut) {
        if (headerOn()) {
            for (const QByteArray &line : HeaderBlock.RenderText(Options.AsciiDos))
                m_target.WriteLine(line);
            m_target.WriteLine(" ");
            m_target.WriteLine(" ");
        }
        if (!m_reportHeaderBlock.isEmpty() && !HeaderBlock.ReplacesReportHeader()) {
            for (const QByteArray &line : std::as_const(m_reportHeaderBlock))
                m_target.WriteLine(line);
            m_target.WriteLine(" ");
        }
        if (!m_subHeaderTable.isEmpty()) {
            for (const QByteArray &line : std::as_const(m_subHeaderTable))
                m_target.WriteLine(line);
            m_target.WriteLine(" ");
            m_subHeaderTable.clear(); // on the first page only
        }
        for (const QByteArray &line : std::as_const(m_titleBlock))
            m_target.WriteLine(line);
    }
    for (const QByteArray &line : std::as_const(m_body))
        m_target.WriteLine(line);
    if (!Options.DataOnly && footerOn) {
        m_target.WriteLine(" ");
        m_target.WriteLine(" ");
        for (const QByteArray &line : FooterBlock.RenderText(Options.AsciiDos))
            m_target.WriteLine(line);
    }

    if (Options.DataOnly || Options.Continuous()) {
        m_target.WriteLine(QByteArray());
        return;
    }
    QByteArray number = ToWin1255(FormatText(LookupText(kPageNumberText), {QString::number(PageNumber)}));
    if (Options.AsciiDos)
        number = StripSeparators(ToVisual(number));
    if (!RightToLeft)
        number = spaces(PageWidth - number.size() - 1) + number;
    m_target.WriteLine(number);
    if (Options.PageBreak == pbEmptyLine)
        m_target.WriteLine(" ");
    else if (Options.PageBreak == pbFormFeed)
        m_target.WriteLine("\f");
    ++PageNumber;
}
