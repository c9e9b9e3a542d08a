// The tabular body of a report: columns with title, data and total cells, their widths,
// placement and alignment, the text styles and the table styles.
#include "report/ReportForm.h"

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

void TfrmReport::CreateControls()
{
    // Drawn first, behind the data cells.
    shpDataBackground = &bndFields.Add(TItemKind::Shape, QStringLiteral("shpDataBackground"));
    shpDataBackground->BrushColor = clSilver;
    shpDataBackground->PenColor = clWhite;
    shpDataBackground->ClearBrush = false;
    shpDataBackground->PenWidth = 0;
    shpDataBackground->Visible = false;
    for (int c = 1; c <= kMaxColumns; ++c) {
        TColumn &col = Columns[c];
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            col.Title[r] = &addCell(bndTitles, QStringLiteral("title"));
            col.Title[r]->Enabled = false;
            col.Title[r]->SpaceAfter = 1;
        }
        col.TitleRule = &addShape(bndTitles, TShapeKind::HorizontalLine, 2);
        col.DataBox = &addShape(bndFields, TShapeKind::VerticalLines, 0);
        col.Data = &addCell(bndFields, QStringLiteral("data"));
        col.Data->Visible = false;
        col.TotalRule = &addShape(bndTotals, TShapeKind::HorizontalLine, 2);
        col.Total = &addCell(bndTotals, QStringLiteral("total"));
        col.Total->Visible = false;
        col.Total->Top = 2;
    }
    dataTopLine = &addShape(bndFields, TShapeKind::HorizontalLine, 1);
    dataBottomLine = &addShape(bndFields, TShapeKind::HorizontalLine, 1);
    for (int k = 1; k <= 5; ++k) {
        TotalCaptions[k] = &addCell(bndTotals, QStringLiteral("caption"));
        TotalCaptions[k]->Enabled = false;
    }
    UpperTotalLine = &addShape(bndTotals, TShapeKind::HorizontalLine, 2);
    LowerTotalLine = &addShape(bndTotals, TShapeKind::HorizontalLine, 2);

    mmoHeader = &bndUserDefHeader.Add(TItemKind::Memo, QStringLiteral("mmoHeader"));
    mmoFooter = &bndFooterInfo.Add(TItemKind::Memo, QStringLiteral("mmoFooter"));
    mmoFooter1 = &bndReportFooter.Add(TItemKind::Memo, QStringLiteral("mmoFooter1"));
    mmoFooter1->Top = 24;
    FooterRule = &addShape(bndFooterInfo2, TShapeKind::HorizontalLine, 1);
    FooterRule->Name = QStringLiteral("FooterRule");
    lblPageNumber = &bndFooterInfo2.Add(TItemKind::Label, QStringLiteral("lblPageNumber"));
    lblPageNumber->Visible = false;
    lblPageNumber->AlignToBand = true;
}

void TfrmReport::SetTitleFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r)
            Columns[c].Title[r]->Font = font;
}

void TfrmReport::SetDataFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        Columns[c].Data->Font = font;
}

void TfrmReport::SetTotalFont(const TFontSpec &font)
{
    for (int c = 1; c <= kMaxColumns; ++c)
        Columns[c].Total->Font = font;
    for (int k = 1; k <= 5; ++k)
        TotalCaptions[k]->Font = font;
}

