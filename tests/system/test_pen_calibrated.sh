#!/bin/bash
# The pen on a calibrated display: at 1024 x 768 with the PX-A100 "FULL"
# preset stored for that resolution (ratio 0.799, 0.999, offset -1, -5), taps
# and strokes land at trunc(board x ratio - offset) (504.5 lands at 504), and
# the calibration stored for another resolution plays no part. The same
# driver runs with the middle button off ("MiddleButon" 0): a middle report
# presses nothing, and what reaches a window is the lone middle-up the driver
# still sends at the release.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/pen_harness.sh"
qx_begin pen_calibrated
qx_board_bench en 1024x768 '"MiddleButon"=dword:00000000' \
    '[HKEY_CURRENT_USER\SOFTWARE\NORVANE\QXdrv1.2\1024_768]' \
    '"CalibRatioX"="0.799000"' '"CalibRatioY"="0.999000"' \
    '"CalibOffsetX"="-1.000000"' '"CalibOffsetY"="-5.000000"' \
    '[HKEY_CURRENT_USER\SOFTWARE\NORVANE\QXdrv1.2\1280_768]' \
    '"CalibRatioX"="0.500000"' '"CalibRatioY"="0.500000"' \
    '"CalibOffsetX"="100.000000"' '"CalibOffsetY"="100.000000"'
qx_probe screen
qx_expect_eq "the display's resolution" "screen 1024 768" "$(printf '%s' "$QX_OUT" | tr -d '\r')"
pen_driver_start
pen_scribble_start

qx_case "a tap at board (1000, 500) lands at (800, 504)"
pen_send "tap 1000 500"
pen_expect_names "one click" "ldown lup"
qx_expect_eq "the click's place" "ldown 800 504|lup 800 504" "$(pen_event 1)|$(pen_event 2)"
pen_expect_released "after the tap" 800 504

qx_case "a stroke from board (200, 300) to (1200, 700) drags from (160, 304) to (959, 704)"
pen_polyline_commands 12 40 200 300 1200 700
pen_send "${PEN_COMMANDS[@]}"
pen_expect_drag "calibrated stroke" 160 304 959 704 6
pen_expect_released "after the stroke" 959 704

qx_case "middle off: a middle report presses nothing; its release sends the middle-up"
pen_send "middle 800 400"
pen_expect_names "no button goes down" ""
pen_expect_buttons "while the tip touches" 0 0 0 3
pen_send "release"
pen_expect_names "a lone middle-up" "mup"
pen_expect_released "after the release"
qx_finish
