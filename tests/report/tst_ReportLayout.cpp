// The body layout: column widths, placement, titles, spans, table styles, right to left.
#include "report/FakeTextMeasurer.h"
#include "report/RecordStream.h"
#include "report/ReportForm.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct TLayout {
    TFakeTextMeasurer measurer;
    TfrmReport form{QString(), QStringLiteral("ADMIN")};
    TLayout()
    {
        form.SetTextMeasurer(&measurer);
        form.LoadReport();
    }
    // Acts on one record line as the print-time reader does.
    void feed(const QByteArray &line)
    {
        QByteArray rest = line;
        const int code = FieldToInt(NextField(rest));
        form.Dispatch(code, rest);
    }
    int width(int c) const { return form.Body().Column(c).Data->Width; }
    int left(int c) const { return form.Body().Column(c).Data->Left; }
};

} // namespace

TEST(ColumnWidths, LettersDigitsAndPixels)
{
    TLayout l;
    l.feed("101,3");
    l.feed("102,C10,D5,80");
    EXPECT_EQ(l.width(1), 64); // 156 / 26 * 10 + 4
    EXPECT_EQ(l.width(2), 39); // 70 / 10 * 5 + 4
    EXPECT_EQ(l.width(3), 80);
    EXPECT_EQ(l.form.Body().TotalWidth(), 64 + 39 + 80 + 3 * 13);
    // Every item of the column copies the width; the block starts 13 pixels in.
    EXPECT_EQ(l.form.Body().Column(1).Title[3]->Width, 64);
    EXPECT_EQ(l.form.Body().Column(2).Total->Width, 39);
    EXPECT_EQ(l.left(1), 13);
    EXPECT_EQ(l.left(2), 13 + 64 + 13);
    EXPECT_EQ(l.left(3), 13 + 64 + 13 + 39 + 13);
    // Lower case letters, a non-numeric count, and an empty field keeping the width.
    l.feed("102,c2,Dx,");
    EXPECT_EQ(l.width(1), 16);
    EXPECT_EQ(l.width(2), 4);
    EXPECT_EQ(l.width(3), 80);
}

TEST(ColumnWidths, TooWideBlockLosesTheSameAmountPerColumn)
{
    TLayout l;
    const int band = l.form.PageSetup().ColumnWidth();
    ASSERT_EQ(band, 718);
    l.feed("101,3");
    l.feed("102,400,400,400");
    // (1239 - 718 + 5) / 3 = 175.33 -> 175.
    EXPECT_EQ(l.width(1), 225);
    EXPECT_EQ(l.width(3), 225);
    EXPECT_EQ(l.form.Body().TotalWidth(), 3 * (225 + 13));
    // (1449 - 718 + 5) / 3 = 245.33 -> 245; the narrow column stops at 0.
    l.feed("102,700,700,10");
    EXPECT_EQ(l.width(1), 455);
    EXPECT_EQ(l.width(3), 0);
    EXPECT_EQ(l.form.Body().TotalWidth(), 455 + 455 + 0 + 3 * 13);
}

TEST(ColumnPlacement, RightCentreAndNegativeCentre)
{
    TLayout l;
    l.feed("101,2");
    l.feed("904,R");
    l.feed("102,100,50");
    EXPECT_EQ(l.left(1), 718 - 176 - 13);
    l.feed("904,C");
    l.feed("102,100,50");
    EXPECT_EQ(l.left(1), (718 - 176) / 2);
    // Wider than the printable width by an odd amount (columns of no width cannot give up
    // their share of the cut): the start truncates toward zero.
    l.feed("101,3");
    l.feed("102,0,0,698"); // 737 wide, 8 cut from each column: 729
    EXPECT_EQ(l.form.Body().TotalWidth(), 729);
    EXPECT_EQ(l.left(1), -5);
}

TEST(ColumnPlacement, RightToLeftPutsColumnOneAtTheRight)
{
    TLayout l;
    l.feed("906");
    l.feed("101,3");
    l.feed("103,D,N,C");
    l.feed("102,10,20,30");
    EXPECT_GT(l.left(1), l.left(2));
    EXPECT_GT(l.left(2), l.left(3));
    EXPECT_EQ(l.left(3), 13);
    EXPECT_EQ(l.form.Body().Column(1).Data->Alignment, TAlignment::Right);
    EXPECT_EQ(l.form.Body().Column(2).Data->Alignment, TAlignment::Left);
    EXPECT_EQ(l.form.Body().Column(3).Total->Alignment, TAlignment::Center);
    // The total lines span the block from column 3's left to column 1's right end.
    EXPECT_EQ(l.form.Body().UpperTotalLine().Left, 13);
    EXPECT_EQ(l.form.Body().UpperTotalLine().Width, l.form.Body().Column(1).Data->Right() - 13);
}

