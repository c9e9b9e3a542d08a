// The two samples with graphs: a graph file (opened straight in the graph window) with one
// group per department, and a traffic report by hour whose Graph button opens the traffic
// graph.
#include "Samples.h"

#include "SampleData.h"
#include "SrpWriter.h"
#include "report/RecordCodes.h"

namespace {

bool finish(TSrpWriter &out, QString &error)
{
    if (out.Commit())
        return true;
    error = out.Error();
    return false;
}

// Separators and currency symbol of the figures: time ":", decimal ".", thousands ",", shekel.
void writeNumberFormats(TSrpWriter &out) { out.Record(rcGraph907, {":", ".", "\",\"", W("₪")}); }

QByteArray shekels(qint64 agorot) { return QuoteIfNeeded(W("₪") + Amount(agorot, true)); }

} // namespace

bool WriteGraphCalls(const QString &path, QString &error)
{
    TSampleRandom random(kSampleSeed + 3);
    const QList<TDepartment> departments = MakeDepartments(random, 6);
    TSrpWriter out(path);
    if (!out.Open({})) {
        error = out.Error();
        return false;
    }
    // A graph file is marked within its first three lines, which are read as stored: the
    // file is not scrambled.
    out.Record(rcOrientation, {"2"});
    out.Record(rcGraphFile, {"1"});
    out.Record(rcRightToLeft);
    writeNumberFormats(out);
    out.Record(rcGraph951);
    out.Record(rcGraph915, {"True"});
    out.Record(rcGraph917, {"8"});
    out.Record(rcReportHeaderLine, {"4", "C", "0", "0", Fld("שיחות, עלויות וזמני שיחה לפי שלוחה")});
    out.Record(rcReportHeaderLine, {"5", "C", "0", "0", Fld(QStringLiteral("מחלקה: ") + departments.first().unicodeName)});
    out.Record(rcSubHeaderInfoLine, {"5", "C", "0", "0", Fld(kPeriodText)});
    // X: extension and name. Y: calls out and in (one field, two series), cost, total time
    // in hours and minutes, average call in minutes and seconds, share of calls answered.
    out.Record(rcGraphField, {"1", "2", Fld("שלוחה|ועובד")});
    out.Record(rcGraph701, {"3", "0", Fld("מספר|שיחות"), "1", Fld("יוצאות")});
    out.Record(rcGraph701, {"4", "0", Fld("מספר|שיחות"), "1", Fld("נכנסות")});
    out.Record(rcGraph701, {"5", "2", Fld("עלות שיחות"), "0", ""});
    out.Record(rcGraph701, {"6", "3", Fld("משך שיחות"), "0", ""});
    out.Record(rcGraph701, {"7", "4", Fld("משך ממוצע לשיחה"), "0", ""});
    out.Record(rcGraph701, {"8", "6", Fld("אחוז מענה"), "0", ""});
    // Toolbar buttons for calls, cost and time; the other two fields have no button of their
    // own, so the window offers a drop-down list of all five (no group caption hides it).
    out.Record(rcGraphCategories, {"0", "2", "3", "-1", "-1"});

    for (qsizetype d = 0; d < departments.size(); ++d) {
        const TDepartment &department = departments[d];
        if (d > 0)
            out.Record(rcReplaceReportHeaderLine, {"2", Fld(QStringLiteral("מחלקה: ") + department.unicodeName)});
        for (const TEmployee &e : department.employees) {
            const int outgoing = random.Between(10, 60) * department.weight;
            const int incoming = random.Between(10, 80) * department.weight;
            qint64 seconds = 0, agorot = 0;
            for (int i = 0; i < outgoing; ++i) {
                const TCall call = MakeCall(random);
                seconds += call.seconds;
                agorot += call.agorot;
            }
            const int answeredTenths = random.Between(700, 1000);
            out.Record(rcData, {Fld(e.extension), QuoteIfNeeded(e.name), Fld(outgoing), Fld(incoming), shekels(agorot),
                                Duration(seconds), Duration(seconds / outgoing).mid(3),
                                QByteArray::number(answeredTenths / 10) + '.' + QByteArray::number(answeredTenths % 10)});
        }
        // Each department is a group of its own.
        out.Record(rcSectionEnd);
    }
    return finish(out, error);
}

namespace {

struct TTrunkGroup {
    const char *name;
    int lines;
    int ratePerMinute; // agorot
};

const TTrunkGroup kTrunkGroups[] = {
    {"בזק - קווים אנלוגיים", 4, 9},
    {"סלקום SIP", 20, 12},
    {"פרטנר SIP", 10, 14},
};

} // namespace

