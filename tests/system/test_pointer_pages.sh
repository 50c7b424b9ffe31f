#!/bin/bash
# The pointer pages of the "Properties" sheet, through the real sheet, with
# the user's own metrics set before the start. Double-click area: 32 with
# absent settings and a red circle 32 pixels across; 7 typed and the edit
# left asks for 8 to 64 and shows 8; the slider moves the edit. Speed: 800
# (500 ms) with absent settings; two releases 400 ms apart on the target
# set 900; a fast pair on the test picture plays the animation. OK applies
# both to the system at once (the other-setup page, never shown, stores
# nothing), and the pen's taps in a window of another program follow the
# new time. Other setup: all off with absent settings, the range group
# without tick marks; the small button and the HTML option with Yes take
# effect on OK (60021); clearing the option changes the system only with
# OK, which puts the user's own drag threshold back, and Cancel leaves the
# range in force. An invalid area left with Esc or Cancel shows no box.
# After Exit the user's own metrics are back. The Japanese pages are in test_japanese.sh.
. "$(dirname "$0")/lib/harness.sh"
qx_begin pointer_pages
props_bench en
VK_TAB=9

qx_probe set-metrics --dblclk-w 6 --dblclk-h 8 --dblclk-time 700 --drag-w 3 --drag-h 5 ||
    qx_fatal "cannot set the user's metrics: $QX_OUT"
USER_METRICS='metrics dblclk_w=6 dblclk_h=8 dblclk_time=700 drag_w=3 drag_h=5'
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

# open_page INDEX ID: the sheet opened from the menu at page INDEX, whose
# control ID shows.
open_page() { props_open && props_page "$1" "$2" || qx_fatal "no sheet at page $1: $QX_OUT"; }
slider() { printf '%s %s %s\n' "$(props_field "$1" pos)" "$(props_field "$1" "$2")" "$(props_field "$1" "$3")"; }

qx_case "area page: 32 with absent settings, a circle 32 pixels across"
open_page 1 "$IDC_AREA_EDIT"
qx_expect_eq "edit" 32 "$(props_field $IDC_AREA_EDIT text)"
qx_expect_eq "slider" "32 8 64" "$(slider $IDC_PAGE_SLIDER min max)"
circle() { qx_screenshot area-en >/dev/null && props_pixels area-en "$IDC_AREA_PICTURE" '#FF0000'; }
qx_wait "the red circle" 5 eval 'test "$(circle | cut -d" " -f1)" -gt 50' || qx_fail "no circle drawn"
qx_expect_match "the circle 32 pixels across" '^3[23]$' "$(circle | cut -d' ' -f2)"

qx_case "typing 7 and leaving the edit: the range message, then 8"
props_tap $IDC_AREA_EDIT
props_type $IDC_AREA_EDIT 7
qx_probe keys --vk $VK_TAB >/dev/null
qx_answer "$(qx_en IDS_ENTER_INTEGER_RANGE 8 | sed 's/%2/64/')" ok
props_wait_field $IDC_AREA_EDIT text 8 || qx_fail "the edit does not show 8"
qx_expect_eq "slider forced" 8 "$(props_field $IDC_PAGE_SLIDER pos)"

qx_case "the slider moved to 40: the edit follows"
props_slide $IDC_PAGE_SLIDER 40
props_wait_field $IDC_AREA_EDIT text 40 || qx_fail "the edit does not follow the slider"

qx_case "speed page: 800 with absent settings; two releases 400 ms apart on the target set 900"
props_page 2 "$IDC_SPEED_TARGET" || qx_fatal "no speed page: $QX_OUT"
qx_expect_eq "slider" "800 300 1000" "$(slider $IDC_PAGE_SLIDER min max)"
qx_screenshot speed-en
props_tap $IDC_SPEED_TARGET --count 2 --gap-ms 400
qx_wait "the slider moved" 5 eval 'props_read && test "$(props_field $IDC_PAGE_SLIDER pos)" != 800'
POS=$(props_field $IDC_PAGE_SLIDER pos)
# The page times the releases as it handles them: a few ms early at most, but
# on a loaded machine the second release can reach it up to ~90 ms late, which
# only lowers the position.
qx_expect_eq "slider at $POS after a 400 ms pair: 810 to 910" 1 "$((POS >= 810 && POS <= 910))"

qx_case "a fast pair on the test picture plays the animation"
qx_screenshot anim-before
qx_expect_eq "the first frame shows no letters" 0 "$(props_pixels anim-before $IDC_SPEED_ANIMATION '#0000A0' | cut -d' ' -f1)"
props_tap $IDC_SPEED_ANIMATION --count 2 --gap-ms 150
letters() { qx_screenshot anim-after >/dev/null && props_pixels anim-after $IDC_SPEED_ANIMATION '#0000A0' | cut -d' ' -f1; }
qx_wait "the ball opened on OK" 5 eval 'test "$(letters)" -gt 20' || qx_fail "the animation did not play"

qx_case "OK applies area and time at once; the page never shown stores nothing"
props_press ok || qx_fail "OK did not close the sheet"
INTERVAL=$((1300 - POS))
qx_expect_eq "metrics" "metrics dblclk_w=40 dblclk_h=40 dblclk_time=$INTERVAL drag_w=3 drag_h=5" "$(qx_metrics)"
qx_expect_eq "DblClick, DblClickInterval" "40 $INTERVAL" "$(qx_value HKCU DblClick) $(qx_value HKCU DblClickInterval)"
qx_expect_eq "no SingleClickType" "" "$(qx_value HKCU SingleClickType)"

