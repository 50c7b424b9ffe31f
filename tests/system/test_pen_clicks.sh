#!/bin/bash
# The pen board's link and the pen as a mouse, seen by a window of another
# program. The link: bytes sent before the port opens are discarded, the port
# runs with the board's line settings, every byte the board sends reaches the
# main window exactly once, and a board that vanishes leaves the program
# resident without a word. The pen: a stroke drags with the left button, a tap
# is one click, two taps make a double-click by the double-click area and time
# the driver set, the big button gives a right click, and no
# button stays down once the pen is released. The display runs at 1280 x 768
# without a stored calibration, so board positions are screen positions; the
# calibration stored for 1024 x 768 (the PX-A100 "FULL" preset: ratio 0.799,
# 0.999, offset -1, -5) plays no part until the desktop changes to that size,
# with the notice off: then taps and strokes land at trunc(board x ratio -
# offset) (504.5 lands at 504). (Which calls the engine makes for each kind of
# report is the unit tests' and golden replays' part.)
. "$(dirname "$0")/lib/harness.sh"
qx_begin pen_clicks
# A double-click time of 700 ms (0x2bc), unlike Wine's own 500 ms, so that a
# double-click 600 ms apart shows the driver's time at work; the area keeps
# its default, 32 (Wine's is 4).
qx_board_bench en 1280x768 '"DblClickInterval"=dword:000002bc' \
    '"CalibDisp"=dword:00000000' '[HKEY_CURRENT_USER\SOFTWARE\NORVANE\QXdrv1.2\1024_768]' \
    '"CalibRatioX"="0.799000"' '"CalibRatioY"="0.999000"' '"CalibOffsetX"="-1.000000"' '"CalibOffsetY"="-5.000000"'

qx_case "bytes sent before the port opens are purged"
qx_pensim "hover 10 10" "hover 20 20" || qx_fatal "simulator failed"
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
qx_expect_eq "bytes delivered after start" 0 "$(qx_diag bytes)"
qx_expect_match "the driver's double-click area and time" 'dblclk_w=32 dblclk_h=32 dblclk_time=700' "$(qx_metrics)"

qx_case "line settings of the opened port"
STTY=$(qx_stty)
qx_expect_match "38400 baud" '(^|[ ;])speed 38400 baud' "$STTY"
qx_expect_match "one stop bit" '(^| )-cstopb( |$)' "$STTY"
qx_expect_match "RTS/CTS handshake" '(^| )crtscts( |$)' "$STTY"
# (A pty always reports cs8 and -parenb: data bits and parity cannot be seen here.)

qx_case "every byte written reaches the main window"
REPLAY="$QX_TMP/capture.txt"
{
    echo "# delay_ms escaped-bytes"
    for i in $(seq 0 49); do printf '%d @%04d%03d\\r\n' $((i % 3)) $((i * 100)) $((i * 10)); done
    echo "0 ?T\r"
} >"$REPLAY"
TOTAL=0
while IFS='|' read -r what commands; do
    IFS=';' read -r -a cmds <<<"$commands"
    qx_pensim "${cmds[@]}" || qx_fatal "simulator failed"
    TOTAL=$((TOTAL + QX_PEN_BYTES))
    qx_probe diag bytes --equals "$TOTAL" && qx_ok "bytes delivered: $TOTAL ($what)" ||
        qx_fail "bytes delivered after $what: expected $TOTAL, $QX_OUT"
done <<EOF2
one hover report|hover 100 200
a stroke, a small button and a split report|stroke 10 10 900 600 40 5;small;raw @01;raw 23456\r
an unpaced replay|pace off;replay $REPLAY;pace on
EOF2
pen_scribble_start

# Every case works at its own place, far from the others, so that no two
# cases' clicks can pair into a double-click.

qx_case "a stroke drags with the left button"
pen_polyline_commands 20 40 100 100 600 350
pen_send "${PEN_COMMANDS[@]}"
pen_expect_drag "stroke" 100 100 600 350 10
pen_expect_released "after the stroke" 600 350

qx_case "a tap is one left click where it touched"
pen_send "tap 300 500"
qx_expect_eq "one click, the click's place" "ldown 300 500|lup 300 500" "$(paste -sd '|' <<<"$PEN_EVENTS")"
pen_expect_released "after the tap" 300 500

qx_case "two taps 10 px apart: a double-click"
pen_send "tap 500 500" "sleep 100" "tap 510 510"
pen_expect_names "click, then double-click" "ldown lup ldbl lup"
qx_expect_eq "the double-click's place" "ldbl 510 510" "$(pen_event 3)"
pen_expect_released "after the double-click"

qx_case "two taps 600 ms apart, inside the driver's 700 ms: a double-click"
pen_send "tap 1000 500" "sleep 600" "tap 1000 500"
pen_expect_names "click, then double-click" "ldown lup ldbl lup"
pen_expect_released "after the slow double-click"

qx_case "the big button: a right click"
pen_send "right 900 150" "release"
qx_expect_eq "one right click, the right click's place" "rdown 900 150|rup 900 150" "$(paste -sd '|' <<<"$PEN_EVENTS")"
pen_expect_released "after the right click"

qx_case "at 1024 x 768 the stored calibration: a tap at board (1000, 500) lands at (800, 504)"
qx_add_modes "1024x768_60 63.50 1024 1072 1176 1328 768 771 775 798"
qx_mode 1024 768
pen_send "tap 1000 500"
qx_expect_eq "one click, the click's place" "ldown 800 504|lup 800 504" "$(paste -sd '|' <<<"$PEN_EVENTS")"
pen_expect_released "after the tap" 800 504

qx_case "a stroke from board (200, 300) to (1200, 700) drags from (160, 304) to (959, 704)"
pen_polyline_commands 12 40 200 300 1200 700
pen_send "${PEN_COMMANDS[@]}"
pen_expect_drag "calibrated stroke" 160 304 959 704 6
pen_expect_released "after the stroke" 959 704

qx_case "the board vanishes while the driver runs"
# Under Wine 8, WaitCommEvent on a pty whose other side has closed keeps
# waiting: it neither fails nor returns, so reception does not end here (see
# README.md; test_usb_adapter.sh posts the thread's notice instead). What the
# user meets is checked.
_qx_end_pid "$QX_PENSIM_PID"
qx_resident "$DRIVER" || qx_fail "driver not resident after the device went away"
qx_no_box_for 1500 "no box for a vanished device"
qx_stop_driver "$DRIVER"
qx_finish
