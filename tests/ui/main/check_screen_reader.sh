#!/bin/sh
# Starts the program on a virtual display with its accessibility always on and
# a session bus of its own, and reads its main window as a screen reader does.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
exec env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    sleep 1
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$0" & pid=$!
    status=0
    /usr/bin/python3 "$1/read_main_window.py" || status=$?
    kill $pid $bus 2>/dev/null || true
    exit $status' "$program" "$here"
