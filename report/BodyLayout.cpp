// The body's controls, its reset to the settings' text styles, and the placement of its
// columns and bands.
#include "report/BodyLayout.h"

#include "foundation/Codepages.h"
#include "foundation/IniFile.h"
#include "foundation/Numbers.h"
#include "foundation/Paths.h"
#include "report/FastText.h"
#include "report/TextMeasurer.h"

#include <cmath>

namespace {

TBandItem &addShape(TBand &band, TShapeKind shape, int height)
{
    TBandItem &item = band.Add(TItemKind::Shape, QStringLiteral("shape"));
    item.Shape = shape;
    item.Height = height;
    item.Enabled = false;
    return item;
}

TBandItem &addCell(TBand &band, const QString &name)
{
    TBandItem &item = band.Add(TItemKind::Label, name);
    item.Height = 20;
    return item;
}

struct TStyleDefault {
    const char *prefix;
    int size;
    bool bold;
};
constexpr TStyleDefault kStyleDefaults[6] = {
    {"", 9, false}, {"Title", 9, true}, {"Data", 9, false}, {"Total", 9, true}, {"MainHeader", 12, true}, {"SubHeader", 9, true},
};

} // namespace

TBodyLayout::TBodyLayout(TReportPage &page)
    : m_page(page)
{
    m_bndTitles.RepeatPerColumn = true;
    m_bndFields.Child = &m_bndTotals;
    CreateControls();
}

void TBodyLayout::CreateControls()
{
    // Drawn first, behind the data cells.
    m_shpDataBackground = &m_bndFields.Add(TItemKind::Shape, QStringLiteral("m_shpDataBackground"));
    m_shpDataBackground->BrushColor = clSilver;
    m_shpDataBackground->PenColor = clWhite;
    m_shpDataBackground->ClearBrush = false;
    m_shpDataBackground->PenWidth = 0;
    m_shpDataBackground->Visible = false;
    for (int c = 1; c <= kMaxColumns; ++c) {
        TColumn &col = m_columns[c];
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            col.Title[r] = &addCell(m_bndTitles, QStringLiteral("title"));
            col.Title[r]->Enabled = false;
            col.Title[r]->SpaceAfter = 1;
        }
        col.TitleRule = &addShape(m_bndTitles, TShapeKind::HorizontalLine, 2);
        col.DataBox = &addShape(m_bndFields, TShapeKind::VerticalLines, 0);
        col.Data = &addCell(m_bndFields, QStringLiteral("data"));
        col.Data->Visible = false;
        col.TotalRule = &addShape(m_bndTotals, TShapeKind::HorizontalLine, 2);
        col.Total = &addCell(m_bndTotals, QStringLiteral("total"));
        col.Total->Visible = false;
        col.Total->Top = 2;
    }
    m_dataTopLine = &addShape(m_bndFields, TShapeKind::HorizontalLine, 1);
    m_dataBottomLine = &addShape(m_bndFields, TShapeKind::HorizontalLine, 1);
    for (int k = 1; k <= 5; ++k) {
        m_totalCaptions[k] = &addCell(m_bndTotals, QStringLiteral("caption"));
        m_totalCaptions[k]->Enabled = false;
    }
    m_upperTotalLine = &addShape(m_bndTotals, TShapeKind::HorizontalLine, 2);
    m_lowerTotalLine = &addShape(m_bndTotals, TShapeKind::HorizontalLine, 2);

}

void TBodyLayout::SetTitleFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r)
            m_columns[c].Title[r]->Font = font;
}

void TBodyLayout::SetDataFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        m_columns[c].Data->Font = font;
}

void TBodyLayout::SetTotalFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        m_columns[c].Total->Font = font;
    for (int k = 1; k <= 5; ++k)
        m_totalCaptions[k]->Font = font;
}

