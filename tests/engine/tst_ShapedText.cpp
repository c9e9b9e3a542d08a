// Texts laid out once and drawn from their glyphs look as drawText draws them.
#include "engine/ShapedText.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QFont font(int pixels, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setItalic(italic);
    return f;
}

QImage blank() 
{
    QImage image(300, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The rectangle drawn both ways; the number of pixels that differ by more than antialiasing.
int differingPixels(const QFont &f, const QRect &rect, int flags, bool rightToLeft, const QString &text)
{
    QImage expected = blank();
    {
        QPainter painter(&expected);
        painter.setFont(f);
        painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        painter.drawText(rect, flags | Qt::AlignAbsolute, text);
    }
    QImage actual = blank();
    {
        QPainter painter(&actual);
        painter.setFont(f);
        painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        TShapedText shaped;
        EXPECT_TRUE(ShapeText(painter.font(), rect.size(), quint32(flags | Qt::AlignAbsolute), rightToLeft, text,
                              painter.device(), shaped));
        DrawShapedText(painter, rect, shaped);
    }
    int count = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (qAbs(qGray(expected.pixel(x, y)) - qGray(actual.pixel(x, y))) > 140)
                ++count;
    return count;
}

const QString hebrew = QStringLiteral(u"שלוחה 201: גלעד שפירא");

} // namespace

TEST(ShapedText, EveryAlignmentAndDirectionLandsWhereDrawTextPutsIt)
{
    const QRect rect(20, 10, 250, 30);
    for (int align : {int(Qt::AlignLeft), int(Qt::AlignRight), int(Qt::AlignHCenter)})
        for (bool rtl : {false, true}) {
            EXPECT_EQ(differingPixels(font(16), rect, align | Qt::AlignTop, rtl, hebrew), 0) << align << rtl;
            EXPECT_EQ(differingPixels(font(13, true), rect, align | Qt::AlignTop, rtl, QStringLiteral("00:29:52 (₪) 2.70")),
                      0)
                << align << rtl;
        }
}

TEST(ShapedText, WrappedAndMultiLineTextKeepsItsLines)
{
    const QRect rect(10, 5, 120, 110);
    EXPECT_EQ(differingPixels(font(14), rect, Qt::AlignLeft | Qt::TextWordWrap, false,
                              QStringLiteral("one two three four five six seven")),
              0);
    EXPECT_EQ(differingPixels(font(14), rect, Qt::AlignLeft | Qt::TextDontClip, false, QStringLiteral("a\nbb\r\nc\td")),
              0);
}

TEST(ShapedText, RightAlignedRightToLeftLinesEndingInSpacesAreLeftToDrawTextOrSetFlushRight)
{
    const QString text = QStringLiteral(u"שלוחה 201   \nגלעד שפירא");
    const QRect rect(10, 5, 200, 110);
    TShapedText shaped;
    EXPECT_FALSE(ShapeText(font(14), rect.size(), Qt::AlignRight, true, text, nullptr, shaped));
    ASSERT_TRUE(ShapeText(font(14), rect.size(), Qt::AlignRight, true, text, nullptr, shaped, false));
    // Without the spaces, both lines end at the right edge.
    qreal right = 0;
    for (const QGlyphRun &run : shaped.runs)
        for (QPointF p : run.positions())
            right = qMax(right, p.x());
    EXPECT_GT(right, rect.width() - 16); // the last glyph starts within a glyph of the edge
    // Left to right or not right aligned, the spaces change nothing.
    EXPECT_EQ(differingPixels(font(14), rect, Qt::AlignRight, false, text), 0);
    EXPECT_EQ(differingPixels(font(14), rect, Qt::AlignLeft | Qt::TextWordWrap, true, text + QStringLiteral("  ")), 0);
}

TEST(ShapedText, TextWiderThanItsBoxIsClippedUnlessToldNot)
{
    const QRect narrow(100, 10, 40, 20);
    TShapedText shaped;
    ASSERT_TRUE(ShapeText(font(16), narrow.size(), Qt::AlignLeft | Qt::AlignTop, false, QStringLiteral("a long caption"),
                          nullptr, shaped));
    EXPECT_TRUE(shaped.clip);
    ASSERT_TRUE(ShapeText(font(16), narrow.size(), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, false,
                          QStringLiteral("a long caption"), nullptr, shaped));
    EXPECT_FALSE(shaped.clip);
    EXPECT_EQ(differingPixels(font(16), narrow, Qt::AlignLeft | Qt::AlignTop, false, QStringLiteral("a long caption")), 0);
}

TEST(ShapedText, DecoratedFontsAndUnusualFlagsAreLeftToDrawText)
{
    QFont underlined = font(12);
    underlined.setUnderline(true);
    TShapedText shaped;
    EXPECT_TRUE(ShapeText(underlined, QSize(100, 20), Qt::AlignLeft, false, QStringLiteral("x"), nullptr, shaped));
    EXPECT_TRUE(shaped.decorated);
    EXPECT_FALSE(ShapeText(font(12), QSize(100, 20), Qt::AlignLeft | Qt::TextShowMnemonic, false, QStringLiteral("&x"),
                           nullptr, shaped));
    EXPECT_FALSE(ShapeText(font(12), QSize(100, 20), Qt::AlignLeft, false, QStringLiteral("long\x9cshort"), nullptr,
                           shaped));
    EXPECT_FALSE(ShapeText(font(12), QSize(100, 20), Qt::AlignLeft, false, QString(), nullptr, shaped));
}

TEST(ShapedText, TheCacheLaysOutEachTextOnceAndStaysBounded)
{
    TShapedTextCache cache;
    const QFont f = font(12);
    const TShapedText *first = cache.Shape(f, 0, QSize(100, 20), Qt::AlignLeft, false, QStringLiteral("201"), nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Shape(f, 0, QSize(100, 20), Qt::AlignLeft, false, QStringLiteral("201"), nullptr), first);
    EXPECT_EQ(cache.Size(), 1);
    // Another box, alignment or font is another layout.
    cache.Shape(f, 0, QSize(101, 20), Qt::AlignLeft, false, QStringLiteral("201"), nullptr);
    cache.Shape(f, 0, QSize(100, 20), Qt::AlignRight, false, QStringLiteral("201"), nullptr);
    cache.Shape(f, 1, QSize(100, 20), Qt::AlignLeft, false, QStringLiteral("201"), nullptr);
    EXPECT_EQ(cache.Size(), 4);
    for (int i = 0; i < TShapedTextCache::kMaxEntries + 10; ++i)
        cache.Shape(f, 0, QSize(100, 20), Qt::AlignLeft, false, QString::number(i), nullptr);
    EXPECT_LE(cache.Size(), TShapedTextCache::kMaxEntries);
}
