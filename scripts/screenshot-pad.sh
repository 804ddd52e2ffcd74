#!/usr/bin/env bash
# Opens a controller's page for a simulated controller on a private JACK
# server under Xvfb and saves a screenshot of it.
# Usage: scripts/screenshot-pad.sh [MODEL] [out.png] [view]
#   MODEL: pad (default), smallpad, keyboard, pedal, pedal-old, pad-selftest,
#          keyboard-selftest:
#          the models whose page has a stage in tests/pageshot/
#   out.png: default docs/<MODEL>-page.png
#   view: the page's own (pad: global, pad, knob)
# TAVRO_SHOT_LANGUAGE=1 takes the picture in Chinese.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
model="pad"
case "${1:-}" in
    pad|smallpad|keyboard|pedal|pedal-old|pad-selftest|keyboard-selftest) model="$1"; shift ;;
esac
out="${1:-$root/docs/$model-page.png}"
view="${2:-}"
build="${BUILD_DIR:-$root/build}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target page-shot --parallel "${JOBS:-4}"

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
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

mkdir -p "$(dirname "$out")"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/tests/pageshot/page-shot" "$model" "$out" $view
