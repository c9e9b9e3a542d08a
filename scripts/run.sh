#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on a bundled sample report with the
# sample installation folder examples/home. Give another report as the first argument.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"

build="${TARVEL_BUILD_DIR:-$root/build}"
# The viewer remembers zoom and folders in TRVL.PAR: give it a copy of the sample installation
# folder, made once, so the committed samples stay as they are and the settings last between runs.
home="$build/run-home"
if [ ! -d "$home" ]; then
  cp -r "$root/examples/home" "$home"
fi
export TARVEL_HOME="$home"
report="${1:-$root/examples/calls-by-extension.srp}"
viewer="$build/app/tarvel-viewer"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the viewer runs on a virtual screen (xvfb-run). Close it with Ctrl+C."
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$viewer" "$report"
fi
exec "$viewer" "$report"