void TfrmReport::ResetLayout()
{
    ColumnCount = 0;
    TitleRowCount = DefaultTitleRowCount = 1;
    TotalWidth = 0;
    RightToLeft = false;
    DotLeader.fill(false);
    HasGraph = false;
    IsTrafficGraph = false;
    ShadeColour = kDefaultShadeColour;
    m_shadeNow = kDefaultShadeColour;
    for (TBand *band : {&bndTitles, &bndReportFooter, &bndSubHeaderInfo, &bndUserHeader, &bndReportHeader,
                        &bndSubHeader, &bndFooterInfo})
        band->Height = 0;
    bndSubHeader.Enabled = false;
    shpDataBackground->Visible = false;
    for (TBandItem *line : {dataTopLine, dataBottomLine}) {
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
        Fonts[k] = font;
    }
    ColumnCount = kMaxColumns;
    TitleRowCount = kMaxTitleRows;
    SetTitleFont(Fonts[1]);
    LayoutTitles();
    SetDataFont(Fonts[2]);
    LayoutData();
    SetTotalFont(Fonts[3]);
    LayoutTotals();
    ColumnCount = 0;
    TitleRowCount = 1;

    for (int c = 1; c <= kMaxColumns; ++c) {
        for (int r = 1; r <= kMaxTitleRows; ++r)
            Columns[c].Title[r]->Alignment = TAlignment::Left;
        Columns[c].Data->Alignment = TAlignment::Left;
        Columns[c].Total->Alignment = TAlignment::Left;
    }
    for (int k = 1; k <= 5; ++k)
        TotalCaptions[k]->Alignment = TAlignment::Left;
    ResetHeaders();
}

void TfrmReport::LayoutTitles()
{
    const int h = FontHeight(Fonts[1]) + 3;
    int y = 0;
    for (int r = 1; r <= TitleRowCount; ++r) {
        TBandItem *last = nullptr;
        for (int c = 1; c <= ColumnCount; ++c) {
            TBandItem &cell = *Columns[c].Title[r];
            cell.Height = h;
            cell.Top = r == 1 ? y + cell.SpaceBefore : y;
            last = &cell;
        }
        if (!last)
            continue;
        y = last->Bottom();
        if (r == TitleRowCount) {
            y += last->SpaceAfter;
            for (int c = 1; c <= ColumnCount; ++c)
                Columns[c].TitleRule->Top = Columns[c].Title[r]->Bottom();
        }
    }
    bndTitles.Height = y;
}

void TfrmReport::LayoutData()
{
    if (ColumnCount == 0)
        return;
    const int h = FontHeight(Fonts[2]) + 3;
    for (int c = 1; c <= ColumnCount; ++c) {
        Columns[c].Data->Height = h;
        Columns[c].Data->Top = Columns[c].Data->SpaceBefore;
    }
    const TBandItem &last = *Columns[ColumnCount].Data;
    bndFields.Height = last.SpaceBefore + h + last.SpaceAfter;
    shpDataBackground->Top = 0;
    shpDataBackground->Height = bndFields.Height;
}

void TfrmReport::LayoutTotals()
{
    if (ColumnCount == 0)
        return;
    const int h = FontHeight(Fonts[3]) + 3;
    for (int c = 1; c <= ColumnCount; ++c) {
        Columns[c].Total->Height = h;
        Columns[c].Total->Top = Columns[c].Total->SpaceBefore + 1;
    }
    const TBandItem &last = *Columns[ColumnCount].Total;
    bndTotals.Height = last.SpaceBefore + h + last.SpaceAfter + 1;
    LowerTotalLine->Top = bndTotals.Height - last.SpaceAfter + 1;
    for (int k = 1; k <= 5; ++k) {
        TotalCaptions[k]->Top = Columns[k].Total->Top;
        TotalCaptions[k]->Height = Columns[k].Total->Height;
    }
}

void TfrmReport::PlaceColumns()
{
    int x = 13;
    if (ColumnBlockAlign == TAlignment::Right)
        x = PrintableWidth - TotalWidth - 13;
    else if (ColumnBlockAlign == TAlignment::Center)
        x = (PrintableWidth - TotalWidth) / 2; // C++ division truncates toward zero
    for (int i = 1; i <= ColumnCount; ++i) {
        TColumn &col = Columns[RightToLeft ? ColumnCount + 1 - i : i];
        for (int r = 1; r <= kMaxTitleRows; ++r)
            col.Title[r]->Left = x;
        for (TBandItem *item : {col.Data, col.TitleRule, col.TotalRule, col.Total})
            item->Left = x;
        x += col.Width + kColumnGap;
    }
    SpanRules();
}

