#include "support/TestReports.h"

#include "report/RecordStream.h"

QByteArray MakeReport(const QList<QByteArray> &lines, bool scrambled, const QByteArray &requiredVersion)
{
    const QByteArray header = "TRVL," + QByteArray(scrambled ? "NNYNN" : "NNNNN") + ",ADMIN,," + requiredVersion;
    QByteArray out = ScrambleLine(header) + "\r\n";
    for (const QByteArray &line : lines)
        out += (scrambled ? ScrambleLine(line) : line) + "\r\n";
    return out;
}
