#!/usr/bin/env bash
# Runs a test program on an X11 desktop of its own, as a user sees the program under a window
# manager: Xvfb (1280×1024) with openbox, both installed by scripts/setup.sh. Never skipped: a
# missing server or window manager fails the test. The program runs twice, the second time at
# twice the scale (QT_SCALE_FACTOR=2), where the main window is larger than the screen.
#   OpenboxTest.sh <test program>
set -euo pipefail
program=$1

for tool in Xvfb openbox xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed (scripts/setup.sh installs it)" >&2
        exit 1
    fi
done
work=$(mktemp -d)
xvfb_pid=
openbox_pid=
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number of its own: ctest runs tests side by side, and so may other programs.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "FAIL: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display")
# A home of its own: no user's openbox configuration, no Qt settings of the file dialog.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!

# The program waits for the window manager itself; the system locale names no language.
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=
status=0
"$program" || status=$?
QT_SCALE_FACTOR=2 "$program" --gtest_filter='*TheMainWindowOpensWithItsTitleBarOnTheScreen' ||
    status=$?
if [ "$status" -ne 0 ]; then
    echo "--- openbox said:" >&2
    cat "$work/openbox.log" >&2
fi
exit "$status"
