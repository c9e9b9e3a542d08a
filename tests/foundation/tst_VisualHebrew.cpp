// Visual Hebrew conversion and the code page module.
#include "foundation/Codepages.h"
#include "foundation/VisualHebrew.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// Code page 862 bytes of Hebrew letters given in UTF-8 (alef = 128).
QByteArray cp862(const char *utf8) { return Win1255ToCp862(W1255(utf8)); }

TEST(VisualHebrew, ReordersHebrewSegments)
{
    EXPECT_EQ(ToVisual(""), "");
    EXPECT_EQ(ToVisual(W1255("אב")), cp862("בא"));
    EXPECT_EQ(ToVisual(W1255("אב 12")), "12 " + cp862("בא"));
    EXPECT_EQ(ToVisual(W1255("א!")), "!" + cp862("א"));
    EXPECT_EQ(ToVisual(W1255("שלום עולם")), cp862("םלוע םולש"));
    // Hebrew, then Latin text with trailing neutrals: as the reordering places them.
    EXPECT_EQ(ToVisual(W1255("אב cd")), "cd " + cp862("בא"));
    EXPECT_EQ(ToVisual(W1255("שלוחה 204: ישראל")), cp862("לארשי") + " :204 " + cp862("החולש"));
}

TEST(VisualHebrew, TextWithoutHebrewKeepsItsOrder)
{
    EXPECT_EQ(ToVisual("Total 1234.50"), "Total 1234.50");
    EXPECT_EQ(ToVisual("a!?"), "a!?");
    EXPECT_EQ(ToVisual("(123)."), "(123).");
    EXPECT_EQ(ToVisual("zz top"), "zz top");
}

TEST(VisualHebrew, SegmentsAreReorderedOnTheirOwn)
{
    const QByteArray sep(1, kSegmentSeparator);
    const QByteArray line = W1255("אב") + sep + W1255("גד") + sep + "12";
    const QByteArray visual = ToVisual(line);
    // Each separator begins the next segment as its first left-to-right byte.
    EXPECT_EQ(visual, cp862("בא") + cp862("דג") + sep + sep + "12");
    EXPECT_EQ(StripSeparators(visual), cp862("באדג") + "12");
    // More than twenty segments are all converted.
    QByteArray many;
    for (int i = 0; i < 25; ++i)
        many += W1255("אב") + sep;
    EXPECT_EQ(StripSeparators(ToVisual(many)).size(), 50);
}

TEST(VisualHebrew, CodePageStep)
{
    EXPECT_EQ(Win1255ToCp862(W1255("א")), QByteArray(1, char(128)));
    EXPECT_EQ(Win1255ToCp862(W1255("ת")), QByteArray(1, char(154)));
    EXPECT_EQ(Win1255ToCp862(QByteArray("\xDF\xFB\xFD", 3)), QByteArray("\xDF\xFB\xFD", 3));
}

TEST(Codepages, RoundTripsAndUnmappableCharacters)
{
    const QString text = QString::fromUtf8("שלום עולם 123 ₪€");
    EXPECT_EQ(FromWin1255(ToWin1255(text)), text);
    EXPECT_EQ(ToWin1255(QString::fromUtf8("א")), QByteArray("\xE0"));
    EXPECT_EQ(FromCp862(QByteArray("\x80\x9A")), QString::fromUtf8("את"));
    EXPECT_EQ(ToCp862(QString::fromUtf8("שלום")), Win1255ToCp862(W1255("שלום")));
    // A character the code page lacks becomes one substitute byte, never a crash.
    EXPECT_EQ(ToWin1255(QString::fromUtf8("漢")).size(), 1);
}

} // namespace
