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
# reader <model>preset (fuzz/fuzz_preset.cpp with fuzz/preset_<model>.cpp).
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

# The words of a preset target's files, for the dictionary.
dictionary() {
    local words="" header="" xml=1 extra=()
    case "$1" in
        rz7preset)
            words="Preset ConfigData KnobData PadData PadRGB KeyData KeyLongData KnobModeRGB PadModeRGB SysexPool CRC
                   Data Group0 Group1 Group2 Knob0 Pad0 Key0 Data0 Data4 Color0 Color2"
            header="RZ-7 Pad" ;;
        rznanopreset)
            words="Preset ConfigData PadData PadRGB KeyData KeyLongData KnobModeRGB PadModeRGB SysexPool CRC
                   Data Group0 Group1 Group2 Pad0 Pad15 Key0 Key2 Data0 Data3 Color0 Color2"
            header="RZ-Nano" ;;
        vx18preset)
            words="Preset ConfigData ModCh ModCC ModMin ModMax PitchBendCh PedalType PedalCh PedalCC PedalMin PedalMax
                   KnobData PadData PadRGB KeyData KeyLongData SysexPool KBCh KBXPose KBOctave KBVelMin KBVelMax
                   KBMCP CRC Data Group0 Group3 Knob0 Pad0 Key0 Key24 Data0 Data4 Color0 Color2"
            header="VX-18" ;;
        z3preset)
            # A raw image body; the two image lengths a pedal file declares.
            header="DOVO Dazed" xml=0
            extra=('"\x00\x00\x13\x42"' '"\x00\x00\x04\xA0"') ;;
        z3imagepreset)
            header="DOVO Dazed" xml=0
            extra=('"\x00\x00\x13\x42"') ;;
    esac
    for w in $words; do
        printf '"<%s>"\n"</%s>"\n' "$w" "$w"
    done
    [ "$xml" -eq 0 ] || printf '"<?xml version=\\"1.0\\" encoding=\\"UTF-8\\"?>"\n"    "\n'
    printf '"%s"\n"\\x78\\xDA"\n' "$header"
    [ ${#extra[@]} -eq 0 ] || printf '%s\n' "${extra[@]}"
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
        dictionary "$target" >"$out/$target.dict"
        options+=(-max_len=32768 -dict="$out/$target.dict")
    fi
    "$build/fuzz/fuzz_$target" "${options[@]}" "${dirs[@]}"
done
