// The generation run: which band prints on which page, section breaks, page numbers, repeat
// modes, the footer block, striping, right-to-left page columns, refusals and logos.
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "report/FastText.h"
#include "report/ReportPages.h"

#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>

namespace {

const QList<QByteArray> kOneColumn = {"905,1", "101,1", "102,80", "200,T", "800,2"};

// Which rows are on page i, in order.
QStringList rowsOn(const TRunPages &r, int page)
{
    QStringList rows;
    for (const QString &t : r.texts(page))
        if (t.startsWith(QLatin1Char('R')) && t.size() > 1 && t.at(1).isDigit())
            rows.append(t);
    return rows;
}

QString pageNumber(const TRunPages &r, int n)
{
    return FormatText(r.form->Header().Settings().PageNumberFormat, {QString::number(n)}).trimmed();
}

struct TCapturedMessages {
    QStringList texts;
    TCapturedMessages()
    {
        SetMessageHandler([this](const QString &text, const QString &, int, int) {
            texts.append(text);
            return 1;
        });
    }
    ~TCapturedMessages() { SetMessageHandler(nullptr); }
};

} // namespace

TEST(RunPages, RowsFlowOverPagesWithTitlesAndNumbersOnEach)
{
    TRunPages r;
    r.run(kOneColumn + Rows(1, 200));
    ASSERT_EQ(r.start, TfrmReport::TRunStart::Ready);
    ASSERT_GE(r.store.PageCount(), 3);
    EXPECT_TRUE(r.store.IsFinished());
    EXPECT_TRUE(r.observer.Done());
    QStringList all;
    for (int p = 0; p < r.store.PageCount(); ++p) {
        EXPECT_EQ(r.count(p, "T"), 1) << "titles on page " << p + 1;
        EXPECT_EQ(r.count(p, pageNumber(r, p + 1)), 1) << "number on page " << p + 1;
        const QStringList rows = rowsOn(r, p);
        EXPECT_FALSE(rows.isEmpty());
        all += rows;
        // Nothing runs into the footer or off the page.
        for (const TPagePrimitive &item : r.store.Page(p).items)
            EXPECT_LE(item.rect.bottom(), 1123 - 38);
    }
    QStringList expected;
    for (int n = 1; n <= 200; ++n)
        expected.append(QStringLiteral("R%1").arg(n));
    EXPECT_EQ(all, expected);
}

TEST(RunPages, FirstPageIsAvailableBeforeTheRunEnds)
{
    TRunPages r;
    bool finishedAtFirstPage = true;
    QObject::connect(&r.store, &TPageStore::PageAdded, [&](int n) {
        if (n == 1)
            finishedAtFirstPage = r.store.IsFinished();
    });
    r.run(kOneColumn + Rows(1, 300));
    EXPECT_FALSE(finishedAtFirstPage);
}

TEST(RunPages, SectionEndsStartPagesAndRestartNumbersWhenAsked)
{
    TRunPages r;
    r.run(kOneColumn + Rows(1, 3) + QList<QByteArray>{"300,N,Sum", "902", "802"} + Rows(4, 6)
          + QList<QByteArray>{"902"} + Rows(7, 9) + QList<QByteArray>{"999"});
    ASSERT_EQ(r.store.PageCount(), 3);
    EXPECT_EQ(rowsOn(r, 0), QStringList({"R1", "R2", "R3"}));
    EXPECT_EQ(r.count(0, "Sum"), 1);
    EXPECT_EQ(rowsOn(r, 1), QStringList({"R4", "R5", "R6"}));
    EXPECT_EQ(rowsOn(r, 2), QStringList({"R7", "R8", "R9"}));
    // Numbering restarts at the first break only.
    EXPECT_EQ(r.count(0, pageNumber(r, 1)), 1);
    EXPECT_EQ(r.count(1, pageNumber(r, 1)), 1);
    EXPECT_EQ(r.count(2, pageNumber(r, 2)), 1);
}

TEST(RunPages, UserHeaderRepeatModes)
{
    // Two pages in the first section, one in the second.
    for (const auto &[letter, expected] : {std::pair<QByteArray, std::vector<int>>{"0", {1, 1, 1}},
                                           {"1", {1, 0, 1}},
                                           {"2", {1, 0, 0}}}) {
        TRunPages r;
        r.run(kOneColumn + QList<QByteArray>{"500," + letter, "501,2,L,0,0,UH"} + Rows(1, 100)
              + QList<QByteArray>{"902"} + Rows(101, 105));
        ASSERT_EQ(r.store.PageCount(), 3) << letter.constData();
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(r.count(p, "UH"), expected[size_t(p)]) << "mode " << letter.constData() << " page " << p + 1;
    }
}