TEST(ColumnWidths, NarrowColumnToFiveDigitsOrToAGap)
{
    TLayout l;
    l.feed("101,3");
    l.feed("102,100,100,100");
    l.feed("107,1,2,0");
    // Column 1 is 100 wide, five digits are 39: column 2 loses 61.
    EXPECT_EQ(l.width(2), 39);
    EXPECT_EQ(l.form.Body().TotalWidth(), 100 + 39 + 100 + 39);
    EXPECT_EQ(l.left(3), l.left(2) + 39 + 13);
    l.feed("107,2,3,0"); // column 2 is already narrower than five digits... excess 0
    EXPECT_EQ(l.width(3), 100);
}

TEST(Titles, BarsAddRowsAndTheNextTitlesStartAgain)
{
    TLayout l;
    l.feed("101,2");
    l.feed("204,1");
    l.feed("200,Name|Ext,Cost");
    EXPECT_EQ(l.form.Body().TitleRowCount(), 2);
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Caption, "Name");
    EXPECT_EQ(l.form.Body().Column(1).Title[2]->Caption, "Ext");
    EXPECT_TRUE(l.form.Body().Column(2).Title[2]->Enabled);
    EXPECT_TRUE(l.form.Body().Column(1).TitleRule->Enabled);
    // Title rows of 12 + 3 pixels, no space before, one after.
    EXPECT_EQ(l.form.Body().bndTitles().Height, 15 + 15 + 1);
    l.feed("200,A,");
    EXPECT_EQ(l.form.Body().TitleRowCount(), 1);
    EXPECT_TRUE(l.form.Body().Column(2).Title[1]->Caption.isEmpty());
    EXPECT_FALSE(l.form.Body().Column(2).TitleRule->Enabled);
    // A trailing bar adds no row.
    l.feed("200,A|,B");
    EXPECT_EQ(l.form.Body().TitleRowCount(), 1);
    // Spacing: before in the first row, after in the last.
    l.feed("205,4,6");
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Top, 4);
    EXPECT_EQ(l.form.Body().bndTitles().Height, 4 + 15 + 6);
}

TEST(Titles, SpanningTitle)
{
    TLayout l;
    l.feed("101,3");
    l.feed("102,50,60,70");
    l.feed("206,1,2,Both");
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Caption, "Both");
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Width, 50 + 13 + 60);
    EXPECT_EQ(l.form.Body().Column(1).TitleRule->Width, 123);
    EXPECT_FALSE(l.form.Body().Column(2).Title[1]->Enabled);
    EXPECT_FALSE(l.form.Body().Column(2).TitleRule->Enabled);
    // a >= b, or a column outside the count: nothing changes.
    for (const char *bad : {"206,3,3,X", "206,3,2,X", "206,2,4,X", "206,0,2,X"}) {
        l.feed(bad);
        EXPECT_EQ(l.form.Body().Column(2).Title[1]->Caption, "") << bad;
        EXPECT_EQ(l.form.Body().Column(3).Title[1]->Caption, "") << bad;
    }
}

TEST(Bands, DataAndTotalHeightsFollowStylesAndSpacing)
{
    TLayout l;
    l.feed("101,2");
    l.feed("104,2,3");
    EXPECT_EQ(l.form.Body().bndFields().Height, 2 + 15 + 3);
    EXPECT_EQ(l.form.Body().Column(1).Data->Top, 2);
    l.feed("302,1,4");
    EXPECT_EQ(l.form.Body().bndTotals().Height, 1 + 15 + 4 + 1);
    EXPECT_EQ(l.form.Body().Column(2).Total->Top, 2);
    EXPECT_EQ(l.form.Body().LowerTotalLine().Top, l.form.Body().bndTotals().Height - 4 + 1);
    l.feed("900,2,Arial,18,Y,N,N,clRed");
    EXPECT_EQ(l.form.Body().bndFields().Height, 2 + 24 + 3 + 3);
    EXPECT_EQ(l.form.Body().Column(1).Data->Font.color, 0x0000FF);
    EXPECT_TRUE(l.form.Body().Column(1).Data->Font.bold);
    // Style numbers outside 1..5 are ignored.
    l.feed("900,6,Arial,30");
    EXPECT_EQ(l.form.Body().Font(2).size, 18);
}

