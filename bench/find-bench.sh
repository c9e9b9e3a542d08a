#!/usr/bin/env bash
# Find and thumbnails on a big report (targets: first hit well under a second, full count in a
# few seconds, bounded memory with thumbnails shown).
#  A call listing of ROWS rows (first argument, default 1000000) made by the sample generator
#  is run into the preview. While its pages arrive a search starts from page 1 (first hit);
#  on the finished report a rare and a common text are searched (first hit, full count); then
#  the thumbnail panel is shown and jumped through, with the resident memory before and after.
#  FIND_BENCH_RARE and FIND_BENCH_COMMON choose the texts.
# Builds into build-bench/ unless TARVEL_BUILD_DIR names a build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARVEL_BUILD_DIR:-$root/build-bench}"
rows="${1:-1000000}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tst_app tarvel-make-samples -j "$(nproc)" >/dev/null
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/tarvel-bench-runtime}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The sample installation, copied: the preview remembers its zoom and panel in TRVL.PAR.
cp "$root"/examples/home/* "$work/"
export TARVEL_HOME="$work"

"$build/tools/make-samples/tarvel-make-samples" --listing "$rows" "$work/listing.srp"
FIND_BENCH_REPORT="$work/listing.srp" /usr/bin/time -f "peak resident memory (time): %M KB" \
  "$build/tests/app/tst_app" --gtest_also_run_disabled_tests \
  --gtest_filter='FindBench.DISABLED_BigReport' 2>&1 | grep -E "report |find |thumbnails|peak|FAILED"
