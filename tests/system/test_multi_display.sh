#!/usr/bin/env bash
# The panel on a desktop of two displays: the primary 1280x768 at 0,0 and
# \\.\DISPLAY2 1024x768 at 1280,0. Without "PanelDisplay" the pen maps to the
# primary; naming the second display (and the main window told so) moves the
# pen, the cross screen, the calibration and the menu's resolution there; a
# named display that is gone gives one box and the primary.
. "$(dirname "$0")/lib/harness.sh"
qx_begin multi_display
qx_prefix en
qx_pensim_start
# Notice off: a size calibrated before is applied without a question. 1024 x
# 768 holds the 4 : 3 preset of PX-A100, 1280 x 768 the identity.
K='HKEY_CURRENT_USER\SOFTWARE\NORVANE\QXdrv1.2'
qx_reg_preload '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]' "\"COM1\"=\"$QX_PEN_SLAVE\"" \
    "[HKEY_CURRENT_USER\\$QX_SETTINGS_KEY]" '"UsePort"="COM1:"' '"QXMachine"=dword:00000064' \
    "[$K\\1280_768]" '"CalibRatioX"="1.0"' '"CalibRatioY"="1.0"' \
    "[$K\\1024_768]" '"CalibRatioX"="0.8"' '"CalibRatioY"="1.0"'
qx_two_displays
qx_wineserver

WM_PANELDISPLAYCHANGED=0x8002
SELECT="Select Calibration"
# panel NAME RECT: the setting names NAME, the main window is told, and it
# moves to RECT ("left,top,right,bottom"), the panel's place.
panel() {
    qx_setting HKCU PanelDisplay REG_SZ "$1"
    qx_probe post "$WM_PANELDISPLAYCHANGED" >/dev/null || qx_fail "cannot post to the main window: $QX_OUT"
    qx_wait "the main window at $2" 10 main_at "$2"
}
main_at() { qx_probe windows --class QXdrvTrayWnd && grep -q "rect=$1 " <<<"$QX_OUT"; }
# clicked_at DESC X Y: the tap of the case pressed the left button there.
clicked_at() { qx_expect_eq "$1" "ldown $2 $3" "$(grep -m1 '^ldown ' <<<"$PEN_EVENTS")"; }
shown() { qx_probe windows --class QXdrvTrayWnd && grep -q "visible=1" <<<"$QX_OUT"; }

qx_driver_receiving
DRIVER=$QX_DRIVER_PID
MAIN=$(qx_main_hwnd)
pen_scribble_start

qx_case "no PanelDisplay: the board's centre clicks at the primary's centre"
qx_expect_eq "the main window covers the primary" 0 "$(main_at 0,0,1280,768; echo $?)"
pen_send "tap 640 384" && clicked_at "click on the primary" 640 384

qx_case "PanelDisplay names the second display: the centre clicks at its centre"
panel '\\.\DISPLAY2' 1280,0,2304,768 || qx_fatal "the main window stayed: $QX_OUT"
pen_send "tap 640 384" && clicked_at "click by its 4 : 3 calibration" 1792 384
qx_no_box_for 500 "a size calibrated before asks nothing"

qx_case "Current Resolution names the panel's size"
qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-watch --notify left --close || qx_fail "no menu read: $QX_OUT"
qx_expect_match "the menu's first entry" "^57671 $(qx_en IDS_MENU_RESOLUTION)  1024 X 768( @[0-9]+Hz)?\$" \
    "$(grep -m1 '^57671 ' <<<"$QX_OUT")"

qx_case "the test chart covers the second display and names its size"
chart_at() { qx_probe windows --class '#32770' --visible && CHART=$(qx_field hwnd "$(grep ' rect=1280,0,2304,768 ' <<<"$QX_OUT")") && [ -n "$CHART" ]; }
qx_command 57685 && qx_dialog "Test Mode (PX-A100)" || qx_fatal "no Test Mode: $QX_OUT"
TEST_MODE=$QX_DIALOG
qx_probe press 1065 --hwnd "$TEST_MODE" --any-caption --no-wait >/dev/null  # Test Chart
qx_wait "the chart on the second display" 10 chart_at && qx_controls "$CHART" &&
    qx_expect_match "its mode line" "text=$(qx_en IDS_CHART_OUTPUT)  1024 X 768( @[0-9]+Hz)?\$" "$(qx_control 1050)"
qx_screenshot chart-second
qx_probe keys --vk 27 >/dev/null  # Esc ends it
qx_wait "the chart ended" 10 eval '! chart_at'
qx_probe press cancel --hwnd "$TEST_MODE" --any-caption --no-wait >/dev/null

qx_case "Detail-1 on the second display: its crosses, and a stroke by the result"
pen_scribble_stop
qx_probe keys --key C >/dev/null && qx_dialog "$SELECT" || qx_fatal "no selection dialog: $QX_OUT"
qx_probe press 1015 --caption "$SELECT" --no-wait >/dev/null  # Detail Setting
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fatal "OK did not close the dialog: $QX_OUT"
qx_wait "the cross screen" 10 shown || qx_fatal "no cross screen"
qx_expect_match "it covers the second display" 'visible=1 topmost=1 rect=1280,0,2304,768 ' "$QX_OUT"
qx_screenshot cross-screen-second
for at in "20 20" "20 740" "1000 740" "1000 20"; do qx_pen "tap $at"; done
qx_answer "$(qx_en IDS_CALIB_CONFIRM_QUESTION)" yes
qx_wait "the cross screen hidden" 10 eval '! shown'
# As on a single 1024 x 768 display: X 992 / 980 and 20 x 992 / 980 - 16,
# Y 736 / 720 and 20 x 736 / 720 - 16.
qx_expect_eq "stored for 1024 x 768" "1.012245 1.022222 4.244898 4.444444 " "$(qx_calib 1024_768)"
# 600 x 1.012245 - 4.244898 = 603.1, 300 x 1.022222 - 4.444444 = 302.2, from 1280,0.
qx_expect_eq "a hover lands by it on the second display" "1883 302" "$(qx_hover 600 300)"

qx_case "a named display that is gone: one box, the pen on the primary"
qx_setting HKCU PanelDisplay REG_SZ '\\.\DISPLAY3'
qx_probe post "$WM_PANELDISPLAYCHANGED" >/dev/null
qx_expect_box "the gone display named" "$(qx_en IDS_PANEL_DISPLAY_GONE '\\\\.\\DISPLAY3')"
qx_box_owned_by "the gone display's box" "$MAIN"
qx_screenshot display-gone
qx_probe press ok >/dev/null || qx_fail "OK did not close the box: $QX_OUT"
qx_wait "the main window back on the primary" 10 main_at 0,0,1280,768
qx_expect_eq "a hover lands on the primary" "600 300" "$(qx_hover 600 300)"
qx_probe post "$WM_PANELDISPLAYCHANGED" >/dev/null
qx_no_box_for 1500 "not told again while it stays gone"

qx_stop_driver "$DRIVER"
qx_finish
