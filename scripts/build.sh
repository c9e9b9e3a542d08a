#!/usr/bin/env bash
# Configures (once) and builds the viewer, the batch tool and the tests into build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARVEL_BUILD_DIR:-$root/build}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" -j "$(nproc)"
