// Where an installation keeps its settings: TARVEL_HOME, a folder beside the program that
// holds CLIENT.PAR, the user's settings folder of an installed copy, and how that folder
// receives its default files.
#include "foundation/Paths.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class SettingsFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath("usr/bin");
        QDir(dir.path()).mkpath("usr/share/tarvel");
        dir.write("usr/share/tarvel/CLIENT.PAR", "[general]\r\nCS_SYSTEM=S\r\n");
        dir.write("usr/share/tarvel/TRVL.PAR", "[sysconfig]\r\nDB_LANGUAGE=HEB\r\n");
        dir.write("usr/share/tarvel/TRNSFONT.INI", "[HEB]\r\nDefault=Arial\r\n");
        sources.executableDir = dir.path("usr/bin");
        sources.sharedDataDir = dir.path("usr/share/tarvel/");
        sources.homeDir = dir.path("home");
    }
    TTestDir dir;
    TProgramDirSources sources;
};

TEST_F(SettingsFolderTest, InstalledCopyUsesTheUsersConfigFolder)
{
    TProgramDirChoice choice = ChooseProgramDir(sources);
    EXPECT_EQ(choice.dir, dir.path("home/.config/tarvel/"));
    EXPECT_TRUE(choice.userSettings);

    sources.configHome = dir.path("config");
    choice = ChooseProgramDir(sources);
    EXPECT_EQ(choice.dir, dir.path("config/tarvel/"));

    // A relative XDG_CONFIG_HOME is ignored, as the base directory rules say.
    sources.configHome = "relative/config";
    EXPECT_EQ(ChooseProgramDir(sources).dir, dir.path("home/.config/tarvel/"));
}

TEST_F(SettingsFolderTest, TarvelHomeAndAClientParBesideTheProgramWin)
{
    dir.write("usr/bin/client.par", "[general]\r\n");
    TProgramDirChoice choice = ChooseProgramDir(sources);
    EXPECT_EQ(choice.dir, dir.path("usr/bin/"));
    EXPECT_FALSE(choice.userSettings);

    sources.tarvelHome = dir.path("elsewhere");
    choice = ChooseProgramDir(sources);
    EXPECT_EQ(choice.dir, dir.path("elsewhere/"));
    EXPECT_FALSE(choice.userSettings);
}

TEST_F(SettingsFolderTest, ABuildFolderStaysTheProgramFolder)
{
    // Not installed (no share/tarvel), no CLIENT.PAR: the folder of the program, as before.
    sources.sharedDataDir.clear();
    const TProgramDirChoice choice = ChooseProgramDir(sources);
    EXPECT_EQ(choice.dir, dir.path("usr/bin/"));
    EXPECT_FALSE(choice.userSettings);
}

TEST_F(SettingsFolderTest, FirstUseCopiesTheDefaultsAndNeverReplacesAFile)
{
    // The installed defaults are read-only; the user's copies must be writable.
    for (const QString &name : DefaultSettingsFiles())
        QFile::setPermissions(dir.path("usr/share/tarvel/" + name), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QString target = dir.path("home/.config/tarvel");
    QDir(dir.path()).mkpath("home/.config/tarvel");
    dir.write("home/.config/tarvel/trvl.par", "[sysconfig]\r\nDB_LANGUAGE=ENG\r\n");

    ASSERT_TRUE(SeedSettingsDir(target, sources.sharedDataDir));
    EXPECT_EQ(dir.read("home/.config/tarvel/CLIENT.PAR"), "[general]\r\nCS_SYSTEM=S\r\n");
    EXPECT_EQ(dir.read("home/.config/tarvel/TRNSFONT.INI"), "[HEB]\r\nDefault=Arial\r\n");
    // The user's own TRVL.PAR (in another letter case) stays, and no second one appears.
    EXPECT_EQ(dir.read("home/.config/tarvel/trvl.par"), "[sysconfig]\r\nDB_LANGUAGE=ENG\r\n");
    EXPECT_FALSE(QFileInfo::exists(dir.path("home/.config/tarvel/TRVL.PAR")));
    EXPECT_TRUE(QFileInfo(dir.path("home/.config/tarvel/CLIENT.PAR")).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(QDir(target).entryList(QDir::Files).size(), 3); // no partial copies left

    dir.write("home/.config/tarvel/CLIENT.PAR", "[general]\r\nCS_SYSTEM=C\r\n");
    ASSERT_TRUE(SeedSettingsDir(target, sources.sharedDataDir));
    EXPECT_EQ(dir.read("home/.config/tarvel/CLIENT.PAR"), "[general]\r\nCS_SYSTEM=C\r\n");
}

TEST_F(SettingsFolderTest, AFolderThatCannotBeMadeIsReported)
{
    QDir(dir.path()).mkpath("home");
    ASSERT_FALSE(dir.write("home/file", "x").isEmpty());
    ASSERT_TRUE(QFileInfo(dir.path("home/file")).isFile());
    EXPECT_FALSE(SeedSettingsDir(dir.path("home/file/tarvel"), sources.sharedDataDir));
}

TEST_F(SettingsFolderTest, ResolvePathsSeedsTheUsersFolderOnlyForAnInstalledCopy)
{
    // The test program runs from the build folder: not installed, so nothing is created.
    qunsetenv("TARVEL_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path("config").toUtf8());
    ResolvePaths();
    EXPECT_EQ(ProgramDir(), ExecutableDir());
    EXPECT_FALSE(QFileInfo::exists(dir.path("config/tarvel")));
    EXPECT_TRUE(SharedDataDir().isEmpty());
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
