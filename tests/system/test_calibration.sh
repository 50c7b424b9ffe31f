#!/bin/bash
# Calibration as a user does it on PX-A100 at 1024 x 768: Ctrl + Shift + C
# typed opens "Select Calibration"; Easy Setting FULL with Apply stores the
# preset and the screen mode, OK names the mode; Detail-1 turns the main
# window into the full-screen cross screen, takes four pen touches (one in the
# wrong quadrant first) and a confirming tap while the question is open, and
# the pen then lands where the new calibration says; Esc leaves it without
# storing anything; the hotkey dialog leaves out a key another program holds
# and moves the hotkey to another letter; PX-B200 names its own third mode;
# and at 1280 x 1024 Detail-2 takes the visible rows from two mouse clicks.
. "$(dirname "$0")/lib/harness.sh"
qx_begin calibration
# Xvfb starts at its largest size; 1024 x 768 is an added mode.
qx_board_bench en 1280x1024 '"QXMachine"=dword:00000064'
qx_add_modes "1024x768_60 63.50 1024 1072 1176 1328 768 771 775 798"
qx_mode 1024 768
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

SELECT="Select Calibration"
HOTKEY_DIALOG="Hotkey for Select Calibration Dialog"
WM_CHAR=0x0102
IDC_METHOD_DETAIL=1015
IDC_DETAIL2=1023
IDC_HOTKEY_TEXT=1032
IDC_HOTKEY_LIST=1049
IDC_APPLY=3

control() { qx_control "$1"; }
read_select() { qx_dialog "$SELECT" && qx_controls; }
open_select() { qx_probe keys --key "$1" >/dev/null && read_select; }  # KEY: typed as a user does
tap() { qx_pen "tap $1 $2"; }
screen_window() { qx_probe windows --class QXdrvTrayWnd && printf '%s\n' "$QX_OUT"; }

qx_case "Ctrl + Shift + C opens Select Calibration"
open_select C || qx_fatal "no selection dialog after Ctrl + Shift + C: $QX_OUT"
qx_screenshot select-a100
qx_expect_match "Easy Setting chosen" 'checked=1 text=Easy Setting' "$(control 1014)"
qx_expect_match "FULL chosen, available" 'enabled=1 .*checked=1 text=FULL' "$(control 1019)"
qx_expect_match "4 : 3 does not suit 1024 x 768" 'enabled=0 ' "$(control 1018)"
qx_expect_match "the model's third mode" 'enabled=1 .*text=ORIGINAL$' "$(control 1017)"
qx_expect_match "Detail part off" 'enabled=0 ' "$(control 1022)"
qx_expect_match "the resolution" 'text=1024 x 768 pixels$' "$(control 1031)"
qx_expect_match "the hotkey" 'text=Ctrl \+ Shift \+ C$' "$(control 1032)"

qx_case "Easy Setting FULL, Apply: the preset is stored, the dialog stays"
qx_probe press "$IDC_APPLY" --caption "$SELECT" --no-wait >/dev/null
qx_wait "the FULL preset of PX-A100 at 1024 x 768 stored" 10 \
    eval '[ "$(qx_calib 1024_768)" = "0.799000 0.999000 -1.000000 -5.000000 " ]' || qx_fail "stored: $(qx_calib 1024_768)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the dialog is still open" 1 "$(qx_count --caption "$SELECT" --visible)"

qx_case "OK names the mode"
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fail "OK did not close the dialog: $QX_OUT"
qx_box || qx_fatal "no notice after OK: $QX_OUT"
qx_expect_eq "notice" "$(qx_en IDS_MODE_SELECTED FULL)" "$QX_BOX_TEXT"
qx_probe press ok >/dev/null
qx_probe diag busy --equals 0 >/dev/null || qx_fail "busy after the selection: $QX_OUT"

