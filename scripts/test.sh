#!/usr/bin/env bash
# Installs what is missing, builds the editor, its tests and the benchmarks
# (Debug, with AddressSanitizer and UndefinedBehaviorSanitizer) and the fuzz
# targets (clang, libFuzzer), runs each fuzz target and each benchmark briefly,
# and runs every test against a private JACK server.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh

build="${BUILD_DIR:-$root/build-test}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRO_SANITIZE=ON -DTAVRO_BUILD_TESTS=ON \
      -DTAVRO_BUILD_BENCH=ON
cmake --build "$build" --parallel "$(nproc)"

# Every fuzz target (a clang build of its own, FUZZ_BUILD_DIR), over its seeds
# and the inputs of past findings, then for a few seconds: a finding fails.
fuzz/run-fuzz.sh --quick 5

. scripts/jack-env.sh
start_private_jack

# Qt and the fontconfig/JACK libraries keep allocations alive until exit that
# LeakSanitizer reports as leaks; they drown any real report, so leak detection
# is off and the address and undefined-behaviour checks stay on.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

# Every benchmark once, as briefly as it goes, in the build above: that it
# still builds and runs, not what it measures (bench/run-bench.sh measures).
BENCH_BUILD_DIR="$build" BENCH_PREBUILT=1 bench/run-bench.sh --quick

cd "$build"
ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"