void TBodyLayout::Reset()
{
    m_columnCount = 0;
    m_titleRowCount = m_defaultTitleRowCount = 1;
    m_totalWidth = 0;
    m_page.RightToLeft = false;
    m_dotLeader.fill(false);
    m_shadeColour = kDefaultShadeColour;
    m_bndTitles.Height = 0;
    m_shpDataBackground->Visible = false;
    for (TBandItem *line : {m_dataTopLine, m_dataBottomLine}) {
        line->Top = 0;
        line->Visible = false;
        line->Enabled = true;
    }

    // The five styles from the settings, each applied with all columns and rows counted.
    const QString trvlPar = TrvlPar();
    for (int k = 1; k <= 5; ++k) {
        TFontSpec font;
        ReadFontKeys(trvlPar, QStringLiteral("Styles"), QString::fromLatin1(kStyleDefaults[k].prefix),
                     kStyleDefaults[k].bold ? 1 : 0, clBlack, kStyleDefaults[k].size, QStringLiteral("Arial"), font);
        font.size = qBound(1, font.size, 500);
        m_fonts[k] = font;
    }
    m_columnCount = kMaxColumns;
    m_titleRowCount = kMaxTitleRows;
    SetTitleFont(m_fonts[1]);
    LayoutTitles();
    SetDataFont(m_fonts[2]);
    LayoutData();
    SetTotalFont(m_fonts[3]);
    LayoutTotals();
    m_columnCount = 0;
    m_titleRowCount = 1;

    for (int c = 1; c <= kMaxColumns; ++c) {
        for (int r = 1; r <= kMaxTitleRows; ++r)
            m_columns[c].Title[r]->Alignment = TAlignment::Left;
        m_columns[c].Data->Alignment = TAlignment::Left;
        m_columns[c].Total->Alignment = TAlignment::Left;
    }
    for (int k = 1; k <= 5; ++k)
        m_totalCaptions[k]->Alignment = TAlignment::Left;
}

void TBodyLayout::TotalsPrinted()
{
    m_upperTotalLine->Enabled = false;
    m_lowerTotalLine->Enabled = false;
    for (int k = 1; k <= 5; ++k)
        m_totalCaptions[k]->Enabled = false;
    if (m_totalStyleChanged) {
        SetTotalFont(m_fonts[3]);
        LayoutTotals();
        m_totalStyleChanged = false;
    }
}

void TBodyLayout::LayoutTitles()
{
    const int h = FontHeight(m_fonts[1]) + 3;
    int y = 0;
    for (int r = 1; r <= m_titleRowCount; ++r) {
        TBandItem *last = nullptr;
        for (int c = 1; c <= m_columnCount; ++c) {
            TBandItem &cell = *m_columns[c].Title[r];
            cell.Height = h;
            cell.Top = r == 1 ? y + cell.SpaceBefore : y;
            last = &cell;
        }
        if (!last)
            continue;
        y = last->Bottom();
        if (r == m_titleRowCount) {
            y += last->SpaceAfter;
            for (int c = 1; c <= m_columnCount; ++c)
                m_columns[c].TitleRule->Top = m_columns[c].Title[r]->Bottom();
        }
    }
    m_bndTitles.Height = y;
}

void TBodyLayout::LayoutData()
{
    if (m_columnCount == 0)
        return;
    const int h = FontHeight(m_fonts[2]) + 3;
    for (int c = 1; c <= m_columnCount; ++c) {
        m_columns[c].Data->Height = h;
        m_columns[c].Data->Top = m_columns[c].Data->SpaceBefore;
    }
    const TBandItem &last = *m_columns[m_columnCount].Data;
    m_bndFields.Height = last.SpaceBefore + h + last.SpaceAfter;
    m_shpDataBackground->Top = 0;
    m_shpDataBackground->Height = m_bndFields.Height;
}

void TBodyLayout::LayoutTotals()
{
    if (m_columnCount == 0)
        return;
    const int h = FontHeight(m_fonts[3]) + 3;
    for (int c = 1; c <= m_columnCount; ++c) {
        m_columns[c].Total->Height = h;
        m_columns[c].Total->Top = m_columns[c].Total->SpaceBefore + 1;
    }
    const TBandItem &last = *m_columns[m_columnCount].Total;
    m_bndTotals.Height = last.SpaceBefore + h + last.SpaceAfter + 1;
    m_lowerTotalLine->Top = m_bndTotals.Height - last.SpaceAfter + 1;
    for (int k = 1; k <= 5; ++k) {
        m_totalCaptions[k]->Top = m_columns[k].Total->Top;
        m_totalCaptions[k]->Height = m_columns[k].Total->Height;
    }
}

