// Text pages: totals lines with their group captions and rules (records 300, 301, 303).
#include "export/TxtPage.h"

#include "foundation/Numbers.h"
#include "foundation/VisualHebrew.h"
#include "report/RecordStream.h"

#include <algorithm>

namespace {
QByteArray spaces(qsizetype n) { return QByteArray(std::max<qsizetype>(n, 0), ' '); }
}

void TTxtPage::ruleDefinition(QByteArray fields)
{
    if (Options.DataOnly || ReportStyle == '2')
        return;
    const QByteArray kind = NextField(fields);
    const int first = std::clamp(NextInt(fields), 0, kMaxExportColumns + 1);
    const int last = std::clamp(NextInt(fields), 0, kMaxExportColumns + 1);
    QByteArray rule;
    if (first >= 1 && first <= ColumnCount && last >= 1 && last <= ColumnCount) {
        const int before = RightToLeft ? widthSum(last + 1, ColumnCount) : widthSum(1, first - 1);
        rule = spaces(before) + QByteArray(std::max(widthSum(first, last) - 1, 0), '-');
    } else {
        rule = QByteArray(std::max(PageWidth - 1, 0), '-');
    }
    const char k = kind.isEmpty() ? ' ' : kind[0];
    if (k == '0' || k == '2')
        m_ruleAbove = rule;
    if (k == '1' || k == '2')
        m_ruleBelow = rule;
}

void TTxtPage::groupCaption(QByteArray fields)
{
    if (Options.DataOnly)
        return;
    NextField(fields); // slot
    const int first = std::clamp(NextInt(fields), 0, kMaxExportColumns + 1);
    const int last = std::clamp(NextInt(fields), 0, kMaxExportColumns + 1);
    const int offset = std::clamp(NextInt(fields), 0, 6 * kMaxTxtPageWidth);
    NextField(fields); // alignment
    QByteArray caption = NextField(fields);

    int indent = RoundHalfEven(offset / 6.0);
    if (indent > 0 && (first != m_lastCaptionFirst || last != m_lastCaptionLast))
        indent = Columns[1].Width;
    m_lastCaptionFirst = first;
    m_lastCaptionLast = last;

    if (m_groupOpen) {
        // A further caption before the totals line: its text as a second cell.
        if (!m_hasSecondCaption) {
            m_totalsCells.append(caption);
            m_hasSecondCaption = true;
        }
        return;
    }
    m_totalsCells.clear();
    m_groupOpen = true;
    m_hasSecondCaption = false;
    m_groupFirst = first;
    m_groupLast = last;

    if (RightToLeft)
        caption = Options.AsciiDos ? ToVisual(caption) : caption;
    const QByteArray lead = spaces(first == 1 ? indent : widthSum(1, first - 1));
    QByteArray cell = RightToLeft ? caption + lead : lead + caption;
    const int span = widthSum(1, last);
    cell = cell.left(std::max(span - 1, 0));
    cell = RightToLeft ? spaces(span - 1 - cell.size()) + cell : cell + spaces(span - cell.size());
    m_totalsCells.append(cell);
}

void TTxtPage::totalsLine(QByteArray fields)
{
    if (Options.DataOnly)
        return;
    const bool fullRule = NextField(fields) == "Y";
    QByteArray secondCaption;
    const bool hasSecond = m_hasSecondCaption && m_totalsCells.size() > 1;
    if (hasSecond)
        secondCaption = m_totalsCells.takeLast();
    const int groupLast = m_groupOpen ? m_groupLast : 0;

    int column = 1;
    while (!fields.isEmpty() && column <= kMaxExportColumns) {
        const QByteArray total = NextField(fields);
        if (!total.isEmpty())
            m_totalsCells.append(PadCell(column, Options.AsciiDos ? ToVisual(total) : total));
        else if (column > groupLast)
            m_totalsCells.append(spaces(Columns[column].Width));
        ++column;
    }
    if (RightToLeft) {
        column = std::max(column, groupLast + 1);
        if (hasSecond)
            m_totalsCells.append(PadCell(column++, secondCaption));
        for (; column <= ColumnCount; ++column)
            m_totalsCells.append(spaces(Columns[column].Width));
    } else if (hasSecond) {
        m_totalsCells.append(secondCaption);
    }

    QByteArray line;
    if (RightToLeft) {
        for (qsizetype i = m_totalsCells.size() - 1; i >= 0; --i) {
            line += m_totalsCells[i];
            if (i > 0)
                line += kSegmentSeparator;
        }
    } else {
        for (const QByteArray &cell : std::as_const(m_totalsCells))
            line += cell;
    }
    if (Options.AsciiDos)
        line = StripSeparators(line);
    if (m_totalsCells.isEmpty())
        line = " ";

    if (!m_ruleAbove.isEmpty())
        addLine(m_ruleAbove);
    if (fullRule)
        addLine(QByteArray(std::max(PageWidth - 1, 0), '-'));
    addLine(line);
    if (!m_ruleBelow.isEmpty())
        addLine(m_ruleBelow);

    // Captions and rules belong to one totals line.
    m_totalsCells.clear();
    m_groupOpen = false;
    m_hasSecondCaption = false;
    m_ruleAbove.clear();
    m_ruleBelow.clear();
}
