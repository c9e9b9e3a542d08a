#!/bin/sh
# Export speed and memory on a million-row call listing: CSV, text-page and Excel workbook
# export by the batch tool, side by side with iconv converting the same file (CP1255 to
# UTF-8) in the same run. Prints seconds, peak memory and the speed ratios.
#   bench/export-bench.sh [ROWS]          (default 1000000)
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
rows=${1:-1000000}
build=${TARVEL_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-export-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target tarvel-report >/dev/null
tool=$build/cli/tarvel-report

report=$work/big.srp
if ! TARVEL_BUILD_DIR=$build "$root/bench/make-big-report.sh" "$report" "$rows" >/dev/null 2>&1; then
    # No sample generator: a plain listing with a header, a few layout records and rows.
    awk -v rows="$rows" 'BEGIN {
        printf "%c%c%c%c,NNNNN,ADMIN,,1\r\n", 161, 167, 163, 185;
        printf "905,1\r\n906\r\n101,6\r\n102,D5,C14,D10,D5,D8,D8\r\n103,C,D,C,C,C,R\r\n";
        printf "200,Ext,Name,Date,Time,Duration,Cost\r\n";
        for (i = 0; i < rows; i++)
            printf "100,%d,Employee %d,%02d/11/2026,%02d:%02d,00:%02d:%02d,%d.%02d\r\n",
                   200 + i % 400, i % 400, 1 + i % 28, 8 + i % 10, i % 60, i % 30, i % 60, i % 9, i % 100;
        printf "300,Y,,,,,,12345.67\r\n999\r\n";
    }' >"$report"
fi
printf '[export]\r\nDELIMITER=44\r\nLINES_IN_PAGE=60\r\nPAGE_BREAK=2\r\n' >"$work/CLIENT.PAR"
echo "report: $rows rows, $(wc -c <"$report") bytes"

# Runs a command three times under /usr/bin/time -v; sets secs (the fastest run, so that other
# work on a shared machine disturbs the ratios less) and kb (the largest peak).
measure() {
    secs=; kb=0
    for run in 1 2 3; do
        /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null
        s=$(awk -F': ' '/Elapsed \(wall clock\)/ {
            n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$work/time.txt")
        k=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
        secs=$(awk -v a="$secs" -v b="$s" 'BEGIN { print (a == "" || b < a) ? b : a }')
        kb=$(( k > kb ? k : kb ))
    done
}

# -c: the scrambled header line holds bytes that CP1255 leaves unassigned.
measure sh -c "iconv -c -f CP1255 -t UTF-8 '$report' >'$work/iconv.out' || true"
iconv_s=$secs; iconv_kb=$kb
measure "$tool" export "$report" "$work/out.csv" --settings "$work/CLIENT.PAR"
csv_s=$secs; csv_kb=$kb
measure "$tool" export "$report" "$work/out.txt" --settings "$work/CLIENT.PAR"
txt_s=$secs; txt_kb=$kb
measure "$tool" export "$report" "$work/out.xlsx" --settings "$work/CLIENT.PAR"
xlsx_s=$secs; xlsx_kb=$kb

# Memory must not grow with the report: the same export on a tenth of the rows.
head -c $(( $(wc -c <"$report") / 10 )) "$report" | head -n -1 >"$work/tenth.srp"
measure "$tool" export "$work/tenth.srp" "$work/tenth.csv" --settings "$work/CLIENT.PAR"
tenth_kb=$kb
measure "$tool" export "$work/tenth.srp" "$work/tenth.xlsx" --settings "$work/CLIENT.PAR"
tenth_xlsx_kb=$kb

printf '%-8s %8s s %9s KB peak\n' iconv "$iconv_s" "$iconv_kb" csv "$csv_s" "$csv_kb" text "$txt_s" "$txt_kb" \
    xlsx "$xlsx_s" "$xlsx_kb"
echo "csv peak on a tenth of the rows: $tenth_kb KB (all rows: $csv_kb KB)"
echo "xlsx peak on a tenth of the rows: $tenth_xlsx_kb KB (all rows: $xlsx_kb KB)"
awk -v i="$iconv_s" -v c="$csv_s" -v t="$txt_s" 'BEGIN {
    printf "csv speed / iconv speed:  %.2f (target at least 0.50)\n", i / c;
    printf "text speed / iconv speed: %.2f (target at least 0.33)\n", i / t }'
awk -v c="$csv_s" -v x="$xlsx_s" 'BEGIN { printf "xlsx time / csv time:     %.2f (target at most 5)\n", x / c }'
