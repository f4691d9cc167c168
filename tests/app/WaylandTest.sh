#!/usr/bin/env bash
# Starts the program natively on Wayland, under a headless Weston compositor, and checks that its
# main window appears: the toplevel gets the program's title and application id, and its surface
# is shown on the compositor's output. Exits 77 (skipped) only where the compositor cannot start.
#   WaylandTest.sh <program>
set -euo pipefail
program=$1

if ! command -v weston >/dev/null; then
    echo "weston is not installed: skipped"
    exit 77
fi
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

socket=orvanta-test
weston --backend=headless-backend.so --socket=$socket --idle-time=0 --no-config \
    >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
    echo "the headless Wayland compositor did not start: skipped"
    cat "$work/weston.log"
    exit 77
fi

# A folder of its own, so that no settings file of the build tree is read or written.
mkdir "$work/program"
cp "$program" "$work/program/orvanta"
cp "$(dirname "$program")/liborvanta-windows.so" "$work/program/"
log=$work/client.log
(
    cd "$work/program"
    env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
        ASAN_OPTIONS=detect_leaks=0 ./orvanta >"$log" 2>&1
) &
client=$!
shown=
for _ in $(seq 300); do
    if grep -q 'xdg_toplevel@[0-9]*\.set_title("Орванта ' "$log" &&
        grep -q 'xdg_toplevel@[0-9]*\.set_app_id("org.orvanta.Orvanta")' "$log" &&
        grep -q 'wl_surface@[0-9]*\.enter(wl_output' "$log"; then
        shown=yes
        break
    fi
    kill -0 "$client" 2>/dev/null || break
    sleep 0.1
done
kill "$client" 2>/dev/null || true
wait "$client" 2>/dev/null || true
if [ -z "$shown" ]; then
    echo "FAIL: the main window did not appear on the Wayland compositor" >&2
    grep -v '^\[' "$log" | head -n 20 >&2
    exit 1
fi
echo "wayland: the main window appeared natively"
