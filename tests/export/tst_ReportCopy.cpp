// The ".srp" copy: records in the file's own line form, the page header and styles that
// were shown, and nothing lost on cancel.
#include "ExportTestSupport.h"
#include "export/ReportCopy.h"
#include "report/RecordStream.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const TSavedHeaderRecords kSaved = {{"900,1,Arial,9,Y,N,N,clNavy"}, {"912,1,1,1,100,R,Arial,9,0,N,N,\"Acme\"", "912,2,20"}};

class ReportCopyTest : public ::testing::Test
{
protected:
    TTestDir dir;
    TSilentProgress progress;
};

TEST_F(ReportCopyTest, HeaderRecordsGoBeforeTheFirstDataRecord)
{
    const QString report = dir.write("r.srp", MakeReport({"905,2", "101, 2", "0200,a,b", "not a record", "100,1,2",
                                                          "400,1,C,0,0,x", "300,N,,3", "999"}));
    ASSERT_EQ(SaveReportCopy(report, dir.path("copy.srp"), kSaved, progress), TCopyStatus::Done);
    const QByteArray original = dir.read("r.srp");
    const QByteArray header = original.left(original.indexOf("\r\n"));
    EXPECT_EQ(dir.read("copy.srp"),
              CrLf({header, "905,2", "101, 2", "200,a,b", "not a record", "900,1,Arial,9,Y,N,N,clNavy",
                    "912,1,1,1,100,R,Arial,9,0,N,N,\"Acme\"", "912,2,20", "100,1,2", "400,1,C,0,0,x", "300,N,,3", "999"}));
}

TEST_F(ReportCopyTest, ScrambledReportsStayScrambled)
{
    const QString report = dir.write("r.srp", MakeReport({"905,1", "100,1,2"}, true));
    const TSavedHeaderRecords saved = {{ScrambleLine("900,2,Arial,9,N,N,N,clBlack")}, {}};
    ASSERT_EQ(SaveReportCopy(report, dir.path("copy.srp"), saved, progress), TCopyStatus::Done);
    EXPECT_EQ(dir.read("copy.srp"), MakeReport({"905,1", "900,2,Arial,9,N,N,N,clBlack", "100,1,2"}, true));
}

TEST_F(ReportCopyTest, AReportWithItsOwnPageHeaderKeepsOnlyIt)
{
    const QString report = dir.write("r.srp", MakeReport({"905,1", "912,2,30", "100,1"}));
    ASSERT_EQ(SaveReportCopy(report, dir.path("copy.srp"), kSaved, progress), TCopyStatus::Done);
    const QByteArray copy = dir.read("copy.srp");
    EXPECT_TRUE(copy.contains("912,2,30\r\n900,1,Arial,9,Y,N,N,clNavy\r\n100,1\r\n"));
    EXPECT_FALSE(copy.contains("Acme"));
}

TEST_F(ReportCopyTest, ACopyOfACopyReadsTheSame)
{
    const QString report = dir.write("r.srp", MakeReport({"905,1", "101,2", "102,C4,C4", "103,L,L", "200,A,B",
                                                          "100,1,2", "902", "100,3,4", "999"}));
    ASSERT_EQ(SaveReportCopy(report, dir.path("c1.srp"), kSaved, progress), TCopyStatus::Done);
    ASSERT_EQ(SaveReportCopy(dir.path("c1.srp"), dir.path("c2.srp"), kSaved, progress), TCopyStatus::Done);
    EXPECT_EQ(dir.read("c2.srp").count("912,"), 2);
    const TExportOptions options = DefaultExportOptions();
    for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("a.csv")}) {
        ASSERT_EQ(ExportReport(dir.path("c1.srp"), dir.path("1" + name), options, progress), TExportStatus::Done);
        ASSERT_EQ(ExportReport(dir.path("c2.srp"), dir.path("2" + name), options, progress), TExportStatus::Done);
        EXPECT_EQ(dir.read("1" + name), dir.read("2" + name));
        ASSERT_EQ(ExportReport(report, dir.path("0" + name), options, progress), TExportStatus::Done);
        EXPECT_EQ(dir.read("0" + name), dir.read("1" + name));
    }
}

TEST_F(ReportCopyTest, NothingIsLostOrLeftBehind)
{
    const QString report = dir.write("r.srp", MakeReport({"905,1", "100,1"}));
    // The report itself (any letter case of its name) is never a target.
    EXPECT_EQ(SaveReportCopy(report, report, kSaved, progress), TCopyStatus::SameFile);
    EXPECT_EQ(SaveReportCopy(report, dir.path("R.SRP"), kSaved, progress), TCopyStatus::SameFile);
    EXPECT_EQ(dir.read("r.srp"), MakeReport({"905,1", "100,1"}));
    EXPECT_EQ(SaveReportCopy(dir.path("none.srp"), dir.path("c.srp"), kSaved, progress), TCopyStatus::ReportUnreadable);
    EXPECT_EQ(SaveReportCopy(report, dir.path("missing/c.srp"), kSaved, progress), TCopyStatus::TargetUnwritable);

    struct TCancelled final : TProgressSink {
        void Progress(int) override {}
        bool Cancelled() const override { return true; }
    } cancelled;
    dir.write("old.srp", "old\r\n");
    EXPECT_EQ(SaveReportCopy(report, dir.path("old.srp"), kSaved, cancelled), TCopyStatus::Cancelled);
    EXPECT_EQ(dir.read("old.srp"), "old\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.srp", "r.srp"}));
}

} // namespace
