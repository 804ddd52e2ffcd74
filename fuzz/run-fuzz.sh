#!/usr/bin/env bash
# Builds the fuzz targets (CMake with TAVRO_BUILD_FUZZ, clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, against the libraries the
# editor is built from) and runs them.
#   fuzz/run-fuzz.sh [target] [seconds]    one target, for 60 s by default
#   fuzz/run-fuzz.sh --quick [seconds]     every target in turn, over its seeds
#                                          and then for a few seconds (5 by
#                                          default): the test command's run
# The targets are those of fuzz/targets, which fuzz/CMakeLists.txt builds:
# splitter (the stream splitter and the SysEx unpacker), and a preset-file
# reader <model>preset (fuzz/fuzz_preset.cpp with fuzz/preset_<model>.cpp),
# which needs no more than its line there and its adapter: the target writes
# its own seeds and dictionary.
# A target's corpus is fuzz/corpus-<target>, seeded on the first run (from the
# model's writer for a preset target); the inputs of past findings in
# fuzz/regressions/<target>/ are run first every time. What it finds goes to
# fuzz/out/<target>-*; an input that runs longer than the timeout below is a
# finding too (a reader that hangs). The build is FUZZ_BUILD_DIR (default
# build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
while read -r name; do
    case "$name" in '' | '#'*) continue ;; esac
    targets+=("$name")
done <fuzz/targets
# Seconds an input may take. The slowest file known (a body unpacking to the
# 1 MiB limit, all XML elements) takes about 0.6 s under the sanitizers, the
# slowest of a grown corpus some tens of ms; a reader that hangs fails the run
# after this long instead of after libFuzzer's default of 20 minutes.
timeout=10

quick=0
if [ "${1:-}" = "--quick" ]; then
    quick=1
    shift
    seconds="${1:-5}"
    chosen=("${targets[@]}")
else
    target="${1:-splitter}"
    seconds="${2:-60}"
    [[ " ${targets[*]} " == *" $target "* ]] || {
        echo "unknown fuzz target: $target (known: ${targets[*]})" >&2
        exit 2
    }
    chosen=("$target")
fi

build="${FUZZ_BUILD_DIR:-build-fuzz}"
out=fuzz/out
mkdir -p "$out"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRO_BUILD_FUZZ=ON \
    -DTAVRO_BUILD_TESTS=OFF -DTAVRO_BUILD_BENCH=OFF -DTAVRO_SANITIZE=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${chosen[@]/#/fuzz_}"

# The first inputs of a target: a few real messages for the splitter, the
# writer's files for a preset target.
seed() {
    local target=$1 dir=$2
    if [ "$target" = splitter ]; then
        printf '\xF0\x78\x32\x45\x00\x00\x00\x40\x7F\xF7' >"$dir/device-info"
        printf '\xF8\x90\x3C\x64\xF0\x41\x10\xF7\xC0\x05' >"$dir/mixed"
    else
        PRESET_WRITE_SEEDS="$dir" "$build/fuzz/fuzz_$target"
    fi
}

scratch=""
trap '[ -z "$scratch" ] || rm -rf "$scratch"' EXIT
[ "$quick" -eq 0 ] || scratch=$(mktemp -d)

for target in "${chosen[@]}"; do
    echo "== fuzz_$target, $seconds s"
    # The brief run starts from the seeds alone, so that it takes the same
    # time on every machine; a long run grows the target's own corpus.
    if [ "$quick" -eq 1 ]; then
        corpus="$scratch/$target"
    else
        corpus="fuzz/corpus-$target"
    fi
    mkdir -p "$corpus"
    [ -n "$(ls -A "$corpus")" ] || seed "$target" "$corpus"
    dirs=("$corpus")
    [ ! -d "fuzz/regressions/$target" ] || dirs+=("fuzz/regressions/$target")

    options=(-max_total_time="$seconds" -timeout="$timeout" -print_final_stats=1 -artifact_prefix="$out/$target-")
    if [ "$target" = splitter ]; then
        options+=(-max_len=12000)
    else
        # A preset target's dictionary comes from its adapter, which takes
        # it from the model's writer (fuzz/fuzz_preset.cpp); a target that
        # gives none runs without one.
        rm -f "$out/$target.dict"
        PRESET_WRITE_DICT="$out/$target.dict" "$build/fuzz/fuzz_$target"
        options+=(-max_len=32768)
        [ ! -s "$out/$target.dict" ] || options+=(-dict="$out/$target.dict")
    fi
    "$build/fuzz/fuzz_$target" "${options[@]}" "${dirs[@]}"
done
