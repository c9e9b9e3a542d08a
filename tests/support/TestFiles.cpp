#include "support/TestFiles.h"

#include "foundation/Codepages.h"

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

QString SourceDir() { return QStringLiteral(TARVEL_SOURCE_DIR); }
