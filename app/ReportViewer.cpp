#include "app/ReportViewer.h"

#include <QFile>

QString TypeLibraryDescription()
{
    QFile file(QStringLiteral(":/TYPELIB/1"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
