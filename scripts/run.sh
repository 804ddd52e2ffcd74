#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it.
#   scripts/run.sh                  the editor, for controllers plugged in
#   scripts/run.sh --simulate pad   the editor beside a simulated controller
#                                   (pad, smallpad, keyboard, pedal, pedal-old)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

need_model() {
    [ -n "$1" ] || { echo "--simulate needs a model: pad, smallpad, keyboard, pedal, pedal-old" >&2; exit 2; }
}
simulate=""
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --simulate) need_model "${2:-}"; simulate="$2"; shift 2 ;;
        --simulate=*) simulate="${1#--simulate=}"; need_model "$simulate"; shift ;;
        *) args+=("$1"); shift ;;
    esac
done

sim=()
case "$simulate" in
    "") ;;
    pad)       sim=(--name "RZ-7 Pad" --model 7 --folder rz7 --firmware 3) ;;
    smallpad)  sim=(--name "RZ-Nano" --model 8 --folder rznano --firmware 3) ;;
    keyboard)  sim=(--name "VX-18" --model 9 --folder vx18 --firmware 3) ;;
    pedal)     sim=(--name "DOVO Dazed" --model 1 --folder Z3 --firmware 5) ;;
    pedal-old) sim=(--name "DOVO Dazed" --model 1 --folder Z3 --firmware 4) ;;
    *) echo "unknown model to simulate: $simulate" >&2; exit 2 ;;
esac

scripts/install-deps.sh

# Only what is started is built: the editor, and the simulated controller
# when one is asked for (it lives with the test fixtures, hence the tests are
# configured, but not built; scripts/test.sh builds everything).
# A folder configured before (by hand, say with a setting of its own) keeps
# its generator; a new one is made with Ninja.
build="${BUILD_DIR:-$root/build}"
generator=(-G Ninja)
[ ! -f "$build/CMakeCache.txt" ] || generator=()
targets=(TaSuite)
[ -z "$simulate" ] || targets+=(tavro-sim)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_BUILD_TESTS=ON
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

if [ -z "$simulate" ]; then
    exec "$build/app/TaSuite" "${args[@]}"
fi

# The simulated controller lives on a private JACK server of its own, and the
# editor finds it there; both stop when the editor ends.
. scripts/jack-env.sh
start_private_jack
export TAVRO_MIDI_API=jack
"$build/tests/sim/tavro-sim" "${sim[@]}" </dev/null >"$build/tavro-sim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; stop_private_jack' EXIT
for _ in $(seq 100); do
    grep -q '^ready' "$build/tavro-sim.log" 2>/dev/null && break
    sleep 0.05
done
"$build/app/TaSuite" "${args[@]}"
