#!/usr/bin/env bash
# Draws the foot pedal page's pictures: the title image, the list and file
# buttons, the pedal with its display for modes 1 and 2, and the branch
# arrows of the command library. Run it again after a change; the PNG files
# are kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
IM=/usr/bin/convert-im6.q16
[ -x "$IM" ] || IM=convert
FONT=DejaVu-Sans-Bold
mkdir -p "$here/prefix1" "$here/rzm" "$here/blue"
ORANGE='#FFA100'

# Title image: an orange ring around a foot switch seen from above.
$IM -size 256x256 xc:none -fill none -stroke "$ORANGE" -strokewidth 14 -draw "circle 128,128 128,20" \
    -fill "$ORANGE" -stroke none -draw "roundrectangle 78,88 178,168 18,18" \
    -fill black -draw "circle 128,128 128,108" "$here/prefix1/TitleBG.png"

# Raw configuration file: a green sheet with a folded corner, marked BIN.
$IM -size 64x64 xc:none -fill '#2FA84F' -draw "polygon 10,4 42,4 56,18 56,60 10,60" \
    -fill '#8FE0A5' -draw "polygon 42,4 42,18 56,18" \
    -fill white -font "$FONT" -pointsize 14 -gravity center -annotate +0+8 BIN "$here/prefix1/erjinzhi.png"

# List buttons: plus, minus, and a waste bin with the word All.
$IM -size 80x80 xc:none -fill "$ORANGE" -draw "roundrectangle 34,10 46,70 5,5" \
    -draw "roundrectangle 10,34 70,46 5,5" "$here/rzm/zengjia.png"
$IM -size 80x80 xc:none -fill "$ORANGE" -draw "roundrectangle 10,34 70,46 5,5" "$here/rzm/jianshao.png"
$IM -size 80x80 xc:none -fill none -stroke "$ORANGE" -strokewidth 5 \
    -draw "line 14,18 66,18" -draw "line 32,18 34,10" -draw "line 34,10 46,10" -draw "line 46,10 48,18" \
    -draw "polygon 20,24 60,24 56,74 24,74" \
    -stroke none -fill "$ORANGE" -font "$FONT" -pointsize 15 -gravity center -annotate +0+10 All \
    "$here/rzm/shanchu.png"

# The pedal seen from the front: four switches, the display showing the mode.
pedal() { # mode file
    $IM -size 420x220 xc:none -fill '#2b2b2b' -stroke '#5a5a5a' -strokewidth 4 \
        -draw "roundrectangle 6,40 414,214 22,22" \
        -fill '#111111' -stroke "$ORANGE" -strokewidth 3 -draw "roundrectangle 160,58 260,110 8,8" \
        -stroke none -fill '#FF3B30' -font "$FONT" -pointsize 40 -gravity north -annotate +0+62 "$1" \
        -gravity northwest -fill '#8a8a8a' \
        -draw "circle 70,165 70,137" -draw "circle 163,165 163,137" \
        -draw "circle 256,165 256,137" -draw "circle 349,165 349,137" \
        -fill "$ORANGE" -pointsize 18 -annotate +64+118 A -annotate +157+118 B -annotate +250+118 C \
        -annotate +343+118 D "$2"
}
pedal 1 "$here/prefix1/pedal_mode1.png"
pedal 2 "$here/prefix1/pedal_mode2.png"

# Branch arrows of the command library tree.
$IM -size 16x16 xc:none -fill white -draw "polygon 5,2 12,8 5,14" "$here/blue/right_wihte.png"
$IM -size 16x16 xc:none -fill '#FFEB3B' -draw "polygon 2,5 14,5 8,12" "$here/blue/down_yellow.png"
