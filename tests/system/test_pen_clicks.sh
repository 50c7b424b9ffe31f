#!/bin/bash
# The pen as a mouse, seen by a window of another program: a stroke drags with
# the left button, a tap is one click, two taps make a double-click by the
# double-click area and time the driver set, the big button gives a right
# click and the small button a middle click, the system holds the button while
# the tip touches, and no button stays down once the pen is released. The
# display runs at 1280 x 768 without a stored calibration, so board positions
# are screen positions. (Which calls the engine makes for each kind of report
# is the unit tests' and golden replays' part.)
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/pen_harness.sh"
qx_begin pen_clicks
# A double-click time of 700 ms (0x2bc), unlike Wine's own 500 ms, so that a
# double-click 600 ms apart shows the driver's time at work; the area keeps
# its default, 32 (Wine's is 4).
qx_board_bench en 1280x768 '"MiddleButon"=dword:00000001' '"DblClickInterval"=dword:000002bc'
pen_driver_start
qx_expect_match "the driver's double-click area and time" 'dblclk_w=32 dblclk_h=32 dblclk_time=700' "$(qx_metrics)"
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
pen_expect_names "one click" "ldown lup"
qx_expect_eq "the click's place" "ldown 300 500|lup 300 500" "$(pen_event 1)|$(pen_event 2)"
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
pen_expect_names "one right click" "rdown rup"
qx_expect_eq "the right click's place" "rdown 900 150|rup 900 150" "$(pen_event 1)|$(pen_event 2)"
pen_expect_released "after the right click"

qx_case "the small button: a middle click where the cursor is"
pen_send "hover 1100 150" "small"
pen_expect_names "one middle click" "mdown mup"
qx_expect_eq "the middle click's place" "mdown 1100 150|mup 1100 150" "$(pen_event 1)|$(pen_event 2)"
pen_expect_released "after the small button, which does not move the cursor" 1100 150

qx_case "a touch 10 ms after a hover elsewhere clicks where it touched"
pen_send "hover 300 300" "sleep 10" "left 500 400" "release"
pen_expect_names "one click" "ldown lup"
qx_expect_eq "the click's place" "ldown 500 400|lup 500 400" "$(pen_event 1)|$(pen_event 2)"
pen_expect_released "after the touch" 500 400

qx_case "reception that ends on its own lets go of a held button"
# Wine keeps a wait on a vanished pty pending, so the receive thread's own
# notice of its end is posted here instead (WM_APP + 1).
pen_send "left 700 650"
pen_expect_buttons "while the tip touches" 1 0 0 1
qx_probe post 0x8001 || qx_fail "post: $QX_OUT"
qx_probe diag button --equals 0 || qx_fail "the driver still holds its button: $QX_OUT"
pen_send
pen_expect_released "after the link ended"
qx_expect_eq "no box" 0 "$(qx_boxes)"
pen_send "release"

qx_case "the tip held down keeps the button down until the release"
pen_send "left 200 650"
pen_expect_names "button down" "ldown"
pen_expect_buttons "while the tip touches" 1 0 0 1
pen_send "release"
pen_expect_names "button up" "lup"
pen_expect_released "after the release"
qx_finish