TEST(RunPages, SubHeaderRepeatModes)
{
    for (const auto &[letter, expected] : {std::pair<QByteArray, std::vector<int>>{"0", {1, 1, 1}},
                                           {"1", {1, 0, 1}},
                                           {"2", {1, 0, 0}}}) {
        TRunPages r;
        r.run(kOneColumn + QList<QByteArray>{"452," + letter, "450,100,100", "451,1,1,2,L,0,0,GROUP"} + Rows(1, 100)
              + QList<QByteArray>{"902"} + Rows(101, 105));
        ASSERT_EQ(r.store.PageCount(), 3) << letter.constData();
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(r.count(p, "GROUP"), expected[size_t(p)]) << "mode " << letter.constData() << " page " << p + 1;
    }
}

TEST(RunPages, HeaderBlockReplacingTheReportHeaderPrintsOnEveryPage)
{
    TRunPages r;
    r.run(kOneColumn + QList<QByteArray>{"560,0", "561,%CO%,Gilboa", "570,Y,L,L,Arial,10,N,N,N,0", "571,HEAD %co%",
                                         "400,4,C,0,0,RH"} + Rows(1, 100));
    ASSERT_EQ(r.store.PageCount(), 2);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(r.count(p, "HEAD Gilboa"), 1) << p;
        EXPECT_EQ(r.count(p, "RH"), 0) << p;
    }
}

TEST(RunPages, FooterBlockPerPageOrPerSection)
{
    const QList<QByteArray> body = Rows(1, 3) + QList<QByteArray>{"300,N,S1", "902"} + Rows(4, 5)
                                   + QList<QByteArray>{"300,N,S2", "999"};
    TRunPages every;
    every.run(kOneColumn + QList<QByteArray>{"560,0", "580,C,C,Arial,10,N,N,N,0", "581,FOOT"} + body);
    ASSERT_EQ(every.store.PageCount(), 2);
    EXPECT_EQ(every.count(0, "FOOT"), 1);
    EXPECT_EQ(every.count(1, "FOOT"), 1);
    // In the page footer: below the last row.
    EXPECT_GT(every.find(0, "FOOT").rect.top(), 900);

    TRunPages sections;
    sections.run(kOneColumn + QList<QByteArray>{"560,1", "580,C,C,Arial,10,N,N,N,0", "581,FOOT"} + body);
    ASSERT_EQ(sections.store.PageCount(), 2);
    // Right after each section's totals, not at the bottom of the page.
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(sections.count(p, "FOOT"), 1) << p;
        EXPECT_LT(sections.find(p, "FOOT").rect.top(), 300) << p;
        EXPECT_GT(sections.find(p, "FOOT").rect.top(), sections.find(p, p == 0 ? "S1" : "S2").rect.top());
    }
}

TEST(RunPages, ShadedRowsComeInBlocksOfTheInterval)
{
    TRunPages r;
    r.run(kOneColumn + QList<QByteArray>{"903,3,2,255"} + Rows(1, 6));
    std::vector<std::pair<int, QRgb>> fills;
    for (const TPagePrimitive &item : r.store.Page(0).items)
        if (item.kind == TPrimitiveKind::Rect && item.hasFill)
            fills.emplace_back(item.rect.top(), item.fill);
    std::sort(fills.begin(), fills.end());
    ASSERT_EQ(fills.size(), 6u);
    const QRgb white = 0xFFFFFFFF, red = 0xFFFF0000; // 255 is red in the suite's colour order
    const std::vector<QRgb> expected = {white, white, red, red, white, white};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(fills[i].second, expected[i]) << "row " << i + 1;
}