void TfrmReport::SpanRules()
{
    if (ColumnCount == 0)
        return;
    const TBandItem &first = *Columns[RightToLeft ? ColumnCount : 1].TitleRule;
    const TBandItem &last = *Columns[RightToLeft ? 1 : ColumnCount].TitleRule;
    const int left = first.Left;
    const int width = last.Right() - left;
    for (TBandItem *item : {UpperTotalLine, LowerTotalLine, shpDataBackground}) {
        item->Left = left;
        item->Width = width;
    }
}

void TfrmReport::SetColumnWidth(int c, int width)
{
    TColumn &col = Columns[c];
    col.Width = width;
    for (int r = 1; r <= kMaxTitleRows; ++r)
        col.Title[r]->Width = width;
    for (TBandItem *item : {col.Data, col.TitleRule, col.TotalRule, col.Total})
        item->Width = width;
}

double TfrmReport::DigitsWidth(const TFontSpec &font, int k) const
{
    return m_measurer->TextWidth(QStringLiteral("0123456789"), font) / 10.0 * k;
}

void TfrmReport::DoColumnCount(QByteArray rest)
{
    ColumnCount = qBound(0, NextInt(rest), kMaxColumns);
    for (int c = 1; c <= ColumnCount; ++c) {
        for (int r = 1; r <= TitleRowCount; ++r)
            Columns[c].Title[r]->Enabled = true;
        Columns[c].Data->Visible = true;
        Columns[c].Total->Visible = true;
        Columns[c].TotalRule->Enabled = true;
    }
}

void TfrmReport::DoChangeColumnCount(QByteArray rest)
{
    const int n = qBound(0, NextInt(rest), kMaxColumns);
    auto setEnabled = [this](int from, int to, bool enabled) {
        for (int c = from; c <= to; ++c) {
            TColumn &col = Columns[c];
            for (int r = 1; r <= TitleRowCount; ++r)
                col.Title[r]->Enabled = enabled;
            for (TBandItem *item : {col.TitleRule, col.Data, col.Total, col.TotalRule})
                item->Enabled = enabled;
        }
    };
    if (n > ColumnCount)
        setEnabled(ColumnCount + 1, n, true);
    else if (n < ColumnCount)
        setEnabled(n + 1, ColumnCount, false);
    ColumnCount = n;
}

void TfrmReport::DoColumnWidths(QByteArray rest)
{
    TotalWidth = 0;
    for (int c = 1; c <= ColumnCount; ++c) {
        const QByteArray field = NextField(rest);
        if (!field.isEmpty()) {
            const char kind = char(std::toupper(static_cast<unsigned char>(field[0])));
            const TFontSpec &font = Columns[c].Data->Font;
            int width;
            if (kind == 'C') {
                const int k = qBound(0, FieldToInt(field.mid(1)), kMaxPixels);
                width = RoundHalfEven(m_measurer->TextWidth(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), font) / 26.0 * k) + 4;
            } else if (kind == 'D') {
                width = RoundHalfEven(DigitsWidth(font, qBound(0, FieldToInt(field.mid(1)), kMaxPixels))) + 4;
            } else {
                width = qBound(-kMaxPixels, FieldToInt(field), kMaxPixels);
            }
            SetColumnWidth(c, width);
        }
        TotalWidth += Columns[c].Width + kColumnGap;
    }
    const int bandWidth = PageSetup.ColumnWidth();
    if (ColumnCount > 0 && bandWidth < TotalWidth) {
        const int cut = RoundHalfEven(double(TotalWidth - bandWidth + 5) / ColumnCount);
        TotalWidth = 0;
        for (int c = 1; c <= ColumnCount; ++c) {
            SetColumnWidth(c, qMax(0, Columns[c].Width - cut));
            TotalWidth += Columns[c].Width + kColumnGap;
        }
    }
    PlaceColumns();
}

