#!/usr/bin/env bash
# Draws the older foot pedal page's pictures: the toolbar buttons, the display
# dot (off and on), the preset pages' background and one picture per built-in
# preset (the window icon is the foot pedal page's). Run it again after a
# change; the PNG files are kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
IM=/usr/bin/convert-im6.q16
[ -x "$IM" ] || IM=convert
GREEN='#9ED2A0'
FONT=Liberation-Sans-Bold

button() { # file, then drawing arguments on a dark rounded tile
    local file=$1; shift
    $IM -size 64x64 xc:none -fill '#3a3a3a' -stroke "$GREEN" -strokewidth 3 \
        -draw "roundrectangle 3,3 60,60 10,10" -stroke none "$@" "$here/$file"
}
# Save: an arrow out of a tray.
button Out.png -fill white -draw "polygon 32,12 46,28 37,28 37,40 27,40 27,28 18,28" \
    -draw "rectangle 14,44 50,50"
# Load: an arrow into a tray.
button In.png -fill white -draw "polygon 32,42 46,26 37,26 37,14 27,14 27,26 18,26" \
    -draw "rectangle 14,44 50,50"
# Factory reset: a ring with a gap and an arrow head.
button Reset.png -fill none -stroke white -strokewidth 5 -draw "arc 16,16 48,48 -60,240" \
    -stroke none -fill white -draw "polygon 40,10 52,20 38,24"
# Firmware upgrade: a chip with an up arrow.
button update.png -fill none -stroke white -strokewidth 3 -draw "rectangle 18,22 46,50" \
    -stroke none -fill white -draw "polygon 32,8 42,20 22,20"
# Online presets (hidden on this page): a cloud with a down arrow.
button download.png -fill white -draw "circle 26,26 26,16" -draw "circle 40,28 40,20" \
    -draw "rectangle 18,26 48,36" -fill '#3a3a3a' -draw "polygon 32,52 42,40 22,40" \
    -fill white -draw "polygon 32,54 40,44 24,44"

# The display dot, off (hollow grey) and on (filled red).
$IM -size 20x20 xc:none -fill none -stroke '#9a9a9a' -strokewidth 2 -draw "circle 10,10 10,3" "$here/dot_noclick.png"
$IM -size 20x20 xc:none -fill '#ff3b3b' -stroke '#ffd0d0' -strokewidth 1 -draw "circle 10,10 10,3" "$here/dot_click.png"

# Background of the preset pages: a dark green-grey gradient.
$IM -size 400x300 gradient:'#3c4a3e'-'#2a2a2a' "$here/bg3.png"

# Built-in presets: the pedal seen from above, its switches labelled with what
# they send, and the preset number on the display.
preset() { # number, switch caption
    $IM -size 300x150 xc:none -fill '#2b2b2b' -stroke '#5a5a5a' -strokewidth 3 \
        -draw "roundrectangle 6,20 294,144 16,16" \
        -fill '#101010' -stroke "$GREEN" -strokewidth 2 -draw "rectangle 120,30 180,56" \
        -stroke none -fill "$GREEN" -font $FONT -pointsize 20 -annotate +138+51 "P$1" \
        -fill '#bdbdbd' -stroke '#707070' -strokewidth 2 \
        -draw "circle 45,100 45,82" -draw "circle 115,100 115,82" \
        -draw "circle 185,100 185,82" -draw "circle 255,100 255,82" \
        -stroke none -fill '#1a1a1a' -pointsize 16 \
        -annotate +33+106 "$2" -annotate +103+106 "$2" -annotate +173+106 "$2" -annotate +243+106 "$2" \
        "$here/P$1.png"
}
preset 1 PC
preset 2 PC
preset 3 CC
