#!/usr/bin/env bash
# Draws the pictures of the calibration dialogs and writes them into src/res/:
#   - screen mode icons (FULL, 4 : 3, ORIGINAL, DOT BY DOT) and manual mode
#     icons (Detail-1, Detail-2), each with a greyed *_off twin shown while
#     the choice is unavailable; 32 x 32 and 16 x 16 in one .ico;
#   - the two cursors of the Detail-2 edge steps: an arrow pointing up (top
#     edge) and one pointing down (bottom edge), hot spot at the arrow's tip.
# All drawing is in 32 x 32 pixel coordinates. Run by hand after changing a
# picture; the .ico and .cur files are committed. PREVIEW=file.png writes an
# enlarged sheet of every picture for a look.
set -euo pipefail
out=$(cd "$(dirname "$0")/../../src/res" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Each picture is built as convert arguments in the array A, then painted.
# The wide screen every icon shares: a grey bezel on a small stand, the
# display area inside it is x 3..28, y 8..22 (26 x 15 pixels, about 16:9).
screen() {  # screen DISPLAY_FILL
    A=(-fill '#5a616b' -stroke '#22262c' -strokewidth 1
       -draw 'rectangle 1,6 30,24'
       -stroke none -fill '#22262c' -draw 'rectangle 13,25 18,26'
       -draw 'rectangle 9,27 22,28'
       -fill "$1" -draw 'rectangle 3,8 28,22')
}

# A landscape picture (sky, sun, hills) in the box X0,Y0 X1,Y1.
landscape() {  # landscape X0 Y0 X1 Y1
    local x0=$1 y0=$2 x1=$3 y1=$4 w=$(($3 - $1)) h=$(($4 - $2)) g r
    g=$((y0 + h * 3 / 5)) r=$((h / 6 + 1))
    A+=(-fill '#4fa3e8' -draw "rectangle $x0,$y0 $x1,$y1"
        -fill '#ffd21f' -draw "circle $((x1 - w / 4)),$((y0 + r + 1)) $((x1 - w / 4 + r)),$((y0 + r + 1))"
        -fill '#2e9e3e' -draw "polygon $x0,$g $((x0 + w / 3)),$((g - h / 4)) $((x0 + w * 2 / 3)),$g $x1,$((g - h / 6)) $x1,$y1 $x0,$y1")
}

paint() {  # paint OUT: a 32 x 32 transparent canvas drawn on with A
    convert -size 32x32 xc:none "${A[@]}" "$1"
}

# FULL: the picture fills the whole wide screen.
screen '#000000'; landscape 3 8 28 22; paint "$tmp/full.png"

# 4 : 3: a 4:3 picture (20 x 15) between black side bars.
screen '#000000'; landscape 6 8 25 22; paint "$tmp/4_3.png"

# ORIGINAL: a small picture in the middle of a black screen, "1:1" below it.
screen '#000000'; landscape 10 9 21 15
A+=(-fill white -draw 'rectangle 12,17 12,21' -draw 'point 11,18'
    -draw 'point 15,18' -draw 'point 15,20'
    -draw 'rectangle 18,17 18,21' -draw 'point 17,18')
paint "$tmp/original.png"

# DOT BY DOT: a grid of single pixels, enlarged, in the middle of the screen:
# 5 x 4 cells of 2 x 2 with one pixel gaps.
screen '#000000'
colours=('#ff4040' '#40e040' '#4080ff' '#ffffff')
for row in 0 1 2 3; do
    for col in 0 1 2 3 4; do
        x=$((9 + col * 3)) y=$((10 + row * 3))
        A+=(-fill "${colours[$(( (row + col) % 4 ))]}" -draw "rectangle $x,$y $((x + 1)),$((y + 1))")
    done
done
paint "$tmp/dot_by_dot.png"

# Detail-1: a white screen with a red cross in each corner and a pen whose
# tip touches the lower right cross.
cross() {  # cross X Y: a red cross of 5 x 5 pixels centred at X,Y
    A+=(-fill '#e01010' -draw "rectangle $(($1 - 2)),$2 $(($1 + 2)),$2"
        -draw "rectangle $1,$(($2 - 2)) $1,$(($2 + 2))")
}
screen '#ffffff'; cross 6 11; cross 25 11; cross 6 19; cross 25 19
A+=(-stroke '#1a1a1a' -strokewidth 4 -draw 'line 30,31 26.5,24.5'
    -stroke '#f0b400' -strokewidth 2 -draw 'line 30,31 26.5,24.5'
    -stroke none -fill '#1a1a1a' -draw 'polygon 25,20 24.5,24 27.8,22.6')
paint "$tmp/detail1.png"

# Detail-2: the picture runs past the top and bottom of the screen (its sun
# and its ground are cut off); red arrows mark the top and bottom edges.
edge() {  # edge Y: a red line from side to side with arrowheads at both ends
    A+=(-fill '#e01010' -draw "rectangle 6,$1 25,$1"
        -draw "polygon 3,$1 6,$(($1 - 2)) 6,$(($1 + 2))"
        -draw "polygon 28,$1 25,$(($1 - 2)) 25,$(($1 + 2))")
}
screen '#000000'
A+=(-fill '#4fa3e8' -draw 'rectangle 3,8 28,22'
    -fill '#ffd21f' -draw 'circle 21,9 21,12'
    -fill '#2e9e3e' -draw 'polygon 3,17 11,13 19,17 28,14 28,22 3,22'
    -fill '#5a616b' -draw 'rectangle 3,6 28,7'
    -fill '#22262c' -draw 'rectangle 1,6 30,6')
edge 9; edge 21
paint "$tmp/detail2.png"

# The greyed twin: no colour, lighter, less contrast; transparency kept.
grey() {  # grey IN OUT
    convert "$1" -channel RGB -modulate 100,0 +level 45%,88% +channel "$2"
}

icons=(full:mode_full 4_3:mode_4_3 original:mode_original
       dot_by_dot:mode_dot_by_dot detail1:detail1 detail2:detail2)
sheet_on=() sheet_off=()
for pair in "${icons[@]}"; do
    pic=${pair%%:*} name=${pair##*:}
    grey "$tmp/$pic.png" "$tmp/${pic}_off.png"
    for v in "" _off; do
        convert "$tmp/$pic$v.png" -resize 16x16 "$tmp/$pic${v}_16.png"
        convert "$tmp/$pic$v.png" "$tmp/$pic${v}_16.png" "$out/calib_$name$v.ico"
    done
    sheet_on+=("$tmp/$pic.png") sheet_off+=("$tmp/${pic}_off.png")
done

# Cursors: a black arrow with a white outline, 32 x 32. The arrow is drawn
# pointing up with its tip at 15,1; the down arrow is the same flipped, tip
# at 15,30.
arrow_up() {  # arrow_up OUT
    convert -size 32x32 xc:none +antialias \
        -fill black -stroke white -strokewidth 1 \
        -draw "polygon 15,1 25,11 19,11 19,30 11,30 11,11 5,11" \
        "$1"
}
# .ico to .cur: resource type 2, and each directory entry's planes and
# bit count fields hold the hot spot instead (one 32 x 32 entry here).
to_cursor() {  # to_cursor ICO CUR HOTX HOTY
    cp "$1" "$2"
    printf '\x02\x00' | dd of="$2" bs=1 seek=2 conv=notrunc status=none
    printf "\\x$(printf %02x "$3")\\x00\\x$(printf %02x "$4")\\x00" |
        dd of="$2" bs=1 seek=10 conv=notrunc status=none
}
arrow_up "$tmp/edge_top.png"
convert "$tmp/edge_top.png" -flip "$tmp/edge_bottom.png"
convert "$tmp/edge_top.png" -define icon:auto-resize=32 "$tmp/edge_top.ico"
convert "$tmp/edge_bottom.png" -define icon:auto-resize=32 "$tmp/edge_bottom.ico"
to_cursor "$tmp/edge_top.ico" "$out/calib_edge_top.cur" 15 1
to_cursor "$tmp/edge_bottom.ico" "$out/calib_edge_bottom.cur" 15 30

if [[ -n ${PREVIEW:-} ]]; then
    convert "${sheet_on[@]}" "$tmp/edge_top.png" +append +repage "$tmp/row1.png"
    convert "${sheet_off[@]}" "$tmp/edge_bottom.png" +append +repage "$tmp/row2.png"
    convert "$tmp/row1.png" "$tmp/row2.png" -append +repage -background '#d4d0c8' -flatten \
        -filter point -resize 800% "$PREVIEW"
fi
echo "wrote the calibration icons and cursors into $out"
