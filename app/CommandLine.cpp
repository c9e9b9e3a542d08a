#include "app/CommandLine.h"

QString JoinCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool IsInstallRequest(const QString &commandLineName)
{
    return commandLineName.toUpper().contains(QLatin1String("/INSTALL"));
}

bool IsEmbeddingRequest(const QString &commandLineName)
{
    return commandLineName.toUpper() == QLatin1String("-EMBEDDING");
}
