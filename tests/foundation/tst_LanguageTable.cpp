// The built-in language table and the font translation.
#include "foundation/FontTranslation.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Paths.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageTable, HoldsTheProgramTexts)
{
    InitLanguageTable();
    EXPECT_EQ(LookupText(1), QString::fromUtf8("צפייה בדוחות"));
    EXPECT_EQ(LookupText(7), QString::fromUtf8("פתח ")); // spaces at the ends belong to the text
    EXPECT_EQ(LookupText(5336), QString::fromUtf8("לא ניתן להציג את הדוח:\nנא וודא שמדפסת מוגדרת ומותקנת היטב"));
    EXPECT_EQ(LookupText(147), QString::fromUtf8("הקובץ %s כבר קיים\nהאם ברצונך להחליפו ?"));
    EXPECT_EQ(LookupText(129), QString::fromUtf8("שומר דוח"));
    EXPECT_EQ(LookupText(4242), QString());
    EXPECT_EQ(LookupText(0), QString());
    EXPECT_EQ(LanguageCode(), QString());
    ReleaseLanguageTable();
    EXPECT_EQ(LookupText(5237), QString::fromUtf8("לא נמצאו נתונים")); // loads again on use
}

TEST(LanguageTable, FormatTextFillsPlacesInOrder)
{
    EXPECT_EQ(FormatText(LookupText(152), {"2"}), QString::fromUtf8("נדרשת תוכנית צפייה מגירסה 2.00 ומעלה"));
    EXPECT_EQ(FormatText("%d/%d", {"3", "10"}), "3/10");
    EXPECT_EQ(FormatText("100%% %s", {}), "100% ");
}

TEST(FontTranslation, EntriesAndDefault)
{
    SetFontTranslation({"Arial=David,2", "Default=Miriam", "Courier=Mono,x"});
    QString name = "Arial";
    int size = 9;
    EXPECT_TRUE(TranslateFont(name, size));
    EXPECT_EQ(name, "David");
    EXPECT_EQ(size, 11);
    name = "Tahoma";
    size = 8;
    EXPECT_TRUE(TranslateFont(name, size));
    EXPECT_EQ(name, "Miriam");
    EXPECT_EQ(size, 8);
    name = "courier"; // names are matched without letter case
    size = 10;
    TranslateFont(name, size);
    EXPECT_EQ(name, "Mono");
    EXPECT_EQ(size, 10);
    SetFontTranslation({});
    name = "Arial";
    EXPECT_FALSE(TranslateFont(name, size));
}

TEST(FontTranslation, LoadsTheSectionOfTheDatabaseLanguage)
{
    TTestDir dir;
    qputenv("TARVEL_HOME", dir.path().toUtf8());
    ResolvePaths();
    dir.write("TRVL.PAR", "[sysconfig]\r\nDB_LANGUAGE=HEB\r\n");
    LoadFontTranslation(dir.path("TRVL.PAR"), "sysconfig");
    EXPECT_FALSE(FontTranslationActive()); // no TRNSFONT.INI
    dir.write("trnsfont.ini", "[ENG]\r\nArial=Courier\r\n[HEB]\r\nArial=David,1\r\n");
    LoadFontTranslation(dir.path("TRVL.PAR"), "sysconfig");
    QString name = "Arial";
    int size = 9;
    ASSERT_TRUE(TranslateFont(name, size));
    EXPECT_EQ(name, "David");
    EXPECT_EQ(size, 10);
    SetFontTranslation({});
    qunsetenv("TARVEL_HOME");
}

} // namespace