TEST(TableStyle, OutOfRangeStyleIsPlainAndShadingTakesItsFields)
{
    TLayout l;
    l.feed("903,7");
    EXPECT_EQ(l.form.Body().ReportStyle(), '1');
    EXPECT_FALSE(l.form.Body().shpDataBackground().Visible);
    l.feed("903,3,2,255");
    EXPECT_EQ(l.form.Body().ReportStyle(), '3');
    EXPECT_TRUE(l.form.Body().shpDataBackground().Visible);
    EXPECT_EQ(l.form.Body().ShadeInterval(), 2);
    EXPECT_EQ(l.form.Body().ShadeColour(), 255);
    l.feed("903,3,1,clMoneyGreen");
    EXPECT_EQ(l.form.Body().ShadeColour(), 0xC0DCC0);
    l.feed("903,3");
    EXPECT_EQ(l.form.Body().ShadeInterval(), 1);
    EXPECT_EQ(l.form.Body().ShadeColour(), kDefaultShadeColour);
}

TEST(DataRow, DotLeadersFillTheCellFromTheReadingEnd)
{
    TLayout l;
    l.feed("101,2");
    l.feed("102,40,40");
    l.feed("911,1");
    l.feed("100,AB,CD");
    // "AB" is 12 wide, each dot 3: dots while the text plus one more dot stays under 40.
    EXPECT_EQ(l.form.Body().Column(1).Data->Caption, "AB.........");
    EXPECT_EQ(l.form.Body().Column(2).Data->Caption, "CD");
    TLayout r;
    r.feed("906");
    r.feed("101,1");
    r.feed("102,30");
    r.feed("911,1");
    r.feed("100,AB");
    EXPECT_EQ(r.form.Body().Column(1).Data->Caption, ".....AB");
}

// The painted extent of a text in the page's font, in pixels, drawn right to left.
int paintedExtent(const QString &text, const TFontSpec &font)
{
    QImage image(1000, 40, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font.toQFont());
    p.setLayoutDirection(Qt::RightToLeft);
    p.setPen(Qt::black);
    p.drawText(QRectF(10, 0, 980, 40), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, text);
    p.end();
    int lo = image.width(), hi = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    return hi < lo ? 0 : hi - lo + 1;
}

TEST(DataRow, DotLeadersMeasuredAsPaintedKeepTheWholeName)
{
    // With the real fonts: the dots in front of a provider's name fill the cell and the
    // name keeps its last letter.
    TfrmReport form{QString(), QStringLiteral("ADMIN")};
    form.LoadReport();
    auto feed = [&](const QByteArray &line) {
        QByteArray rest = line;
        const int code = FieldToInt(NextField(rest));
        form.Dispatch(code, rest);
    };
    feed("906");
    feed("101,1");
    feed("102,150");
    feed("911,1");
    for (const char *name : {"בזק", "סלקום", "פרטנר", "בזק בינלאומי"}) {
        feed(QByteArray("100,") + W1255(name));
        const TBandItem &cell = *form.Body().Column(1).Data;
        ASSERT_TRUE(cell.Caption.startsWith(QStringLiteral(".....")));
        const int painted = paintedExtent(cell.Caption, cell.Font);
        EXPECT_LE(painted, cell.Width) << name;
        EXPECT_GT(painted, cell.Width - 10) << name; // the dots fill the cell
    }
}

