#!/usr/bin/env bash
# Draws the self-test's status-lamp cross: a red X on a transparent ground,
# 1000 x 1000 pixels (the lamp stretches it over its 40 x 40 button). Run it
# again after a change; the PNG file is kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
IM=/usr/bin/convert-im6.q16
[ -x "$IM" ] || IM=convert

$IM -size 1000x1000 xc:none -fill none -stroke '#E0262B' -strokewidth 150 -draw "stroke-linecap round line 200,200 800,800" \
    -draw "stroke-linecap round line 800,200 200,800" -strip "$here/err.png"
