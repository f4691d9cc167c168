#!/usr/bin/env bash
# Measures start-up under Xvfb: time from launch until the main window is mapped and painted,
# and peak resident memory. In the same run, taking turns with the program, it starts a bare
# Qt Widgets window of the same size measured the same way, the yardstick: machines differ, the
# ratio to it much less. A second yardstick, the same window with one line of text, shows what
# any window with words pays before the program's own work. Prints each run, the medians and the
# program's ratios to both.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/setup.sh xvfb xauth
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta_startup_probe orvanta_bare_window_probe
probe=$PWD/build/release/bench/orvanta_startup_probe
bare=$PWD/build/release/bench/orvanta_bare_window_probe
args=()
# STARTUP_FOLDER=dir: start as the program from that folder, with its orvanta.ini and Language/.
if [ -n "${STARTUP_FOLDER:-}" ]; then
    cp "$probe" "$STARTUP_FOLDER/orvanta"
    probe=$STARTUP_FOLDER/orvanta
    args=(--beside)
fi
results=$(mktemp)
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
    launch() { ORVANTA_LAUNCH_NS=$(date +%s%N) "$@" 2>/dev/null; }
    for ((i = 0; i < $1; i++)); do
        echo "program $(launch "$3" "${@:4}")"
        echo "bare    $(launch "$2")"
        echo "text    $(launch "$2" --text)"
    done' _ "$runs" "$bare" "$probe" "${args[@]}" | tee "$results"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column() { awk -v who="$1" -v at="$2" '$1 == who { print $at }' "$results" | median; }
program_ms=$(column program 3) program_mib=$(column program 5)
echo "program: median startup_ms $program_ms, median peak_rss_mib $program_mib over $runs runs"
for who in bare text; do
    ms=$(column $who 3) mib=$(column $who 5)
    name="the bare window"
    [ $who = text ] && name="the bare window with a line of text"
    echo "$who:    median startup_ms $ms, median peak_rss_mib $mib over $runs runs"
    awk -v name="$name" -v a="$program_ms" -v b="$ms" -v c="$program_mib" -v d="$mib" \
        'BEGIN { printf "ratio to %s: startup %.2f, peak_rss %.2f\n", name, a / b, c / d }'
done
rm -f "$results"