bool WriteTraffic(const QString &path, QString &error)
{
    TSampleRandom random(kSampleSeed + 4);
    TSrpWriter out(path);
    if (!out.Open({})) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"2"});
    out.Record(rcRightToLeft);
    out.Record(rcTextStyle, {"1", "Arial", "9", "Y", "N", "N", "clNavy"});
    out.Record(rcTextStyle, {"4", "Arial", "14", "Y", "N", "N", "clNavy"});
    out.Record(rcTableStyle, {"1"});
    out.Record(rcColumnBlockAlign, {"C"});
    out.Record(rcColumnCount, {"7"});
    out.Record(rcColumnWidths, {"C14", "D6", "D7", "D9", "D12", "D7", "D10"});
    out.Record(rcDataAlignment, {"D", "C", "C", "C", "C", "C", "R"});
    out.Record(rcTitleAlignment, {"C", "C", "C", "C", "C", "C", "C"});
    out.Record(rcTitles, {Fld("קבוצת|קווים"), Fld("שעה"), Fld("מספר|שיחות"), Fld("משך|שיחות"), Fld("קווים תפוסים|(שיא)"),
                          Fld("ניצולת|(%)"), Fld("עלות|(₪)")});
    out.Record(rcDataLines, {"1"});
    out.Record(rcReportHeaderLine, {"4", "C", "0", "4", Fld("דוח תעבורה לפי שעה וקבוצת קווים")});
    out.Record(rcReportHeaderLine, {"5", "C", "0", "8", Fld(kPeriodText)});
    out.Record(rcPageNumberOn, {"5"});

    // Traffic graph: the trunk group chooses the page, the hour names the row; five value
    // fields, drawn in four combinations.
    out.Record(rcTrafficGraph);
    writeNumberFormats(out);
    out.Record(rcGraphField, {"1", "-1", Fld("קבוצת קווים")});
    out.Record(rcGraphField, {"2", "-1", Fld("שעה")});
    out.Record(rcGraph701, {"3", "0", Fld("מספר שיחות")});
    out.Record(rcGraph701, {"4", "4", Fld("משך שיחות")});
    out.Record(rcGraph701, {"5", "0", Fld("קווים תפוסים|(שיא)")});
    out.Record(rcGraph701, {"6", "6", Fld("ניצולת|(%)")});
    out.Record(rcGraph701, {"7", "2", Fld("עלות")});
    out.Record(rcGraph703, {Fld("מספר שיחות"), "1"});
    out.Record(rcGraph703, {Fld("משך שיחות"), "2"});
    out.Record(rcGraph703, {Fld("קווים תפוסים וניצולת"), "3", "4"});
    out.Record(rcGraph703, {Fld("עלות"), "5"});

    const qint64 daySeconds = qint64(WorkingDayCount()) * 30 * 60; // one half hour on every working day
    for (qsizetype g = 0; g < qsizetype(std::size(kTrunkGroups)); ++g) {
        const TTrunkGroup &group = kTrunkGroups[g];
        if (g > 0)
            out.Record(rcSectionEnd);
        qint64 calls = 0, seconds = 0, agorot = 0;
        int peak = 0;
        for (int half = 0; half < 24; ++half) { // 07:00 .. 18:30
            const int minute = 7 * 60 + half * 30;
            // Busy mid-morning and early afternoon, a dip at lunch, quiet at the edges of the day.
            static const int kLoad[24] = {1, 2, 4, 6, 8, 9, 9, 8, 7, 5, 4, 4, 6, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1};
            const int load = kLoad[half];
            const int n = load * group.lines * random.Between(9, 11) / 2;
            const qint64 s = qint64(n) * random.Between(100, 130);
            const qint64 a = (s + 59) / 60 * group.ratePerMinute;
            const int busy = qMin(group.lines, 1 + load * group.lines / 10 + random.Below(2));
            const qint64 tenths = qMin<qint64>(1000, s * 1000 / (daySeconds * group.lines));
            out.Record(rcData, {Fld(group.name), ClockTime(minute), Fld(n), Duration(s), Fld(busy),
                                QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10),
                                QuoteIfNeeded(Amount(a, true))});
            calls += n;
            seconds += s;
            agorot += a;
            peak = qMax(peak, busy);
        }
        out.Record(rcTotalCaption, {"1", "1", "2", "0", "D", Fld(QString::fromUtf8(kTotalPrefix) + QString::fromUtf8(group.name))});
        out.Record(rcTotals, {"Y", "", "", Fld(calls), Duration(seconds), Fld(peak), "", QuoteIfNeeded(Amount(agorot, true))});
    }
    out.Record(rcEndOfReport);
    return finish(out, error);
}
