// Page header from the settings, header and footer text lines, wrapping, page numbers.
#include "foundation/Paths.h"
#include "report/ReportPages.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// An installation folder of its own for one test: TRVL.PAR and pictures.
struct THome {
    TTestDir dir;
    explicit THome(const QByteArray &pageInfo)
    {
        dir.write("TRVL.PAR", "[PageInfo]\r\n" + pageInfo);
        qputenv("TARVEL_HOME", QFile::encodeName(dir.path()));
        ResolvePaths();
    }
    ~THome()
    {
        qunsetenv("TARVEL_HOME");
        ResolvePaths();
    }
};

QList<QByteArray> body() { return {"101,1", "102,50", "100,A"}; }

const TBandItem *labelWith(const TBand &band, const QString &caption)
{
    for (const auto &item : band.Items)
        if (item->Kind == TItemKind::Label && item->Caption.trimmed() == caption)
            return item.get();
    return nullptr;
}

const TBandItem *imageOf(const TBand &band)
{
    for (const auto &item : band.Items)
        if (item->Kind == TItemKind::Image)
            return item.get();
    return nullptr;
}

} // namespace

TEST(SettingsHeader, StacksEqualWidthsRuleAndNoDateWhenBothAreOff)
{
    THome home("CompName=ACME\r\nCompNameAlign=R\r\nCompDetail1=AB\r\nCompDetail1Align=R\r\n"
               "CompDetailAlign=R\r\nDateTime=NOW\r\nHeaderLine=Y\r\n");
    TRunPages r;
    r.run(QList<QByteArray>{"905,1"} + body());
    ASSERT_EQ(r.start, TfrmReport::TRunStart::Ready);
    const TBand &band = r.form->Header().bndHeaderInfo();
    const TBandItem *name = labelWith(band, "ACME");
    const TBandItem *detail = labelWith(band, "AB");
    ASSERT_TRUE(name && detail);
    // Both as wide as "ACMEW" (30), at the right of the printable width.
    EXPECT_EQ(name->Width, 30);
    EXPECT_EQ(detail->Width, 30);
    EXPECT_EQ(name->Left, 718 - 30 + 1);
    EXPECT_EQ(name->Top, 1);
    EXPECT_EQ(detail->Top, 1 + name->Height);
    EXPECT_EQ(labelWith(band, "NOW"), nullptr);
    EXPECT_EQ(band.Height, detail->Bottom());
    EXPECT_TRUE(r.form->Header().HeaderRule()->Visible);
    EXPECT_EQ(r.form->Header().HeaderRule()->Top, band.Height - 1);
    EXPECT_EQ(r.count(0, "ACME"), 1);
    // The header goes back out as records.
    EXPECT_TRUE(r.form->SavedHeaderRecords().contains("912,1,689,1,30,L,Arial,9,0,N,N,\"ACME\""));
}

TEST(SettingsHeader, JpegLogoByBareNameAndDamagedPicturesLeftOut)
{
    const QString sample = SourceDir() + "/examples/home/logo.jpg";
    QFile file(sample);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();
    {
        THome home("LogoFile=logo.jpg\r\nLogoAlign=L\r\n");
        home.dir.write("logo.jpg", jpeg);
        TRunPages r;
        r.run(QList<QByteArray>{"905,1"} + body());
        const TBandItem *logo = imageOf(r.form->Header().bndHeaderInfo());
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->Left, 1);
        EXPECT_EQ(logo->Top, 1);
        EXPECT_GT(logo->Width, 10);
        // Written back: extension, the bytes in blocks of 100, the placement.
        const QList<QByteArray> &saved = r.form->SavedHeaderRecords();
        const int at = int(saved.indexOf("914,.jpg"));
        ASSERT_GE(at, 0);
        QByteArray hex;
        int k = at + 1;
        for (; k < saved.size() && saved[k].startsWith("912,3,"); ++k) {
            EXPECT_LE(saved[k].size() - 6, 200);
            hex += saved[k].mid(6);
        }
        EXPECT_EQ(QByteArray::fromHex(hex), jpeg);
        EXPECT_EQ(saved.value(k), "912,4,1,1," + QByteArray::number(logo->Width) + "," + QByteArray::number(logo->Height));
    }
    for (const QByteArray &bad : {jpeg.left(jpeg.size() / 2), QByteArray("not a picture")}) {
        THome home("LogoFile=logo.jpg\r\n");
        home.dir.write("logo.jpg", bad);
        TRunPages r;
        r.run(QList<QByteArray>{"905,1"} + body());
        EXPECT_EQ(r.start, TfrmReport::TRunStart::Ready);
        EXPECT_EQ(imageOf(r.form->Header().bndHeaderInfo()), nullptr);
    }
}

