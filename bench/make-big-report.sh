#!/bin/sh
# Writes a call listing of 1,000,000 rows for the benchmarks, building the sample generator
# first when needed.
#   bench/make-big-report.sh [OUT.srp] [ROWS]     (defaults: /tmp/tarvel-1m.srp, 1000000)
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-/tmp/tarvel-1m.srp}
rows=${2:-1000000}
build=${TARVEL_BUILD_DIR:-$root/build}
tool=$build/tools/make-samples/tarvel-make-samples

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target tarvel-make-samples >/dev/null
"$tool" --listing "$rows" "$out"
echo "$out: $rows rows, $(wc -c <"$out") bytes"
