#!/bin/sh
# Installs what is missing, builds Nutrivo and starts it. Without a display it
# runs on a virtual one, saves a screenshot and ends.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh

install_missing $BUILD_PACKAGES $FONT_PACKAGES $DISPLAY_PACKAGES
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF

program=build/src/ui/nutrivo
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    as_user $program
    exit 0
fi

screenshot=nutrivo-screenshot.png
as_user xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
    "$program & pid=\$!; sleep 5; import -window root '$screenshot'; kill \$pid"
echo "No display found: Nutrivo ran on a virtual display; what it showed is in $screenshot"
