#!/usr/bin/env bash
# Draws the connection window's pictures: the background, the "no device"
# picture, the combo-box arrow and one simple picture per model. Run it again
# after a change; the PNG files are kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
pics="$here/../DevicePicture"
mkdir -p "$pics"
IM=/usr/bin/convert-im6.q16
[ -x "$IM" ] || IM=convert

# Window background: a dark vertical gradient.
$IM -size 568x383 gradient:'#1c1c1c'-'#000000' "$here/bg_black.png"

# No device: a plug and a socket with a gap between them.
$IM -size 300x150 xc:none -fill none -stroke '#8a8a8a' -strokewidth 6 \
    -draw "line 10,75 95,75" -fill '#8a8a8a' -draw "roundrectangle 95,55 140,95 6,6" \
    -draw "rectangle 140,63 158,70" -draw "rectangle 140,80 158,87" \
    -fill none -draw "roundrectangle 190,50 250,100 8,8" -draw "line 250,75 290,75" \
    -stroke '#FFA100' -strokewidth 4 -draw "line 166,58 182,92" \
    "$here/Disconnect.png"

# Combo-box arrow.
$IM -size 12x12 xc:none -fill white -draw "polygon 1,3 11,3 6,9" "$here/pull_down_white.png"

body() { # corner corner -> a rounded dark body on a transparent ground
    echo "-size 600x300 xc:none -fill '#2b2b2b' -stroke '#5a5a5a' -strokewidth 4 -draw \"roundrectangle $1 $2 24,24\""
}

pads() { # x0 y0 cols rows size gap colour -> draw arguments
    local x0=$1 y0=$2 cols=$3 rows=$4 s=$5 g=$6 c=$7 out="" r k x y
    for ((r = 0; r < rows; r++)); do
        for ((k = 0; k < cols; k++)); do
            x=$((x0 + k * (s + g))); y=$((y0 + r * (s + g)))
            out+=" -fill '$c' -stroke none -draw \"roundrectangle $x,$y $((x + s)),$((y + s)) 6,6\""
        done
    done
    echo "$out"
}

knobs() { # x0 y0 count step radius
    local out="" k x
    for ((k = 0; k < $3; k++)); do
        x=$(($1 + k * $4))
        out+=" -fill '#bdbdbd' -stroke '#707070' -strokewidth 3 -draw \"circle $x,$2 $((x + $5)),$2\""
    done
    echo "$out"
}

label() { # text -> caption at the bottom right
    echo "-fill '#FFA100' -stroke none -font Liberation-Sans-Bold -pointsize 26 -gravity southeast -annotate +40+24 \"$1\" -gravity northwest"
}

draw() { # file, then the drawing arguments
    local file=$1; shift
    eval "$IM $* \"$file\""
}

# 1: foot pedal with four foot switches and a small display.
draw "$pics/DeviceID_1.png" "$(body 20,60 580,250)" \
    "-fill '#101010' -stroke '#FFA100' -strokewidth 2 -draw \"rectangle 240,80 360,120\"" \
    "$(knobs 90 185 4 140 34)" "$(label 'Pedal')"
# 2: a small link box.
draw "$pics/DeviceID_2.png" "$(body 150,90 450,210)" \
    "-fill '#3fa7ff' -stroke none -draw \"circle 300,150 318,150\"" "$(label 'Link')"
# 3 and 4: a drum module, told apart by its caption.
for id in 3 4; do
    draw "$pics/DeviceID_$id.png" "$(body 40,40 560,260)" "$(pads 70 80 4 2 70 14 '#6a6a6a')" \
        "$(knobs 440 110 2 70 22)" "$(label "Module $id")"
done
# 5: a single-switch box.
draw "$pics/DeviceID_5.png" "$(body 170,50 430,250)" "$(knobs 300 170 1 0 40)" "$(label 'Switch')"
# 7: pad controller: 16 pads, 8 knobs, 6 buttons.
draw "$pics/DeviceID_7.png" "$(body 20,20 580,280)" "$(pads 40 40 4 4 52 8 '#d87a1e')" \
    "$(knobs 300 60 4 70 20)" "$(knobs 300 125 4 70 20)" "$(pads 290 170 6 1 32 10 '#8c8c8c')" "$(label 'Pad 16')"
# 8: small pad controller: 16 pads, 3 buttons.
draw "$pics/DeviceID_8.png" "$(body 90,20 510,280)" "$(pads 120 40 4 4 52 8 '#3fbf7f')" \
    "$(pads 370 60 1 3 40 16 '#8c8c8c')" "$(label 'Pad mini')"
# 9: keyboard with 25 keys, pads and knobs.
keys=""
for ((k = 0; k < 15; k++)); do
    x=$((40 + k * 35)); keys+=" -fill white -stroke '#303030' -strokewidth 2 -draw \"rectangle $x,160 $((x + 34)),270\""
done
for k in 0 1 3 4 5 7 8 10 11 12; do
    x=$((40 + k * 35 + 24)); keys+=" -fill '#111111' -stroke none -draw \"rectangle $x,160 $((x + 20)),225\""
done
draw "$pics/DeviceID_9.png" "$(body 20,30 580,285)" "$(pads 40 50 4 2 40 8 '#3fa7ff')" \
    "$(knobs 290 70 4 60 18)" "$keys" "$(label 'Keys 25')"
