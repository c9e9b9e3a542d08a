// Every language text reads naturally from the right in a right-to-left window.
#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"
#include "support/TextReading.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

struct TExpectedReading {
    QStringList values; // what fills the text's places
    const char *reading;
};

// The reading of every text that holds a Latin letter, a digit, a place or punctuation, with
// its places filled as the windows fill them.
const QMap<int, TExpectedReading> &expectedReadings()
{
    static const QMap<int, TExpectedReading> readings = {
        {7, {{}, "פתח"}},
        {16, {{"/x/y.srp"}, "לא ניתן לטעון את /x/y.srp - פורמט לא מוכר"}},
        {51, {{}, "להפסיק יצוא מבלי לשמור?"}},
        {61, {{}, "גלריה..."}},
        {62, {{}, "צבעים..."}},
        {63, {{}, "כותרות..."}},
        {64, {{}, "קווי שריג..."}},
        {67, {{}, "להפסיק הכנת הגראף?"}},
        {69, {{"250"}, "יותר מדי נתונים, הגרף יכיל רק את 250 השדות הראשונים !"}},
        {76, {{"10", "400"}, "המספר צריך להיות בין 10 לבין 400"}},
        {77, {{"2"}, "סדרה 2"}},
        {82, {{}, "Bars"}},
        {83, {{}, "Horizontal Bars"}},
        {84, {{}, "Area"}},
        {85, {{}, "Lines"}},
        {86, {{}, "Stairs"}},
        {87, {{}, "Points"}},
        {88, {{}, "Pie"}},
        {89, {{}, "3D"}},
        {91, {{}, "3D %"}},
        {99, {{}, "כותרת תחתית (ציר X)"}},
        {100, {{}, "כותרת שמאל (ציר Y)"}},
        {102, {{}, "להפסיק את שליחת הדוח?"}},
        {112, {{"3"}, "עמוד 3"}},
        {114, {{}, "גופנים..."}},
        {121, {{}, "סמנים..."}},
        {130, {{}, "לבטל שמירה?"}},
        {140, {{}, "Tab"}},
        {145, {{"/x/y.srp"}, "צופה בקובץ /x/y.srp"}},
        {146, {{"/x/y"}, "נתיב /x/y לא קיים"}},
        {147, {{"/x/y.srp"}, "הקובץ /x/y.srp כבר קיים\nהאם ברצונך להחליפו ?"}},
        {149, {{}, "שמור כ DOS ASCII"}},
        {150, {{"צפייה בדוחות"}, "אודות צפייה בדוחות"}},
        {152, {{"2"}, "נדרשת תוכנית צפייה מגירסה 2.00 ומעלה"}},
        {153, {{"5000"}, "יותר מדי נתונים, רק 5000 שורות הועתקו"}},
        {154, {{}, "יותר מדי נתונים, מידע לא הועתק !"}},
        {178, {{}, "קובץ CSV"}},
        {180, {{}, "מספר שורות בדף חייב להיות גדול מאפס !"}},
        {219, {{}, "האם ברצונך להפסיק הדפסה?"}},
        {220, {{"3", "10"}, "מדפיס 3/10"}},
        {5336, {{}, "לא ניתן להציג את הדוח:\nנא וודא שמדפסת מוגדרת ומותקנת היטב"}},
        {9501, {{"/x/y.pdf"}, "לא ניתן להדפיס אל /x/y.pdf"}},
        {9502, {{"/x/y.srp"}, "לא ניתן לשמור את /x/y.srp"}},
        {9533, {{"3", "10"}, "תוצאה 3 מתוך 10"}},
        {9534, {{}, "מחפש..."}},
        {9550, {{"/tmp/x/calls.pdf"}, "לא ניתן לפתוח את תוכנת הדואר עם /tmp/x/calls.pdf"}},
        {9590, {{"/x/y"}, "/x/y אינו קובץ רגיל ולא ניתן לפתוח אותו"}},
        {9591, {{"/x/y.srp"}, "לא ניתן לשמור על הדוח עצמו: /x/y.srp"}},
    };
    return readings;
}

