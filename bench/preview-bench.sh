#!/usr/bin/env bash
# Preview speed: turning to pages spread over a long report at 100% zoom (target: under
# 50 ms each). Builds the app test program into build-bench/ unless TARVEL_BUILD_DIR names a
# build, then runs its benchmark case. PREVIEW_BENCH_PAGES sets the page count (2000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARVEL_BUILD_DIR:-$root/build-bench}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tst_app -j "$(nproc)" >/dev/null
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/tarvel-bench-runtime}"
"$build/tests/app/tst_app" --gtest_also_run_disabled_tests \
  --gtest_filter='PreviewBench.DISABLED_PageTurnAt100Percent' | grep -E "page turn|FAILED"
