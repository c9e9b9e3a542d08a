#include "support/TestFiles.h"

#include "foundation/Codepages.h"
#include "report/RecordStream.h"

#include <QFile>

QString TTestDir::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path(name);
}

QByteArray TTestDir::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray W1255(const char *utf8) { return ToWin1255(QString::fromUtf8(utf8)); }

QByteArray MakeReport(const QList<QByteArray> &lines, bool scrambled, const QByteArray &requiredVersion)
{
    const QByteArray header = "TRVL," + QByteArray(scrambled ? "NNYNN" : "NNNNN") + ",ADMIN,," + requiredVersion;
    QByteArray out = ScrambleLine(header) + "\r\n";
    for (const QByteArray &line : lines)
        out += (scrambled ? ScrambleLine(line) : line) + "\r\n";
    return out;
}

QString SourceDir() { return QStringLiteral(TARVEL_SOURCE_DIR); }
