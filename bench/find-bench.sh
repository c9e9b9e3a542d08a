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
source "$(dirname "$0")/preview-bench-setup.sh"

"$build/tools/make-samples/tarvel-make-samples" --listing "$rows" "$work/listing.srp"
FIND_BENCH_REPORT="$work/listing.srp" /usr/bin/time -f "peak resident memory (time): %M KB" \
  "$build/tests/app/tst_app" --gtest_also_run_disabled_tests \
  --gtest_filter='FindBench.DISABLED_BigReport' 2>&1 | grep -E "report |find |thumbnails|peak|FAILED"
