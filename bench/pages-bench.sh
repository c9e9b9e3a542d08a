#!/usr/bin/env bash
# Report pages: time to the first page (1,000 and 1,000,000 rows), rows per second, peak
# memory of a whole run, and turning to any page at 100%. Targets: first page under 0.5 s
# and within a factor of 2 between the two sizes, 50,000 rows/s or more, under 300 MB,
# under 50 ms per page turn.
#   bench/pages-bench.sh            (TARVEL_BUILD_DIR selects the build, default build-bench)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARVEL_BUILD_DIR:-$root/build-bench}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tst_report tarvel-report -j "$(nproc)" >/dev/null
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/tarvel-bench-runtime}"
export TARVEL_HOME="${TARVEL_HOME:-$root/examples/home}"
small=/tmp/tarvel-bench-1k.srp
big=/tmp/tarvel-bench-1m.srp
[ -f "$small" ] || TARVEL_BUILD_DIR="$build" sh "$root/bench/make-big-report.sh" "$small" 1000 >/dev/null
[ -f "$big" ] || TARVEL_BUILD_DIR="$build" sh "$root/bench/make-big-report.sh" "$big" 1000000 >/dev/null

for spec in "$small:1000" "$big:1000000"; do
  file="${spec%%:*}"; rows="${spec##*:}"
  echo "== $rows rows"
  TARVEL_BENCH_REPORT="$file" TARVEL_BENCH_ROWS="$rows" "$build/tests/report/tst_report" \
    --gtest_also_run_disabled_tests --gtest_filter='PagesBench.*' | grep -E "^(pages|first|whole|page turn|page file)|FAILED"
done

echo "== peak memory of a whole 1,000,000-row run (tarvel-report info)"
/usr/bin/time -v "$build/cli/tarvel-report" info "$big" 2>&1 | grep -E "^pages|Elapsed|Maximum resident"
