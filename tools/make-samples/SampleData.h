#pragma once
// The invented company behind the samples: its departments, employees, trunks and the calls
// they make. Texts are held in the report files' code page (Windows-1255).
#include "SampleRandom.h"

#include <QByteArray>
#include <QList>
#include <QString>

inline constexpr std::uint64_t kSampleSeed = 20261101;

struct TEmployee {
    int extension = 0;
    QByteArray name; // Windows-1255
};

struct TDepartment {
    QByteArray name; // Windows-1255
    QString unicodeName;
    int weight = 1; // share of the calls
    QList<TEmployee> employees;
};

// The five departments with employeesPerDepartment extensions each (names drawn from the
// generator). Extensions are 201, 202 ... per department, or 2001 ... for large staffs.
QList<TDepartment> MakeDepartments(TSampleRandom &random, int employeesPerDepartment);

// One outgoing call.
enum class TCallKind { Local, Intercity, Mobile, International, TollFree };
struct TCall {
    TCallKind kind = TCallKind::Local;
    QByteArray number;  // as dialled, with dashes
    int seconds = 0;    // duration
    int agorot = 0;     // cost in agorot (1/100 shekel)
};
TCall MakeCall(TSampleRandom &random);
QByteArray CallKindName(TCallKind kind); // Windows-1255

// The working days (Sunday to Thursday) of November 2026, 08:00-18:00.
inline constexpr int kWorkMinutesPerDay = 600;
int WorkingDayCount();
// "dd/mm/yyyy" of working day index (0-based).
QByteArray WorkingDayDate(int day);

// Formatting in the installation's formats (Israeli: "/" dates, ":" times, "." decimals,
// "," thousands).
QByteArray Duration(qint64 seconds);       // hh:mm:ss
QByteArray ClockTime(int minuteOfDay);     // hh:mm
QByteArray Amount(qint64 agorot, bool thousands = false); // 1234.56 or 1,234.56
QByteArray W(const char *utf8);            // Windows-1255 of a UTF-8 literal

inline const char *kPeriodText = "לתקופה: 01/11/2026 - 30/11/2026";
inline const char *kTotalPrefix = "סה\"כ ";
