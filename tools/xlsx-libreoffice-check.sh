#!/bin/sh
# Reads the Excel workbooks of the sample reports back with LibreOffice and checks that each
# gives the values of the CSV export: LibreOffice converts the workbook to CSV (as shown, in
# UTF-8) and the cells are compared after trimming (the CSV keeps the report's padding).
# Skipped (exit 0 with a note) when LibreOffice is not installed; bench/pdf-bench.sh installs it.
#   tools/xlsx-libreoffice-check.sh
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVEL_BUILD_DIR:-$root/build}
tool=$build/cli/tarvel-report
if ! command -v soffice >/dev/null; then
    echo "LibreOffice (soffice) is not installed: check skipped"
    exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-xlsx-check.XXXXXX")
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT INT TERM
export TARVEL_HOME=${TARVEL_HOME:-$root/examples/home}
failed=0
# A generated listing too: long enough that its phone numbers go into their cells while the
# names stay shared.
listing=
if TARVEL_BUILD_DIR=$build "$root/bench/make-big-report.sh" "$work/listing.srp" 5000 >/dev/null 2>&1; then
    listing=$work/listing.srp
fi
for report in "$root"/examples/calls-by-extension.srp "$root"/examples/trunk-summary.srp $listing; do
    base=$(basename "$report" .srp)
    "$tool" export "$report" "$work/$base.xlsx" >/dev/null
    "$tool" export "$report" "$work/$base.csv" >/dev/null
    iconv -f CP1255 -t UTF-8 "$work/$base.csv" | tr -d '\r' >"$work/$base.expected.csv"
    # 44,34,76: comma, double quote, UTF-8; the last 1 writes the cells as they are shown.
    soffice --headless "-env:UserInstallation=file://$work/profile" \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false' \
        --outdir "$work/office" "$work/$base.xlsx" >/dev/null 2>&1
    tr -d '\r' <"$work/office/$base.csv" >"$work/$base.office.csv"
    # Both as trimmed cells, one line each (python's CSV reader, like a spreadsheet, takes
    # quotes at the start of a field only).
    normalise() {
        python3 -c 'import csv, sys
for row in csv.reader(open(sys.argv[1], encoding="utf-8")):
    cells = [c.strip() for c in row]
    while cells and not cells[-1]:
        cells.pop()
    print("|".join(cells))' "$1"
    }
    normalise "$work/$base.expected.csv" >"$work/a"
    normalise "$work/$base.office.csv" >"$work/b"
    if diff -u "$work/a" "$work/b" >"$work/$base.diff"; then
        echo "$base: the workbook reads back as the CSV ($(wc -l <"$work/a") lines)"
    else
        echo "$base: DIFFERS"; head -20 "$work/$base.diff"; failed=1
    fi
done
exit $failed
