// The body records: column count and widths, titles, data and totals rows, their spacing,
// lines and alignment, text styles, table styles and the reading direction.
#include "report/BodyLayout.h"

#include "foundation/Codepages.h"
#include "foundation/Numbers.h"
#include "report/FastText.h"
#include "report/RecordCodes.h"
#include "report/TextMeasurer.h"

#include <cctype>

bool TBodyLayout::Dispatch(int code, const QByteArray &rest)
{
    switch (code) {
    case rcColumnCount: DoColumnCount(rest); break;
    case rcColumnWidths: DoColumnWidths(rest); break;
    case rcDataAlignment: DoDataAlignment(rest); break;
    case rcDataSpacing: DoDataSpacing(rest); break;
    case rcDataLines: DoDataLines(rest); break;
    case rcChangeColumnCount: DoChangeColumnCount(rest); break;
    case rcNarrowColumn: DoNarrowColumn(rest); break;
    case rcTitles: DoTitles(rest); break;
    case rcTitleAlignment: DoTitleAlignment(rest); break;
    case rcTitleRowCount: DoTitleRowCount(rest); break;
    case rcTitleSpacing: DoTitleSpacing(rest); break;
    case rcSpanTitle: DoSpanTitle(rest); break;
    case rcTotalCaption: DoTotalCaption(rest); break;
    case rcTotalSpacing: DoTotalSpacing(rest); break;
    case rcTotalLines: DoTotalLines(rest); break;
    case rcTotalStyle: DoTotalStyle(rest); break;
    case rcTextStyle: DoTextStyle(rest); break;
    case rcTableStyle: DoTableStyle(rest); break;
    case rcColumnBlockAlign: {
        QByteArray fields = rest;
        m_columnBlockAlign = AlignmentFromLetter(NextField(fields), m_page.RightToLeft);
        break;
    }
    case rcRightToLeft: DoRightToLeft(); break;
    case rcDotLeader: {
        QByteArray fields = rest;
        const int c = NextInt(fields);
        if (c >= 1 && c <= kMaxColumns)
            m_dotLeader[size_t(c)] = true;
        break;
    }
    default:
        return false;
    }
    return true;
}

void TBodyLayout::DoColumnCount(QByteArray rest)
{
    m_columnCount = qBound(0, NextInt(rest), kMaxColumns);
    for (int c = 1; c <= m_columnCount; ++c) {
        for (int r = 1; r <= m_titleRowCount; ++r)
            m_columns[c].Title[r]->Enabled = true;
        m_columns[c].Data->Visible = true;
        m_columns[c].Total->Visible = true;
        m_columns[c].TotalRule->Enabled = true;
    }
}

void TBodyLayout::DoChangeColumnCount(QByteArray rest)
{
    const int n = qBound(0, NextInt(rest), kMaxColumns);
    auto setEnabled = [this](int from, int to, bool enabled) {
        for (int c = from; c <= to; ++c) {
            TColumn &col = m_columns[c];
            for (int r = 1; r <= m_titleRowCount; ++r)
                col.Title[r]->Enabled = enabled;
            for (TBandItem *item : {col.TitleRule, col.Data, col.Total, col.TotalRule})
                item->Enabled = enabled;
        }
    };
    if (n > m_columnCount)
        setEnabled(m_columnCount + 1, n, true);
    else if (n < m_columnCount)
        setEnabled(n + 1, m_columnCount, false);
    m_columnCount = n;
}

