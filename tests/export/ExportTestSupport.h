#pragma once
// Runs the real export on a report made from record lines and returns the file it wrote.
#include "export/ExportToFile.h"
#include "foundation/Progress.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QList>
#include <ostream>

// Failures show bytes as text, with CR, LF and bytes above 126 escaped.
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"';
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') *os << "\\r";
        else if (c == '\n') *os << "\\n";
        else if (u < 32 || u > 126) *os << "\\x" << std::hex << int(u) << std::dec;
        else *os << c;
    }
    *os << '"';
}

inline TExportOptions DefaultExportOptions()
{
    TExportOptions options;
    LoadExportOptions(QStringLiteral("/nonexistent/CLIENT.PAR"), options);
    return options;
}

inline QByteArray ExportLines(const TTestDir &dir, const QList<QByteArray> &records, const TExportOptions &options,
                              const QString &targetName = QStringLiteral("out.csv"), bool scrambled = false)
{
    const QString report = dir.write(QStringLiteral("report.srp"), MakeReport(records, scrambled));
    TSilentProgress progress;
    if (ExportReport(report, dir.path(targetName), options, progress) != TExportStatus::Done)
        return "<failed>";
    return dir.read(targetName);
}

// Lines joined with CR LF, the last one included.
inline QByteArray CrLf(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}
