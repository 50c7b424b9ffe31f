#!/usr/bin/env bash
# Draws the tray icons (a pen over a display; the disabled one greyed and
# struck through) and writes them as multi-size .ico files into src/res/.
# Run by hand after changing the drawing; the .ico files are committed.
set -euo pipefail
out=$(cd "$(dirname "$0")/../../src/res" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

draw() {  # draw SIZE SCREEN_COLOUR PEN_COLOUR OUT
    local s=$1 k
    k=$(awk "BEGIN{print $s/48}")
    convert -size ${s}x${s} xc:none -scale 100% \
        -fill '#30343c' -stroke '#15171b' -strokewidth "$(awk "BEGIN{print 1.5*$k}")" \
        -draw "roundrectangle $(awk "BEGIN{print 2*$k}"),$(awk "BEGIN{print 6*$k}") $(awk "BEGIN{print 45*$k}"),$(awk "BEGIN{print 36*$k}") $(awk "BEGIN{print 3*$k}"),$(awk "BEGIN{print 3*$k}")" \
        -stroke none -fill "$2" \
        -draw "rectangle $(awk "BEGIN{print 5*$k}"),$(awk "BEGIN{print 9*$k}") $(awk "BEGIN{print 42*$k}"),$(awk "BEGIN{print 32*$k}")" \
        -fill '#30343c' \
        -draw "rectangle $(awk "BEGIN{print 18*$k}"),$(awk "BEGIN{print 36*$k}") $(awk "BEGIN{print 29*$k}"),$(awk "BEGIN{print 41*$k}")" \
        -draw "rectangle $(awk "BEGIN{print 12*$k}"),$(awk "BEGIN{print 41*$k}") $(awk "BEGIN{print 35*$k}"),$(awk "BEGIN{print 44*$k}")" \
        -stroke "$3" -strokewidth "$(awk "BEGIN{print 5*$k}")" \
        -draw "line $(awk "BEGIN{print 44*$k}"),$(awk "BEGIN{print 2*$k}") $(awk "BEGIN{print 24*$k}"),$(awk "BEGIN{print 24*$k}")" \
        -stroke '#f2f2f2' -strokewidth "$(awk "BEGIN{print 2*$k}")" \
        -draw "line $(awk "BEGIN{print 25*$k}"),$(awk "BEGIN{print 23*$k}") $(awk "BEGIN{print 20*$k}"),$(awk "BEGIN{print 29*$k}")" \
        "$4"
}

strike() {  # strike SIZE FILE: a red bar across, for the disabled picture
    local k
    k=$(awk "BEGIN{print $1/48}")
    convert "$2" -stroke '#d01818' -strokewidth "$(awk "BEGIN{print 5*$k}")" \
        -draw "line $(awk "BEGIN{print 5*$k}"),$(awk "BEGIN{print 7*$k}") $(awk "BEGIN{print 42*$k}"),$(awk "BEGIN{print 44*$k}")" "$2"
}

# 256 is the picture Explorer and the installed-programs list show.
for s in 16 24 32 48 256; do
    draw $s '#2f7de1' '#f0b400' "$tmp/on$s.png"
    draw $s '#8a8f98' '#b5b5b5' "$tmp/off$s.png"
    strike $s "$tmp/off$s.png"
done
# The large entry is stored as a PNG, which Windows reads with 8 bits a channel.
for f in on256 off256; do convert "$tmp/$f.png" -depth 8 "PNG32:$tmp/$f.png"; done
convert "$tmp"/on16.png "$tmp"/on24.png "$tmp"/on32.png "$tmp"/on48.png "$tmp"/on256.png "$out/pen_enabled.ico"
convert "$tmp"/off16.png "$tmp"/off24.png "$tmp"/off32.png "$tmp"/off48.png "$tmp"/off256.png "$out/pen_disabled.ico"
convert "$tmp"/on48.png "$tmp"/off48.png +append "$tmp/preview.png"
cp "$tmp/preview.png" "${PREVIEW:-/dev/null}" 2>/dev/null || true
echo "wrote $out/pen_enabled.ico and $out/pen_disabled.ico"
