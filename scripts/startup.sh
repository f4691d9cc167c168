#!/usr/bin/env bash
# Measures start-up under Xvfb: time from launch until the main window is mapped and painted,
# and peak resident memory. Prints each run and the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/setup.sh xvfb xauth
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta_startup_probe
probe=$PWD/build/release/bench/orvanta_startup_probe
args=()
# STARTUP_FOLDER=dir: start as the program from that folder, with its orvanta.ini and Language/.
if [ -n "${STARTUP_FOLDER:-}" ]; then
    cp "$probe" "$STARTUP_FOLDER/orvanta"
    probe=$STARTUP_FOLDER/orvanta
    args=(--beside)
fi
results=$(mktemp)
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
    for ((i = 0; i < $1; i++)); do
        ORVANTA_LAUNCH_NS=$(date +%s%N) "$2" "${@:3}" 2>/dev/null
    done' _ "$runs" "$probe" "${args[@]}" | tee "$results"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median startup_ms $(awk '{ print $2 }' "$results" | median)," \
     "median peak_rss_mib $(awk '{ print $4 }' "$results" | median) over $runs runs"
rm -f "$results"
