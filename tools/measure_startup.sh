#!/bin/sh
# Start-up times on a virtual display: from the process start to the splash
# window's first paint and to the main window's, beside a bare Qt Widgets
# program's one empty window. Median of RUNS starts (default 9).
# Usage, after a build: xvfb-run -a sh tools/measure_startup.sh [build]
set -eu
build=${1:-build}
runs=${RUNS:-9}
probe=$build/tools/startup_probe

median()
{
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

measure()
{
    # $1: the window to time, $2...: the probe's arguments
    window=$1
    shift
    for run in $(seq "$runs"); do
        start=$(date +%s%N)
        "$probe" "$@" 2>/dev/null | awk -v w="$window" -v s="$start" '$1 == w { print int(($2 - s) / 1000000) }'
    done | median
}

bare=$(measure bare bare)
splash=$(measure frmSplash)
main=$(measure Form1)
echo "bare window painted: $bare ms"
echo "splash painted:      $splash ms"
echo "main window painted: $main ms"
