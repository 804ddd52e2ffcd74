#!/usr/bin/env bash
# Opens the pad controller page for a simulated controller on a private JACK
# server under Xvfb and saves a screenshot of it (default docs/pad-page.png).
# Usage: scripts/screenshot-pad.sh [out.png] [global|pad|knob]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="${1:-$root/docs/pad-page.png}"
tab="${2:-pad}"
build="${BUILD_DIR:-$root/build}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target padpage-shot --parallel "${JOBS:-4}"

. scripts/jack-env.sh
start_private_jack

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
    stop_private_jack
}
trap cleanup EXIT

# Settings, runtime folder and single-instance name of our own.
mkdir -p "$work/config" "$work/data" "$work/runtime" "$work/tmp"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"

display=":$((200 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

mkdir -p "$(dirname "$out")"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/tests/padpage/padpage-shot" "$out" "$tab"
