#!/bin/bash
# The pen as a mouse, seen by a window of another program: a stroke drags with
# the left button, a tap is one click, two taps make a double-click only inside
# the double-click area and time the driver set, the big button gives a right
# click and the small button a middle click, and no button stays down in the
# system once the pen is released. The display runs at 1280 x 768 without a
# stored calibration, so board positions are screen positions.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/pen_harness.sh"
qx_begin pen_clicks
pen_begin
qx_prefix en
qx_display 1280x768
qx_wineserver
qx_pensim_start
# A double-click time of 700 ms (0x2bc), unlike Wine's own 500 ms, so that a
# double-click 600 ms apart shows the driver's time at work; the area keeps
# its default, 32 (Wine's is 4).
pen_com1_and_settings '"MiddleButon"=dword:00000001' '"DblClickInterval"=dword:000002bc'
pen_driver_start
qx_expect_match "the driver's double-click area and time" 'dblclk_w=32 dblclk_h=32 dblclk_time=700' "$(qx_metrics)"
pen_scribble_start

# Every case works at its own place, far from the others, so that no two
# cases' clicks can pair into a double-click. Where a case puts the pen down
# twice, the pen is in the air for a moment in between, as with a hand: a
# press within 20 ms of the last cursor move lands where the cursor already is.

qx_case "a stroke drags with the left button"
pen_stroke_commands 100 100 600 350 20 40
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

qx_case "two taps 100 px apart: two clicks"
pen_send "tap 700 500" "sleep 100" "tap 800 500"
pen_expect_names "two single clicks" "ldown lup ldown lup"
qx_expect_eq "the second click's place" "ldown 800 500" "$(pen_event 3)"
pen_expect_released "after two distant taps"

qx_case "two taps 600 ms apart, inside the 700 ms time: a double-click"
pen_send "tap 1000 500" "sleep 600" "tap 1000 500"
pen_expect_names "click, then double-click" "ldown lup ldbl lup"
pen_expect_released "after the slow double-click"

qx_case "two taps 900 ms apart, beyond the 700 ms time: two clicks"
pen_send "tap 1200 500" "sleep 900" "tap 1200 500"
pen_expect_names "two single clicks" "ldown lup ldown lup"
pen_expect_released "after two late taps"

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

qx_case "a middle report: a middle click"
pen_send "middle 1150 650" "release"
pen_expect_names "one middle click" "mdown mup"
qx_expect_eq "the middle click's place" "mdown 1150 650" "$(pen_event 1)"
pen_expect_released "after the middle report"

qx_case "the tip held down keeps the button down until the release"
pen_send "left 200 650"
pen_expect_names "button down" "ldown"
pen_expect_buttons "while the tip touches" 1 0 0 1
pen_send "release"
pen_expect_names "button up" "lup"
pen_expect_released "after the release"

qx_case "a hover report lifts the held button, then moves"
pen_send "left 400 700" "sleep 60" "hover 450 720"
pen_expect_names "click" "ldown lup"
qx_expect_eq "the button goes up where it went down" "lup 400 700" "$(pen_event 2)"
pen_expect_released "after the hover" 450 720

qx_case "the big button while the tip touches: left up, then right down"
pen_send "left 600 650" "sleep 60" "right 640 650" "release"
pen_expect_names "left click, then right click" "ldown lup rdown rup"
qx_expect_eq "the right button goes down at the new place" "rdown 640 650" "$(pen_event 3)"
pen_expect_released "after switching buttons"

qx_finish
