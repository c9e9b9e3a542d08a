#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest.
#   scripts/test.sh              the normal build (build/, or TARVEL_BUILD_DIR)
#   scripts/test.sh --sanitize   a build of its own (build-sanitize/, or TARVEL_SANITIZE_BUILD_DIR)
#                                with AddressSanitizer and UndefinedBehaviorSanitizer, where any
#                                finding fails the test that caused it
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

"$root/scripts/deps.sh"

if ((sanitize)); then
  build="${TARVEL_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_SANITIZE=ON "${launcher[@]}"
  fi
  cmake --build "$build" -j "$(nproc)"
  # Every finding stops the program with a failure; leaks of Qt's own singletons at exit are
  # no findings of ours, so leak checking stays off.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
else
  build="${TARVEL_BUILD_DIR:-$root/build}"
  TARVEL_BUILD_DIR="$build" "$root/scripts/build.sh"
fi

cd "$build"
ctest --output-on-failure -j "$(nproc)"
