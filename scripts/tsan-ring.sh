#!/usr/bin/env bash
# Builds the receive-ring tests of the MIDI link under ThreadSanitizer and runs
# them, the concurrent writer/reader test included. Only the ring test and the
# protocol library are built (not the whole editor). Extra arguments go to the
# test program, e.g. `scripts/tsan-ring.sh concurrentWriterAndReader`.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${BUILD_DIR:-$root/build-tsan}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRO_SANITIZE=OFF -DTAVRO_BUILD_TESTS=ON -DTAVRO_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build "$build" --target test_midiring --parallel 4

# Qt is not built with ThreadSanitizer: the test library's watchdog thread and
# Qt's own locks show up as races inside Qt. Ignore what those libraries do
# themselves; our code stays checked.
supp="$build/tsan-qt.supp"
printf '%s\n' 'called_from_lib:libQt5Core.so.5' 'called_from_lib:libQt5Test.so.5' >"$supp"

export TSAN_OPTIONS="halt_on_error=1:abort_on_error=1:second_deadlock_stack=1:suppressions=$supp"
export QT_QPA_PLATFORM=offscreen
"$build/tests/midi/test_midiring" "$@"
echo "ThreadSanitizer: no report"
