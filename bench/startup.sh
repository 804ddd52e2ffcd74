#!/usr/bin/env bash
# Start-up time of the editor beside a bare Qt widgets window, measured side
# by side: launch to the first window on screen and painted, seen by the
# window probe (windowprobe.cpp, preloaded). Runs under Xvfb when xvfb-run is
# there, else on the offscreen platform. Each round starts the editor clean,
# the editor after a crash (its single-instance socket left behind) and the
# bare window, in turn.
#   bench/startup.sh <build folder> [rounds, default 30]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
rounds="${2:-30}"
editor="$build/app/TaSuite"
bare="$build/bench/barewindow"
probe="$build/bench/libtavro_windowprobe.so"
for f in "$editor" "$bare" "$probe"; do
    [ -e "$f" ] || { echo "missing $f: build the benchmarks first (bench/run-bench.sh startup)" >&2; exit 1; }
done

if [ -z "${STARTUP_IN_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
    STARTUP_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
platform=xcb
[ -n "${STARTUP_IN_XVFB:-}" ] || platform=offscreen

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime" "$work/config" "$work/data" "$work/tmp"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp"
export QT_QPA_PLATFORM="$platform"
# No MIDI service to look for unless STARTUP_JACK_SERVER names a running JACK
# server: each program then starts the same way on every machine.
export JACK_DEFAULT_SERVER="${STARTUP_JACK_SERVER:-tavro_bench_none_$$}"
unset TAVRO_MIDI_API

# Milliseconds from launch to the application object, and to the first
# window painted, on one line.
measure() {
    local out
    # A build with AddressSanitizer (the test command's quick run) wants its
    # runtime first among the libraries, ahead of the preloaded probe; and
    # xcb's keyboard library hands strndup an unterminated name, which the
    # strict string checks take for an overflow.
    out=$(LD_PRELOAD="$probe" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:strict_string_checks=0" \
          TAVRO_PROBE_SHOWN_T0=$(date +%s%N) "$@" 2>/dev/null || true)
    local app shown
    app=$(echo "$out" | sed -n 's/^app //p')
    shown=$(echo "$out" | sed -n 's/^shown //p')
    [ -n "$shown" ] || { echo "no window from $1" >&2; exit 1; }
    echo "$shown $app"
}

socket="$XDG_RUNTIME_DIR/TaSuite"
: >"$work/clean"; : >"$work/crash"; : >"$work/bare"
measure "$bare" >/dev/null; measure "$editor" >/dev/null   # warm the caches
for _ in $(seq "$rounds"); do
    rm -f "$socket"
    measure "$editor" >>"$work/clean"
    # A crashed editor leaves its socket behind (a listening socket's file
    # without a listener).
    python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1])' "$socket"
    measure "$editor" >>"$work/crash"
    measure "$bare" >>"$work/bare"
done

# Median of a column.
median() { awk -v c="$2" '{print $c}' "$1" | sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
c=$(median "$work/clean" 1); k=$(median "$work/crash" 1); b=$(median "$work/bare" 1)
echo "platform $platform, $rounds rounds, medians (launch to the window painted; in brackets to the application object):"
printf '  bare Qt widgets window  %7.1f ms  (%.1f ms)\n' "$b" "$(median "$work/bare" 2)"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '  editor, clean start     %7.1f ms  (%.1f ms)  %s x bare\n' "$c" "$(median "$work/clean" 2)" "$(ratio "$c" "$b")"
printf '  editor, after a crash   %7.1f ms  (%.1f ms)  %s x bare\n' "$k" "$(median "$work/crash" 2)" "$(ratio "$k" "$b")"
