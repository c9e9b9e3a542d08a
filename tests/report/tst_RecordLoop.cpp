// The one loop over a report's records: where it stops, what progress sees, and cancel.
#include "report/RecordLoop.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <gtest/gtest.h>

namespace {

class TRecordingSink : public TProgressSink
{
public:
    void Progress(int percent) override { Percents.append(percent); }
    bool Cancelled() const override { return Percents.size() >= CancelAfter; }
    QList<int> Percents;
    qsizetype CancelAfter = 1 << 30;
};

struct Report {
    TTestDir dir;
    TSrpReader reader;
    explicit Report(const QList<QByteArray> &lines) : reader(dir.write("r.srp", MakeReport(lines)))
    {
        reader.Open();
        reader.ReadHeader();
    }
};

TEST(RecordLoop, VisitsEveryRecordAndReportsRisingProgress)
{
    Report report({"101,3", "100,a", "100,b", "999"});
    TRecordingSink sink;
    QList<int> codes;
    EXPECT_EQ(WalkRecords(report.reader, &sink, [&](int code, const QByteArray &) { codes.append(code); }),
              TRecordWalk::End);
    EXPECT_EQ(codes, (QList<int>{101, 100, 100, 999}));
    ASSERT_FALSE(sink.Percents.isEmpty());
    EXPECT_TRUE(std::is_sorted(sink.Percents.begin(), sink.Percents.end()));
    // Only changes are passed on.
    EXPECT_EQ(std::adjacent_find(sink.Percents.begin(), sink.Percents.end()), sink.Percents.end());
}

TEST(RecordLoop, StopsOnARecordThatStaysCurrent)
{
    Report report({"101,3", "100,a", "100,b"});
    EXPECT_EQ(WalkRecords(report.reader, nullptr, [](int code, const QByteArray &) { return code != 100; }),
              TRecordWalk::Stopped);
    EXPECT_EQ(report.reader.RecordCode(), 100);
    EXPECT_EQ(report.reader.RecordRest(), "a");
    // The walk goes on after the stop record.
    QList<QByteArray> rests;
    WalkRecords(report.reader, nullptr, [&](int, const QByteArray &rest) { rests.append(rest); });
    EXPECT_EQ(rests, (QList<QByteArray>{"b"}));
}

TEST(RecordLoop, CancelStopsBeforeTheRecordIsVisited)
{
    Report report({"100,a", "100,b", "100,c"});
    TRecordingSink sink;
    sink.CancelAfter = 1;
    int visited = 0;
    EXPECT_EQ(WalkRecords(report.reader, &sink, [&](int, const QByteArray &) { ++visited; }), TRecordWalk::Cancelled);
    EXPECT_EQ(visited, 0);
}

} // namespace
