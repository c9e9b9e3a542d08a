// tarvel-make-samples: writes the bundled sample reports and installation folder, or one call
// listing of a given size for the benchmarks.
//
//   tarvel-make-samples OUTDIR                  all samples into OUTDIR, OUTDIR/home
//   tarvel-make-samples --listing ROWS OUT.srp  one call listing of ROWS data rows
#include "Samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <functional>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: tarvel-make-samples OUTDIR\n"
                           "       tarvel-make-samples --listing ROWS OUT.srp\n";
    return 2;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "tarvel-make-samples: " << message << '\n';
    return 1;
}

int writeAll(const QString &outDir)
{
    const QString home = outDir + QStringLiteral("/home");
    QString error;
    if (!WriteHomeFolder(home, error))
        return fail(error);
    const QString logo = home + QStringLiteral("/logo.jpg");
    const std::pair<const char *, std::function<bool(const QString &, QString &)>> samples[] = {
        {"calls-by-extension.srp", [](const QString &p, QString &e) { return WriteCallListing(p, 360, e); }},
        {"calls-by-department.srp", WriteCallsByDepartment},
        {"trunk-summary.srp", [&logo](const QString &p, QString &e) { return WriteTrunkSummary(p, logo, e); }},
        {"graph-calls.srp", WriteGraphCalls},
        {"traffic.srp", WriteTraffic},
        {"needs-version-2.srp", WriteNeedsVersion2},
        {"no-data.srp", WriteNoData},
    };
    for (const auto &[name, write] : samples) {
        const QString path = outDir + QLatin1Char('/') + QLatin1String(name);
        if (!write(path, error))
            return fail(QStringLiteral("%1: %2").arg(path, error));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith(QLatin1Char('-')))
        return writeAll(QDir(args[0]).absolutePath());
    if (args.size() == 3 && args[0] == QLatin1String("--listing")) {
        bool ok = false;
        const qint64 rows = args[1].toLongLong(&ok);
        if (!ok || rows < 0)
            return usage();
        QString error;
        if (!WriteCallListing(args[2], rows, error))
            return fail(QStringLiteral("%1: %2").arg(args[2], error));
        return 0;
    }
    return usage();
}