void TfrmReport::DoDataAlignment(QByteArray rest)
{
    for (int c = 1; c <= ColumnCount; ++c) {
        const TAlignment a = AlignmentFromLetter(NextField(rest), RightToLeft);
        Columns[c].Data->Alignment = a;
        Columns[c].Total->Alignment = a;
    }
}

void TfrmReport::DoDataSpacing(QByteArray rest)
{
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    for (int c = 1; c <= kMaxColumns; ++c) {
        Columns[c].Data->SpaceBefore = before;
        Columns[c].Data->SpaceAfter = after;
    }
    LayoutData();
}

void TfrmReport::DoDataLines(QByteArray rest)
{
    if (ReportStyle == '2')
        return;
    const QByteArray field = NextField(rest);
    const char letter = field.isEmpty() ? 0 : field[0];
    dataTopLine->Visible = letter == '0' || letter == '2';
    dataBottomLine->Visible = letter == '1' || letter == '2';
    if (ColumnCount == 0)
        return;
    const TBandItem &first = *Columns[RightToLeft ? ColumnCount : 1].TitleRule;
    const TBandItem &last = *Columns[RightToLeft ? 1 : ColumnCount].TitleRule;
    dataTopLine->Left = dataBottomLine->Left = first.Left;
    dataTopLine->Width = dataBottomLine->Width = last.Right() - first.Left;
    dataTopLine->Top = 0;
    dataTopLine->Height = 1;
    dataBottomLine->Top = bndFields.Height - 1;
    dataBottomLine->Height = 1;
}

void TfrmReport::DoNarrowColumn(QByteArray rest)
{
    const int a = NextInt(rest);
    const int b = NextInt(rest);
    const int w = NextPixels(rest);
    if (a < 1 || a > kMaxColumns || b < 1 || b > kMaxColumns)
        return;
    int excess;
    if (w != 0)
        excess = Columns[a].Title[1]->Right() - Columns[b].Title[1]->Left - w;
    else
        excess = Columns[a].Data->Width - (RoundHalfEven(DigitsWidth(Columns[a].Data->Font, 5)) + 4);
    if (excess <= 0)
        return;
    const int width = qMax(0, Columns[b].Data->Width - excess);
    TotalWidth -= excess;
    SetColumnWidth(b, width);
    PlaceColumns();
}

void TfrmReport::DoTitles(QByteArray rest)
{
    TitleRowCount = DefaultTitleRowCount;
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r)
            Columns[c].Title[r]->Caption.clear();
    for (int c = 1; c <= ColumnCount; ++c) {
        QByteArray t = NextField(rest);
        Columns[c].TitleRule->Enabled = !t.isEmpty();
        int j = 0;
        while (!t.isEmpty()) {
            const QByteArray piece = NextField(t, '|');
            ++j;
            if (j > kMaxTitleRows)
                break; // the model holds five title rows
            if (j > TitleRowCount) {
                TitleRowCount = j;
                for (int k = 1; k <= ColumnCount; ++k)
                    Columns[k].Title[j]->Enabled = true;
                LayoutTitles();
            }
            Columns[c].Title[j]->Caption = FastWin1255(piece);
        }
    }
}

void TfrmReport::DoTitleAlignment(QByteArray rest)
{
    for (int c = 1; c <= ColumnCount; ++c) {
        const TAlignment a = AlignmentFromLetter(NextField(rest), RightToLeft);
        for (int r = 1; r <= kMaxTitleRows; ++r)
            Columns[c].Title[r]->Alignment = a;
    }
}

void TfrmReport::DoTitleRowCount(QByteArray rest)
{
    TitleRowCount = DefaultTitleRowCount = qBound(1, NextInt(rest, 1), kMaxTitleRows);
    LayoutTitles();
    for (int c = 1; c <= ColumnCount; ++c)
        for (int r = 1; r <= TitleRowCount; ++r)
            Columns[c].Title[r]->Enabled = true;
}

