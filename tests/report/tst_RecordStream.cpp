// The saved-report record stream: scrambling, field splitting, the header line, the
// orientation record, and the pre-read.
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "report/RecordStream.h"
#include "engine/PageStore.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"
#include "report/SrpReader.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <gtest/gtest.h>

namespace {

QList<QByteArray> fieldsOf(QByteArray rest, int count, char separator = ',')
{
    QList<QByteArray> fields;
    for (int i = 0; i < count; ++i)
        fields.append(NextField(rest, separator));
    return fields;
}

TEST(RecordStream, ScramblingIsItsOwnInverse)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const QByteArray scrambled = ScrambleLine(all);
    EXPECT_EQ(ScrambleLine(scrambled), all);
    EXPECT_EQ(ScrambleLine(QByteArray("\x1F\xE0\xFF\x00", 4)), QByteArray("\x1F\xE0\xFF\x00", 4));
    EXPECT_EQ(ScrambleLine("A"), QByteArray(1, char('A' ^ 0xF5)));
    for (int i = 32; i <= 223; ++i) { // the key keeps 32..223 inside 32..223
        const int s = uchar(ScrambleLine(QByteArray(1, char(i)))[0]);
        EXPECT_TRUE(s >= 32 && s <= 223) << i;
    }
}

TEST(RecordStream, FieldSplitting)
{
    EXPECT_EQ(fieldsOf("12,\"a,\"\"b\"\"\" x,c", 4), QList<QByteArray>({"12", "a,\"b\"", "c", ""}));
    EXPECT_EQ(fieldsOf("  one ,\ttwo\t,,  ", 4), QList<QByteArray>({"one", "two", "", ""}));
    EXPECT_EQ(fieldsOf("\" keep spaces \",x", 2), QList<QByteArray>({" keep spaces ", "x"}));
    EXPECT_EQ(fieldsOf("\"unterminated, still", 2), QList<QByteArray>({"unterminated, still", ""}));
    EXPECT_EQ(fieldsOf("\"closed\" tail", 2), QList<QByteArray>({"closed", ""}));
    EXPECT_EQ(fieldsOf("", 3), QList<QByteArray>({"", "", ""}));
    // Title rows are split the same way at "|"; a trailing bar adds no row.
    EXPECT_EQ(fieldsOf(W1255("שלוחה|מספר|"), 3, '|'), QList<QByteArray>({W1255("שלוחה"), W1255("מספר"), ""}));
}

TEST(RecordStream, FieldValues)
{
    EXPECT_EQ(FieldToInt("42"), 42);
    EXPECT_EQ(FieldToInt("-7"), -7);
    EXPECT_EQ(FieldToInt("$FF"), 255);
    EXPECT_EQ(FieldToInt("", 3), 3);
    EXPECT_EQ(FieldToInt("12x", 3), 3);
    EXPECT_EQ(FieldToInt("99999999999", 3), 3);
    QByteArray rest = "Y,y,N";
    EXPECT_TRUE(NextFlag(rest));
    EXPECT_FALSE(NextFlag(rest));
    EXPECT_FALSE(NextFlag(rest));
    EXPECT_EQ(AlignmentFromLetter("Right", false), TAlignment::Right);
    EXPECT_EQ(AlignmentFromLetter("C", true), TAlignment::Center);
    EXPECT_EQ(AlignmentFromLetter("D", false), TAlignment::Left);
    EXPECT_EQ(AlignmentFromLetter("D", true), TAlignment::Right);
    EXPECT_EQ(AlignmentFromLetter("N", false), TAlignment::Right);
    EXPECT_EQ(AlignmentFromLetter("N", true), TAlignment::Left);
    EXPECT_EQ(AlignmentFromLetter("x", true), TAlignment::Left);
    EXPECT_EQ(AlignmentFromLetter("", true), TAlignment::Left);
}

