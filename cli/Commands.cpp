#include "cli/Commands.h"

#include <QFile>
#include <cstdio>

namespace {
QList<const TCliCommand *> &registry()
{
    static QList<const TCliCommand *> list;
    return list;
}
} // namespace

TCliCommand::TCliCommand(const char *n, const char *u, std::function<int(const QStringList &)> r)
    : name(n), usage(u), run(std::move(r))
{
    registry().append(this);
}

const QList<const TCliCommand *> &CliCommands() { return registry(); }

int CliFail(const QString &message)
{
    std::fprintf(stderr, "tarvel-report: %s\n", message.toUtf8().constData());
    return kExitFailure;
}

void CliPrint(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

bool CliCheckReadable(const QString &fileName, int &status)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        return true;
    status = CliFail(QStringLiteral("cannot open %1: %2").arg(fileName, file.errorString()));
    return false;
}