void TBodyLayout::DoColumnWidths(QByteArray rest)
{
    m_totalWidth = 0;
    for (int c = 1; c <= m_columnCount; ++c) {
        const QByteArray field = NextField(rest);
        if (!field.isEmpty()) {
            const char kind = char(std::toupper(static_cast<unsigned char>(field[0])));
            const TFontSpec &font = m_columns[c].Data->Font;
            int width;
            if (kind == 'C') {
                const int k = qBound(0, FieldToInt(field.mid(1)), kMaxPixels);
                width = RoundHalfEven(m_page.Measurer->TextWidth(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), font) / 26.0 * k) + 4;
                width = qMin(width, kMaxPixels); // ten thousand letters of a large font
            } else if (kind == 'D') {
                width = qMin(RoundHalfEven(DigitsWidth(font, qBound(0, FieldToInt(field.mid(1)), kMaxPixels))) + 4, kMaxPixels);
            } else {
                width = qBound(-kMaxPixels, FieldToInt(field), kMaxPixels);
            }
            SetColumnWidth(c, width);
        }
        m_totalWidth += m_columns[c].Width + kColumnGap;
    }
    const int bandWidth = m_page.PageSetup.ColumnWidth();
    if (m_columnCount > 0 && bandWidth < m_totalWidth) {
        const int cut = RoundHalfEven(double(m_totalWidth - bandWidth + 5) / m_columnCount);
        m_totalWidth = 0;
        for (int c = 1; c <= m_columnCount; ++c) {
            SetColumnWidth(c, qMax(0, m_columns[c].Width - cut));
            m_totalWidth += m_columns[c].Width + kColumnGap;
        }
    }
    PlaceColumns();
}

void TBodyLayout::DoDataAlignment(QByteArray rest)
{
    for (int c = 1; c <= m_columnCount; ++c) {
        const TAlignment a = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
        m_columns[c].Data->Alignment = a;
        m_columns[c].Total->Alignment = a;
    }
}

void TBodyLayout::DoDataSpacing(QByteArray rest)
{
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    for (int c = 1; c <= kMaxColumns; ++c) {
        m_columns[c].Data->SpaceBefore = before;
        m_columns[c].Data->SpaceAfter = after;
    }
    LayoutData();
}

void TBodyLayout::DoDataLines(QByteArray rest)
{
    if (m_reportStyle == '2')
        return;
    const QByteArray field = NextField(rest);
    const char letter = field.isEmpty() ? 0 : field[0];
    m_dataTopLine->Visible = letter == '0' || letter == '2';
    m_dataBottomLine->Visible = letter == '1' || letter == '2';
    if (m_columnCount == 0)
        return;
    const TBandItem &first = *m_columns[size_t(ColumnAt(1))].TitleRule;
    const TBandItem &last = *m_columns[size_t(ColumnAt(m_columnCount))].TitleRule;
    m_dataTopLine->Left = m_dataBottomLine->Left = first.Left;
    m_dataTopLine->Width = m_dataBottomLine->Width = last.Right() - first.Left;
    m_dataTopLine->Top = 0;
    m_dataTopLine->Height = 1;
    m_dataBottomLine->Top = m_bndFields.Height - 1;
    m_dataBottomLine->Height = 1;
}

void TBodyLayout::DoNarrowColumn(QByteArray rest)
{
    const int a = NextInt(rest);
    const int b = NextInt(rest);
    const int w = NextPixels(rest);
    if (a < 1 || a > kMaxColumns || b < 1 || b > kMaxColumns)
        return;
    int excess;
    if (w != 0)
        excess = m_columns[a].Title[1]->Right() - m_columns[b].Title[1]->Left - w;
    else
        excess = m_columns[a].Data->Width - (RoundHalfEven(DigitsWidth(m_columns[a].Data->Font, 5)) + 4);
    if (excess <= 0)
        return;
    const int width = qMax(0, m_columns[b].Data->Width - excess);
    m_totalWidth -= excess;
    SetColumnWidth(b, width);
    PlaceColumns();
}

void TBodyLayout::DoTitles(QByteArray rest)
{
    m_titleRowCount = m_defaultTitleRowCount;
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r)
            m_columns[c].Title[r]->Caption.clear();
    for (int c = 1; c <= m_columnCount; ++c) {
        QByteArray t = NextField(rest);
        m_columns[c].TitleRule->Enabled = !t.isEmpty();
        int j = 0;
        while (!t.isEmpty()) {
            const QByteArray piece = NextField(t, '|');
            ++j;
            if (j > kMaxTitleRows)
                break; // the model holds five title rows
            if (j > m_titleRowCount) {
                m_titleRowCount = j;
                for (int k = 1; k <= m_columnCount; ++k)
                    m_columns[k].Title[j]->Enabled = true;
                LayoutTitles();
            }
            m_columns[c].Title[j]->Caption = FastCaption(piece);
        }
    }
}