TEST(RecordStream, HeaderLine)
{
    // The header line is always stored scrambled.
    TReportHeader h = ParseHeaderLine(ScrambleLine("x,NNYNN,AUTHOR_LONG,,3"));
    EXPECT_TRUE(h.Scrambled);
    EXPECT_EQ(h.ReportAuthor, "AUTHOR_");
    EXPECT_EQ(h.RequiredViewerVersion, 3);
    h = ParseHeaderLine(ScrambleLine("x,NNyNN,A"));
    EXPECT_FALSE(h.Scrambled); // only an upper-case Y
    EXPECT_EQ(h.RequiredViewerVersion, 1);
    h = ParseHeaderLine(ScrambleLine("x,NNNNNY,A,,abc"));
    EXPECT_FALSE(h.Scrambled);
    EXPECT_EQ(h.RequiredViewerVersion, 1);
    h = ParseHeaderLine(QByteArray());
    EXPECT_FALSE(h.Scrambled);
}

class ReportFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageHandler([this](const QString &text, const QString &, int, int) {
            messages.append(text);
            return int(mrOk);
        });
    }
    void TearDown() override { SetMessageHandler({}); }

    // Every record the need-data loop acts on after the pre-read, as "code:rest".
    QStringList readAll(TfrmReport &form)
    {
        QStringList records;
        form.SetRecordWatcher([&](int code, const QByteArray &rest) {
            records.append(QString::number(code) + ':' + QString::fromLatin1(rest));
        });
        TPageStore store;
        TSilentRunObserver observer;
        form.GeneratePages(store, observer);
        return records;
    }

    TTestDir dir;
    QStringList messages;
};

