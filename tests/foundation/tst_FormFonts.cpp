// Font translation applied to windows and their controls.
#include "foundation/FontSpec.h"
#include "foundation/FontTranslation.h"
#include "foundation/FontTranslationUi.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(FontTranslation, WindowsTranslateOwnFontsOnly)
{
    SetFontTranslation({"Arial=David,2", "Default=Miriam"});
    QWidget window;
    QFont arial("Arial");
    arial.setPointSize(9);
    window.setFont(arial);
    auto *follows = new QLabel("a", &window);
    auto *own = new QLabel("b", &window);
    QFont tahoma("Tahoma");
    tahoma.setPointSize(8);
    own->setFont(tahoma);
    TranslateFormFonts(&window);
    EXPECT_EQ(window.font().family(), "David");
    EXPECT_EQ(window.font().pointSize(), 11);
    EXPECT_EQ(follows->font().family(), "David"); // through its parent, translated once
    EXPECT_EQ(follows->font().pointSize(), 11);
    EXPECT_EQ(own->font().family(), "Miriam");
    EXPECT_EQ(own->font().pointSize(), 8);
    SetFontTranslation({});
}

} // namespace

TEST(FontTranslation, AHugeSizeStepStaysWithinReach)
{
    SetFontTranslation({"Tahoma=Arial,2147483647", "David=Arial,-2147483648"});
    QString name = QStringLiteral("Tahoma");
    int size = 2147483647;
    EXPECT_TRUE(TranslateFont(name, size));
    EXPECT_EQ(size, 2 * kMaxFontSize);
    name = QStringLiteral("David");
    size = 10;
    EXPECT_TRUE(TranslateFont(name, size));
    EXPECT_EQ(size, 10 - kMaxFontSize);
    SetFontTranslation({});
}
