// The short reports: calls summarised by department (scrambled, landscape, shaded rows),
// the trunk summary with its own page header, logo and header/footer blocks, and the two
// reports the viewer refuses or finds empty.
#include "Samples.h"

#include "SampleData.h"
#include "SrpWriter.h"
#include "report/RecordCodes.h"

#include <QFile>

namespace {

void writeStandardStyles(TSrpWriter &out)
{
    out.Record(rcTextStyle, {"1", "Arial", "9", "Y", "N", "N", "clNavy"});
    out.Record(rcTextStyle, {"2", "Arial", "9", "N", "N", "N", "clBlack"});
    out.Record(rcTextStyle, {"3", "Arial", "9", "Y", "N", "N", "clBlack"});
    out.Record(rcTextStyle, {"4", "Arial", "14", "Y", "N", "N", "clNavy"});
    out.Record(rcTextStyle, {"5", "Arial", "10", "Y", "N", "N", "clBlack"});
}

bool finish(TSrpWriter &out, QString &error)
{
    if (out.Commit())
        return true;
    error = out.Error();
    return false;
}

QByteArray percent(qint64 part, qint64 whole)
{
    const qint64 tenths = whole > 0 ? (part * 1000 + whole / 2) / whole : 0;
    return QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10) + '%';
}

struct TExtensionSummary {
    QByteArray department;
    TEmployee employee;
    int outgoing = 0, incoming = 0, missed = 0;
    qint64 outSeconds = 0, inSeconds = 0, agorot = 0;
};

struct TSummaryTotals {
    qint64 outgoing = 0, incoming = 0, missed = 0, outSeconds = 0, inSeconds = 0, agorot = 0;
    void add(const TExtensionSummary &s)
    {
        outgoing += s.outgoing; incoming += s.incoming; missed += s.missed;
        outSeconds += s.outSeconds; inSeconds += s.inSeconds; agorot += s.agorot;
    }
    void add(const TSummaryTotals &t)
    {
        outgoing += t.outgoing; incoming += t.incoming; missed += t.missed;
        outSeconds += t.outSeconds; inSeconds += t.inSeconds; agorot += t.agorot;
    }
};

void writeSummaryTotals(TSrpWriter &out, const QString &caption, const TSummaryTotals &t, qint64 allAgorot)
{
    out.Record(rcTotalCaption, {"1", "1", "3", "0", "D", Fld(QString::fromUtf8(kTotalPrefix) + caption)});
    out.Record(rcTotals, {"Y", "", "", "", QuoteIfNeeded(QByteArray::number(t.outgoing)), Fld(t.incoming), Fld(t.missed),
                          Duration(t.outSeconds), Duration(t.inSeconds), QuoteIfNeeded(Amount(t.agorot, true)),
                          percent(t.agorot, allAgorot)});
}

} // namespace

