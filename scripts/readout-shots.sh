#!/usr/bin/env bash
# Photographs the chart read-out under Xvfb: each chart for the man alone and for both persons.
#   scripts/readout-shots.sh [folder]   (default: build/readout-shots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/readout-shots}")
scripts/setup.sh xvfb xauth
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta_readout_shots
xvfb-run -a -s '-screen 0 1024x768x24' build/release/bench/orvanta_readout_shots "$out"
