#!/bin/sh
# Starts the program on a virtual display with its accessibility always on, a
# session bus and a data folder of its own, and runs a reader script that
# reads its windows as a screen reader does. The subject the readers type,
# Rossi Mario, must never reach the program's output. Usage: PROGRAM READER.PY
set -eu
program=$1
reader=$2
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
env -u QT_QPA_PLATFORM XDG_DATA_HOME="$data" xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    sleep 1
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$0" >"$2/output" 2>&1 & pid=$!
    status=0
    /usr/bin/python3 "$1" || status=$?
    kill $pid $bus 2>/dev/null || true
    if grep -q Rossi "$2/output"; then
        echo "FAIL: the subject reached the program output:"; cat "$2/output"; status=1
    fi
    exit $status' "$program" "$reader" "$data"
