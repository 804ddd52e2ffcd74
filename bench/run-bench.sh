#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers) and runs them.
#   bench/run-bench.sh [benchmark name filter, e.g. bench_stream]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_SANITIZE=OFF -DTAVRO_BUILD_BENCH=ON -DTAVRO_BUILD_TESTS=OFF >/dev/null
filter="${1:-bench_}"
for exe in "$build"/bench/bench_*; do
    name=$(basename "$exe")
    [[ "$name" == *"$filter"* ]] || continue
    echo "== $name"
    if [[ "$name" == bench_midi* ]] && [ -z "${JACK_DEFAULT_SERVER:-}" ]; then
        export JACK_PERIOD="${JACK_PERIOD:-128}"
        . scripts/jack-env.sh
        start_private_jack
    fi
    "$exe" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