TEST(RunPages, RightToLeftPageColumnsFillFromTheRight)
{
    TRunPages r;
    r.run(QList<QByteArray>{"905,1", "906", "910,3", "101,1", "102,50", "200,T"} + Rows(1, 100));
    ASSERT_EQ(r.store.PageCount(), 1);
    const TPageSetup &setup = r.form->PageSetup();
    const int columnWidth = setup.ColumnWidth();
    auto columnOf = [&](const QString &text) {
        const int x = r.find(0, text).rect.left() - setup.LeftMargin;
        return x / (columnWidth + setup.ColumnSpacing); // 0 left .. 2 right
    };
    EXPECT_EQ(columnOf("R1"), 2);
    EXPECT_EQ(columnOf("R100"), 1);
    for (const TPagePrimitive &item : r.store.Page(0).items)
        if (item.kind == TPrimitiveKind::Text && item.text.startsWith(QLatin1Char('R'))) {
            EXPECT_GE(item.rect.left(), setup.LeftMargin + columnWidth) << item.text.toStdString();
        }
}

TEST(RunPages, RefusedVersionAndNoData)
{
    TCapturedMessages messages;
    TTestDir dir;
    const QString newer = dir.write("v2.srp", MakeReport({"905,1", "100,A"}, false, "2"));
    TfrmReport form(newer, "ADMIN");
    form.LoadReport();
    const TRunStartResult refused = form.StartRun(nullptr);
    EXPECT_EQ(refused.Status, TfrmReport::TRunStart::RefusedVersion);
    EXPECT_TRUE(refused.Message().contains("2.00"));

    TRunPages empty;
    empty.run({"905,1", "101,1"});
    EXPECT_EQ(empty.start, TfrmReport::TRunStart::NoData);
    // The caller shows the message; the run shows none.
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(RunPages, BlankFormGivesOnePage)
{
    TfrmReport form(QString(), "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun(nullptr).Status, TfrmReport::TRunStart::Ready);
    TPageStore store;
    TSilentRunObserver observer;
    form.GeneratePages(store, observer);
    EXPECT_EQ(store.PageCount(), 1);
    EXPECT_TRUE(observer.Done());
}

TEST(RunPages, CancelledRunStillFinishesTheStore)
{
    struct TCancelAfter : TReportRunObserver {
        int percent = 0;
        bool done = false;
        void Progress(int p) override { percent = p; }
        bool Cancelled() const override { return percent >= 3; }
        void ReportDone(bool) override { done = true; }
    } observer;
    TTestDir dir;
    const QString file = dir.write("r.srp", MakeReport(kOneColumn + Rows(1, 1000)));
    TfrmReport form(file, "ADMIN");
    form.LoadReport();
    ASSERT_EQ(form.StartRun(nullptr).Status, TfrmReport::TRunStart::Ready);
    TPageStore store;
    form.GeneratePages(store, observer);
    EXPECT_TRUE(observer.done);
    EXPECT_TRUE(store.IsFinished());
    EXPECT_EQ(store.PageCount(), 1);
}

TEST(PageHeaderRecords, EmbeddedLogoIsPlacedAndItsFileRemoved)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QByteArray hex = png.toHex().toUpper();
    QList<QByteArray> lines = {"905,1", "914,.png"};
    for (int at = 0; at < hex.size(); at += 200)
        lines.append("912,3," + hex.mid(at, 200));
    lines.append("912,4,5,6,40,20");
    lines.append("912,1,100,2,200,L,Arial,9,0,Y,N,\"Co \"\"X\"\"\"");
    lines.append("912,2,30");
    const QStringList before = QDir::temp().entryList({"LOGO*"});
    TRunPages r;
    r.run(lines + QList<QByteArray>{"101,1", "102,50", "100,A"});
    ASSERT_EQ(r.store.PageCount(), 1);
    bool found = false;
    for (const TPagePrimitive &item : r.store.Page(0).items)
        if (item.kind == TPrimitiveKind::Image) {
            found = true;
            EXPECT_EQ(item.rect, QRect(38 + 5, 38 + 6, 40, 20));
            EXPECT_EQ(r.store.Image(item.image).pixelColor(1, 1), QColor(Qt::green));
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(r.count(0, "Co \"X\""), 1);
    EXPECT_FALSE(r.form->Header().Settings().BuildPageHeader);
    EXPECT_EQ(QDir::temp().entryList({"LOGO*"}), before);
    EXPECT_TRUE(QDir(r.dir.path()).entryList({"LOGO*"}).isEmpty());
    // Written back as records: the label (quotes doubled) and the rule; no settings logo.
    EXPECT_TRUE(r.form->SavedHeaderRecords().contains("912,1,100,2,200,L,Arial,9,0,Y,N,\"Co \"\"X\"\"\""));
    EXPECT_TRUE(r.form->SavedHeaderRecords().contains("912,2,30"));
    EXPECT_EQ(r.form->SavedStyleRecords().value(0), "900,1,Arial,9,Y,N,N,clBlack");
}

TEST(PageHeaderRecords, DamagedLogoIsLeftOutAndTheEndingRecordIsKept)
{
    TRunPages r;
    r.run({"905,1", "914,.jpg", "912,3,FFD8FFE000104A4649", "101,1", "102,50", "100,A"});
    ASSERT_EQ(r.store.PageCount(), 1);
    for (const TPagePrimitive &item : r.store.Page(0).items)
        EXPECT_NE(item.kind, TPrimitiveKind::Image);
    EXPECT_EQ(r.form->Body().ColumnCount(), 1); // the 101 that ended the data was acted on
    EXPECT_EQ(r.count(0, "A"), 1);
}

TEST(PageHeaderRecords, ScrambledReportWritesScrambledRecords)
{
    TRunPages r;
    r.run({"905,1", "912,2,30", "101,1", "100,A"}, true);
    ASSERT_FALSE(r.form->SavedHeaderRecords().isEmpty());
    EXPECT_EQ(ScrambleLine(r.form->SavedHeaderRecords().first()), "912,2,30");
}

TEST(RunPages, MalformedRecordsNeverBreakTheRun)
{
    // Every record code with fields that are missing, negative, huge or not numbers.
    const QList<int> codes = {100, 101, 102, 103, 104, 105, 106, 107, 200, 203, 204, 205, 206, 300, 301, 302, 303,
                              304, 400, 401, 403, 450, 451, 452, 453, 500, 501, 502, 550, 551, 560, 561, 570, 571,
                              580, 581, 601, 602, 700, 800, 801, 802, 900, 902, 903, 904, 905, 906, 910, 911, 912,
                              914, 999};
    const QList<QByteArray> values = {"", "0", "-1", "31", "99999", "x", "C", "D7", "Y", "\"a,\"\"b\"", "|||", "3",
                                      "1", "2", "$FF", "-2147483648"};
    quint32 seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(n));
    };
    for (int round = 0; round < 20; ++round) {
        QList<QByteArray> lines = {"905,1"};
        for (int i = 0; i < 300; ++i) {
            QByteArray line = QByteArray::number(codes[next(codes.size())]);
            const int fields = next(12);
            for (int f = 0; f < fields; ++f)
                line += ',' + values[next(values.size())];
            lines.append(line);
        }
        lines.append("100,A");
        TCapturedMessages messages;
        TRunPages r;
        r.run(lines);
        EXPECT_TRUE(r.start == TfrmReport::TRunStart::Ready || r.start == TfrmReport::TRunStart::NoData);
        if (r.start == TfrmReport::TRunStart::Ready) {
            EXPECT_GE(r.store.PageCount(), 1);
            EXPECT_TRUE(r.store.IsFinished());
        }
    }
}

