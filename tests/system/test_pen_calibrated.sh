#!/bin/bash
# The pen on a calibrated display: at 1024 x 768 with the PX-A100 "FULL"
# preset stored for that resolution (ratio 0.799, 0.999, offset -1, -5), taps
# land at trunc(board x ratio - offset), truncated and not rounded, and the
# calibration stored for another resolution plays no part. The same driver
# runs with the middle button off ("MiddleButon" 0): the small button and
# middle reports press nothing, and what reaches a window is the lone
# middle-up the driver still sends.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/pen_harness.sh"
qx_begin pen_calibrated
pen_begin
qx_prefix en
qx_display 1024x768
qx_wineserver
qx_pensim_start
pen_com1_and_settings '"MiddleButon"=dword:00000000' \
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

qx_case "board (100, 100): 80.9 and 104.9 are truncated to (80, 104)"
pen_send "tap 100 100"
pen_expect_names "one click" "ldown lup"
qx_expect_eq "the click's place" "ldown 80 104" "$(pen_event 1)"
pen_expect_released "after the tap" 80 104

qx_case "a stroke from board (200, 300) to (1200, 700) drags from (160, 304) to (959, 704)"
pen_stroke_commands 200 300 1200 700 12 40
pen_send "${PEN_COMMANDS[@]}"
pen_expect_drag "calibrated stroke" 160 304 959 704 6
pen_expect_released "after the stroke" 959 704

qx_case "middle off: the small button sends only the middle-up"
pen_send "hover 600 300" "small"
pen_expect_names "a lone middle-up at the cursor" "mup"
qx_expect_eq "its place" "mup 480 304" "$(pen_event 1)"
pen_expect_released "after the small button" 480 304

qx_case "middle off: a middle report presses nothing; its release sends the middle-up"
pen_send "middle 800 400"
pen_expect_names "no button goes down" ""
pen_expect_buttons "while the tip touches" 0 0 0 3
pen_send "release"
pen_expect_names "a lone middle-up" "mup"
pen_expect_released "after the release"
qx_finish