TEST_F(ReportFileTest, ScrambledAndPlainFilesReadTheSame)
{
    const QList<QByteArray> lines = {"905,2", "101,2", "200,A,B", "100,1,2", "300,Y,3"};
    for (bool scrambled : {false, true}) {
        const QString file = dir.write(scrambled ? "s.srp" : "p.srp", MakeReport(lines, scrambled));
        TfrmReport form(file, "ADMIN");
        EXPECT_TRUE(form.LoadReport());
        EXPECT_EQ(form.Scrambled(), scrambled);
        EXPECT_EQ(form.Orientation(), TOrientation::Landscape);
        ASSERT_EQ(form.StartRun().Status, TfrmReport::TRunStart::Ready);
        // The data row was held back by the pre-read and comes first.
        EXPECT_EQ(readAll(form), QStringList({"100:1,2", "300:Y,3"}));
        // Records are written back as they were stored.
        EXPECT_EQ(form.RecordLine(100, "1,2"), scrambled ? ScrambleLine("100,1,2") : QByteArray("100,1,2"));
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(ReportFileTest, LineTwoIsAlwaysTheOrientation)
{
    TfrmReport notOrientation(dir.write("a.srp", MakeReport({"101,2", "905,2", "100,x"})), "ADMIN");
    EXPECT_TRUE(notOrientation.LoadReport());
    EXPECT_EQ(notOrientation.Orientation(), TOrientation::Portrait);

    TfrmReport onlyHeader(dir.write("b.srp", MakeReport({})), "ADMIN");
    EXPECT_TRUE(onlyHeader.LoadReport());
    EXPECT_EQ(onlyHeader.Orientation(), TOrientation::Portrait);
}

TEST_F(ReportFileTest, RunStartCarriesItsMessageAndShowsNothing)
{
    TfrmReport noData(dir.write("none.srp", MakeReport({"905,1"})), "ADMIN");
    noData.LoadReport();
    const TRunStartResult none = noData.StartRun();
    EXPECT_EQ(none.Status, TRunStart::NoData);
    EXPECT_EQ(none.TextNumber, 5237);
    EXPECT_EQ(none.Message(), LookupText(5237));
    EXPECT_TRUE(none.Refused());

    TfrmReport newer(dir.write("v2.srp", MakeReport({"905,1", "100,x"}, false, "2")), "ADMIN");
    newer.LoadReport();
    const TRunStartResult refused = newer.StartRun();
    EXPECT_EQ(refused.Status, TRunStart::RefusedVersion);
    EXPECT_EQ(refused.TextNumber, 152);
    EXPECT_EQ(refused.Message(), QString::fromUtf8("נדרשת תוכנית צפייה מגירסה 2.00 ומעלה"));
    EXPECT_TRUE(refused.Refused());

    TfrmReport empty(dir.write("v.srp", MakeReport({"905,1", "100,x"}, false, "")), "ADMIN");
    empty.LoadReport();
    const QByteArray environment = qgetenv("TMPDIR");
    const TRunStartResult ready = empty.StartRun();
    // The run's temporary folder goes to its page store, not into the environment.
    EXPECT_EQ(qgetenv("TMPDIR"), environment);
    EXPECT_TRUE(ready.Ready());
    EXPECT_EQ(ready.TextNumber, 0);
    EXPECT_TRUE(ready.Message().isEmpty());
    // The form itself never shows a message.
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportFileTest, NoDataRunTakesTheProgressWindowAwayFirst)
{
    struct TFinishing final : TProgressSink {
        void Progress(int) override {}
        bool Cancelled() const override { return false; }
        void Finished() override { ++finished; }
        int finished = 0;
    } progress;
    TfrmReport noData(dir.write("none.srp", MakeReport({"905,1"})), "ADMIN");
    noData.LoadReport();
    EXPECT_EQ(noData.StartRun(&progress).Status, TRunStart::NoData);
    EXPECT_EQ(progress.finished, 1);
}

TEST_F(ReportFileTest, TotalsRowHeldBackClearsTheGraphFlag)
{
    TfrmReport form(dir.write("g.srp", MakeReport({"905,1", "700,x", "300,N,1"})), "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun().Status, TfrmReport::TRunStart::Ready);
    EXPECT_FALSE(form.HasGraph());
    TfrmReport graph(dir.write("h.srp", MakeReport({"905,1", "700,x", "100,1"})), "ADMIN");
    graph.LoadReport();
    ASSERT_EQ(graph.StartRun().Status, TfrmReport::TRunStart::Ready);
    EXPECT_TRUE(graph.HasGraph());
}

TEST_F(ReportFileTest, ADataRowWithoutFieldsIsStillHeldBack)
{
    TfrmReport form(dir.write("e.srp", MakeReport({"905,1", "101,1", "100", "999"})), "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun().Status, TfrmReport::TRunStart::Ready);
    EXPECT_EQ(readAll(form), QStringList({"100:", "999:"}));
}

TEST_F(ReportFileTest, BadInputNeverFails)
{
    // Binary bytes, a megabyte line, a file without line ends, codes that are not numbers.
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary += char(i);
    const QByteArray big = "100," + QByteArray(1024 * 1024, 'x');
    const QString file = dir.write("bad.srp", MakeReport({"905", binary, "abc,1", big, "", "$64,hex"}) + "100,last");
    TfrmReport form(file, "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun().Status, TfrmReport::TRunStart::Ready);
    QList<int> codes;
    form.SetRecordWatcher([&](int code, const QByteArray &) { codes.append(code); });
    TPageStore store;
    TSilentRunObserver observer;
    form.GeneratePages(store, observer);
    EXPECT_EQ(codes, QList<int>({100, 0, 100, 100}));
    EXPECT_TRUE(observer.Done());

    TfrmReport noLineEnds(dir.write("flat.srp", QByteArray(5000, 'z')), "ADMIN");
    noLineEnds.LoadReport();
    EXPECT_EQ(noLineEnds.StartRun().Status, TfrmReport::TRunStart::NoData);

    TfrmReport missing(dir.path("missing.srp"), "ADMIN");
    EXPECT_FALSE(missing.LoadReport());
    EXPECT_EQ(missing.StartRun().Status, TRunStart::NoData);
}

TEST_F(ReportFileTest, ProgressIsReportedPerRecordAndAtTheEnd)
{
    struct TRecording final : TReportRunObserver {
        void Progress(int p) override { percents.append(p); }
        bool Cancelled() const override { return false; }
        void ReportDone(bool) override {}
        QList<int> percents;
    } observer;
    TfrmReport form(dir.write("p.srp", MakeReport({"905,1", "100,a", "100,b"})), "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun(&observer).Status, TfrmReport::TRunStart::Ready);
    TPageStore store;
    form.GeneratePages(store, observer);
    ASSERT_GE(observer.percents.size(), 3);
    EXPECT_EQ(observer.percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(observer.percents.begin(), observer.percents.end()));
}

} // namespace