TEST(TotalsRow, RulesCaptionsAndLines)
{
    TLayout l;
    l.feed("101,3");
    l.feed("102,50,60,70");
    l.feed("300,Y,,12,34");
    EXPECT_FALSE(l.form.Body().Column(1).TotalRule->Enabled);
    EXPECT_TRUE(l.form.Body().Column(2).TotalRule->Enabled);
    EXPECT_EQ(l.form.Body().Column(3).Total->Caption, "34");
    l.feed("301,1,1,2,5,L,Total");
    const TBandItem &caption = l.form.Body().TotalCaption(1);
    EXPECT_TRUE(caption.Enabled);
    EXPECT_EQ(caption.Left, l.left(1) + 5);
    EXPECT_EQ(caption.Width, l.form.Body().Column(2).Total->Right() - 5 - l.left(1));
    l.feed("301,6,1,2,5,L,Ignored");
    l.feed("303,2,2,3");
    EXPECT_TRUE(l.form.Body().UpperTotalLine().Enabled);
    EXPECT_TRUE(l.form.Body().LowerTotalLine().Enabled);
    EXPECT_EQ(l.form.Body().UpperTotalLine().Left, l.left(2));
    EXPECT_EQ(l.form.Body().UpperTotalLine().Width, l.form.Body().Column(3).Data->Right() - l.left(2));
}

TEST(GridStyle, BoxesAroundTitlesDataAndTotals)
{
    TLayout l;
    l.feed("903,2");
    l.feed("101,2");
    l.feed("102,50,60");
    l.feed("200,A,B");
    const int titles = l.form.Body().bndTitles().Height;
    l.form.Body().ApplyGridStyle();
    EXPECT_EQ(l.form.Body().bndTitles().Height, titles + 8);
    const TBandItem &box = *l.form.Body().Column(1).TitleRule;
    EXPECT_EQ(box.Shape, TShapeKind::Rectangle);
    EXPECT_EQ(box.Width, 50 + 14);
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Left, box.Left + 5);
    EXPECT_EQ(l.form.Body().Column(1).Title[1]->Top, box.Top + 4);
    EXPECT_EQ(l.form.Body().Column(1).DataBox->Width, 50 + 14 - 1);
    EXPECT_EQ(l.form.Body().Column(2).Data->Left, l.form.Body().Column(2).DataBox->Left + 5);
    // Record 303 and 105 are not for the boxed grid.
    l.feed("303,2");
    EXPECT_FALSE(l.form.Body().UpperTotalLine().Enabled);
}

TEST(TextMeasurer, RealFontsCountWholePixelsPerGlyph)
{
    // Arial is Liberation Sans here; 9 points are 12 pixels.
    const TFontMetricsMeasurer measurer;
    TFontSpec arial;
    EXPECT_EQ(FontHeight(arial), 12);
    EXPECT_NEAR(measurer.TextWidth(QStringLiteral("0123456789"), arial), 70, 1);
    EXPECT_NEAR(measurer.TextWidth(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), arial), 211, 2);
    EXPECT_GE(measurer.TextHeight(arial), 13);
}

namespace {

// Widths as a font of hundreds of points gives a line of a hundred megabytes: past int's range.
class TGiantTextMeasurer final : public TTextMeasurer
{
public:
    double TextWidth(const QString &text, const TFontSpec &) const override { return 3e10 + text.size(); }
    int TextHeight(const TFontSpec &) const override { return 12; }
};

} // namespace

TEST(NumbersFromTheFile, ColumnsOfTenThousandLettersOrDigitsStayWithinThePixelLimit)
{
    TLayout l;
    l.feed("101,2");
    l.feed("102,C10000,D10000");
    // 60,004 and 70,004 pixels as measured: each is taken as the limit before the block is cut.
    EXPECT_GT(l.width(1), 0);
    EXPECT_LE(l.width(1), kMaxPixels);
    EXPECT_LE(l.width(2), kMaxPixels);
    EXPECT_LE(l.form.Body().TotalWidth(), 2 * (kMaxPixels + kColumnGap));
}

TEST(NumbersFromTheFile, AMeasuredWidthBeyondIntsRangeIsClamped)
{
    TGiantTextMeasurer measurer;
    TfrmReport form{QString(), QStringLiteral("ADMIN")};
    form.SetTextMeasurer(&measurer);
    form.LoadReport();
    QByteArray rest = "1,L,0,0,a line of any length";
    form.Dispatch(400, rest);
    int widest = 0;
    for (const auto &item : form.Header().bndReportHeader().Items)
        widest = std::max(widest, item->Width);
    EXPECT_EQ(widest, kMaxTextPixels);
    EXPECT_EQ(CeilPixels(std::nan("")), 0);
    EXPECT_EQ(CeilPixels(-5.5), 0);
    EXPECT_EQ(CeilPixels(10.2), 11);
}
