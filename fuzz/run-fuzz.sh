#!/usr/bin/env bash
# Builds a fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for a given time.
#   fuzz/run-fuzz.sh [target] [seconds]    target: splitter (default), or
#   <model>preset for a model's preset-file reader (rz7preset, z3preset, vx18preset: fuzz/build-preset.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:-splitter}"
seconds="${2:-60}"
out=fuzz/out
mkdir -p "$out" "fuzz/corpus-$target"

case "$target" in
    splitter)
        sources=(fuzz/fuzz_splitter.cpp link/deviceframe.cpp link/sysexpacking.cpp link/streamsplitter.cpp)
        includes=(-Ilink)
        ;;
    *preset)
        exec fuzz/build-preset.sh "${target%preset}" "$seconds"
        ;;
    *)
        if [ -x "fuzz/build-$target.sh" ]; then
            exec "fuzz/build-$target.sh" "$seconds"
        fi
        echo "unknown fuzz target: $target" >&2
        exit 2
        ;;
esac

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "${includes[@]}" "${sources[@]}" -o "$out/fuzz_$target"

# Seed the corpus with a few real messages on the first run.
if [ -z "$(ls -A "fuzz/corpus-$target")" ]; then
    printf '\xF0\x78\x32\x45\x00\x00\x00\x40\x7F\xF7' >"fuzz/corpus-$target/device-info"
    printf '\xF8\x90\x3C\x64\xF0\x41\x10\xF7\xC0\x05' >"fuzz/corpus-$target/mixed"
fi

"$out/fuzz_$target" -max_total_time="$seconds" -max_len=12000 -print_final_stats=1 \
    -artifact_prefix="$out/" "fuzz/corpus-$target"