void TfrmReport::DoTitleSpacing(QByteArray rest)
{
    const int before = NextPixels(rest, 0);
    const int after = NextPixels(rest, 1);
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            Columns[c].Title[r]->SpaceBefore = before;
            Columns[c].Title[r]->SpaceAfter = after;
        }
    LayoutTitles();
}

void TfrmReport::DoSpanTitle(QByteArray rest)
{
    int a = NextInt(rest);
    int b = NextInt(rest);
    QByteArray t = NextField(rest);
    if (a < 1 || b < 1 || a > ColumnCount || b > ColumnCount || a >= b)
        return;
    if (RightToLeft)
        std::swap(a, b);
    const int span = Columns[b].Title[1]->Right() - Columns[a].Title[1]->Left;
    const int lo = qMin(a, b), hi = qMax(a, b);
    for (int r = 1; r <= TitleRowCount; ++r) {
        TBandItem &cell = *Columns[a].Title[r];
        cell.Caption = FastWin1255(NextField(t, '|'));
        cell.Width = span;
        for (int x = lo; x <= hi; ++x)
            if (x != a)
                Columns[x].Title[r]->Enabled = false;
    }
    Columns[a].TitleRule->Width = span;
    Columns[a].TotalRule->Width = span;
    for (int x = lo; x <= hi; ++x)
        if (x != a) {
            Columns[x].TitleRule->Enabled = false;
            Columns[x].TotalRule->Enabled = false;
        }
    SpanRules();
}

void TfrmReport::DoData(QByteArray rest)
{
    for (int c = 1; c <= ColumnCount; ++c) {
        TBandItem &cell = *Columns[c].Data;
        cell.Caption = FastWin1255(NextField(rest));
        if (!DotLeader[c])
            continue;
        const double dot = m_measurer->TextWidth(QStringLiteral("."), cell.Font);
        if (dot <= 0)
            continue;
        double width = m_measurer->TextWidth(cell.Caption, cell.Font);
        while (width + dot < cell.Width) {
            if (RightToLeft)
                cell.Caption.prepend(QLatin1Char('.'));
            else
                cell.Caption.append(QLatin1Char('.'));
            width += dot;
        }
    }
}

void TfrmReport::DoTotals(QByteArray rest)
{
    const bool rules = NextFlag(rest);
    for (int c = 1; c <= ColumnCount; ++c) {
        const QByteArray text = NextField(rest);
        Columns[c].Total->Caption = FastWin1255(text);
        if (ReportStyle != '2')
            Columns[c].TotalRule->Enabled = rules && !text.isEmpty();
    }
}

void TfrmReport::DoTotalCaption(QByteArray rest)
{
    const int k = NextInt(rest);
    int a = NextInt(rest);
    int b = NextInt(rest);
    const int offset = NextPixels(rest);
    const TAlignment alignment = AlignmentFromLetter(NextField(rest), RightToLeft);
    const QByteArray text = NextField(rest);
    if (k < 1 || k > 5 || a == 0 || b == 0 || a < 1 || b < 1 || a > kMaxColumns || b > kMaxColumns)
        return;
    if (k == 1)
        for (int i = 1; i <= 5; ++i)
            TotalCaptions[i]->Enabled = false;
    if (RightToLeft)
        std::swap(a, b);
    TBandItem &caption = *TotalCaptions[k];
    const TBandItem &cellA = *Columns[a].Total;
    const TBandItem &cellB = *Columns[b].Total;
    caption.Enabled = true;
    caption.Alignment = alignment;
    caption.Caption = FastWin1255(text);
    caption.Top = cellA.Top;
    caption.Left = cellA.Left;
    caption.Width = cellB.Right() - offset - cellA.Left;
    if (!RightToLeft)
        caption.Left += offset;
    if (ReportStyle == '2') {
        TBandItem &box = *Columns[a].TotalRule;
        if (!RightToLeft)
            box.Width = caption.Width + 14;
        caption.Top = box.Top + 4;
        caption.Left = box.Left + 5 + (RightToLeft ? 0 : offset);
    }
}

