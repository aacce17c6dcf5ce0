#!/bin/sh
# cmake --install puts every file a desktop and Debian need in place, the
# desktop entry and the AppStream file pass their validators, and every text
# that names the version names the one of CMakeLists.txt.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/nutrivo share/applications/nutrivo.desktop share/metainfo/app.nutrivo.Nutrivo.metainfo.xml \
    share/man/man1/nutrivo.1.gz share/doc/nutrivo/copyright share/doc/nutrivo/changelog.gz \
    share/icons/hicolor/scalable/apps/nutrivo.svg \
    share/icons/hicolor/16x16/apps/nutrivo.png share/icons/hicolor/32x32/apps/nutrivo.png \
    share/icons/hicolor/48x48/apps/nutrivo.png share/icons/hicolor/128x128/apps/nutrivo.png; do
    [ -s "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/nutrivo.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/app.nutrivo.Nutrivo.metainfo.xml"
version=$(sed -n 's/^project(Nutrivo VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
grep -q "release version=\"$version\"" "$prefix/share/metainfo/app.nutrivo.Nutrivo.metainfo.xml"
zcat "$prefix/share/man/man1/nutrivo.1.gz" | grep -q "Nutrivo $version"
zcat "$prefix/share/doc/nutrivo/changelog.gz" | head -n 1 | grep -q "^nutrivo ($version) "
echo "install tree complete for version $version"