// Texts of Hebrew letters and spaces only read right whatever their direction.
bool needsAReading(const QString &text)
{
    if (text != text.trimmed())
        return true;
    for (QChar c : text) {
        const bool hebrewLetter = c.unicode() >= 0x05D0 && c.unicode() <= 0x05EA;
        if (!hebrewLetter && c != QLatin1Char(' ') && c != QLatin1Char('&'))
            return true;
    }
    return false;
}

TEST(DisplayText, EveryTextWithMoreThanHebrewWordsHasAnExpectedReading)
{
    int count = 0;
    for (int number = 1; number <= 65535; ++number) {
        const QString text = LookupText(number);
        if (text.isEmpty())
            continue;
        ++count;
        if (needsAReading(text)) {
            EXPECT_TRUE(expectedReadings().contains(number)) << number << ": " << text.toStdString();
        }
    }
    EXPECT_GT(count, 150);
}

TEST(DisplayText, EveryTextReadsNaturallyFromTheRight)
{
    for (auto it = expectedReadings().begin(); it != expectedReadings().end(); ++it) {
        const QString shown = DisplayFormat(it.key(), it->values);
        EXPECT_EQ(ReadFromTheRight(shown).toStdString(), std::string(it->reading)) << "text " << it.key();
    }
}

TEST(DisplayText, PlainHebrewTextsAreShownAsTheTableHasThem)
{
    EXPECT_EQ(DisplayText(1), LookupText(1));
    EXPECT_EQ(DisplayText(5237), LookupText(5237));
    EXPECT_EQ(DisplayText(147), LookupText(147));
    EXPECT_EQ(DisplayText(4242), QString());
}

TEST(DisplayText, TheTableKeepsItsOwnTextsForFiles)
{
    // Text pages write 112 byte for byte, and the windows' form does not replace it.
    EXPECT_EQ(LookupText(112), QString::fromUtf8("%d עמוד "));
    EXPECT_EQ(LookupText(146), QString::fromUtf8("לא קיים%s נתיב "));
    EXPECT_EQ(DisplayText(112), QString::fromUtf8("עמוד %d"));
}

TEST(DisplayText, TheTablesLeftToRightFormsWouldReadBackwards)
{
    // The reader tells the two apart: shown as the table has them, these read wrongly.
    EXPECT_NE(ReadFromTheRight(LookupText(51)).trimmed(), QString::fromUtf8(expectedReadings()[51].reading));
    EXPECT_NE(ReadFromTheRight(FormatText(LookupText(146), {"/x/y"})).trimmed(),
              QString::fromUtf8(expectedReadings()[146].reading));
    EXPECT_NE(ReadFromTheRight(LookupText(149)).trimmed(), QString::fromUtf8(expectedReadings()[149].reading));
    EXPECT_NE(ReadFromTheRight(LookupText(99)).trimmed(), QString::fromUtf8(expectedReadings()[99].reading));
}

TEST(DisplayText, PathsInASentenceStayLeftToRight)
{
    EXPECT_TRUE(ShowsLeftToRight(DisplayFormat(146, {"/x/y"}), "/x/y"));
    EXPECT_TRUE(ShowsLeftToRight(DisplayFormat(16, {"/home/דוחות/a.srp"}), "/home/"));
    EXPECT_TRUE(ShowsLeftToRight(DisplayFormat(9502, {"/דוחות/a.srp"}), "/"));
    EXPECT_TRUE(ShowsLeftToRight(DisplayFormat(9502, {"/דוחות/a.srp"}), "/a.srp"));
    // Without the isolation the leading slash would jump to the path's other end.
    EXPECT_FALSE(ShowsLeftToRight(FormatText(DisplayText(146), {"/x/y"}), "/x/y"));
}

TEST(DisplayText, AHebrewValueKeepsItsOwnDirection)
{
    EXPECT_EQ(ReadFromTheRight(DisplayFormat(150, {"תוכנית SIP"})).toStdString(), "אודות תוכנית SIP");
    EXPECT_TRUE(IsRightToLeftText(QString::fromUtf8("קבוצת קווים SIP")));
    EXPECT_FALSE(IsRightToLeftText("Calls by day 3"));
}

} // namespace
