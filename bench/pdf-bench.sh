#!/bin/sh
# PDF speed and memory: `tarvel-report pdf` on a call listing (100,000 rows by default) beside
# LibreOffice turning the CSV export of the same rows into a PDF, in the same run. Prints
# seconds, peak memory, pages and the speed ratio. LibreOffice is installed here (and only
# here) when it is missing; with --no-libreoffice only the project's PDF is timed.
#   bench/pdf-bench.sh [ROWS] [--no-libreoffice]
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
rows=100000
office=yes
for arg in "$@"; do
    case $arg in
        --no-libreoffice) office=no ;;
        *) rows=$arg ;;
    esac
done
build=${TARVEL_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-pdf-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target tarvel-report >/dev/null
tool=$build/cli/tarvel-report
export TARVEL_HOME=${TARVEL_HOME:-$root/examples/home}

report=$work/big.srp
TARVEL_BUILD_DIR=$build "$root/bench/make-big-report.sh" "$report" "$rows" >/dev/null
echo "report: $rows rows, $(wc -c <"$report") bytes"

# One run under /usr/bin/time -v: sets secs and kb (peak resident memory).
measure() {
    /usr/bin/time -v -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; exit 1; }
    secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {
        n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$work/time.txt")
    kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
}

measure "$tool" pdf "$report" "$work/tarvel.pdf"
pdf_s=$secs; pdf_kb=$kb
pages=$(pdfinfo "$work/tarvel.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
printf '%-12s %8s s %9s KB peak  %s pages, %s bytes\n' tarvel-pdf "$pdf_s" "$pdf_kb" "${pages:-?}" \
    "$(wc -c <"$work/tarvel.pdf")"

# Memory must not grow with the report: the same on a tenth of the rows.
TARVEL_BUILD_DIR=$build "$root/bench/make-big-report.sh" "$work/tenth.srp" $((rows / 10)) >/dev/null
measure "$tool" pdf "$work/tenth.srp" "$work/tenth.pdf"
echo "pdf peak on a tenth of the rows: $kb KB (all rows: $pdf_kb KB)"

[ "$office" = yes ] || exit 0
if ! command -v soffice >/dev/null; then
    echo "installing LibreOffice for the comparison"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
        libreoffice-calc-nogui >/dev/null
fi
"$tool" export "$report" "$work/rows.csv" >/dev/null
# A profile of its own, so that a first start's setup is not in the time.
profile="-env:UserInstallation=file://$work/office-profile"
soffice --headless "$profile" --convert-to pdf --outdir "$work/warm" "$work/tenth.pdf" >/dev/null 2>&1 || true
measure soffice --headless "$profile" --infilter=CSV:44,34,76 --convert-to pdf --outdir "$work/office" "$work/rows.csv"
office_s=$secs; office_kb=$kb
office_pages=$(pdfinfo "$work/office/rows.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
printf '%-12s %8s s %9s KB peak  %s pages\n' libreoffice "$office_s" "$office_kb" "${office_pages:-?}"
awk -v p="$pdf_s" -v o="$office_s" 'BEGIN { printf "tarvel pdf is %.1f times as fast as LibreOffice (target: at most 4 s)\n", o / p }'
