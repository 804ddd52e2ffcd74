#!/usr/bin/env bash
# Renders each common widget offscreen to PNG for review. The pictures go to
# <build dir>/widget-shots (build dir: $BUILD_DIR, default build-render); they
# are build artefacts and never belong in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${BUILD_DIR:-$root/build-render}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRO_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target test_widgetrender --parallel "${JOBS:-4}"

out="$build/widget-shots"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen TAVRO_WIDGET_SHOTS_DIR="$out" \
    "$build/tests/widgets/test_widgetrender" -silent
ls -1 "$out"/*.png
