#!/bin/sh
# Builds the Debian package as it is shipped, holds it to lintian (no error, no
# warning), installs it with apt-get as any package would be, starts the
# installed program on a virtual display and waits for the main window; then
# removes the package again. A nutrivo package installed beforehand is left
# as it is: the test then skips.
set -eu
source=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "installing a package needs root: skipped"
    exit 77
fi
if dpkg-query -W -f='${Status}' nutrivo 2>/dev/null | grep -q "install ok installed"; then
    echo "a nutrivo package is installed already; it is left untouched: skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'apt-get remove -y -qq -o DPkg::Lock::Timeout=300 nutrivo >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
package=$(sh "$source/packaging/build-package.sh" "$work")
echo "built $(basename "$package"), $(stat -c %s "$package") bytes"
echo "depends on: $(dpkg-deb -f "$package" Depends)"
dpkg-deb -f "$package" Depends | grep -q libqt6widgets6
dpkg-deb -f "$package" Depends | grep -q fonts-liberation

lintian --pedantic --display-info --fail-on error,warning "$package" ||
    { echo "lintian found errors or warnings"; exit 1; }
echo "lintian: no error, no warning"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$package" >/dev/null
[ -x /usr/bin/nutrivo ] || { echo "the package did not install /usr/bin/nutrivo"; exit 1; }
/usr/bin/nutrivo --version

# The main window is 613 x 477 pixels; the splash, also titled Nutrivo, is
# smaller. The program draws on the virtual display, whatever the caller's
# QT_QPA_PLATFORM says.
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    /usr/bin/nutrivo & pid=$!
    for i in $(seq 100); do
        if xwininfo -root -tree | grep "\"Nutrivo\"" | grep -q "613x477"; then
            echo "the installed program shows its main window"
            kill $pid
            exit 0
        fi
        sleep 0.1
    done
    kill $pid
    echo "no main window appeared"
    exit 1'
