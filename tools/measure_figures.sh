#!/bin/sh
# Nutrivo's start-up and memory, beside a bare Qt Widgets program that shows
# one empty window, on a virtual display: the time from the process start to
# the splash window's first paint and to the main window's, and the resident
# memory after the start and after 10,000 developments. Medians of RUNS starts
# (default 9). Usage, after a build: xvfb-run -a sh tools/measure_figures.sh [build]
set -eu
build=${1:-build}
runs=${RUNS:-9}
probe=$build/tools/startup_probe
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

median()
{
    sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'
}

# Each run's lines: the window painted with its milliseconds, and memory.
for run in $(seq "$runs"); do
    for variant in bare nutrivo; do
        start=$(date +%s%N)
        "$probe" $([ "$variant" = bare ] && echo bare) 2>/dev/null |
            awk -v s="$start" '/^memory/ { print; next } { print $1, int(($2 - s) / 1000000) }' \
                >>"$out/$variant"
    done
done

figure()
{
    # $1: variant, $2: the line's first word
    awk -v k="$2" '$1 == k { print $2 }' "$out/$1" | median
}

bare_paint=$(figure bare bare)
splash=$(figure nutrivo frmSplash)
main=$(figure nutrivo Form1)
bare_memory=$(figure bare memory-started)
started=$(figure nutrivo memory-started)
developed=$(figure nutrivo memory-developed)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "| What | Nutrivo | Bare Qt window | Ratio |"
echo "|---|---|---|---|"
echo "| start to first paint (splash) | $splash ms | $bare_paint ms | $(ratio "$splash" "$bare_paint") |"
echo "| start to main window painted | $main ms | | |"
echo "| resident memory after the start | $started kB | $bare_memory kB | $(ratio "$started" "$bare_memory") |"
echo "| resident memory after 10,000 developments | $developed kB | | $(ratio "$developed" "$started") of the start |"
