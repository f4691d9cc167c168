#!/usr/bin/env bash
# Long use: builds the release preset's long-use program and runs the real main window offscreen
# through many analysis refreshes (default 100000), printing resident memory as it goes.
#
#     scripts/long-use.sh [refreshes]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta_long_use
QT_QPA_PLATFORM=offscreen build/release/bench/orvanta_long_use "${1:-100000}"
