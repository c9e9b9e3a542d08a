#pragma once
// The sample files. Each writer returns false with a message in error when the file could
// not be written; a failed write leaves no partial file behind.
#include <QString>

// A call listing by extension, grouped by department, with department totals: the sample
// calls-by-extension.srp and the large listings of the benchmarks. Streams: memory use does
// not grow with the row count.
bool WriteCallListing(const QString &path, qint64 rows, QString &error);

bool WriteCallsByDepartment(const QString &path, QString &error);
bool WriteTrunkSummary(const QString &path, const QString &logoPath, QString &error);
bool WriteGraphCalls(const QString &path, QString &error);
bool WriteTraffic(const QString &path, QString &error);
bool WriteNeedsVersion2(const QString &path, QString &error);
bool WriteNoData(const QString &path, QString &error);

// The sample installation folder (TARVEL_HOME): CLIENT.PAR, TRVL.PAR, TRNSFONT.INI, logo.jpg.
bool WriteLogo(const QString &path, QString &error);
bool WriteHomeFolder(const QString &dir, QString &error);
