#!/usr/bin/env bash
# Draws the pictures of the property pages and writes them into src/res/ as
# 24-bit bitmaps whose pure blue (0,0,255) is transparent on the page:
#   - port_page.bmp (240 x 140): a computer joined by a cable to a display
#     on a stand, for the COM port page.
#   - speed_target.bmp (48 x 48, 16 colours): a red and black target, the
#     double-click speed page's auto-setting picture.
#   - pen_button.bmp (320 x 70, 256 colours): the pen with its small button
#     circled in red and pointed at by a red arrow, for the other-setup page.
# Run by hand after changing a picture; the .bmp files are committed.
set -euo pipefail
out=$(cd "$(dirname "$0")/../../src/res" && pwd)

bmp() {  # bmp OUT: 24-bit, no alpha, as the resource compiler takes it
    convert "$@" -alpha off -type TrueColor "BMP3:$out/$OUT"
}
palette_bmp() {  # palette_bmp COLOURS ...: the same with a palette of COLOURS
    local colours=$1; shift
    convert "$@" -alpha off +dither -colors "$colours" -type Palette -compress None "BMP3:$out/$OUT"
}

# The computer: a grey tower at the left with its drives and power light; a
# keyboard in front of it. The display: a wide panel on a stand at the right,
# showing a landscape. The cable runs from the tower's back along the floor
# line to the display's foot. The drawing keeps to the left 200 pixels, the
# width the page gives the picture at its usual font; the rest is background.
OUT=port_page.bmp bmp -size 240x140 xc:"#0000ff" +antialias \
    -stroke '#202020' -strokewidth 1 \
    -fill '#c8c8c8' -draw 'rectangle 6,34 48,122' \
    -fill '#9a9a9a' -draw 'rectangle 11,44 43,51' -draw 'rectangle 11,57 43,64' \
    -fill '#30c030' -stroke none -draw 'rectangle 12,110 16,114' \
    -stroke '#202020' -fill '#d8d8d8' -draw 'polygon 14,128 62,128 68,136 8,136' \
    -stroke none -fill '#303030' \
    -draw 'rectangle 48,99 72,101' -draw 'rectangle 70,99 72,127' \
    -draw 'rectangle 70,125 149,127' -draw 'rectangle 147,115 149,127' \
    -stroke '#202020' -strokewidth 1 -fill '#404040' \
    -draw 'rectangle 88,22 198,92' \
    -fill '#1e6fb8' -draw 'rectangle 93,27 193,87' \
    -fill '#2e9e3e' -stroke none -draw 'polygon 93,70 127,54 161,72 193,60 193,87 93,87' \
    -fill '#ffd21f' -draw 'circle 174,40 180,40' \
    -stroke '#202020' -fill '#505050' -draw 'rectangle 136,92 150,110' \
    -draw 'rectangle 116,110 170,116'

# The target: rings of red and black around a black bull's eye, on the blue
# that the page shows through. 16 colours.
OUT=speed_target.bmp palette_bmp 16 -size 48x48 xc:"#0000ff" +antialias -stroke none \
    -fill '#000000' -draw 'circle 23,23 23,2' \
    -fill '#e00000' -draw 'circle 23,23 23,6' \
    -fill '#000000' -draw 'circle 23,23 23,10' \
    -fill '#e00000' -draw 'circle 23,23 23,14' \
    -fill '#000000' -draw 'circle 23,23 23,18' \
    -fill '#ffffff' -draw 'circle 23,23 23,21'

# The pen lies across the picture, tip to the right; its small button on
# the barrel is circled in red, and a red arrow from the left points at it.
# The top-left corner stays blue: the page's first check box sits there.
# The barrel is shaded from top to bottom, so the picture needs its 256.
OUT=pen_button.bmp palette_bmp 256 -size 320x70 xc:"#0000ff" +antialias \
    \( -size 171x19 gradient:'#f4f4fa-#7c7c88' \) -geometry +96+30 -composite \
    -stroke '#202020' -strokewidth 1 \
    -fill none -draw 'rectangle 96,30 266,48' \
    -fill '#505058' -draw 'rectangle 112,30 150,48' \
    -fill '#d0d0d8' -draw 'polygon 266,31 304,39 266,47' \
    -fill '#303030' -draw 'polygon 296,37 306,39 296,41' \
    -fill '#404040' -draw 'roundrectangle 188,24 206,31 3,3' \
    -stroke '#ff0000' -strokewidth 3 -fill none -draw 'ellipse 197,27 18,12 0,360' \
    -stroke '#ff0000' -strokewidth 3 -draw 'line 118,8 176,20' \
    -stroke none -fill '#ff0000' -draw 'polygon 182,22 168,12 166,24'