start_detail1() {
    open_select C || return 1
    qx_probe press "$IDC_METHOD_DETAIL" --caption "$SELECT" --no-wait >/dev/null
    qx_probe press ok --caption "$SELECT" >/dev/null || return 1
    qx_wait "the cross screen" 10 eval 'screen_window | grep -q "visible=1"'
}

qx_case "Detail-1: four touches and a confirming tap while the question is open"
start_detail1 || qx_fatal "no cross screen: $QX_OUT"
qx_expect_match "the main window, full-screen and top-most" 'visible=1 topmost=1 rect=0,0,1024,768 ' "$(screen_window)"
qx_expect_eq "cursor hidden" 0 "$(qx_cursor_shown)"
qx_screenshot cross-screen
tap 700 100  # the top-left cross wants X < 640: ignored
tap 20 20
tap 20 740
tap 1000 740
tap 1000 20
qx_box || qx_fatal "no confirmation after four touches: $QX_OUT"
qx_expect_eq "confirmation" "$(qx_en IDS_CALIB_CONFIRM_QUESTION)" "$QX_BOX_TEXT"
qx_screenshot cross-confirm
tap 500 400  # the pen answers while the box is open
qx_probe wait-window --class '#32770' --caption QXdrv --gone >/dev/null || qx_fail "the question stayed open"
qx_wait "the screen hidden" 10 eval 'screen_window | grep -q "visible=0"'
qx_expect_eq "cursor shown again" 1 "$(qx_cursor_shown)"
# Per axis the mean board position of each side maps 16 pixels from the edge:
# X 992 / 980 and 20 x 992 / 980 - 16, Y 736 / 720 and 20 x 736 / 720 - 16.
qx_expect_eq "stored calibration" "1.012245 1.022222 4.244898 4.444444 " "$(qx_calib 1024_768)"
# 600 x 1.012245 - 4.244898 = 603.1, 300 x 1.022222 - 4.444444 = 302.2
qx_expect_eq "a hover lands by the new calibration" "603 302" "$(qx_hover 600 300)"

qx_case "Detail-1 left with Esc and Yes stores nothing"
BEFORE=$(qx_calib 1024_768)
start_detail1 || qx_fatal "no cross screen: $QX_OUT"
tap 20 20
qx_probe post "$WM_CHAR" 27 >/dev/null
qx_box || qx_fatal "no question after Esc: $QX_OUT"
qx_expect_eq "Esc question" "$(qx_en IDS_CALIB_EXIT_QUESTION)" "$QX_BOX_TEXT"
qx_probe press yes >/dev/null
qx_wait "the screen hidden" 10 eval 'screen_window | grep -q "visible=0"'
qx_expect_eq "cursor shown again" 1 "$(qx_cursor_shown)"
qx_expect_eq "calibration unchanged" "$BEFORE" "$(qx_calib 1024_768)"

qx_case "the hotkey dialog: a held key is left out, a new key takes over"
qx_probe_bg "$QX_TMP/holder.out" hold-hotkey --key K
qx_wait_line "$QX_TMP/holder.out" '^held' 15 || qx_fatal "no other program holds Ctrl + Shift + K"
open_select C || qx_fatal "no selection dialog: $QX_OUT"
qx_probe press "$IDC_HOTKEY_TEXT" --caption "$SELECT" --no-wait >/dev/null
qx_probe wait-window --caption "$HOTKEY_DIALOG" --visible >/dev/null || qx_fatal "no hotkey dialog: $QX_OUT"
qx_probe controls --caption "$HOTKEY_DIALOG"
ITEMS=$(printf '%s\n' "$QX_OUT" | sed -n "s/^control id=$IDC_HOTKEY_LIST .* items=\\([^ ]*\\) .*/\\1/p")
qx_expect_eq "keys offered, in order, without K" \
    "0,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F,G,H,I,J,L,M,N,O,P,Q,R,S,T,U,V,W,X,Y,Z" "$ITEMS"
