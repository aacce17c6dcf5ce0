#!/bin/sh
# Builds the Debian package, installs it with apt-get as any package would be,
# starts the installed program on a virtual display and waits for the main
# window to appear; then removes the package again.
set -eu
build=$(cd "$1" && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "installing a package needs root: skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'apt-get remove -y -qq -o DPkg::Lock::Timeout=300 nutrivo >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
package=$(ls "$work"/nutrivo_*.deb)
echo "built $(basename "$package"), depends on: $(dpkg-deb -f "$package" Depends)"
dpkg-deb -f "$package" Depends | grep -q libqt6widgets6
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$package" >/dev/null
[ -x /usr/bin/nutrivo ] || { echo "the package did not install /usr/bin/nutrivo"; exit 1; }

# The main window is 613 x 477 pixels; the splash, also titled Nutrivo, is smaller.
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
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
