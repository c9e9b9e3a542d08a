// Program entry: the command line, the file association, and what ShowReport refuses before
// any window opens.
#include "app/CommandLine.h"
#include "app/FileAssociation.h"
#include "app/ReportDriver.h"
#include "app/ReportViewer.h"
#include "app/UsablePrinter.h"
#include "foundation/DisplayText.h"
#include "foundation/InputFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "ProgramRun.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(CommandLine, ArgumentsJoinIntoOneName)
{
    EXPECT_EQ(JoinCommandLine({"viewer"}), "");
    EXPECT_EQ(JoinCommandLine({"viewer", "/home/u/My", "Reports/calls", "2026.srp"}), "/home/u/My Reports/calls 2026.srp");
    EXPECT_TRUE(IsInstallRequest("/install"));
    EXPECT_TRUE(IsInstallRequest("x /InStAlL y"));
    EXPECT_FALSE(IsInstallRequest("install"));
    EXPECT_TRUE(IsEmbeddingRequest("-embedding"));
    EXPECT_FALSE(IsEmbeddingRequest("-embedding x"));
}

class ShowReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageHandler([this](const QString &text, const QString &, int kind, int) {
            messages.append(QString::number(kind) + ':' + text);
            return int(mrOk);
        });
    }
    void TearDown() override
    {
        SetMessageHandler({});
        SetPrinterCheck({});
    }
    TTestDir dir;
    QStringList messages;
};

TEST_F(ShowReportTest, MissingFileIsReportedOnce)
{
    ShowReport(nullptr, QIcon(), dir.path("nothing here.srp"), "ADMIN");
    EXPECT_EQ(messages, QStringList({"0:" + LookupText(5237)}));
}

TEST_F(ShowReportTest, MissingFileIsNotFoundAndFails)
{
    EXPECT_NE(ShowReport(nullptr, QIcon(), dir.path("nothing here.srp"), "ADMIN"), 0);
    EXPECT_EQ(messages, QStringList({"0:" + LookupText(5237)}));
}

TEST_F(ShowReportTest, AFolderADeviceOrAFifoIsRefusedByNameAtOnce)
{
    const QString fifo = dir.path("waiting.srp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QStringList expected;
    // A FIFO nobody writes into would block an open for ever: the test ending at all is part of it.
    for (const QString &name : {dir.path(), QStringLiteral("/dev/null"), QStringLiteral("/dev/zero"), fifo}) {
        EXPECT_NE(ShowReport(nullptr, QIcon(), name, "ADMIN"), 0) << name.toStdString();
        expected.append("0:" + DisplayFormat(kInputNotRegularText, {name}));
    }
    EXPECT_EQ(messages, expected);
}

TEST_F(ShowReportTest, EmbeddingShowsNothing)
{
    EXPECT_EQ(ShowReport(nullptr, QIcon(), "-EMBEDDING", "ADMIN"), 0);
    EXPECT_EQ(ShowReport(nullptr, QIcon(), "-embedding", "ADMIN"), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShowReportTest, NoPrinterRefusesEveryFileBeforeLookingAtIt)
{
    SetPrinterCheck([] { return false; });
    ShowReport(nullptr, QIcon(), dir.path("nothing.srp"), "ADMIN");
    ShowReport(nullptr, QIcon(), dir.write("g.srp", MakeReport({"916,1"})), "ADMIN");
    const QString refused = "1:" + LookupText(5336);
    EXPECT_EQ(messages, QStringList({refused, refused}));
    EXPECT_TRUE(LookupText(5336).contains('\n'));
}

TEST_F(ShowReportTest, PrinterCheckAnswersYesWithThePdfWriter)
{
    EXPECT_TRUE(HasUsablePrinter());
    qputenv("TARVEL_NO_PRINTER", "1");
    EXPECT_FALSE(HasUsablePrinter());
    qunsetenv("TARVEL_NO_PRINTER");
}

TEST(FileAssociation, WritesMimeTypeAndDesktopEntryOnlyWhenDifferent)
{
    TTestDir home, data;
    const QString exe = "/opt/tarvel dir/tarvel-viewer";
    EXPECT_TRUE(RegisterFileType(data.path(), exe, home.path()));
    const TFileAssociation files = FileAssociationFiles(home.path());
    QFile desktop(files.desktopFile);
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    EXPECT_TRUE(entry.contains("Exec=\"/opt/tarvel dir/tarvel-viewer\" %f\n"));
    EXPECT_TRUE(entry.contains("MimeType=application/x-tarvel-report;\n"));
    EXPECT_TRUE(entry.contains("Name=Tarvel Report Viewer\n"));
    QFile mime(files.mimePackageFile);
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mime.readAll().contains("<glob pattern=\"*.srp\"/>"));
    EXPECT_TRUE(QFileInfo(files.iconFile).size() > 0);
    // The same again changes nothing.
    EXPECT_FALSE(RegisterFileType(data.path(), exe, home.path()));

    // A client whose data directory holds the viewer opens reports with that copy.
    const QString serverCopy = data.write("tarvel-viewer", "#!/bin/sh\n");
    QFile::setPermissions(serverCopy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(RegisterFileType(data.path(), exe, home.path()));
    desktop.close();
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    EXPECT_TRUE(desktop.readAll().contains("Exec=\"" + serverCopy.toUtf8() + "\" %f\n"));
}

TEST(FileAssociation, InstallOnlyRegistersWithoutADisplay)
{
    TTestDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.path());
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const TProgramRun run = RunProgram(QStringLiteral(TARVEL_VIEWER_EXE), {"/install"}, {}, env, 20000);
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(QFileInfo::exists(FileAssociationFiles(home.path()).desktopFile));
}

TEST(AutomationObject, TypeLibraryNamesTheObject)
{
    const QString idl = TypeLibraryDescription();
    EXPECT_TRUE(idl.contains("library Vistrel"));
    EXPECT_TRUE(idl.contains("helpstring(\"Vistrel Library\")"));
    for (const char *guid : {kLibraryGuid, kIReportViewerGuid, kIReportViewerEventsGuid, kReportViewerClassGuid})
        EXPECT_TRUE(idl.contains(QString::fromLatin1(guid).mid(1, 36))) << guid;
    EXPECT_TRUE(idl.contains("coclass ReportViewer"));
    EXPECT_TRUE(idl.contains("[default, source] dispinterface IReportViewerEvents"));
    TReportViewer viewer;
    EXPECT_EQ(viewer.EventSink(), nullptr);
}

} // namespace