qx_case "the pen's taps in another program follow the new double-click time"
pen_scribble_start
pen_send "tap 300 300" "sleep 450" "tap 300 300"
pen_expect_names "450 ms apart: two clicks" "ldown lup ldown lup"
pen_send "tap 700 300" "sleep 350" "tap 700 300"
pen_expect_names "350 ms apart: a double-click" "ldown lup ldbl lup"

qx_case "other setup: all off, the range group disabled without tick marks"
open_page 3 "$IDC_MIDDLE_BUTTON"
qx_screenshot other-en
qx_expect_eq "the three boxes" "0 0 0" \
    "$(props_field $IDC_MIDDLE_BUTTON checked) $(props_field $IDC_CALIB_NOTICE checked) $(props_field $IDC_HTML_ENABLE checked)"
qx_expect_eq "range slider: position, enabled, ticks at the ends only" "16 0 2" "$(slider $IDC_RANGE_SLIDER enabled tics)"

qx_case "the small button and the HTML option with Yes take effect on OK"
props_press $IDC_MIDDLE_BUTTON --click --no-wait
props_press $IDC_HTML_ENABLE --click --no-wait
qx_box >/dev/null || qx_fatal "no question for the HTML option: $QX_OUT"
qx_box_owned_by "60104" "$PROPS_HWND"
# A click on OK behind the question must not close the sheet with the option
# half chosen.
qx_probe tap --id 1 --hwnd "$PROPS_HWND" --any-caption >/dev/null || qx_fail "cannot click OK behind the box: $QX_OUT"
qx_answer "$(qx_en IDS_HTML_QUESTION)" yes
props_open_still || qx_fail "the click on OK behind the question closed the sheet"
props_wait_field $IDC_RANGE_SLIDER enabled 1 || qx_fail "the range group stayed disabled"
qx_expect_eq "tick marks every 4" 7 "$(props_field $IDC_RANGE_SLIDER tics)"
props_slide $IDC_RANGE_SLIDER 20
qx_expect_eq "drag threshold untouched before OK" "drag_w=3 drag_h=5" "$(qx_metrics | grep -o 'drag_w.*')"
props_press ok --no-wait
qx_answer "$(qx_en IDS_HTML_NEXT_START)" ok
props_gone || qx_fail "the sheet stayed open"
qx_expect_eq "drag threshold" "drag_w=20 drag_h=20" "$(qx_metrics | grep -o 'drag_w.*')"
qx_expect_eq "stored" "1 20 1" \
    "$(qx_value HKCU SingleClickType) $(qx_value HKCU SingleClick) $(qx_value HKCU MiddleButon)"
pen_send "hover 1100 150" "small"
pen_expect_names "the small button: a middle click" "mdown mup"

qx_case "clearing the HTML option changes nothing before OK; Cancel keeps the range"
open_page 3 "$IDC_HTML_ENABLE"
qx_expect_eq "option on" 1 "$(props_field $IDC_HTML_ENABLE checked)"
props_press $IDC_HTML_ENABLE --click --no-wait
props_wait_field $IDC_HTML_ENABLE checked 0 || qx_fail "the option stayed set"
qx_expect_eq "no question when clearing" 0 "$(qx_boxes)"
qx_expect_eq "the range still in force while the sheet is open" "drag_w=20 drag_h=20" \
    "$(qx_metrics | grep -o 'drag_w.*')"
props_press cancel || qx_fail "Cancel did not close the sheet"
qx_expect_eq "the range still in force after Cancel" "drag_w=20 drag_h=20" "$(qx_metrics | grep -o 'drag_w.*')"
qx_expect_eq "the option stays stored" 1 "$(qx_value HKCU SingleClickType)"

qx_case "the HTML option cleared with OK: the user's own drag threshold again"
open_page 3 "$IDC_HTML_ENABLE"
props_press $IDC_HTML_ENABLE --click --no-wait
props_wait_field $IDC_HTML_ENABLE checked 0 || qx_fail "the option stayed set"
props_press ok || qx_fail "OK did not close the sheet"
qx_expect_eq "no box" 0 "$(qx_boxes)"
qx_expect_eq "the threshold from before the start" "drag_w=3 drag_h=5" "$(qx_metrics | grep -o 'drag_w.*')"
qx_expect_eq "option off, range kept" "0 20" "$(qx_value HKCU SingleClickType) $(qx_value HKCU SingleClick)"

qx_case "an invalid area left with Esc or Cancel: no message, nothing stored"
# no_box_while_closing HOW: 7 typed into the area edit, the sheet left by
# HOW (a command), no box all the while, the sheet gone.
no_box_while_closing() {
    open_page 1 "$IDC_AREA_EDIT"
    props_tap $IDC_AREA_EDIT
    props_type $IDC_AREA_EDIT 7
    "$@"
    qx_no_box_for 1000 "no box after $*"
    props_gone || qx_fail "the sheet stayed open after $*"
}
no_box_while_closing qx_probe keys --vk 27
no_box_while_closing props_tap 2
qx_expect_eq "the area stored before" 40 "$(qx_value HKCU DblClick)"

qx_case "after Exit the user's own metrics are back"
pen_scribble_stop
qx_stop_driver "$DRIVER" || qx_fatal "driver did not end"
qx_expect_eq "metrics" "$USER_METRICS" "$(qx_metrics)"
qx_finish