TEST(RunPages, AHugeFieldOrHeaderLineIsShownByItsTwoEnds)
{
    // A cell and a report header line of a megabyte: far more than any page shows.
    const QByteArray cell = "BEGIN" + QByteArray(1024 * 1024, 'x') + "END";
    TRunPages r;
    r.run({"905,1", "101,2", "102,80,80", "400,1,L,0,0,HEAD" + QByteArray(1024 * 1024, 'h') + "TAIL", "200,T,U",
           "100," + cell + ",small", "100,R2,R3"});
    ASSERT_EQ(r.store.PageCount(), 1);
    int huge = 0;
    for (const TPagePrimitive &item : r.store.Page(0).items) {
        if (item.kind != TPrimitiveKind::Text)
            continue;
        EXPECT_LE(item.text.size(), kMaxCaptionBytes + 1) << item.text.left(20).toStdString();
        if (item.text.size() > 1000) {
            ++huge;
            EXPECT_TRUE(item.text.trimmed().startsWith("BEGIN") || item.text.trimmed().startsWith("HEAD"));
            EXPECT_TRUE(item.text.endsWith("END") || item.text.endsWith("TAIL"));
        }
    }
    EXPECT_EQ(huge, 2);
    EXPECT_EQ(rowsOn(r, 0), QStringList({"R2", "R3"}));
    EXPECT_EQ(r.count(0, "small"), 1);
}
