#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers) and runs them.
#   bench/run-bench.sh               every benchmark
#   bench/run-bench.sh NAME...       the named ones; a name may be the start of
#                                    several (bench_midi), and one that names
#                                    nothing is an error
# Benchmarks: the Google Benchmark programs bench/bench_*.cpp, and startup
# (bench/startup.sh, the editor's start-up beside a bare Qt window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_SANITIZE=OFF -DTAVRO_BUILD_BENCH=ON \
      -DTAVRO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

known=()
for src in bench/bench_*.cpp; do
    known+=("$(basename "$src" .cpp)")
done
known+=(startup)

chosen=()
if [ $# -eq 0 ]; then
    chosen=("${known[@]}")
fi
for name in "$@"; do
    found=0
    for k in "${known[@]}"; do
        if [[ "$k" == "$name"* ]]; then
            chosen+=("$k")
            found=1
        fi
    done
    if [ "$found" -eq 0 ]; then
        echo "run-bench.sh: no benchmark named '$name' (known: ${known[*]})" >&2
        exit 2
    fi
done

for name in "${chosen[@]}"; do
    echo "== $name"
    case "$name" in
        startup)
            bench/startup.sh "$build" ;;
        bench_midi*)
            if [ -z "${JACK_DEFAULT_SERVER:-}" ]; then
                export JACK_PERIOD="${JACK_PERIOD:-128}"
                . scripts/jack-env.sh
                start_private_jack
            fi
            "$build/bench/$name" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true ;;
        *)
            "$build/bench/$name" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true ;;
    esac
done
