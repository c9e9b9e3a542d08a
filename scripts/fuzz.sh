#!/usr/bin/env bash
# Builds the fuzz program with clang (build-fuzz/, or TARVEL_FUZZ_BUILD_DIR) and runs every
# target for SECONDS (default 60) on its seeds in tests/fuzz/corpus/TARGET.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# New inputs found go to build-fuzz/corpus/TARGET, never into the repository. A crash, a
# timeout or memory beyond the limit leaves its input in build-fuzz/findings/TARGET; copy it to
# tests/fuzz/regressions/TARGET/ once fixed, so the normal suite runs it from then on.
# At the end a line per target gives its executions and findings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(report csv text graph traffic settings pagefile logo)
fi

"$root/scripts/deps.sh"
"$root/scripts/fuzz-deps.sh"

build="${TARVEL_FUZZ_BUILD_DIR:-$root/build-fuzz}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTARVEL_FUZZ=ON "${launcher[@]}"
fi
cmake --build "$build" -j "$(nproc)" --target tarvel-fuzz

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/tarvel-fuzz-runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

summary=()
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$build/fuzz-$target.log"
  echo "== $target ($seconds s)"
  # Memory: 2 GB of RSS at most; a single input: 10 s at most; inputs up to 64 KB.
  if TARVEL_FUZZ_TARGET="$target" "$build/tests/fuzz/tarvel-fuzz" "$corpus" "$root/tests/fuzz/corpus/$target" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout=10 -max_len=65536 \
      -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $log and $findings)"
    status=1
  fi
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
  summary+=("$(printf '%-9s %10s executions  %s' "$target" "${runs:-?}" "$result")")
  tail -n 3 "$log"
done
echo
printf '%s\n' "${summary[@]}"
exit $status
