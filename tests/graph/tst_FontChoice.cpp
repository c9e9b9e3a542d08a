// The fonts dialog's chooser opens on the setting's font and keeps it when nothing changes.
#include "graph/FontChoice.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TFontSpec boldArial()
{
    TFontSpec font;
    font.name = "Arial";
    font.size = 14;
    font.bold = true;
    font.color = 255;
    return font;
}

TEST(FontChoice, TheChooserOpensOnTheFamilyTheSystemUses)
{
    const QFont start = FontChooserStart(boldArial());
    EXPECT_EQ(start.family(), QFontInfo(QFont("Arial")).family());
    EXPECT_EQ(start.pointSize(), 14);
    EXPECT_TRUE(start.bold());
    EXPECT_FALSE(start.italic());
}

TEST(FontChoice, OkWithoutAChangeKeepsTheSetting)
{
    const TFontSpec before = boldArial();
    EXPECT_EQ(FontChosen(before, FontChooserStart(before)), before); // name, bold and colour stay
}

TEST(FontChoice, WhatTheUserChangesIsTaken)
{
    const TFontSpec before = boldArial();
    QFont chosen = FontChooserStart(before);
    chosen.setBold(false);
    chosen.setItalic(true);
    chosen.setPointSize(10);
    TFontSpec after = FontChosen(before, chosen);
    EXPECT_EQ(after.name, "Arial");
    EXPECT_FALSE(after.bold);
    EXPECT_TRUE(after.italic);
    EXPECT_EQ(after.size, 10);
    EXPECT_EQ(after.color, 255);
    chosen.setFamily("DejaVu Serif");
    EXPECT_EQ(FontChosen(before, chosen).name, "DejaVu Serif");
}

} // namespace