TEST(HeaderLines, ReportHeaderLinesReplaceAndReset)
{
    TRunPages r;
    r.run({"905,1", "400,4,C,2,3,Title", "400,1,L,0,0,Second", "401,2,Other", "401,9,Ignored", "101,1", "100,A"});
    const TBand &band = r.form->Header().bndReportHeader();
    const TBandItem *title = labelWith(band, "Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Caption, " Title");
    EXPECT_EQ(title->Top, 2);
    EXPECT_EQ(title->Font.size, 12); // main header style
    EXPECT_EQ(title->Alignment, TAlignment::Center);
    const TBandItem *other = labelWith(band, "Other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Top, title->Bottom() + 3);
    EXPECT_EQ(band.Height, other->Bottom());
    EXPECT_EQ(r.count(0, "Title"), 1);

    TRunPages cleared;
    cleared.run({"905,1", "400,4,C,0,0,Old", "403", "400,4,C,0,0,New", "101,1", "100,A"});
    EXPECT_EQ(cleared.count(0, "Old"), 0);
    EXPECT_EQ(cleared.find(0, "New").rect.top(), 38 + 1);
}

TEST(HeaderLines, SubHeaderInformationWrapsUnderItsLabel)
{
    QByteArray items;
    for (int i = 0; i < 40; ++i)
        items += QByteArray(i ? ", " : "") + "1001";
    TRunPages r;
    r.run({"905,1", "550,2,R,0,0,\"Ext: " + items + "\"", "101,1", "100,A"});
    EXPECT_TRUE(r.form->Header().Settings().SubHeaderInfoOn);
    EXPECT_EQ(r.form->Header().Settings().SubHeaderInfoLines, 3);
    QStringList lines;
    for (const auto &item : r.form->Header().bndSubHeaderInfo().Items)
        if (item->Visible)
            lines.append(item->Caption);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(" Ext: 1001, 1001"));
    EXPECT_TRUE(lines[0].endsWith("1001,"));
    EXPECT_EQ(lines[0].count("1001"), 19);
    EXPECT_EQ(lines[1].count("1001"), 19);
    EXPECT_EQ(lines[2].count("1001"), 2);
    // Later lines start with blank space as wide as the label.
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral(" ") + QString(5, QChar(0x00A0)) + "1001"));
    // A short line is not wrapped.
    TRunPages shortLine;
    shortLine.run({"905,1", "550,2,R,0,0,\"Ext: 1, 2\"", "101,1", "100,A"});
    EXPECT_EQ(shortLine.form->Header().Settings().SubHeaderInfoLines, 1);
}

TEST(PageNumbers, StyleZeroLeavesThemOffAndOffRecordHidesThem)
{
    TRunPages none;
    none.run({"905,1", "800,0", "101,1", "100,A"});
    EXPECT_FALSE(none.form->Header().lblPageNumber().Visible);
    TRunPages on;
    on.run({"905,1", "800,3", "101,1", "100,A"});
    EXPECT_TRUE(on.form->Header().lblPageNumber().Visible);
    EXPECT_EQ(on.form->Header().lblPageNumber().Height, 12);
    EXPECT_EQ(on.form->Header().bndFooterInfo2().Height, 18);
    EXPECT_TRUE(on.form->Header().lblPageNumber().Font.bold); // the total style
    TRunPages off;
    off.run({"905,1", "800,3", "801", "101,1", "100,A"});
    EXPECT_FALSE(off.form->Header().lblPageNumber().Visible);
    EXPECT_FALSE(off.form->Header().bndFooterInfo2().Enabled);
}

