// The call listing by extension: one data row per call, a section per department with its
// totals row, and a grand total.
#include "Samples.h"

#include "SampleData.h"
#include "SrpWriter.h"
#include "report/RecordCodes.h"

#include <algorithm>

namespace {

// Splits total into parts proportional to the weights; the last part takes the remainder.
QList<qint64> share(qint64 total, const QList<int> &weights)
{
    qint64 sum = 0;
    for (int w : weights)
        sum += w;
    QList<qint64> parts;
    qint64 given = 0;
    for (qsizetype i = 0; i < weights.size(); ++i) {
        const qint64 part = i + 1 == weights.size() ? total - given : total * weights[i] / sum;
        parts.append(part);
        given += part;
    }
    return parts;
}

struct TTotals {
    qint64 calls = 0;
    qint64 seconds = 0;
    qint64 agorot = 0;
    void add(const TTotals &o) { calls += o.calls; seconds += o.seconds; agorot += o.agorot; }
};

void writeLayout(TSrpWriter &out, const QList<TDepartment> &departments, bool listExtensions)
{
    out.Record(rcRightToLeft);
    out.Record(rcTextStyle, {"1", "Arial", "9", "Y", "N", "N", "clNavy"});
    out.Record(rcTextStyle, {"2", "Arial", "9", "N", "N", "N", "clBlack"});
    out.Record(rcTextStyle, {"3", "Arial", "9", "Y", "N", "N", "clBlack"});
    out.Record(rcTextStyle, {"4", "Arial", "14", "Y", "N", "N", "clNavy"});
    out.Record(rcTextStyle, {"5", "Arial", "10", "Y", "N", "N", "clBlack"});
    out.Record(rcTableStyle, {"1"});
    out.Record(rcColumnBlockAlign, {"C"});
    // Title columns and column formats, read by the CSV export only, and given before the
    // column titles so that the exported title line carries the title column's caption too.
    // The formats are numbered over the exported line, title columns first.
    out.Record(rcTitleColumnCount, {"1"});
    out.Record(rcTitleColumnCaptions, {Fld("מחלקה")});
    out.Record(rcCsvFormats, {"L", "30", "R", "5", "L", "20", "L", "10", "L", "5", "L", "8", "L", "14", "L", "10", "R", "10"});

    out.Record(rcColumnCount, {"8"});
    out.Record(rcColumnWidths, {"D5", "C14", "D10", "D5", "D8", "D16", "C9", "D8"});
    out.Record(rcDataAlignment, {"C", "D", "C", "C", "C", "N", "D", "R"});
    out.Record(rcTitleAlignment, {"C", "C", "C", "C", "C", "C", "C", "C"});
    out.Record(rcTitleRowCount, {"2"});
    out.Record(rcTitleSpacing, {"2", "3"});
    out.Record(rcTitles, {Fld("מספר|שלוחה"), Fld("שם|עובד"), Fld("תאריך|שיחה"), Fld("שעת|התחלה"), Fld("משך|שיחה"),
                          Fld("מספר|מחויג"), Fld("סוג|שיחה"), Fld("עלות|(₪)")});
    out.Record(rcDataSpacing, {"0", "0"});
    out.Record(rcTotalSpacing, {"4", "8"});

    out.Record(rcReportHeaderLine, {"4", "C", "0", "4", Fld("דוח שיחות יוצאות לפי שלוחה")});
    out.Record(rcReportHeaderLine, {"5", "C", "0", "2", Fld(kPeriodText)});
    out.Record(rcReportHeaderLine, {"5", "D", "6", "4", Fld(QStringLiteral("מחלקה: ") + departments.first().unicodeName)});

    QStringList names;
    for (const TDepartment &d : departments)
        names.append(d.unicodeName);
    out.Record(rcSubHeaderInfoLine, {"2", "D", "0", "0", Quoted(QStringLiteral("מחלקות: ") + names.join(QStringLiteral(", ")))});
    out.Record(rcSubHeaderInfoLine, {"2", "D", "0", "0", Quoted(QString::fromUtf8("סוגי שיחות: מקומי, בין עירוני, סלולרי, בינלאומי, חיוג חינם"))});
    if (listExtensions) {
        QStringList extensions;
        for (const TDepartment &d : departments) {
            for (const TEmployee &e : d.employees)
                extensions.append(QString::number(e.extension));
        }
        out.Record(rcSubHeaderInfoLine, {"2", "D", "0", "4", Quoted(QStringLiteral("שלוחות: ") + extensions.join(QStringLiteral(", ")))});
    }
    out.Record(rcReportFooterLine, {"5", "D", "6", "0", Fld("הדוח הופק במערכת תרבל לניתוח שיחות")});
    out.Record(rcPageNumberOn, {"5"});
}

void writeTotals(TSrpWriter &out, const QString &caption, const TTotals &totals)
{
    out.Record(rcTotalCaption, {"1", "1", "3", "0", "D",
                                Fld(QString::fromUtf8(kTotalPrefix) + caption
                                    + QStringLiteral(" (%1 שיחות)").arg(totals.calls))});
    out.Record(rcTotals, {"Y", "", "", "", "", Duration(totals.seconds), "", "", QuoteIfNeeded(Amount(totals.agorot, true))});
}

} // namespace