void TfrmReport::DoTotalSpacing(QByteArray rest)
{
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    for (int c = 1; c <= kMaxColumns; ++c) {
        Columns[c].Total->SpaceBefore = before;
        Columns[c].Total->SpaceAfter = after;
    }
    LayoutTotals();
}

void TfrmReport::DoTotalLines(QByteArray rest)
{
    if (ReportStyle == '2')
        return;
    const QByteArray letterField = NextField(rest);
    const char letter = letterField.isEmpty() ? 0 : letterField[0];
    int a = NextInt(rest);
    int b = NextInt(rest);
    UpperTotalLine->Enabled = letter == '0' || letter == '2';
    LowerTotalLine->Enabled = letter == '1' || letter == '2';
    if (a >= 1 && a <= ColumnCount && b >= 1 && b <= ColumnCount) {
        if (RightToLeft)
            std::swap(a, b);
        const int left = Columns[a].Data->Left;
        const int width = Columns[b].Data->Right() - left;
        for (TBandItem *line : {UpperTotalLine, LowerTotalLine}) {
            line->Left = left;
            line->Width = width;
        }
    } else {
        SpanRules();
    }
}

void TfrmReport::DoTotalStyle(QByteArray rest)
{
    const int k = NextInt(rest);
    if (k < 1 || k > 5)
        return;
    SetTotalFont(Fonts[k]);
    const TFontSpec saved = Fonts[3];
    Fonts[3] = Fonts[k]; // the layout measures with the style in use
    LayoutTotals();
    Fonts[3] = saved;
    TotalStyleChanged = true;
}

void TfrmReport::DoTextStyle(QByteArray rest)
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
    Fonts[k] = font;
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

void TfrmReport::DoTableStyle(QByteArray rest)
{
    const QByteArray field = NextField(rest);
    char style = field.isEmpty() ? '1' : field[0];
    if (style < '0' || style > '3')
        style = '1';
    ReportStyle = style;
    shpDataBackground->Visible = style == '3';
    if (style == '3') {
        ShadeInterval = NextInt(rest, 1);
        ShadeColour = ParseColor(FastWin1255(NextField(rest)), kDefaultShadeColour);
    }
}

void TfrmReport::DoRightToLeft()
{
    RightToLeft = true;
    for (int c = 1; c <= kMaxColumns; ++c) {
        for (int r = 1; r <= kMaxTitleRows; ++r) {
            Columns[c].Title[r]->Alignment = TAlignment::Right;
            Columns[c].Title[r]->RightToLeft = true;
        }
        for (TBandItem *item : {Columns[c].Data, Columns[c].Total}) {
            item->Alignment = TAlignment::Right;
            item->RightToLeft = true;
        }
    }
    for (int k = 1; k <= 5; ++k) {
        TotalCaptions[k]->Alignment = TAlignment::Right;
        TotalCaptions[k]->RightToLeft = true;
    }
    PageSetup.ColumnsRightToLeft = true;
}

void TfrmReport::ApplyGridStyle()
{
    bndTitles.Height += 8;
    for (int c = 1; c <= ColumnCount; ++c) {
        TColumn &col = Columns[c];
        TBandItem &rule = *col.TitleRule;
        rule.Shape = TShapeKind::Rectangle;
        rule.ClearBrush = true;
        rule.Top = col.Title[1]->SpaceBefore;
        rule.Height = bndTitles.Height - rule.Top;
        rule.Width += 14;
        const int rowHeight = col.Title[1]->Height;
        for (int r = 1; r <= TitleRowCount; ++r) {
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
    if (ColumnCount > 0)
        bndTotals.Height = qMax(bndTotals.Height, Columns[1].TotalRule->Height + 1);
}