void TBodyLayout::DoTitleAlignment(QByteArray rest)
{
    for (int c = 1; c <= m_columnCount; ++c) {
        const TAlignment a = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
        for (int r = 1; r <= kMaxTitleRows; ++r)
            m_columns[c].Title[r]->Alignment = a;
    }
}

void TBodyLayout::DoTitleRowCount(QByteArray rest)
{
    m_titleRowCount = m_defaultTitleRowCount = qBound(1, NextInt(rest, 1), kMaxTitleRows);
    LayoutTitles();
    for (int c = 1; c <= m_columnCount; ++c)
        for (int r = 1; r <= m_titleRowCount; ++r)
            m_columns[c].Title[r]->Enabled = true;
}

void TBodyLayout::DoTitleSpacing(QByteArray rest)
{
    const int before = NextPixels(rest, 0);
    const int after = NextPixels(rest, 1);
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            m_columns[c].Title[r]->SpaceBefore = before;
            m_columns[c].Title[r]->SpaceAfter = after;
        }
    LayoutTitles();
}

void TBodyLayout::DoSpanTitle(QByteArray rest)
{
    int a = NextInt(rest);
    int b = NextInt(rest);
    QByteArray t = NextField(rest);
    if (a < 1 || b < 1 || a > m_columnCount || b > m_columnCount || a >= b)
        return;
    if (m_page.RightToLeft)
        std::swap(a, b);
    const int span = m_columns[b].Title[1]->Right() - m_columns[a].Title[1]->Left;
    const int lo = qMin(a, b), hi = qMax(a, b);
    for (int r = 1; r <= m_titleRowCount; ++r) {
        TBandItem &cell = *m_columns[a].Title[r];
        cell.Caption = FastCaption(NextField(t, '|'));
        cell.Width = span;
        for (int x = lo; x <= hi; ++x)
            if (x != a)
                m_columns[x].Title[r]->Enabled = false;
    }
    m_columns[a].TitleRule->Width = span;
    m_columns[a].TotalRule->Width = span;
    for (int x = lo; x <= hi; ++x)
        if (x != a) {
            m_columns[x].TitleRule->Enabled = false;
            m_columns[x].TotalRule->Enabled = false;
        }
    SpanRules();
}

void TBodyLayout::DoData(QByteArray rest)
{
    for (int c = 1; c <= m_columnCount; ++c) {
        TBandItem &cell = *m_columns[c].Data;
        cell.Caption = FastCaption(NextField(rest));
        if (!m_dotLeader[c])
            continue;
        // Measured as painted: a dot narrower in the sum than on paper would push the
        // name's last letters out of the cell.
        const double dot = m_page.Measurer->PaintedWidth(QStringLiteral("."), cell.Font);
        if (dot <= 0)
            continue;
        double width = m_page.Measurer->PaintedWidth(cell.Caption, cell.Font);
        while (width + dot < cell.Width) {
            if (m_page.RightToLeft)
                cell.Caption.prepend(QLatin1Char('.'));
            else
                cell.Caption.append(QLatin1Char('.'));
            width += dot;
        }
    }
}

void TBodyLayout::DoTotals(QByteArray rest)
{
    const bool rules = NextFlag(rest);
    for (int c = 1; c <= m_columnCount; ++c) {
        const QByteArray text = NextField(rest);
        m_columns[c].Total->Caption = FastCaption(text);
        if (m_reportStyle != '2')
            m_columns[c].TotalRule->Enabled = rules && !text.isEmpty();
    }
}

void TBodyLayout::DoTotalCaption(QByteArray rest)
{
    const int k = NextInt(rest);
    int a = NextInt(rest);
    int b = NextInt(rest);
    const int offset = NextPixels(rest);
    const TAlignment alignment = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
    const QByteArray text = NextField(rest);
    if (k < 1 || k > 5 || a == 0 || b == 0 || a < 1 || b < 1 || a > kMaxColumns || b > kMaxColumns)
        return;
    if (k == 1)
        for (int i = 1; i <= 5; ++i)
            m_totalCaptions[i]->Enabled = false;
    if (m_page.RightToLeft)
        std::swap(a, b);
    TBandItem &caption = *m_totalCaptions[k];
    const TBandItem &cellA = *m_columns[a].Total;
    const TBandItem &cellB = *m_columns[b].Total;
    caption.Enabled = true;
    caption.Alignment = alignment;
    caption.Caption = FastCaption(text);
    caption.Top = cellA.Top;
    caption.Left = cellA.Left;
    caption.Width = cellB.Right() - offset - cellA.Left;
    if (!m_page.RightToLeft)
        caption.Left += offset;
    if (m_reportStyle == '2') {
        TBandItem &box = *m_columns[a].TotalRule;
        if (!m_page.RightToLeft)
            box.Width = caption.Width + 14;
        caption.Top = box.Top + 4;
        caption.Left = box.Left + 5 + (m_page.RightToLeft ? 0 : offset);
    }
}

