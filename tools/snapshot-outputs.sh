#!/bin/sh
# Runs every batch command over the samples and a few generated reports and keeps what each
# wrote, so that a change meant to keep behaviour can be checked byte for byte:
#   tools/snapshot-outputs.sh before/    ... change the code, rebuild ...
#   tools/snapshot-outputs.sh after/ && diff -r before/ after/
# TARVEL_BUILD_DIR selects the build directory (default: build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: tools/snapshot-outputs.sh OUTDIR}
build=${TARVEL_BUILD_DIR:-$root/build}
tool=$build/cli/tarvel-report
make_samples=$build/tools/make-samples/tarvel-make-samples

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -r "$root/examples/home" "$work/home"
export TARVEL_HOME="$work/home"

reports="$work/reports"
mkdir -p "$reports"
cp "$root"/examples/*.srp "$reports/"
"$make_samples" --listing 3000 "$reports/listing-3000.srp" >/dev/null
"$make_samples" --listing 1 "$reports/listing-1.srp" >/dev/null

# Page headers print the time of the run: each command starts at the same moment (faketime,
# from Debian's package of that name).
at_fixed_time() {
    if command -v faketime >/dev/null; then
        faketime -f '@2026-01-01 12:00:00' "$@"
    else
        "$@"
    fi
}
command -v faketime >/dev/null || echo "faketime is missing: page-header times will differ between runs" >&2

# Each command's standard output, standard error and exit status, and the files it wrote.
run() {
    name=$1
    shift
    status=0
    at_fixed_time "$tool" "$@" >"$out/$name.out" 2>"$out/$name.err" || status=$?
    echo "$status" >"$out/$name.status"
}

for report in "$reports"/*.srp; do
    base=$(basename "$report" .srp)
    run "$base.info" info "$report"
    run "$base.csv" export "$report" "$out/$base.csv"
    run "$base.txt" export "$report" "$out/$base.txt"
    run "$base.copy" copy "$report" "$out/$base.copy.srp"
    run "$base.graph-data" graph-data "$report"
    run "$base.graph-png" graph-png "$report" "$out/$base.graph.png"
    run "$base.pdf" pdf "$report" "$work/$base.pdf"
    if [ -f "$work/$base.pdf" ]; then
        pdftotext -layout "$work/$base.pdf" "$out/$base.pdf.txt"
        pdfinfo "$work/$base.pdf" | grep -v -e CreationDate -e ModDate -e Producer >"$out/$base.pdf.info"
    fi
    mkdir -p "$work/png-$base"
    run "$base.png" png "$report" "$work/png-$base" --dpi 48
    (cd "$work/png-$base" && md5sum -- *.png 2>/dev/null || true) >"$out/$base.png.md5"
done
# Messages name the temporary folder: keep them comparable between runs.
sed -i "s|$work|WORK|g" "$out"/*.out "$out"/*.err
echo "$out: $(ls "$out" | wc -l) files"
