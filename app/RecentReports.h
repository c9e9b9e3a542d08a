#pragma once
// The last eight reports opened, newest first, kept in TRVL.PAR in a section of their own
// ([RecentReports], keys File1 ... File8) for the Open button's drop-down list.
#include <QString>
#include <QStringList>

inline constexpr int kRecentReportCount = 8;

QStringList RecentReports();
// Puts the file first (once), dropping the oldest beyond eight.
void AddRecentReport(const QString &file);
void RemoveRecentReport(const QString &file);
