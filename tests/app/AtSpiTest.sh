#!/usr/bin/env bash
# Reads the program with a real screen reader's client: AT-SPI on a D-Bus session of its own,
# the program on an X server of its own (AT-SPI generates the test's mouse click there, so the
# session must know the display). AtSpiTest.py says what it checks.
#   AtSpiTest.sh <program> <language dir>
set -euo pipefail
program=$1 languages=$2
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    # Gone before the next server may take its display number, whose socket it removes.
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A folder of its own, so that no settings file of the build tree is read or written.
mkdir -p "$work/program/Language"
cp "$program" "$work/program/orvanta"
cp "$(dirname "$program")/liborvanta-windows.so" "$work/program/"
cp "$languages/English.lng.ini" "$work/program/Language/"

# The X server picks a free display and writes its number once it takes clients. It must not
# reset when its last client leaves (AT-SPI's bus launcher is a short one): a program
# connecting meanwhile would be refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "FAIL: the X server did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display")
dbus-run-session -- /usr/bin/python3 "$here/AtSpiTest.py" "$work/program"
