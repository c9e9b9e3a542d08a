#!/bin/sh
# Memory and time of the batch tool on reports holding one line of 200 MB: a file without any
# line end, a data row with one huge field, and a report header line of that length. Every
# command runs under an address-space limit of 1 GB; a run that needs more fails, and so does
# any status other than 0 or 1. Prints seconds and peak memory per run.
#   bench/long-line-bench.sh [MEGABYTES]
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEL_BUILD_DIR:-$root/build}
megabytes=${1:-200}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-long-line-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
limit=$((1024 * 1024 * 1024))

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target tarvel-report >/dev/null
tool=$build/cli/tarvel-report

# The first line is the scrambled header "TRVL,NNNNN,ADMIN,,1"; the records are plain.
python3 - "$work" "$megabytes" <<'PY'
import sys
work, size = sys.argv[1], int(sys.argv[2]) * 1024 * 1024
header = bytes(c ^ 0xF5 if 32 <= c <= 223 else c for c in b"TRVL,NNNNN,ADMIN,,1") + b"\r\n"
layout = b"".join(l + b"\r\n" for l in [b"905,1", b"101,2", b"102,C3,C3", b"103,L,L", b"200,A,B", b"100,a,b"])
with open(f"{work}/no-line-end.srp", "wb") as f:
    f.write(b"x" * size)
with open(f"{work}/huge-field.srp", "wb") as f:
    f.write(header + layout + b"100," + b"y" * size + b",z\r\n100,c,d\r\n999\r\n")
with open(f"{work}/huge-header-line.srp", "wb") as f:
    f.write(header + b"905,1\r\n400,1,L,0,0," + b"W" * size + b"\r\n" + layout[7:] + b"999\r\n")
PY

failed=0
printf '%-22s %-14s %6s %6s %s\n' input command seconds MB status
for input in no-line-end huge-field huge-header-line; do
    for command in info export:out.csv export:out.txt export:out.xlsx copy:out.srp pdf:out.pdf pages:out.qrp png:out graph-data; do
        name=${command%%:*}
        output=
        [ "$name" = "$command" ] || output=$work/${command#*:}
        rm -rf "$work/out"*
        set +e
        TARVEL_HOME=$root/examples/home /usr/bin/time -f '%e %M' -o "$work/time" prlimit --as=$limit \
            timeout -s KILL 120 "$tool" "$name" "$work/$input.srp" $output >/dev/null 2>"$work/err"
        status=$?
        set -e
        seconds=$(tail -n 1 "$work/time" | cut -d' ' -f1)
        kb=$(tail -n 1 "$work/time" | cut -d' ' -f2)
        verdict=ok
        if [ "$status" -gt 1 ]; then
            verdict=FAILED
            failed=1
        fi
        printf '%-22s %-14s %6s %6s %s %s\n' "$input" "$command" "$seconds" "$((${kb:-0} / 1024))" "$status" "$verdict"
    done
done
[ $failed = 0 ] && echo "every run within 1 GB" || echo "SOME RUNS FAILED"
exit $failed
