#!/bin/sh
# Builds the Debian package as Debian builds its own: a release build with the
# hardening flags of dpkg-buildflags (stack protector, fortify, PIE, RELRO with
# BINDNOW), stripped, without the tests. Usage: build-package.sh [FOLDER]; the
# package lands in FOLDER (default build-package).
set -eu
source=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S "$source" -B "$folder/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$folder/build" --parallel "$(nproc)" >/dev/null
(cd "$folder" && cpack -G DEB --config build/CPackConfig.cmake >/dev/null)
ls "$folder"/nutrivo_*.deb
