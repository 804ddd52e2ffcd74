#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers) and runs them.
#   bench/run-bench.sh               every benchmark
#   bench/run-bench.sh NAME...       the named ones; a name may be the start of
#                                    several (bench_midi), and one that names
#                                    nothing is an error
#   bench/run-bench.sh --quick ...   each once, as briefly as it goes (one
#                                    repetition, one iteration where the count
#                                    is fixed, one start-up round), failing on
#                                    a benchmark's error: the test command's run
# Benchmarks: the Google Benchmark programs bench/bench_*.cpp, and startup
# (bench/startup.sh, the editor's start-up beside a bare Qt window).
# BENCH_BUILD_DIR names the build (default build-bench). BENCH_PREBUILT=1 runs
# what that build holds without configuring or building it (the test command's
# build, which builds the benchmarks with its tests).
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
if [ "${1:-}" = "--quick" ]; then
    quick=1
    shift
fi
build="${BENCH_BUILD_DIR:-build-bench}"
if [ -z "${BENCH_PREBUILT:-}" ]; then
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_SANITIZE=OFF -DTAVRO_BUILD_BENCH=ON \
          -DTAVRO_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" --parallel "$(nproc)"
fi

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

if [ "$quick" -eq 1 ]; then
    export TAVRO_BENCH_QUICK=1
    options=(--benchmark_repetitions=1 --benchmark_min_time=0.001)
    rounds=1
else
    options=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
    rounds=30
fi

# A Google Benchmark program; a benchmark that ends in an error (no JACK
# server, a port that does not open) fails the run.
run() {
    local log
    log=$(mktemp)
    "$build/bench/$1" "${options[@]}" | tee "$log"
    if grep -q "ERROR OCCURRED" "$log"; then
        rm -f "$log"
        echo "run-bench.sh: $1 reported an error" >&2
        exit 1
    fi
    rm -f "$log"
}

for name in "${chosen[@]}"; do
    echo "== $name"
    case "$name" in
        startup)
            bench/startup.sh "$build" "$rounds" ;;
        bench_midi*)
            if [ -z "${JACK_DEFAULT_SERVER:-}" ]; then
                export JACK_PERIOD="${JACK_PERIOD:-128}"
                . scripts/jack-env.sh
                start_private_jack
            fi
            run "$name" ;;
        *)
            run "$name" ;;
    esac
done
