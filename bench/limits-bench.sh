#!/bin/sh
# Memory and time bounds of the batch tool on inputs of at most 1 MB: every file of
# tests/hostile, the samples, and a call listing of about 1 MB, through every batch command.
# Prints seconds and peak memory per run and fails when a run takes more than 512 MB or 10 s,
# or ends with a status other than 0 or 1.
#   bench/limits-bench.sh
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEL_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-limits-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
max_kb=$((512 * 1024))
max_s=10

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target tarvel-report tarvel-make-samples >/dev/null
tool=$build/cli/tarvel-report

# A listing just under 1 MB.
"$build/tools/make-samples/tarvel-make-samples" --listing 9000 "$work/listing.srp" >/dev/null
while [ "$(wc -c <"$work/listing.srp")" -gt 1048576 ]; do
    head -c 1000000 "$work/listing.srp" >"$work/cut.srp" && mv "$work/cut.srp" "$work/listing.srp"
done

failed=0
printf '%-44s %-10s %6s %8s %s\n' input command seconds MB status
run() { # HOME INPUT COMMAND [OUTPUT]
    home=$1 input=$2 command=$3 output=${4:-}
    rm -rf "$work/out"*
    set +e
    if [ -n "$output" ]; then
        TARVEL_HOME=$home timeout -s KILL $((max_s * 3)) /usr/bin/time -f '%e %M' -o "$work/time" \
            "$tool" "$command" "$input" "$output" >/dev/null 2>"$work/err"
    else
        TARVEL_HOME=$home timeout -s KILL $((max_s * 3)) /usr/bin/time -f '%e %M' -o "$work/time" \
            "$tool" "$command" "$input" >/dev/null 2>"$work/err"
    fi
    status=$?
    set -e
    seconds=$(tail -n 1 "$work/time" | cut -d' ' -f1)
    kb=$(tail -n 1 "$work/time" | cut -d' ' -f2)
    verdict=ok
    if [ "$status" -gt 1 ] || [ "${kb:-0}" -gt $max_kb ] || [ "$(awk "BEGIN { print (${seconds:-99} > $max_s) }")" = 1 ]; then
        verdict=OVER
        failed=1
    fi
    printf '%-44s %-10s %6s %8s %s %s\n' "$(basename "$input")$( [ "$home" = "$root/examples/home" ] || echo " [$(basename "$home")]")" \
        "$command" "$seconds" "$((${kb:-0} / 1024))" "$status" "$verdict"
}

sample_home=$root/examples/home
inputs="$work/listing.srp $(ls "$root"/tests/hostile/*.srp "$root"/tests/hostile/*.qrp "$root"/examples/*.srp)"
for input in $inputs; do
    run "$sample_home" "$input" info
    run "$sample_home" "$input" export "$work/out.csv"
    run "$sample_home" "$input" export "$work/out.txt"
    run "$sample_home" "$input" copy "$work/out.srp"
    run "$sample_home" "$input" pdf "$work/out.pdf"
    run "$sample_home" "$input" png "$work/out"
    run "$sample_home" "$input" pages "$work/out.qrp"
    run "$sample_home" "$input" graph-data
    run "$sample_home" "$input" graph-png "$work/out.png"
done
for home in "$root"/tests/hostile/*-home; do
    run "$home" "$root/examples/calls-by-department.srp" info
    run "$home" "$root/examples/calls-by-department.srp" pdf "$work/out.pdf"
    run "$home" "$root/examples/graph-calls.srp" graph-png "$work/out.png"
done
[ $failed = 0 ] && echo "every run within ${max_s} s and 512 MB" || echo "SOME RUNS WENT OVER"
exit $failed
