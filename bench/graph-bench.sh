#!/bin/bash
# Graph speed: a graph of 1,000 points opened and drawn, paging redraws, and a traffic report of
# 1,000,000 data rows loaded (time and peak memory). Run after a build:
#   bench/graph-bench.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool=$build/cli/tarvel-report
tests=$build/tests/graph/tst_graph
[ -x "$tool" ] && [ -x "$tests" ] || { echo "build first: tarvel-report and tst_graph in $build" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/tarvel-bench-runtime}
export TARVEL_HOME=$root/examples/home

# The definitions of the sample reports, followed by generated data records.
defs() { awk '/^100,/{exit} {print}' "$1"; }

defs "$root/examples/graph-calls.srp" | grep -av '^951' > "$work/points.srp"
awk 'BEGIN { for (i = 1; i <= 1000; i++) printf "100,%d,Name %d,%d,%d,%d.%02d,%02d:%02d:%02d,%02d:%02d,%d.%d\r\n", 1000+i, i, i%97, (i*7)%113, i%50, i%100, i%10, i%60, (i*7)%60, i%9, (i*3)%60, i%100, i%10 }' >> "$work/points.srp"

defs "$root/examples/traffic.srp" > "$work/traffic.srp"
awk 'BEGIN { for (i = 0; i < 1000000; i++) { page = int(i / 48); slot = i % 48;
        printf "100,Group %d,%02d:%02d,%d,00:%02d:%02d,%d,%d.%d,%d.%02d\r\n", page, int(slot/2), (slot%2)*30, i%97, i%60, (i*7)%60, i%9, i%100, i%10, i%50, i%100 } }' >> "$work/traffic.srp"
echo "files: $(wc -l < "$work/points.srp") lines ($(du -h "$work/points.srp" | cut -f1)), $(wc -l < "$work/traffic.srp") lines ($(du -h "$work/traffic.srp" | cut -f1))"

echo "== 1,000 points: open and draw, paging (in process)"
TARVEL_BENCH_GRAPH=$work/points.srp "$tests" --gtest_also_run_disabled_tests --gtest_filter='GraphBench.*' | grep -a 'points per page'

echo "== 1,000 points: graph-png as a command (process start included)"
/usr/bin/time -f "graph-png: %e s, peak %M KB" "$tool" graph-png "$work/points.srp" "$work/points.png" 2>&1 | grep graph-png

echo "== 1,000,000 traffic rows: load (graph-data of the first page)"
/usr/bin/time -f "traffic load: %e s, peak %M KB" "$tool" graph-data "$work/traffic.srp" > /dev/null 2> "$work/time.txt" || true
grep 'traffic load' "$work/time.txt"
head -c 500000 "$work/traffic.srp" > "$work/traffic-small.srp"
/usr/bin/time -f "for comparison, the first 500 KB: %e s, peak %M KB" "$tool" graph-data "$work/traffic-small.srp" > /dev/null 2> "$work/time.txt" || true
grep 'comparison' "$work/time.txt"
