#pragma once
// The fuzz targets: each takes arbitrary bytes as one kind of file the programs read and runs
// them through the code that reads it. libFuzzer drives them (FuzzMain.cpp, scripts/fuzz.sh);
// the normal test suite runs the seed and regression files through the very same functions
// (tst_FuzzCorpus.cpp), so a finding stays fixed without clang.
#include <QByteArray>
#include <QList>
#include <QString>

struct TFuzzTarget {
    const char *name; // also the folder of its seeds (corpus/NAME) and findings (regressions/NAME)
    void (*run)(const QByteArray &bytes);
};

// Every target, by name.
const QList<TFuzzTarget> &FuzzTargets();
const TFuzzTarget *FindFuzzTarget(const QString &name);

// Once per process, before any target runs: settings from a fresh folder, messages silenced.
void PrepareFuzzing();