bool WriteCallsByDepartment(const QString &path, QString &error)
{
    TSampleRandom random(kSampleSeed + 1);
    const QList<TDepartment> departments = MakeDepartments(random, 5);
    QList<QList<TExtensionSummary>> rows;
    qint64 allAgorot = 0;
    for (const TDepartment &d : departments) {
        QList<TExtensionSummary> list;
        for (const TEmployee &e : d.employees) {
            TExtensionSummary s{d.name, e};
            s.outgoing = random.Between(8, 40) * d.weight;
            s.incoming = random.Between(10, 60) * d.weight;
            s.missed = s.incoming * random.Between(0, 15) / 100;
            for (int i = 0; i < s.outgoing; ++i) {
                const TCall call = MakeCall(random);
                s.outSeconds += call.seconds;
                s.agorot += call.agorot;
            }
            s.inSeconds = qint64(s.incoming - s.missed) * random.Between(60, 260);
            allAgorot += s.agorot;
            list.append(s);
        }
        rows.append(list);
    }

    TSrpWriter out(path);
    TReportHeaderFields header;
    header.scrambled = true;
    header.author = "MANAGER";
    if (!out.Open(header)) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"2"});
    out.Record(rcRightToLeft);
    writeStandardStyles(out);
    out.Record(rcTableStyle, {"3", "1", "15132390"});
    out.Record(rcColumnBlockAlign, {"C"});
    out.Record(rcColumnCount, {"10"});
    // "שלא נענו" in the bold title font needs seven digits of width.
    out.Record(rcColumnWidths, {"C10", "D5", "C14", "D6", "D6", "D7", "D9", "D9", "D10", "D6"});
    out.Record(rcDataAlignment, {"D", "C", "D", "C", "C", "C", "C", "C", "R", "C"});
    out.Record(rcTitleAlignment, {"C", "C", "C", "C", "C", "C", "C", "C", "C", "C"});
    out.Record(rcTitleRowCount, {"2"});
    out.Record(rcTitles, {Fld("מחלקה"), Fld("שלוחה"), Fld("שם|עובד"), Fld("שיחות|יוצאות"), Fld("שיחות|נכנסות"),
                          Fld("שיחות|שלא נענו"), Fld("משך|יוצאות"), Fld("משך|נכנסות"), Fld("עלות|(₪)"), Fld("אחוז|מהעלות")});
    out.Record(rcTotalLines, {"0", "1", "10"});
    out.Record(rcTotalSpacing, {"2", "6"});
    // Graph of the figures: one point per extension.
    out.Record(rcGraph907, {":", ".", "\",\"", W("₪")});
    out.Record(rcGraphField, {"2", "3", Fld("שלוחה|ועובד")});
    out.Record(rcGraph701, {"4", "0", Fld("מספר שיחות"), "1", Fld("יוצאות")});
    out.Record(rcGraph701, {"5", "0", Fld("מספר שיחות"), "1", Fld("נכנסות")});
    out.Record(rcGraph701, {"9", "2", Fld("עלות"), "0", ""});
    out.Record(rcReportHeaderLine, {"4", "C", "0", "4", Fld("סיכום שיחות לפי מחלקה ושלוחה")});
    out.Record(rcReportHeaderLine, {"5", "C", "0", "8", Fld(kPeriodText)});
    out.Record(rcPageNumberOn, {"5"});

    TSummaryTotals grand;
    for (qsizetype d = 0; d < departments.size(); ++d) {
        TSummaryTotals totals;
        for (const TExtensionSummary &s : rows[d]) {
            out.Record(rcData, {QuoteIfNeeded(s.department), Fld(s.employee.extension), QuoteIfNeeded(s.employee.name),
                                Fld(s.outgoing), Fld(s.incoming), Fld(s.missed), Duration(s.outSeconds),
                                Duration(s.inSeconds), QuoteIfNeeded(Amount(s.agorot, true)), percent(s.agorot, allAgorot)});
            totals.add(s);
        }
        writeSummaryTotals(out, departments[d].unicodeName, totals, allAgorot);
        grand.add(totals);
    }
    out.Record(rcTotalStyle, {"1"});
    out.Record(rcTotalLines, {"2", "1", "10"});
    writeSummaryTotals(out, QStringLiteral("כללי"), grand, allAgorot);
    out.Record(rcEndOfReport);
    return finish(out, error);
}

