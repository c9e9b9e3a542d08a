// libFuzzer's entry for one target, chosen by TARVEL_FUZZ_TARGET (scripts/fuzz.sh sets it).
#include "FuzzTargets.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {
const TFuzzTarget *target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    PrepareFuzzing();
    target = FindFuzzTarget(qEnvironmentVariable("TARVEL_FUZZ_TARGET"));
    if (!target) {
        std::fprintf(stderr, "TARVEL_FUZZ_TARGET must name a target\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    target->run(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