qx_expect_match "the current key chosen" "id=$IDC_HOTKEY_LIST .* text=C\$" "$QX_OUT"
qx_screenshot hotkey-dialog
qx_probe select --id "$IDC_HOTKEY_LIST" H --caption "$HOTKEY_DIALOG" >/dev/null || qx_fail "cannot choose H: $QX_OUT"
qx_probe press ok --caption "$HOTKEY_DIALOG" --no-wait >/dev/null
qx_box || qx_fatal "no notice for the new hotkey: $QX_OUT"
qx_expect_eq "notice" "$(qx_en IDS_HOTKEY_CHANGED 'Ctrl + Shift + H')" "$QX_BOX_TEXT"
qx_probe press ok >/dev/null
read_select
qx_expect_match "the new hotkey shown" 'text=Ctrl \+ Shift \+ H$' "$(control 1032)"
qx_probe press cancel --caption "$SELECT" >/dev/null
qx_expect_eq "CalibShortKey" H "$(qx_value HKCU CalibShortKey)"
open_select H || qx_fail "Ctrl + Shift + H does not open the dialog: $QX_OUT"
qx_probe press cancel --caption "$SELECT" >/dev/null
qx_probe keys --key C >/dev/null
qx_probe --timeout 1500 wait-window --caption "$SELECT" --visible >/dev/null &&
    qx_fail "Ctrl + Shift + C still opens the dialog"

qx_case "PX-B200 names its own third mode"
qx_setting HKCU QXMachine REG_DWORD 200
open_select H || qx_fatal "no selection dialog: $QX_OUT"
qx_screenshot select-b200
qx_expect_match "third mode" 'text=DOT BY DOT$' "$(control 1017)"
qx_expect_match "Detail-2 note" "text=$(qx_en IDS_D2_NOTE_B200_3)\$" "$(control 1052)"
qx_expect_match "only the third mode suits 1024 x 768, and is chosen" 'enabled=1 .*checked=1 ' "$(control 1017)"
qx_probe press cancel --caption "$SELECT" >/dev/null

qx_case "Detail-2 at 1280 x 1024: the rows of two clicks"
qx_setting HKCU QXMachine REG_DWORD 100
qx_mode 1280 1024 0
open_select H || qx_fatal "no selection dialog: $QX_OUT"
qx_probe press "$IDC_METHOD_DETAIL" --caption "$SELECT" --no-wait >/dev/null
qx_probe press "$IDC_DETAIL2" --caption "$SELECT" --click --no-wait >/dev/null
read_select
qx_expect_match "Detail-2 offered and chosen" 'enabled=1 .*checked=1 text=Detail-2$' "$(control 1023)"
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fatal "OK did not close the dialog: $QX_OUT"
qx_box || qx_fatal "no question before Detail-2: $QX_OUT"
qx_expect_eq "adjust first?" "$(qx_en IDS_EDGE_ADJUST_QUESTION)" "$QX_BOX_TEXT"
qx_probe press no >/dev/null
qx_wait "the Detail-2 screen" 10 eval 'qx_probe windows --class "#32770" --visible && grep -q "rect=0,0,1280,1024 " <<<"$QX_OUT"'
xdotool mousemove 640 128 click 1
qx_wait "the bottom step" 5 eval 'qx_probe state && grep -q "^cursor 640 160" <<<"$QX_OUT"'
qx_screenshot detail2-screen
xdotool mousemove 640 895 click 1
qx_box || qx_fatal "no question after two clicks: $QX_OUT"
qx_expect_eq "apply?" "$(qx_en IDS_EDGE_APPLY_QUESTION)" "$QX_BOX_TEXT"
qx_probe press yes >/dev/null
qx_wait "FULL across, the clicked rows down" 10 \
    eval '[ "$(qx_calib 1280_1024)" = "0.998000 1.000000 -2.000000 -128.000000 " ]' || qx_fail "stored: $(qx_calib 1280_1024)"

qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_finish
