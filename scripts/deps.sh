#!/usr/bin/env bash
# Installs the Debian packages the viewer needs to build, run and test; skips apt-get when
# everything is there already.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev
  libgtest-dev libgmock-dev
  culmus fonts-liberation2 fonts-liberation fonts-dejavu-core
  xvfb xauth x11-apps imagemagick poppler-utils
  shared-mime-info desktop-file-utils
  zlib1g-dev xdg-utils unzip
  dpkg-dev file
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
