// Settings files: Windows profile semantics, retries, value forms and the font key group.
#include "foundation/IniFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TVelaIniFile::SetSleepFunction([this](int ms) { slept += ms; });
    }
    void TearDown() override { TVelaIniFile::SetSleepFunction({}); }

    TTestDir dir;
    int slept = 0;
};

TEST_F(IniFileTest, ReadsWithProfileSemantics)
{
    const QString file = dir.write("TRVL.PAR",
        "; comment\r\n[PageInfo]\r\n  CompName =  \"  Acme  \"  \r\nShowDate=Y\r\ncompname=second\r\n"
        "[pageinfo]\r\nLogoFile=later-section\r\n[Other]\r\nKey=v\r\n");
    TVelaIniFile ini(file);
    EXPECT_EQ(ini.ReadString("pageINFO", "COMPNAME", "d"), "  Acme  "); // quotes removed, inside kept
    EXPECT_EQ(ini.ReadString("PageInfo", "LogoFile", "none"), "none");   // only the first section counts
    EXPECT_EQ(ini.ReadString("Missing", "Key", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Other", "Key", "dflt"), "v");
    EXPECT_EQ(ini.ReadSectionValues("PageInfo"), QStringList({"CompName=  Acme  ", "ShowDate=Y"}));
    EXPECT_EQ(IniReadString(dir.path("absent.par"), "a", "b", "fallback"), "fallback");
    EXPECT_EQ(slept, 0);
}

TEST_F(IniFileTest, HebrewValuesAreWindows1255OnDisk)
{
    const QString file = dir.write("TRVL.PAR", "[PageInfo]\r\nCompName=" + W1255("חברת טלפונים") + "\r\n");
    EXPECT_EQ(IniReadString(file, "PageInfo", "CompName"), QString::fromUtf8("חברת טלפונים"));
    IniWriteString(file, "PageInfo", "CompDetail1", QString::fromUtf8("רחוב הרצל 1"));
    EXPECT_TRUE(dir.read("TRVL.PAR").contains("CompDetail1=" + W1255("רחוב הרצל 1") + "\r\n"));
}

TEST_F(IniFileTest, WriteChangesOneLineAndKeepsTheRest)
{
    const QByteArray original = "; keep me\r\n[A]\r\nOne = 1\r\nTwo=2\r\n\r\n[B]\r\nX=1\r\n";
    const QString file = dir.write("s.ini", original);
    EXPECT_TRUE(IniWriteString(file, "a", "two", "22"));
    EXPECT_EQ(dir.read("s.ini"), "; keep me\r\n[A]\r\nOne = 1\r\nTwo=22\r\n\r\n[B]\r\nX=1\r\n");
    EXPECT_TRUE(IniWriteString(file, "A", "Three", "3"));
    EXPECT_EQ(dir.read("s.ini"), "; keep me\r\n[A]\r\nOne = 1\r\nTwo=22\r\nThree=3\r\n\r\n[B]\r\nX=1\r\n");
    EXPECT_TRUE(IniWriteString(file, "C", "New", "n"));
    EXPECT_TRUE(dir.read("s.ini").endsWith("[B]\r\nX=1\r\n[C]\r\nNew=n\r\n"));
}

TEST_F(IniFileTest, WriteCreatesFileAndKeepsUnixLineEnds)
{
    const QString created = dir.path("new.par");
    EXPECT_TRUE(IniWriteInteger(created, "export", "LINES_IN_PAGE", 55));
    EXPECT_EQ(dir.read("new.par"), "[export]\r\nLINES_IN_PAGE=55\r\n");

    const QString lfOnly = dir.write("unix.par", "[A]\nK=1\n");
    IniWriteString(lfOnly, "A", "L", "2");
    EXPECT_EQ(dir.read("unix.par"), "[A]\nK=1\nL=2\n");
    // A last line without a line end gets one before the new key.
    const QString noEnd = dir.write("noend.par", "[A]\nK=1");
    IniWriteString(noEnd, "A", "L", "2");
    EXPECT_EQ(dir.read("noend.par"), "[A]\nK=1\nL=2\n");
}

TEST_F(IniFileTest, WriteReplacesTheFileAtomically)
{
    const QString file = dir.write("s.ini", "[A]\r\nK=1\r\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    IniWriteString(file, "A", "K", "2");
    // No temporary file is left beside it and the permissions are kept.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"s.ini"}));
    EXPECT_EQ(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
}

TEST_F(IniFileTest, YesNoAndIntegerForms)
{
    const QString file = dir.write("s.ini",
        "[S]\r\nyes=yes\r\none=1\r\nlow=y\r\nup=Y\r\nn=n\r\nN=N\r\nhex=0x1F\r\ndollar=$10\r\nneg=-5\r\nbad=12ab\r\n");
    for (const char *key : {"missing", "yes", "one", "low"})
        EXPECT_TRUE(IniReadYesNo(file, "S", key, true)) << key;
    EXPECT_FALSE(IniReadYesNo(file, "S", "n", true));
    for (const char *key : {"missing", "yes", "one"})
        EXPECT_FALSE(IniReadYesNo(file, "S", key, false)) << key;
    EXPECT_TRUE(IniReadYesNo(file, "S", "low", false));
    EXPECT_TRUE(IniReadYesNo(file, "S", "up", false));
    EXPECT_EQ(IniReadInteger(file, "S", "hex", 7), 31);
    EXPECT_EQ(IniReadInteger(file, "S", "dollar", 7), 16);
    EXPECT_EQ(IniReadInteger(file, "S", "neg", 7), -5);
    EXPECT_EQ(IniReadInteger(file, "S", "bad", 7), 7);
    EXPECT_EQ(IniReadInteger(file, "S", "missing", 7), 7);
}

// A settings file on a busy server: the first reads fail.
class BusyIniFile : public TVelaIniFile
{
public:
    BusyIniFile(const QString &file, int failures) : TVelaIniFile(file), m_failures(failures) {}
    int attempts = 0;

protected:
    RawValue RawRead(const QString &s, const QString &k, const QString &d) override
    {
        ++attempts;
        if (attempts <= m_failures)
            return {true, QString()};
        return TVelaIniFile::RawRead(s, k, d);
    }
    bool RawWrite(const QString &s, const QString &k, const QString &v) override
    {
        ++attempts;
        return attempts > m_failures && TVelaIniFile::RawWrite(s, k, v);
    }

private:
    int m_failures;
};

TEST_F(IniFileTest, ASettingsFileThatCannotBeReadCountsAsMissingAtOnce)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.par"));
    ASSERT_TRUE(QFile::link(dir.path("nowhere.par"), dir.path("dangling.par")));
    for (const char *name : {"folder.par", "dangling.par"}) {
        TVelaIniFile ini(dir.path(name));
        EXPECT_EQ(ini.ReadString("S", "K", "default"), "default") << name;
        EXPECT_EQ(ini.ReadInteger("S", "N", 7), 7) << name;
    }
    TVelaIniFile device(QStringLiteral("/dev/zero"));
    EXPECT_EQ(device.ReadString("S", "K", "default"), "default");
    EXPECT_EQ(slept, 0);
    // Settings never replace a node that is no regular file.
    EXPECT_FALSE(TVelaIniFile(dir.path("folder.par")).WriteString("S", "K", "v"));
    EXPECT_TRUE(QFileInfo(dir.path("folder.par")).isDir());
}

TEST_F(IniFileTest, FontSizesStayWithinReach)
{
    const QString file = dir.write("TRVL.PAR", "[S]\r\nTitleFontSize=2147483647\r\nDataFontSize=-2147483648\r\n");
    TFontSpec title, data;
    ReadFontKeys(file, "S", "Title", 0, 0, 9, "Arial", title);
    ReadFontKeys(file, "S", "Data", 0, 0, 9, "Arial", data);
    EXPECT_EQ(title.size, kMaxFontSize);
    EXPECT_EQ(data.size, -kMaxFontSize);
    EXPECT_GT(title.toQFont().pixelSize(), 1000);
}

TEST_F(IniFileTest, BusyFileIsRetried)
{
    const QString file = dir.write("s.ini", "[S]\r\nK=value\r\n");
    BusyIniFile fiveFailures(file, 5);
    EXPECT_EQ(fiveFailures.ReadString("S", "K", "default"), "value");
    EXPECT_EQ(fiveFailures.attempts, 6);
    EXPECT_EQ(slept, 500);

    slept = 0;
    BusyIniFile alwaysBusy(file, 1000);
    EXPECT_EQ(alwaysBusy.ReadString("S", "K", "default"), "default");
    EXPECT_EQ(alwaysBusy.attempts, 20);

    // With an empty default a failed read is taken at once.
    BusyIniFile emptyDefault(file, 1000);
    EXPECT_EQ(emptyDefault.ReadString("S", "K", QString()), QString());
    EXPECT_EQ(emptyDefault.attempts, 1);

    slept = 0;
    BusyIniFile busyWrite(file, 3);
    EXPECT_TRUE(busyWrite.WriteString("S", "K", "new"));
    EXPECT_EQ(slept, 300);
    BusyIniFile failedWrite(file, 1000);
    EXPECT_FALSE(failedWrite.WriteString("S", "K", "lost"));
    EXPECT_EQ(failedWrite.attempts, 21);
    EXPECT_EQ(IniReadString(file, "S", "K"), "new");
}

TEST_F(IniFileTest, UnreadableFileGivesDefaults)
{
    // A directory in place of the file cannot be read as one.
    QDir(dir.path()).mkdir("CLIENT.PAR");
    const QString file = dir.path("CLIENT.PAR");
    EXPECT_EQ(IniReadString(file, "general", "CS_SYSTEM", "S"), "S");
    EXPECT_EQ(IniReadString(file, "general", "SERVER_PATH"), "");
    EXPECT_FALSE(IniWriteString(file, "general", "X", "1"));
}

TEST_F(IniFileTest, FontKeyGroup)
{
    const QString file = dir.write("TRVL.PAR", "[Styles]\r\nTitleFontBold=N\r\n");
    TFontSpec font;
    font.italic = true;
    ReadFontKeys(file, "Styles", "Title", 1, clBlack, 9, "Arial", font);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.size, 9);
    EXPECT_FALSE(font.bold);
    EXPECT_FALSE(font.italic); // styles start from none
    EXPECT_EQ(font.charSet, 1);

    TFontSpec written{"David", 12, 0x0000FF, true, false, true, false, 177};
    WriteFontKeys(file, "Styles", "Data", written);
    TFontSpec back;
    ReadFontKeys(file, "Styles", "Data", 0, clBlack, 9, "Arial", back);
    EXPECT_EQ(back, written);
    EXPECT_TRUE(dir.read("TRVL.PAR").contains(
        "DataFontName=David\r\nDataFontSize=12\r\nDataFontColor=clRed\r\nDataFontBold=Y\r\nDataFontItalic=N\r\n"
        "DataFontUnderline=Y\r\nDataFontStrikeOut=N\r\nDataFontCharSet=177\r\n"));
    IniWriteString(file, "Styles", "DataFontColor", "$00123456");
    EXPECT_EQ(TVelaIniFile(file).ReadColor("Styles", "DataFontColor", clBlack), 0x123456);
    EXPECT_EQ(FormatColor(0x123456), "$00123456");
}

} // namespace
