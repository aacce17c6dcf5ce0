#!/bin/sh
# cmake --install puts every file a desktop needs in place, and the desktop
# entry and the AppStream file pass their validators.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/nutrivo share/applications/nutrivo.desktop share/metainfo/nutrivo.metainfo.xml \
    share/man/man1/nutrivo.1 share/icons/hicolor/scalable/apps/nutrivo.svg \
    share/icons/hicolor/16x16/apps/nutrivo.png share/icons/hicolor/32x32/apps/nutrivo.png \
    share/icons/hicolor/48x48/apps/nutrivo.png share/icons/hicolor/128x128/apps/nutrivo.png; do
    [ -s "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/nutrivo.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/nutrivo.metainfo.xml"
version=$(sed -n 's/^project(Nutrivo VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
grep -q "release version=\"$version\"" "$prefix/share/metainfo/nutrivo.metainfo.xml"
grep -q "Nutrivo $version" "$prefix/share/man/man1/nutrivo.1"
echo "install tree complete for version $version"
