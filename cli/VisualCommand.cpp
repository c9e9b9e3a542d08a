// tarvel-report visual: Windows-1255 lines on standard input to visual code page 862 lines.
#include "cli/Commands.h"

#include "foundation/VisualHebrew.h"

#include <QByteArray>
#include <cstdio>

namespace {

void writeLine(const QByteArray &line)
{
    QByteArray text = line;
    if (text.endsWith('\r'))
        text.chop(1);
    const QByteArray out = StripSeparators(ToVisual(text)) + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
}

int visual(const QStringList &args)
{
    if (!args.isEmpty())
        return kExitUsage;
    QByteArray pending;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        pending.append(buffer, qsizetype(got));
        qsizetype start = 0, lf;
        while ((lf = pending.indexOf('\n', start)) >= 0) {
            writeLine(pending.mid(start, lf - start));
            start = lf + 1;
        }
        pending.remove(0, start);
    }
    if (!pending.isEmpty())
        writeLine(pending);
    if (std::ferror(stdin))
        return CliFail(QStringLiteral("cannot read standard input"));
    return kExitOk;
}

const TCliCommand command("visual", "< LINES", "Windows-1255 lines to visual code page 862 lines", visual);

} // namespace
