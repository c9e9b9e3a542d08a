// The fuzz targets' seeds and every finding kept as a regression file, run through the same
// entry points as the fuzzer runs them: each must finish (the sanitized suite also checks that
// it does so without undefined behaviour or a bad access).
#include "FuzzTargets.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QStringList filesOf(const QString &folder)
{
    QStringList files;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files << folder + QLatin1Char('/') + name;
    return files;
}

TEST(FuzzCorpus, SeedsAndRegressionsRunThroughEveryTarget)
{
    PrepareFuzzing();
    const QString root = SourceDir() + QStringLiteral("/tests/fuzz/");
    int runs = 0;
    for (const TFuzzTarget &target : FuzzTargets()) {
        const QString name = QLatin1String(target.name);
        const QStringList files = filesOf(root + QStringLiteral("corpus/") + name) + filesOf(root + QStringLiteral("regressions/") + name);
        EXPECT_FALSE(filesOf(root + QStringLiteral("corpus/") + name).isEmpty()) << "no seeds for " << target.name;
        for (const QString &file : files) {
            QFile in(file);
            ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
            SCOPED_TRACE(file.toStdString());
            target.run(in.readAll());
            ++runs;
        }
    }
    EXPECT_GT(runs, 0);
}

} // namespace
