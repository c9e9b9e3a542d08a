#include "SampleData.h"

#include "foundation/Codepages.h"

#include <QDate>
#include <QSet>

namespace {

const char *const kFirstNames[] = {
    "אברהם", "יצחק", "יעקב", "שרה", "רבקה", "רחל", "לאה", "משה", "דוד", "יוסף",
    "מרים", "נועה", "תמר", "אורי", "איתי", "מיכל", "רונית", "עדי", "גלעד", "שירה",
    "אלון", "יעל", "עומר", "הילה", "דניאל", "אביגיל", "נתן", "ליאת", "אסף", "ענבל",
    "חיים", "אסתר", "רוני", "שושנה", "בנימין", "דבורה", "עמית", "קרן", "יונתן", "אילנה",
};
const char *const kFamilyNames[] = {
    "כהן", "לוי", "מזרחי", "פרץ", "ביטון", "אברהם", "פרידמן", "שפירא", "גולדברג", "אזולאי",
    "דהן", "אוחיון", "רוזנברג", "ברק", "שלום", "גבאי", "חדד", "קליין", "וקנין", "אשכנזי",
    "בן דוד", "טל", "סויסה", "אלמוג", "נחום", "הררי", "קפלן", "גרינברג", "עמר", "יוסף",
};

struct TDepartmentSeed {
    const char *name;
    int weight;
};
const TDepartmentSeed kDepartments[] = {
    {"הנהלה", 2}, {"מכירות", 5}, {"הנהלת חשבונות", 3}, {"תמיכה טכנית", 6}, {"שיווק", 3},
};

template <typename T, std::size_t N>
constexpr int count(const T (&)[N]) { return int(N); }

QByteArray digits(TSampleRandom &random, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += char('0' + random.Below(10));
    return out;
}

QList<QDate> workingDays()
{
    QList<QDate> days;
    for (QDate d(2026, 11, 1); d.month() == 11; d = d.addDays(1)) {
        if (d.dayOfWeek() != Qt::Friday && d.dayOfWeek() != Qt::Saturday)
            days.append(d);
    }
    return days;
}

const QList<QDate> &theWorkingDays()
{
    static const QList<QDate> days = workingDays();
    return days;
}

} // namespace

QByteArray W(const char *utf8) { return ToWin1255(QString::fromUtf8(utf8)); }

QList<TDepartment> MakeDepartments(TSampleRandom &random, int employeesPerDepartment)
{
    QList<TDepartment> departments;
    QSet<QString> usedNames;
    const bool large = employeesPerDepartment > 90;
    for (int d = 0; d < count(kDepartments); ++d) {
        TDepartment department;
        department.unicodeName = QString::fromUtf8(kDepartments[d].name);
        department.name = ToWin1255(department.unicodeName);
        department.weight = kDepartments[d].weight;
        const int base = large ? (d + 2) * 1000 : (d + 2) * 100;
        for (int e = 0; e < employeesPerDepartment; ++e) {
            QString name;
            do {
                name = QString::fromUtf8(kFirstNames[random.Below(count(kFirstNames))]) + QLatin1Char(' ')
                       + QString::fromUtf8(kFamilyNames[random.Below(count(kFamilyNames))]);
            } while (!large && usedNames.contains(name)); // a small staff has no two people of one name
            usedNames.insert(name);
            department.employees.append({base + 1 + e, ToWin1255(name)});
        }
        departments.append(department);
    }
    return departments;
}

TCall MakeCall(TSampleRandom &random)
{
    TCall call;
    const int roll = random.Below(100);
    call.kind = roll < 38 ? TCallKind::Local
              : roll < 50 ? TCallKind::Intercity
              : roll < 88 ? TCallKind::Mobile
              : roll < 95 ? TCallKind::International
                          : TCallKind::TollFree;
    // Most calls are short; some run long.
    call.seconds = random.Chance(15) ? random.Between(180, 2400) : random.Between(4, 240);
    int ratePerMinute = 0; // agorot per started minute
    switch (call.kind) {
    case TCallKind::Local:
        call.number = "03-" + QByteArray::number(random.Between(5, 9)) + digits(random, 6);
        ratePerMinute = 9;
        break;
    case TCallKind::Intercity: {
        static const char *const areas[] = {"02", "04", "08", "09"};
        call.number = QByteArray(areas[random.Below(4)]) + '-' + QByteArray::number(random.Between(5, 9)) + digits(random, 6);
        ratePerMinute = 14;
        break;
    }
    case TCallKind::Mobile: {
        static const char *const prefixes[] = {"050", "052", "053", "054", "058"};
        call.number = QByteArray(prefixes[random.Below(5)]) + '-' + digits(random, 7);
        ratePerMinute = 25;
        break;
    }
    case TCallKind::International: {
        static const char *const prefixes[] = {"001-212-", "0044-20-", "0033-1-", "0049-30-", "0039-06-"};
        call.number = QByteArray(prefixes[random.Below(5)]) + digits(random, 7);
        ratePerMinute = 95;
        break;
    }
    case TCallKind::TollFree:
        call.number = "1-800-" + digits(random, 6);
        ratePerMinute = 0;
        break;
    }
    call.agorot = (call.seconds + 59) / 60 * ratePerMinute;
    return call;
}

QByteArray CallKindName(TCallKind kind)
{
    static const QByteArray names[] = {W("מקומי"), W("בין עירוני"), W("סלולרי"), W("בינלאומי"), W("חיוג חינם")};
    return names[int(kind)];
}

int WorkingDayCount() { return int(theWorkingDays().size()); }

QByteArray WorkingDayDate(int day)
{
    static QList<QByteArray> dates;
    if (dates.isEmpty()) {
        for (const QDate &d : theWorkingDays())
            dates.append(d.toString(QStringLiteral("dd/MM/yyyy")).toLatin1());
    }
    return dates.value(qBound(0, day, int(dates.size()) - 1));
}

QByteArray Duration(qint64 seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

QByteArray ClockTime(int minuteOfDay)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

QByteArray Amount(qint64 agorot, bool thousands)
{
    QByteArray whole = QByteArray::number(agorot / 100);
    if (thousands) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, ',');
    }
    char cents[8];
    std::snprintf(cents, sizeof cents, ".%02lld", agorot % 100);
    return whole + cents;
}
