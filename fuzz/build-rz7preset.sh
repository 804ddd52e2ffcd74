#!/usr/bin/env bash
# Builds the preset-file fuzz target (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer, against QtCore only) and runs it.
#   fuzz/build-rz7preset.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
out=fuzz/out
corpus=fuzz/corpus-rz7preset
mkdir -p "$out" "$corpus"

clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I. -Ilink -Icommon -Ipresets $(pkg-config --cflags Qt5Core) \
    fuzz/fuzz_rz7preset.cpp devices/pad/rz7presetfile.cpp common/devicelist.cpp \
    $(pkg-config --libs Qt5Core) -lz -o "$out/fuzz_rz7preset"

# Seed the corpus with files from the writer on the first run.
if [ -z "$(ls -A "$corpus")" ]; then
    RZ7_WRITE_SEEDS="$corpus" "$out/fuzz_rz7preset"
fi

# Element names and markup of the files.
dict="$out/rz7preset.dict"
{
    for w in Preset ConfigData KnobData PadData PadRGB KeyData KeyLongData KnobModeRGB PadModeRGB SysexPool CRC \
             Data Group0 Group1 Group2 Knob0 Pad0 Key0 Data0 Data4 Color0 Color2; do
        printf '"<%s>"\n"</%s>"\n' "$w" "$w"
    done
    printf '"<?xml version=\\"1.0\\" encoding=\\"UTF-8\\"?>"\n"RZ-7 Pad"\n"\\x78\\xDA"\n"    "\n'
} >"$dict"

"$out/fuzz_rz7preset" -max_total_time="$seconds" -max_len=32768 -print_final_stats=1 \
    -dict="$dict" -artifact_prefix="$out/rz7preset-" "$corpus"
