#!/usr/bin/env bash
# Draws the preset list's picture: the tutorial-video button (a rounded frame
# with a play triangle). Run it again after a change; the PNG is kept in the
# repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
IM=/usr/bin/convert-im6.q16
[ -x "$IM" ] || IM=convert
$IM -size 64x64 xc:none -fill none -stroke '#00AEEC' -strokewidth 4 \
    -draw "roundrectangle 4,10 59,53 10,10" -stroke none -fill '#00AEEC' \
    -draw "polygon 25,21 25,43 44,32" "$here/video.png"
