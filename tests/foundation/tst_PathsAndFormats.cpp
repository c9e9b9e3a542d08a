// Installation paths and the international formats.
#include "foundation/Codepages.h"
#include "foundation/IntlSettings.h"
#include "foundation/Paths.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class PathsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("TARVEL_HOME", dir.path().toUtf8());
        qputenv("WINDIR", dir.path("windows").toUtf8());
        QDir(dir.path()).mkdir("windows");
    }
    void TearDown() override
    {
        qunsetenv("TARVEL_HOME");
        qunsetenv("WINDIR");
        ResolvePaths();
    }
    TTestDir dir;
};

TEST_F(PathsTest, ProgramDirectoryFromTarvelHome)
{
    ResolvePaths();
    EXPECT_EQ(ProgramDir(), dir.path() + "/");
    EXPECT_EQ(DataDir(), ProgramDir());
    EXPECT_FALSE(InstallPaths().clientServer);
    EXPECT_EQ(InstallPaths().webDir, DataDir() + "Web/");
    EXPECT_EQ(InstallPaths().webImagesDir, DataDir() + "Web/HtDocs/Images/");
}

TEST_F(PathsTest, ClientOfAServerUsesTheServerPath)
{
    dir.write("CLIENT.PAR", "[general]\r\nCS_SYSTEM=c\r\nSERVER_PATH=  /srv/tarvel  \r\n");
    ResolvePaths();
    EXPECT_TRUE(InstallPaths().clientServer);
    EXPECT_EQ(DataDir(), "/srv/tarvel/");
    dir.write("CLIENT.PAR", "[general]\r\nCS_SYSTEM=S\r\nSERVER_PATH=/srv/tarvel/\r\n");
    ResolvePaths();
    EXPECT_EQ(DataDir(), ProgramDir());
    dir.write("CLIENT.PAR", "[general]\r\nCS_SYSTEM=C\r\nSERVER_PATH=\r\n");
    ResolvePaths();
    EXPECT_EQ(DataDir(), ProgramDir());
}

TEST_F(PathsTest, SettingsFilesAreFoundInAnyLetterCase)
{
    dir.write("client.par", "[general]\r\nCS_SYSTEM=C\r\nSERVER_PATH=/x\r\n");
    ResolvePaths();
    EXPECT_EQ(DataDir(), "/x/");
    EXPECT_EQ(FileInDir(dir.path(), "CLIENT.PAR"), dir.path("client.par"));
    EXPECT_EQ(FileInDir(dir.path(), "TRVL.PAR"), dir.path("TRVL.PAR"));
}

TEST_F(PathsTest, IntlDefaultsWithoutSettings)
{
    dir.write("CLIENT.PAR", "[intl]\r\nUSE_WIN=N\r\n");
    ResolvePaths();
    LoadIntlSettings();
    const TFormatSettings &f = FormatSettings();
    EXPECT_EQ(f.shortDateFormat, "mm/dd/yy");
    EXPECT_EQ(f.dateSeparator, '/');
    EXPECT_EQ(f.timeSeparator, ':');
    EXPECT_EQ(f.shortTimeFormat, "hh:nn");
    EXPECT_EQ(f.decimalSeparator, '.');
    EXPECT_EQ(f.currencyString, "$");
    EXPECT_EQ(f.currencyDecimals, 2);
    EXPECT_EQ(f.currencyFormat, 0);
    EXPECT_EQ(ToWin1255(QString(f.thousandSeparator)), QByteArray(1, char(254)));
    EXPECT_EQ(f.longMonthNames.size(), 12);
    EXPECT_EQ(f.shortMonthNames[4], QString::fromUtf8("מאי")); // May reuses the long name
    EXPECT_EQ(f.shortDayNames[6], QString::fromUtf8("ש"));
}

TEST_F(PathsTest, IntlValuesAreNormalised)
{
    dir.write("CLIENT.PAR", "[intl]\r\nUSE_WIN=N\r\niCurrDigits=7\r\niCurrency=5\r\niDate=3\r\n"
                            "sCurrency=  EUR12  \r\nsDate=-\r\nsThousand=,\r\nsDecimal=.\r\n");
    ResolvePaths();
    LoadIntlSettings();
    EXPECT_EQ(FormatSettings().currencyDecimals, 2);
    EXPECT_EQ(FormatSettings().currencyFormat, 0);
    EXPECT_EQ(FormatSettings().shortDateFormat, "mm/dd/yy");
    EXPECT_EQ(FormatSettings().currencyString, "EUR1");
    EXPECT_EQ(FormatSettings().dateSeparator, '-');
    EXPECT_EQ(FormatSettings().thousandSeparator, ',');
}

TEST_F(PathsTest, IntlFromWinIniUnlessClientParSaysNo)
{
    // No [intl] in CLIENT.PAR and USE_WIN absent: WIN.INI of the Windows directory counts.
    dir.write("CLIENT.PAR", "[general]\r\n");
    dir.write("windows/WIN.INI", "[intl]\r\niDate=1\r\nsDate=.\r\n");
    ResolvePaths();
    LoadIntlSettings();
    EXPECT_EQ(FormatSettings().shortDateFormat, "dd/mm/yy");
    EXPECT_EQ(FormatSettings().dateSeparator, '.');
    LoadIntlSettings(); // again: the same result
    EXPECT_EQ(FormatSettings().shortDateFormat, "dd/mm/yy");
}

} // namespace