TEST(FooterBlock, LinesStopAtHalfThePage)
{
    QList<QByteArray> lines = {"905,1", "560,0", "580,L,L,Arial,10,N,N,N,0"};
    for (int i = 0; i < 60; ++i)
        lines.append("581,Line " + QByteArray::number(i));
    TRunPages r;
    r.run(lines + body());
    const int lineHeight = 13 + 2; // 10 points are 13 pixels, plus the fake's 2
    // Accepted while the band is at most half the page (561), so up to 38 lines.
    EXPECT_EQ(r.form->Header().FooterBlock().RawLines().size(), 561 / lineHeight + 1);
    EXPECT_EQ(r.form->Header().Settings().FooterBandHeight, r.form->Header().bndFooterInfo().Height);
    EXPECT_EQ(r.store.PageCount(), 1);
}

TEST(SubHeader, GroupCaptionsSortedIntoRowsAndColumns)
{
    TRunPages r;
    r.run({"905,1", "450,100,50,70", "451,2,1,2,L,0,0,Low", "451,1,2,2,C,0,0,Right", "451,1,1,5,C,2,1,Left",
           "451,0,1,2,L,0,0,Ignored", "101,1", "100,A"});
    const TBand &band = r.form->Header().bndSubHeader();
    EXPECT_TRUE(band.Enabled);
    const TBandItem *left = labelWith(band, "Left");
    const TBandItem *right = labelWith(band, "Right");
    const TBandItem *low = labelWith(band, "Low");
    ASSERT_TRUE(left && right && low);
    EXPECT_EQ(labelWith(band, "Ignored"), nullptr);
    EXPECT_EQ(left->Left, 0);
    EXPECT_EQ(left->Width, 100);
    EXPECT_EQ(right->Left, 113);
    EXPECT_EQ(right->Width, 50);
    // Row 1 is as tall as its tallest item: sub-header style 12 + 2 + 1 + 3.
    EXPECT_EQ(left->Top, 2);
    EXPECT_EQ(right->Top, 0);
    EXPECT_EQ(low->Top, 18);
    EXPECT_EQ(band.Height, 18 + 15);
    EXPECT_EQ(r.count(0, "Low"), 1);

    TRunPages cleared;
    cleared.run({"905,1", "450,100", "451,1,1,2,L,0,0,Gone", "453", "101,1", "100,A"});
    EXPECT_EQ(cleared.form->Header().bndSubHeader().Height, 0);
    EXPECT_EQ(cleared.count(0, "Gone"), 0);
}

TEST(SubHeader, RightToLeftReportsPlaceCaptionsFromTheLeftAsRecorded)
{
    // Stored reports were made for this placement: mirroring would put each caption over
    // the wrong columns.
    TRunPages r;
    r.run({"906", "905,1", "450,100,50", "451,1,1,2,C,0,0,First", "451,1,2,2,C,0,0,Second", "101,1", "100,A"});
    const TBandItem *first = labelWith(r.form->Header().bndSubHeader(), "First");
    const TBandItem *second = labelWith(r.form->Header().bndSubHeader(), "Second");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Left, 0);
    EXPECT_EQ(second->Left, 113);
    EXPECT_EQ(second->Width, 50);
}

TEST(SubHeader, SampleCaptionsStandOverTheirColumns)
{
    // The sample's column-group captions are placed where its records put them (from the left
    // in a right-to-left report too) and stand over the columns they name.
    TfrmReport form(SourceDir() + "/examples/trunk-summary.srp", QStringLiteral("ADMIN"));
    form.LoadReport();
    ASSERT_EQ(form.StartRun(nullptr).Status, TfrmReport::TRunStart::Ready);
    TPageStore store;
    TSilentRunObserver observer;
    form.GeneratePages(store, observer);
    auto rect = [&](const char *text) {
        for (const TPagePrimitive &item : store.Page(0).items)
            if (item.kind == TPrimitiveKind::Text && item.text.trimmed() == QString::fromUtf8(text))
                return item.rect;
        return QRect();
    };
    const QRect details = rect("פרטי הקו"), traffic = rect("תעבורה ועלויות");
    ASSERT_FALSE(details.isNull());
    ASSERT_FALSE(traffic.isNull());
    // Each caption starts at its group's leftmost column and covers the group.
    EXPECT_EQ(details.left(), rect("סוג").left());
    EXPECT_GE(details.right(), rect("ספק").right());
    EXPECT_EQ(traffic.left(), rect("ניצולת").left());
    EXPECT_GE(traffic.right(), rect("משך").right());
    EXPECT_LT(traffic.right(), details.left());
}
