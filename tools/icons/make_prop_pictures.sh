#!/usr/bin/env bash
# Draws the pictures of the property pages and writes them into src/res/ as
# 24-bit bitmaps whose pure blue (0,0,255) is transparent on the page:
#   - port_page.bmp (240 x 140): a computer joined by a cable to a display
#     on a stand, for the COM port page.
# Run by hand after changing a picture; the .bmp files are committed.
set -euo pipefail
out=$(cd "$(dirname "$0")/../../src/res" && pwd)

bmp() {  # bmp OUT: 24-bit, no alpha, as the resource compiler takes it
    convert "$@" -alpha off -type TrueColor "BMP3:$out/$OUT"
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