namespace {

struct TTrunk {
    int number;
    const char *provider;
    const char *kind;
    int channels;
};

const TTrunk kTrunks[] = {
    {1, "בזק", "אנלוגי", 1},       {2, "בזק", "אנלוגי", 1},        {3, "בזק", "אנלוגי", 1},
    {4, "בזק", "אנלוגי", 1},       {11, "בזק", "ISDN PRI", 30},    {21, "סלקום", "SIP", 20},
    {22, "סלקום", "SIP", 20},      {31, "פרטנר", "SIP", 10},       {41, "בזק בינלאומי", "SIP", 8},
    {51, "הוט", "ISDN BRI", 2},
};

// The picture file as embedded logo records: the extension, the bytes 100 to a record in
// upper-case hexadecimal, then the placement.
void writeEmbeddedLogo(TSrpWriter &out, const QString &logoPath)
{
    out.Record(rcLogoExtension, {".jpg"});
    QFile file(logoPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at < bytes.size(); at += 100)
        out.Record(rcPageHeaderItem, {"3", bytes.mid(at, 100).toHex().toUpper()});
    out.Record(rcPageHeaderItem, {"4", "1", "1", "180", "64"});
}

QByteArray label(int kind, int left, int top, int width, const char *align, int size, const char *colour, bool bold,
                 bool italic, const QString &caption)
{
    // kind, left, top, width, alignment, font, size, colour as a number, bold, italic, caption
    return QByteArray::number(kind) + ',' + QByteArray::number(left) + ',' + QByteArray::number(top) + ','
           + QByteArray::number(width) + ',' + align + ",Arial," + QByteArray::number(size) + ',' + colour + ','
           + (bold ? "Y" : "N") + ',' + (italic ? "Y" : "N") + ',' + Quoted(caption);
}

} // namespace

