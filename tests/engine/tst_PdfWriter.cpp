// The PDF writer: searchable Hebrew in logical order, embedded font subsets, document
// information, images, stopping and write failures.
#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "engine/PdfFile.h"
#include "engine/PdfFont.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

TPagePrimitive textItem(TPageStore &store, const QString &text, QRect rect, bool rightToLeft)
{
    TPagePrimitive p;
    p.kind = TPrimitiveKind::Text;
    p.rect = rect;
    p.text = text;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    p.font = store.AddFont(font);
    p.flags = (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    p.rightToLeft = rightToLeft;
    return p;
}

void reportPage(TPageStore &store)
{
    TPage page;
    page.size = QSize(794, 1123);
    page.items.push_back(textItem(store, QStringLiteral(u"דוח שיחות לפי שלוחה"), QRect(300, 50, 450, 24), true));
    page.items.push_back(textItem(store, QStringLiteral("00:29:52"), QRect(40, 100, 100, 20), false));
    TPagePrimitive line;
    line.kind = TPrimitiveKind::Line;
    line.rect = QRect(40, 130, 700, 1);
    page.items.push_back(line);
    QImage logo(20, 10, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    TPagePrimitive image;
    image.kind = TPrimitiveKind::Image;
    image.image = store.AddImage(logo);
    image.rect = QRect(40, 40, 40, 20);
    page.items.push_back(image);
    store.AddPage(page);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

} // namespace

TEST(PdfWriter, HebrewComesOutSearchableInLogicalOrder)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TTestDir dir;
    TPageStore store;
    store.SetTitle(QStringLiteral(u"שיחות נובמבר"));
    reportPage(store);
    ASSERT_TRUE(RenderPagesToPdf(store, dir.path("out.pdf"), QStringLiteral("ADMIN")));
    const QString text = run(QStringLiteral("pdftotext"), {dir.path("out.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral(u"דוח שיחות לפי שלוחה"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("00:29:52"))) << text.toStdString();

    const QString info = run(QStringLiteral("pdfinfo"), {dir.path("out.pdf")});
    EXPECT_TRUE(info.contains(QStringLiteral(u"Title:           שיחות נובמבר"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Author:          ADMIN"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1")));

    // Embedded, subset, with a Unicode map.
    const QString fonts = run(QStringLiteral("pdffonts"), {dir.path("out.pdf")});
    EXPECT_TRUE(fonts.contains(QStringLiteral("CID TrueType      Identity-H       yes yes yes"))) << fonts.toStdString();
    const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), dir.path("out.pdf")});
    EXPECT_TRUE(images.contains(QStringLiteral("   20    10  rgb"))) << images.toStdString();
}

TEST(PdfWriter, TheFontSubsetHoldsTheUsedGlyphsOnly)
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(20);
    const QRawFont face = QRawFont::fromFont(arial);
    ASSERT_TRUE(face.isValid());
    TPdfFont font(face);
    ASSERT_TRUE(font.IsEmbeddable());
    const quint32 used = face.glyphIndexesForString(QStringLiteral("A")).value(0);
    const quint32 unused = face.glyphIndexesForString(QStringLiteral("B")).value(0);
    ASSERT_NE(used, 0u);
    font.UseGlyph(used);
    font.MapGlyph(used, QStringLiteral("A"));
    EXPECT_GT(font.Width(used), 500); // an A is over half an em wide

    const QRawFont subset(font.SubsetFile(), 20);
    ASSERT_TRUE(subset.isValid());
    EXPECT_FALSE(subset.pathForGlyph(used).isEmpty());
    EXPECT_TRUE(subset.pathForGlyph(unused).isEmpty());
    EXPECT_LT(font.SubsetFile().size(), face.fontTable("glyf").size());
    EXPECT_TRUE(font.ToUnicodeCMap().contains(QByteArray("> <0041>")));
}

TEST(PdfWriter, StoppingOrAFailingDeviceIsNoSuccess)
{
    TPageStore store;
    reportPage(store);
    reportPage(store);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int told = 0;
    EXPECT_FALSE(RenderPagesToPdf(store, &buffer, QString(), [&](int done, int total) {
        told = done;
        EXPECT_EQ(total, 2);
        return false;
    }));
    EXPECT_EQ(told, 1);

    QBuffer closed; // not open: every write fails
    EXPECT_FALSE(RenderPagesToPdf(store, &closed));

    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    EXPECT_TRUE(RenderPagesToPdf(store, &whole));
    EXPECT_TRUE(whole.data().startsWith("%PDF-1.4"));
    EXPECT_TRUE(whole.data().trimmed().endsWith("%%EOF"));
}

TEST(PdfWriter, NumbersHaveAtMostThreeDecimalsAndNoTrailingZeros)
{
    QByteArray out;
    for (double v : {0.0, -0.0001, 1.5, 2.0, 0.75, -12.3456, 1e300 * 10})
        AppendPdfNumber(out += ' ', v);
    EXPECT_EQ(out, QByteArray(" 0 0 1.5 2 0.75 -12.346 0"));
}
