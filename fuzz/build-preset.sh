#!/usr/bin/env bash
# Builds the preset-file fuzz target of one model (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer, against QtCore only) and runs it.
#   fuzz/build-preset.sh <model> [seconds]      model: rz7, rznano, z3, z3image, vx18 (each
#   model with an adapter fuzz/preset_<model>.cpp and a line below)
set -euo pipefail
cd "$(dirname "$0")/.."
model="${1:?model: rz7, rznano, z3, z3image or vx18}"
seconds="${2:-60}"
out=fuzz/out
corpus="fuzz/corpus-${model}preset"
mkdir -p "$out" "$corpus"

shared=(devices/shared/presetfile.cpp devices/shared/presetxml.cpp devices/shared/sysexpool.cpp
        common/devicelist.cpp)
# The model's reader and the words of its files.
extra=()
case "$model" in
    rz7)
        sources=(devices/pad/rz7presetfile.cpp)
        words="Preset ConfigData KnobData PadData PadRGB KeyData KeyLongData KnobModeRGB PadModeRGB SysexPool CRC
               Data Group0 Group1 Group2 Knob0 Pad0 Key0 Data0 Data4 Color0 Color2"
        header="RZ-7 Pad"
        ;;
    z3)
        sources=(devices/pedal/pedalpresetfile.cpp)
        words=""
        header="DOVO Dazed"
        # The two image lengths a pedal file declares.
        extra=('"\x00\x00\x13\x42"' '"\x00\x00\x04\xA0"')
        ;;
    vx18)
        sources=(devices/keyboard/vx18presetfile.cpp devices/keyboard/vx18pool.cpp)
        words="Preset ConfigData ModCh ModCC ModMin ModMax PitchBendCh PedalType PedalCh PedalCC PedalMin PedalMax
               KnobData PadData PadRGB KeyData KeyLongData SysexPool KBCh KBXPose KBOctave KBVelMin KBVelMax
               KBMCP CRC Data Group0 Group3 Knob0 Pad0 Key0 Key24 Data0 Data4 Color0 Color2"
        header="VX-18"
        ;;
    rznano)
        sources=(devices/smallpad/rznanopresetfile.cpp)
        words="Preset ConfigData PadData PadRGB KeyData KeyLongData KnobModeRGB PadModeRGB SysexPool CRC
               Data Group0 Group1 Group2 Pad0 Pad15 Key0 Key2 Data0 Data3 Color0 Color2"
        header="RZ-Nano"
        ;;
    z3image)
        sources=(devices/pedal/pedalpresetfile.cpp devices/pedal/z3config.cpp devices/pedal/z3edit.cpp
                 devices/pedal/z3frames.cpp devices/pedal/pedaltext.cpp link/deviceframe.cpp
                 common/utils.cpp common/globals.cpp)
        words=""
        header="DOVO Dazed"
        extra=('"\x00\x00\x13\x42"')
        ;;
    *)
        echo "no preset reader adapter for model: $model" >&2
        exit 2
        ;;
esac

clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I. -Ilink -Icommon -Ipresets $(pkg-config --cflags Qt5Core) \
    fuzz/fuzz_preset.cpp "fuzz/preset_$model.cpp" "${sources[@]}" "${shared[@]}" \
    $(pkg-config --libs Qt5Core) -lz -o "$out/fuzz_${model}preset"

# Seed the corpus with files from the writer on the first run.
if [ -z "$(ls -A "$corpus")" ]; then
    PRESET_WRITE_SEEDS="$corpus" "$out/fuzz_${model}preset"
fi

dict="$out/${model}preset.dict"
{
    for w in $words; do
        printf '"<%s>"\n"</%s>"\n' "$w" "$w"
    done
    printf '"<?xml version=\\"1.0\\" encoding=\\"UTF-8\\"?>"\n"%s"\n"\\x78\\xDA"\n"    "\n' "$header"
    [ ${#extra[@]} -eq 0 ] || printf '%s\n' "${extra[@]}"
} >"$dict"

"$out/fuzz_${model}preset" -max_total_time="$seconds" -max_len=32768 -print_final_stats=1 \
    -dict="$dict" -artifact_prefix="$out/${model}preset-" "$corpus"
