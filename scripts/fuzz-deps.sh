#!/usr/bin/env bash
# Installs what fuzzing needs beyond the normal build: Debian's clang and its libFuzzer and
# sanitizer runtimes. Skips apt-get when both are there.
set -euo pipefail
PACKAGES=(clang libclang-rt-14-dev)
missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
((${#missing[@]} == 0)) && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
