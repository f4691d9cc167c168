#!/usr/bin/env bash
# Sets everything up, builds the release preset and starts Orvanta.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Orvanta needs a graphical desktop, and none is available (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "To see it anyway: sudo apt-get install xvfb && xvfb-run -s '-screen 0 1280x1024x24' build/release/app/orvanta" >&2
    exit 1
fi
exec build/release/app/orvanta "$@"