bool WriteTrunkSummary(const QString &path, const QString &logoPath, QString &error)
{
    TSampleRandom random(kSampleSeed + 2);
    TSrpWriter out(path);
    if (!out.Open({})) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"1"});
    out.Record(rcRightToLeft);

    // The report's own page header: logo on the left, company labels on the right, a rule
    // under them; a footer label and rule.
    writeEmbeddedLogo(out, logoPath);
    out.RecordLine(rcPageHeaderItem, label(1, 318, 2, 400, "R", 14, "8388608", true, false,
                                           QString::fromUtf8("גלבוע תקשורת ומחשוב בע\"מ")));
    out.RecordLine(rcPageHeaderItem, label(1, 318, 26, 400, "R", 9, "0", false, false,
                                           QString::fromUtf8("רחוב הברזל 32, תל אביב-יפו 6971005")));
    out.RecordLine(rcPageHeaderItem, label(1, 318, 42, 400, "R", 9, "0", false, false,
                                           QString::fromUtf8("טלפון 03-7651234 | פקס 03-7651299")));
    out.RecordLine(rcPageHeaderItem, label(1, 1, 70, 180, "L", 8, "8421504", false, false, QStringLiteral("01/12/2026 07:30")));
    out.Record(rcPageHeaderItem, {"2", "88"});
    out.RecordLine(rcPageHeaderItem, label(5, 1, 4, 300, "L", 7, "8421504", false, true,
                                           QString::fromUtf8("מסמך פנימי - לא להפצה")));
    out.Record(rcPageHeaderItem, {"6", "1"});

    writeStandardStyles(out);
    out.Record(rcTableStyle, {"2"});

    // User-defined header and footer blocks with macros.
    out.Record(rcHeaderFooterRepeat, {"0"});
    out.Record(rcHeaderFooterMacro, {"@SITE", Fld("סניף תל אביב")});
    out.Record(rcHeaderFooterMacro, {"@PERIOD", Fld("נובמבר 2026")});
    out.Record(rcHeaderFooterMacro, {"@PRINTED", "01/12/2026"});
    out.Record(rcUserDefHeaderStyle, {"Y", "C", "C", "Arial", "13", "Y", "N", "N", "clNavy"});
    out.Record(rcUserDefHeaderLine, {Fld("ניצולת קווים חיצוניים - @SITE")});
    out.Record(rcUserDefHeaderLine, {Fld("תקופה: @period")});
    out.Record(rcUserDefHeaderLine, {Fld("הופק בתאריך @Printed")});
    out.Record(rcUserDefFooterStyle, {"C", "C", "Arial", "8", "N", "Y", "N", "clGray"});
    out.Record(rcUserDefFooterLine, {Fld("@SITE - לשימוש פנימי בלבד")});
    out.Record(rcUserDefFooterLine, {Fld("שאלות על הדוח: מחלקת מערכות מידע, שלוחה 230")});

    // Columns in pixels at the right of the page, so that the column-group captions above
    // them can line up.
    const int widths[] = {55, 110, 70, 60, 75, 75, 70};
    out.Record(rcColumnBlockAlign, {"R"});
    out.Record(rcColumnCount, {"7"});
    out.Record(rcColumnWidths, {"55", "110", "70", "60", "75", "75", "70"});
    out.Record(rcDataAlignment, {"C", "D", "D", "C", "C", "R", "C"});
    out.Record(rcTitleAlignment, {"C", "C", "C", "C", "C", "C", "C"});
    out.Record(rcTitles, {Fld("מספר|קו"), Fld("ספק"), Fld("סוג|קו"), Fld("מספר|שיחות"), Fld("משך|כולל"), Fld("עלות|(₪)"),
                          Fld("ניצולת|(%)")});
    out.Record(rcDotLeader, {"2"});
    // Column-group captions over the traffic (columns 7-4, at the left) and the line details
    // (columns 3-1, at the right). The captions are placed from the left edge of the printable
    // area, as record 451 describes them, in this right-to-left report too: a first group
    // stands for the room left of the right-aligned column block on the A4 page (the block
    // starts 104 pixels in: this room and the 13-pixel gap in front of the next group).
    const int details = widths[0] + widths[1] + widths[2] + 2 * 13;
    const int traffic = widths[3] + widths[4] + widths[5] + widths[6] + 3 * 13;
    const int roomBefore = 91;
    out.Record(rcClearSubHeader);
    out.Record(rcSubHeaderWidths, {Fld(roomBefore), Fld(traffic), Fld(details)});
    out.Record(rcSubHeaderRepeat, {"0"});
    out.Record(rcSubHeaderCell, {"1", "2", "5", "C", "4", "2", Fld("תעבורה ועלויות")});
    out.Record(rcSubHeaderCell, {"1", "3", "5", "C", "4", "2", Fld("פרטי הקו")});
    out.Record(rcPageNumberOn, {"5"});

    qint64 calls = 0, seconds = 0, agorot = 0;
    for (const TTrunk &trunk : kTrunks) {
        const int n = random.Between(40, 160) * trunk.channels / (trunk.channels > 1 ? 4 : 1);
        qint64 s = 0, a = 0;
        for (int i = 0; i < n; ++i) {
            const TCall call = MakeCall(random);
            s += call.seconds;
            a += call.agorot;
        }
        const qint64 capacity = qint64(trunk.channels) * WorkingDayCount() * kWorkMinutesPerDay * 60;
        out.Record(rcData, {Fld(trunk.number), Fld(trunk.provider), Fld(trunk.kind), Fld(n), Duration(s),
                            QuoteIfNeeded(Amount(a, true)), percent(s, capacity)});
        calls += n;
        seconds += s;
        agorot += a;
    }
    out.Record(rcTotalCaption, {"1", "1", "3", "0", "D", Fld("סה\"כ כל הקווים")});
    out.Record(rcTotals, {"Y", "", "", "", Fld(calls), Duration(seconds), QuoteIfNeeded(Amount(agorot, true)), ""});
    out.Record(rcEndOfReport);
    return finish(out, error);
}

bool WriteNeedsVersion2(const QString &path, QString &error)
{
    TSrpWriter out(path);
    TReportHeaderFields header;
    header.requiredVersion = 2;
    if (!out.Open(header)) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"1"});
    out.Record(rcRightToLeft);
    out.Record(rcColumnCount, {"3"});
    out.Record(rcColumnWidths, {"D5", "C14", "D8"});
    out.Record(rcTitles, {Fld("שלוחה"), Fld("שם עובד"), Fld("עלות")});
    out.Record(rcReportHeaderLine, {"4", "C", "0", "4", Fld("דוח בפורמט חדש")});
    out.Record(rcData, {"201", W("רחל לוי"), "12.40"});
    out.Record(rcData, {"202", W("משה כהן"), "7.15"});
    out.Record(rcEndOfReport);
    return finish(out, error);
}

bool WriteNoData(const QString &path, QString &error)
{
    TSrpWriter out(path);
    if (!out.Open({})) {
        error = out.Error();
        return false;
    }
    out.Record(rcOrientation, {"1"});
    return finish(out, error);
}
