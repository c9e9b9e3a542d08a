// The mail button: the pages as a PDF in a private folder, handed to a stand-in xdg-email on
// the PATH that writes down its arguments.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/MailReport.h"
#include "app/PreviewWindow.h"
#include "foundation/AppState.h"
#include "foundation/DisplayText.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class MailReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = qgetenv("PATH");
        FillStore(store, 2);
        store.SetTitle(QStringLiteral("calls"));
    }
    void TearDown() override { qputenv("PATH", m_path); }

    // A stand-in xdg-email that writes its arguments, one a line, and exits with the status.
    void standIn(int exitStatus)
    {
        const QString script = bin.write(QStringLiteral("xdg-email"),
                                         "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + bin.path("args").toUtf8()
                                             + "'\nexit " + QByteArray::number(exitStatus) + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.path().toUtf8() + ":/usr/bin:/bin");
    }
    QStringList arguments() const { return QString::fromUtf8(bin.read(QStringLiteral("args"))).split('\n', Qt::SkipEmptyParts); }

    TTestInstallation installation;
    TTestDir bin;
    TPageStore store;
    QByteArray m_path;
};

TEST_F(MailReport, ThePdfGoesToTheMailProgramFromAPrivateFolder)
{
    standIn(0);
    ASSERT_TRUE(CanSendMail());
    TMessageCapture messages;
    ASSERT_TRUE(SendPagesByMail(store, store.Title(), QStringLiteral("ADMIN")));
    EXPECT_TRUE(messages.Texts().isEmpty());
    const QStringList args = arguments();
    ASSERT_EQ(args.size(), 4) << args.join('|').toStdString();
    EXPECT_EQ(args[0], QStringLiteral("--subject"));
    EXPECT_EQ(args[1], QStringLiteral("calls"));
    EXPECT_EQ(args[2], QStringLiteral("--attach"));
    const QFileInfo pdf(args[3]);
    EXPECT_EQ(pdf.fileName(), QStringLiteral("calls.pdf"));
    QFile file(pdf.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith("%PDF"));
    // Only this user may read the folder.
    EXPECT_EQ(QFileInfo(pdf.path()).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
}

TEST_F(MailReport, AFailingMailProgramIsShown)
{
    standIn(3);
    TMessageCapture messages;
    EXPECT_FALSE(SendPagesByMail(store, store.Title(), QString()));
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("calls.pdf"))) << messages.Texts()[0].toStdString();
}

TEST_F(MailReport, TheButtonWorksOnlyWithAMailProgramAndPages)
{
    AdminMode = true;
    TfrmReportPreview window(QStringLiteral("/tmp/report.srp"), QIcon());
    int sent = 0;
    window.SetOnSendMail([&] { ++sent; });
    TPageStore empty;
    window.SetStore(&empty);
    standIn(0);
    window.ReportDone(false);
    EXPECT_FALSE(Control<QAction>(window, "btnMail")->isEnabled()); // no page

    window.SetStore(&store);
    window.ReportDone(false);
    EXPECT_TRUE(Control<QAction>(window, "btnMail")->isEnabled());
    Control<QAction>(window, "btnMail")->trigger();
    EXPECT_EQ(sent, 1);

    qputenv("PATH", bin.path().toUtf8() + "/none"); // no xdg-email anywhere
    window.UpdateToolbar();
    EXPECT_FALSE(Control<QAction>(window, "btnMail")->isEnabled());
}

} // namespace