void TBodyLayout::DoTotalSpacing(QByteArray rest)
{
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    for (int c = 1; c <= kMaxColumns; ++c) {
        m_columns[c].Total->SpaceBefore = before;
        m_columns[c].Total->SpaceAfter = after;
    }
    LayoutTotals();
}

void TBodyLayout::DoTotalLines(QByteArray rest)
{
    if (m_reportStyle == '2')
        return;
    const QByteArray letterField = NextField(rest);
    const char letter = letterField.isEmpty() ? 0 : letterField[0];
    int a = NextInt(rest);
    int b = NextInt(rest);
    m_upperTotalLine->Enabled = letter == '0' || letter == '2';
    m_lowerTotalLine->Enabled = letter == '1' || letter == '2';
    if (a >= 1 && a <= m_columnCount && b >= 1 && b <= m_columnCount) {
        if (m_page.RightToLeft)
            std::swap(a, b);
        const int left = m_columns[a].Data->Left;
        const int width = m_columns[b].Data->Right() - left;
        for (TBandItem *line : {m_upperTotalLine, m_lowerTotalLine}) {
            line->Left = left;
            line->Width = width;
        }
    } else {
        SpanRules();
    }
}

void TBodyLayout::DoTotalStyle(QByteArray rest)
{
    const int k = NextInt(rest);
    if (k < 1 || k > 5)
        return;
    SetTotalFont(m_fonts[k]);
    const TFontSpec saved = m_fonts[3];
    m_fonts[3] = m_fonts[k]; // the layout measures with the style in use
    LayoutTotals();
    m_fonts[3] = saved;
    m_totalStyleChanged = true;
}

void TBodyLayout::DoTextStyle(QByteArray rest)
{
    const int k = NextInt(rest);
    if (k < 1 || k > 5)
        return;
    TFontSpec font;
    font.name = FastWin1255(NextField(rest));
    font.size = NextFontSize(rest, 10);
    font.bold = NextFlag(rest);
    font.italic = NextFlag(rest);
    font.underline = NextFlag(rest);
    font.color = ParseColor(FastWin1255(NextField(rest)), clBlack);
    m_fonts[k] = font;
    if (k == 1) {
        SetTitleFont(font);
        LayoutTitles();
    } else if (k == 2) {
        SetDataFont(font);
        LayoutData();
    } else if (k == 3) {
        SetTotalFont(font);
        LayoutTotals();
    }
}

void TBodyLayout::DoTableStyle(QByteArray rest)
{
    const QByteArray field = NextField(rest);
    char style = field.isEmpty() ? '1' : field[0];
    if (style < '0' || style > '3')
        style = '1';
    m_reportStyle = style;
    m_shpDataBackground->Visible = style == '3';
    if (style == '3') {
        m_shadeInterval = NextInt(rest, 1);
        m_shadeColour = ParseColor(FastWin1255(NextField(rest)), kDefaultShadeColour);
    }
}

void TBodyLayout::DoRightToLeft()
{
    m_page.RightToLeft = true;
    for (int c = 1; c <= kMaxColumns; ++c) {
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            m_columns[c].Title[r]->Alignment = TAlignment::Right;
            m_columns[c].Title[r]->RightToLeft = true;
        }
        for (TBandItem *item : {m_columns[c].Data, m_columns[c].Total}) {
            item->Alignment = TAlignment::Right;
            item->RightToLeft = true;
        }
    }
    for (int k = 1; k <= 5; ++k) {
        m_totalCaptions[k]->Alignment = TAlignment::Right;
        m_totalCaptions[k]->RightToLeft = true;
    }
    m_page.PageSetup.ColumnsRightToLeft = true;
}