void TBodyLayout::PlaceColumns()
{
    int x = 13;
    if (m_columnBlockAlign == TAlignment::Right)
        x = m_page.PrintableWidth - m_totalWidth - 13;
    else if (m_columnBlockAlign == TAlignment::Center)
        x = (m_page.PrintableWidth - m_totalWidth) / 2; // C++ division truncates toward zero
    for (int i = 1; i <= m_columnCount; ++i) {
        TColumn &col = m_columns[size_t(ColumnAt(i))];
        for (int r = 1; r <= kMaxTitleRows; ++r)
            col.Title[r]->Left = x;
        for (TBandItem *item : {col.Data, col.TitleRule, col.TotalRule, col.Total})
            item->Left = x;
        x += col.Width + kColumnGap;
    }
    SpanRules();
}

void TBodyLayout::SpanRules()
{
    if (m_columnCount == 0)
        return;
    const TBandItem &first = *m_columns[size_t(ColumnAt(1))].TitleRule;
    const TBandItem &last = *m_columns[size_t(ColumnAt(m_columnCount))].TitleRule;
    const int left = first.Left;
    const int width = last.Right() - left;
    for (TBandItem *item : {m_upperTotalLine, m_lowerTotalLine, m_shpDataBackground}) {
        item->Left = left;
        item->Width = width;
    }
}

void TBodyLayout::SetColumnWidth(int c, int width)
{
    TColumn &col = m_columns[c];
    col.Width = width;
    for (int r = 1; r <= kMaxTitleRows; ++r)
        col.Title[r]->Width = width;
    for (TBandItem *item : {col.Data, col.TitleRule, col.TotalRule, col.Total})
        item->Width = width;
}

double TBodyLayout::DigitsWidth(const TFontSpec &font, int k) const
{
    return m_page.Measurer->TextWidth(QStringLiteral("0123456789"), font) / 10.0 * k;
}

void TBodyLayout::ApplyGridStyle()
{
    m_bndTitles.Height += 8;
    for (int c = 1; c <= m_columnCount; ++c) {
        TColumn &col = m_columns[c];
        TBandItem &rule = *col.TitleRule;
        rule.Shape = TShapeKind::Rectangle;
        rule.ClearBrush = true;
        rule.Top = col.Title[1]->SpaceBefore;
        rule.Height = m_bndTitles.Height - rule.Top;
        rule.Width += 14;
        const int rowHeight = col.Title[1]->Height;
        for (int r = 1; r <= m_titleRowCount; ++r) {
            col.Title[r]->Top = (r - 1) * rowHeight + rule.Top + 4;
            col.Title[r]->Left = rule.Left + 5;
        }
        TBandItem &box = *col.DataBox;
        box.Shape = TShapeKind::VerticalLines;
        box.Enabled = rule.Enabled;
        box.ClearBrush = true;
        box.Top = 0;
        box.Left = col.Data->Left;
        box.Height = col.Data->Height + col.Data->SpaceBefore + col.Data->SpaceAfter + 8;
        box.Width = rule.Width - 1;
        col.Data->Top = box.Top;
        col.Data->Left = box.Left + 5;
        TBandItem &totalRule = *col.TotalRule;
        totalRule.Shape = TShapeKind::Rectangle;
        totalRule.ClearBrush = true;
        totalRule.Top = 0;
        totalRule.Left = col.Total->Left;
        totalRule.Height = col.Total->Height + 8;
        totalRule.Width += 14;
        col.Total->Top = totalRule.Top + 4;
        col.Total->Left = totalRule.Left + 5;
    }
    // The total boxes are closed rectangles: the band holds them whole.
    if (m_columnCount > 0)
        m_bndTotals.Height = qMax(m_bndTotals.Height, m_columns[1].TotalRule->Height + 1);
}
