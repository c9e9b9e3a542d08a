#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on a bundled sample report with the
# sample installation folder examples/home. Give another report as the first argument.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"

export TARVEL_HOME="$root/examples/home"
report="${1:-$root/examples/calls-by-extension.srp}"
viewer="${TARVEL_BUILD_DIR:-$root/build}/app/tarvel-viewer"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the viewer runs on a virtual screen (xvfb-run). Close it with Ctrl+C."
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$viewer" "$report"
fi
exec "$viewer" "$report"
