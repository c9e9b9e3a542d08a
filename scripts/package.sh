#!/usr/bin/env bash
# Builds the Debian package tarvel_<version>_amd64.deb with CPack: a release build in
# build-package/ (no tests), installed under /usr, its library dependencies found by
# dpkg-shlibdeps. Prints the package's path, size and dependencies.
# Install it with: apt-get install ./build-package/package/tarvel_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="${TARVEL_PACKAGE_BUILD_DIR:-$root/build-package}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DTARVEL_TESTS=OFF "$@"
cmake --build "$build" -j "$(nproc)"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB)

deb="$(ls "$build"/package/tarvel_*.deb)"
echo "package: $deb"
echo "size: $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "depends: $(dpkg-deb -f "$deb" Depends)"
echo "recommends: $(dpkg-deb -f "$deb" Recommends)"
