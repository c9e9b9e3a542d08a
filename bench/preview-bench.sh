#!/usr/bin/env bash
# Preview speed (target: turning to any page at 100% zoom in under 50 ms).
#  1. A store of PREVIEW_BENCH_PAGES hand-made pages (default 2000): page turns.
#  2. A call listing of ROWS rows (first argument, default 1000000) made by the sample
#     generator and run into the preview: first page shown, all pages made, page turns on the
#     real pages, peak memory of the whole run.
# Builds into build-bench/ unless TARVEL_BUILD_DIR names a build.
set -euo pipefail
source "$(dirname "$0")/preview-bench-setup.sh"

"$build/tests/app/tst_app" --gtest_also_run_disabled_tests \
  --gtest_filter='PreviewBench.DISABLED_PageTurnAt100Percent' 2>/dev/null | grep -E "page turn|FAILED"

"$build/tools/make-samples/tarvel-make-samples" --listing "$rows" "$work/listing.srp"
PREVIEW_BENCH_REPORT="$work/listing.srp" /usr/bin/time -f "peak resident memory: %M KB" \
  "$build/tests/app/tst_app" --gtest_also_run_disabled_tests \
  --gtest_filter='PreviewBench.DISABLED_RealReport' 2>&1 | grep -E "report |page turn|peak|FAILED"