bool WriteCallListing(const QString &path, qint64 rows, QString &error)
{
    TSampleRandom random(kSampleSeed);
    const int perDepartment = int(std::clamp<qint64>(rows / 300, 4, 400));
    const QList<TDepartment> departments = MakeDepartments(random, perDepartment);

    TSrpWriter out(path);
    if (!out.Open({})) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"1"});
    writeLayout(out, departments, perDepartment <= 6);

    QList<int> weights;
    for (const TDepartment &d : departments)
        weights.append(d.weight);
    const QList<qint64> departmentRows = share(rows, weights);
    const qint64 workSeconds = qint64(WorkingDayCount()) * kWorkMinutesPerDay * 60;

    TTotals grand;
    for (qsizetype d = 0; d < departments.size(); ++d) {
        const TDepartment &department = departments[d];
        if (d > 0) {
            out.Record(rcSectionEnd);
            out.Record(rcReplaceReportHeaderLine, {"3", Fld(QStringLiteral("מחלקה: ") + department.unicodeName)});
        }
        out.Record(rcClearTitleColumns);
        out.Record(rcTitleColumnValue, {"1", QuoteIfNeeded(department.name)});

        QList<int> employeeWeights;
        for (int e = 0; e < department.employees.size(); ++e)
            employeeWeights.append(random.Between(1, 4));
        const QList<qint64> employeeRows = share(departmentRows[d], employeeWeights);

        TTotals totals;
        for (qsizetype e = 0; e < department.employees.size(); ++e) {
            const TEmployee &employee = department.employees[e];
            const QByteArray extension = QByteArray::number(employee.extension);
            const QByteArray name = QuoteIfNeeded(employee.name);
            const qint64 calls = employeeRows[e];
            // Calls spread over the month in order: each gets a slot of working time.
            const qint64 slot = calls > 0 ? qMax<qint64>(1, workSeconds / calls) : 1;
            for (qint64 i = 0; i < calls; ++i) {
                const qint64 at = qMin(workSeconds - 1, i * slot + random.Below(int(qMin<qint64>(slot, 1 << 30))));
                const int day = int(at / (kWorkMinutesPerDay * 60));
                const int minute = 8 * 60 + int(at % (kWorkMinutesPerDay * 60)) / 60;
                const TCall call = MakeCall(random);
                out.Record(rcData, {extension, name, WorkingDayDate(day), ClockTime(minute), Duration(call.seconds),
                                    call.number, CallKindName(call.kind), Amount(call.agorot)});
                totals.add({1, call.seconds, call.agorot});
            }
        }
        writeTotals(out, department.unicodeName, totals);
        grand.add(totals);
    }
    out.Record(rcTotalStyle, {"1"});
    writeTotals(out, QStringLiteral("כללי"), grand);
    out.Record(rcEndOfReport);
    if (!out.Commit()) {
        error = out.Error();
        return false;
    }
    return true;
}
