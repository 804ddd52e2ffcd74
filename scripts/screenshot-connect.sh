#!/usr/bin/env bash
# Starts the editor under Xvfb beside a simulated pad controller on a private
# JACK server and saves a screenshot of the connection window showing the
# controller's picture (default docs/connect-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="${1:-$root/docs/connect-window.png}"
build="${BUILD_DIR:-$root/build}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target TaSuite tavro-sim --parallel "$(nproc)"

. scripts/jack-env.sh
start_private_jack

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
    stop_private_jack
}
trap cleanup EXIT

# A settings store, runtime folder and single-instance name of our own, so
# that a running editor and its settings are left alone; English interface.
mkdir -p "$work/config" "$work/runtime" "$work/tmp"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"
mkdir -p "$work/config/Tavro"
printf '[General]\nLanguage=0\n' >"$work/config/Tavro/TavroSuite.conf"

# The simulated pad controller; it prints "ready" once its ports are up.
mkfifo "$work/sim-in"
"$build/tests/sim/tavro-sim" --name "RZ-7 Pad" --model 7 <"$work/sim-in" >"$work/sim.out" 2>&1 &
pids+=($!)
exec 3>"$work/sim-in"
for _ in $(seq 100); do grep -q ready "$work/sim.out" && break; sleep 0.1; done
grep -q ready "$work/sim.out" || { echo "the simulated controller did not start:" >&2; cat "$work/sim.out" >&2; exit 1; }

# The editor on a virtual screen.
Xvfb_display=":$((90 + RANDOM % 100))"
Xvfb "$Xvfb_display" -screen 0 800x520x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${Xvfb_display#:}" ] && break; sleep 0.1; done
export DISPLAY="$Xvfb_display"
QT_QPA_PLATFORM=xcb "$build/app/TaSuite" >"$work/editor.log" 2>&1 &
pids+=($!)

# The first port scan runs one second after the window opens; give the
# picture a moment to be laid out, then take the shot.
sleep 3
mkdir -p "$(dirname "$out")"
import -display "$DISPLAY" -window "TaSuite-V5" "$out" 2>/dev/null \
    || import -display "$DISPLAY" -window root "$out"
echo "saved $out"
