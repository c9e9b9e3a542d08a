# Shared set-up of the benchmarks that run the preview in tst_app (sourced, not run): builds
# tst_app and the sample generator (into build-bench/ unless TARVEL_BUILD_DIR names a build),
# runs Qt off screen, and points TARVEL_HOME at a copy of the sample installation in $work,
# removed on exit: the preview remembers its zoom and panels in TRVL.PAR.
# Sets root, build, rows (the first argument, default 1000000) and work.
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARVEL_BUILD_DIR:-$root/build-bench}"
rows="${1:-1000000}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tst_app tarvel-make-samples -j "$(nproc)" >/dev/null
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/tarvel-bench-runtime}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root"/examples/home/* "$work/"
export TARVEL_HOME="$work"
