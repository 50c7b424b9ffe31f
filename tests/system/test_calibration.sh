#!/bin/bash
# Calibration and the resolution change, on PX-A100 with the notice on, one
# driver for all but the last case. Select Calibration: Ctrl + Shift + C typed
# opens it; a stored OSDmode of -1 chooses an enabled mode; Apply stores the
# preset and keeps the dialog, OK names the mode; the hotkey dialog leaves out
# a key another program holds and moves the hotkey; PX-B200 names its own
# third mode. Detail-1 turns the main window into the full-screen cross
# screen, takes four pen touches (one in the wrong quadrant first) and a
# confirming tap while the question is open; Esc leaves it without storing; a
# second Calibration meanwhile starts nothing. Detail-2 takes the visible rows
# from two clicks, refuses too few, and Enter does not end it. A box is owned
# by the window it belongs to (the window behind disabled, a click on it does
# nothing). The resolution change made by another program (every window gets
# WM_DISPLAYCHANGE): a size with a preset asks naming its first mode and No
# applies that preset; a size without one, never calibrated, asks and No
# applies FULL of the nearest row; calibrated before, it asks to readjust and
# No keeps the values; back at the size last applied nothing is asked; while
# a window titled "Display Properties" is open nothing is asked and the pen
# still moves; with the notice off a calibrated size is taken silently;
# PX-B200 names DOT BY DOT. Yes opens Select Calibration, where the menu
# offers neither Calibration nor Properties and Cancel leaves the pen
# calibrated for the new size. A change that comes while a question, a dialog
# or Detail-1 is open waits and is judged against the size last applied; the
# close message, or Exit, while a question is open stores nothing.
. "$(dirname "$0")/lib/harness.sh"
qx_begin calibration
# Xvfb starts at its largest size (its first mode reports 0 Hz); the others
# are added modes. OSDmode -1 is what No stores at a size without a preset.
qx_board_bench en 1920x1080 '"QXMachine"=dword:00000064' '"CalibDisp"=dword:00000001' \
    '"OSDmode"=dword:ffffffff'
qx_add_modes "1280x1024_60 108.00 1280 1328 1440 1688 1024 1025 1028 1066" \
    "1280x768_60 79.50 1280 1344 1472 1664 768 771 778 798" \
    "1024x768_60 63.50 1024 1072 1176 1328 768 771 775 798" \
    "800x600_60 40.00 800 840 968 1056 600 601 605 628" \
    "1440x900_60 106.50 1440 1528 1672 1904 900 903 909 934"

SELECT="Select Calibration"
HOTKEY_DIALOG="Hotkey for Select Calibration Dialog"
IDC_METHOD_DETAIL=1015
IDC_DETAIL2=1023
IDC_HOTKEY_TEXT=1032
IDC_HOTKEY_LIST=1049
IDC_EDGE_PANEL=1022
IDC_EDGE_TEXT_ESC=1051
VK_RETURN=13
VK_ESCAPE=27
WM_CHAR=0x0102
FULL_1024="0.799000 0.999000 -1.000000 -5.000000 "
FULL_800="0.624000 0.779000 -2.000000 -5.000000 "
NEAREST_1920="1.250000 1.333000 0.000000 0.000000 "
EXIT_CALIBRATION=$(qx_en IDS_CALIB_EXIT_QUESTION)

# open_select [KEY]: Ctrl + Shift + KEY (default C) typed as a user does;
# read_select: the selection dialog's controls (qx_control ID).
read_select() { qx_dialog "$SELECT" && qx_controls; }
open_select() { qx_probe keys --key "${1:-C}" >/dev/null && read_select; }
select_press() { qx_probe press "$@" --caption "$SELECT" >/dev/null; }
select_ok() { select_press ok || qx_fatal "OK did not close the dialog: $QX_OUT"; }
screen_shown() { qx_probe windows --class QXdrvTrayWnd && grep -q "visible=1" <<<"$QX_OUT"; }
tap() { qx_pen "tap $1 $2"; }
# detail1: Detail Setting and OK in the open dialog; the cross screen shows.
detail1() { select_press "$IDC_METHOD_DETAIL" --no-wait; select_ok; qx_wait "the cross screen" 10 screen_shown; }
# detail2: Detail-2 chosen and OK in the open dialog at 1280 x 1024, its
# question answered No; EDGE is the full-screen Detail-2 window.
detail2() {
    select_press "$IDC_METHOD_DETAIL" --no-wait
    select_press "$IDC_DETAIL2" --click --no-wait
    read_select
    qx_expect_match "Detail-2 offered and chosen" 'enabled=1 .*checked=1 text=Detail-2$' "$(qx_control 1023)"
    select_ok
    qx_answer "$(qx_en IDS_EDGE_ADJUST_QUESTION)" no
    qx_wait "the Detail-2 screen" 10 eval 'qx_probe windows --class "#32770" --visible && grep -q "rect=0,0,1280,1024 " <<<"$QX_OUT"'
    EDGE=$(qx_field hwnd "$(grep -m1 'rect=0,0,1280,1024 ' <<<"$QX_OUT")")
}
# calibrated DESC: the cross screen gone and the cursor shown again.
calibrated() { qx_wait "$1: the screen hidden" 10 eval '! screen_shown'; qx_expect_eq "$1: cursor shown" 1 "$(qx_cursor_shown)"; }

qx_mode 1280 1024
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
MAIN=$(qx_main_hwnd)

qx_case "a stored OSDmode of -1 at 1280 x 1024: FULL chosen, not the greyed third mode; Apply stores, OK names it"
open_select || qx_fatal "no selection dialog after Ctrl + Shift + C: $QX_OUT"
qx_expect_match "FULL enabled and chosen" 'enabled=1 .*checked=1 text=FULL$' "$(qx_control 1019)"
qx_expect_match "ORIGINAL greyed and not chosen" 'enabled=0 .*checked=0 text=ORIGINAL$' "$(qx_control 1017)"
select_press 3 --no-wait  # Apply
qx_expect_calib "FULL preset of PX-A100 at 1280 x 1024 stored" 1280_1024 "0.998000 1.330000 -2.000000 -8.000000 "
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the dialog is still open" 1 "$(qx_count --caption "$SELECT" --visible)"
select_ok
qx_answer "$(qx_en IDS_MODE_SELECTED FULL)" ok
qx_probe diag busy --equals 0 >/dev/null || qx_fail "busy after the selection: $QX_OUT"
qx_expect_eq "the pen lands by FULL" "601 408" "$(qx_hover 601 301)"

qx_case "the Detail-1 question of 1280 x 1024 is owned by the dialog: a click on Cancel behind it does nothing"
open_select || qx_fatal "no selection dialog: $QX_OUT"
SELECT_HWND=$QX_DIALOG
select_press "$IDC_METHOD_DETAIL" --no-wait
select_press ok --no-wait
qx_expect_box "the ZOOM question" 'This function can'"'"'t be applied when the screen mode is "ZOOM."\r\r\nDo you perform the Detail-1 setup?'
qx_box_owned_by "the ZOOM question" "$SELECT_HWND"
qx_probe tap --id 2 --caption "$SELECT" >/dev/null || qx_fail "cannot click Cancel: $QX_OUT"
qx_probe press no >/dev/null || qx_fail "No did not close the question: $QX_OUT"
qx_expect_match "the dialog stayed open, enabled again" 'visible=1 .*enabled=1 ' "$(qx_probe windows --hwnd "$SELECT_HWND" --any-caption; head -n 1 <<<"$QX_OUT")"
select_press cancel || qx_fail "Cancel did not close the dialog: $QX_OUT"
screen_shown && qx_fail "a cross screen after Cancel"

qx_case "Detail-2: the panel holds the Esc note, Enter does nothing, too few rows: an error box owned by the screen"
open_select || qx_fatal "no selection dialog: $QX_OUT"
detail2
qx_probe controls --hwnd "$EDGE" --any-caption >/dev/null
IFS=, read -r PL PT PR PB <<<"$(qx_field rect "$(grep -m1 "^control id=$IDC_EDGE_PANEL " <<<"$QX_OUT")")"
IFS=, read -r NL NT NR NB <<<"$(qx_field rect "$(grep -m1 "^control id=$IDC_EDGE_TEXT_ESC " <<<"$QX_OUT")")"
# The bar is 4 wide at 1280 / 2 - 2; the panel starts 3 to its right and is
# H - x high.
qx_expect_eq "panel left and height" "645 379" "$PL $((PB - PT))"
qx_expect_eq "the Esc note lies inside the panel" 1 \
    "$([ "$NL" -ge "$PL" ] && [ "$NT" -ge "$PT" ] && [ "$NR" -le "$PR" ] && [ "$NB" -le "$PB" ] && echo 1)"
qx_screenshot detail2-panel
qx_probe keys --vk "$VK_RETURN" >/dev/null
qx_no_box_for 1500 "Enter asks nothing"
qx_expect_match "Enter leaves the screen open" 'visible=1 ' "$(qx_probe windows --hwnd "$EDGE" --any-caption && printf '%s\n' "$QX_OUT")"
xdotool mousemove 640 100 click 1
qx_wait "the bottom step" 5 eval 'qx_probe state && grep -q "^cursor 640 132" <<<"$QX_OUT"'
xdotool mousemove 640 800 click 1  # 700 rows: not enough
qx_expect_box "the error" 'An error occurred in setting a calibration.\rPlease perform a calibration according to directions of a screen again.'
qx_box_owned_by "the error" "$EDGE"
qx_probe press ok >/dev/null
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
qx_probe wait-window --hwnd "$EDGE" --any-caption --gone >/dev/null || qx_fail "the Detail-2 screen stayed: $QX_OUT"

qx_case "Detail-2 at 1280 x 1024: the rows of two clicks"
open_select || qx_fatal "no selection dialog: $QX_OUT"
detail2
xdotool mousemove 640 128 click 1
qx_wait "the bottom step" 5 eval 'qx_probe state && grep -q "^cursor 640 160" <<<"$QX_OUT"'
xdotool mousemove 640 895 click 1
qx_answer "$(qx_en IDS_EDGE_APPLY_QUESTION)" yes
qx_expect_calib "FULL across, the clicked rows down" 1280_1024 "0.998000 1.000000 -2.000000 -128.000000 "

qx_case "to 1024 x 768, Yes: the menu leaves out Calibration and Properties; Cancel applies what No would"
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" yes
qx_dialog "$SELECT" || qx_fatal "no selection dialog after Yes: $QX_OUT"
qx_probe diag busy --equals 1 >/dev/null || qx_fail "not busy while the dialog is open: $QX_OUT"
qx_probe --timeout 10000 menu-watch --notify left --close || qx_fail "no menu read: $QX_OUT"
qx_expect_eq "no Calibration, no Properties, Exit offered" "0 0 1" \
    "$(grep -c '^57667 ' <<<"$QX_OUT") $(grep -c '^57666 ' <<<"$QX_OUT") $(grep -c '^57669 ' <<<"$QX_OUT")"
select_press cancel || qx_fail "Cancel did not close the dialog: $QX_OUT"
qx_expect_calib "FULL of 1024 x 768 stored" 1024_768 "$FULL_1024"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the pen lands by the 1024 x 768 preset" "481 305" "$(qx_hover 601 301)"

qx_case "to 1920 x 1080, never calibrated: no preset; No applies FULL of the nearest row"
qx_mode 1920 1080 0
qx_answer "$(qx_en IDS_RES_CHANGED_NO_PRESET "$(qx_pixels 1920 1080)")" no
qx_expect_calib "the nearest FULL stored" 1920_1080 "$NEAREST_1920"
qx_expect_eq "OSDmode" -1 "$(qx_value HKCU OSDmode)"

qx_case "to 1920 x 1080, calibrated before: readjust?, No keeps the values"
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_mode 1920 1080 0
qx_answer "$(qx_en IDS_RES_CHANGED_ADJUSTED "$(qx_pixels 1920 1080)")$(qx_en IDS_RES_CHANGED_ASK)" no
qx_expect_eq "values kept" "$NEAREST_1920" "$(qx_calib 1920_1080)"

qx_case "the display control panel open: the pen goes on, the question waits"
qx_probe_bg "$QX_TMP/panel.out" hold-window --title "$(qx_en IDS_DISPLAY_PANEL_TITLE)"
PANEL=$QX_BG_PID
qx_wait_line "$QX_TMP/panel.out" '^held' 15 || qx_fatal "no Display Properties window"
qx_mode 1024 768
qx_no_box_for 1500 "nothing asked while the panel is open"
# Still the 1920 x 1080 values (1.25, 1.333): the change waits.
qx_expect_eq "the pen moves the cursor meanwhile" "375 266" "$(qx_hover 300 200)"
kill "$PANEL"
qx_answer "$(qx_preset_question 1024 768 FULL)" no

qx_case "notice off, to a calibrated size: taken without a question"
qx_setting HKCU CalibDisp REG_DWORD 0
qx_expect_eq "the 1024 x 768 preset is live" "240 204" "$(qx_hover 300 200)"
qx_mode 1920 1080 0
qx_no_box_for 1500 "no question"
qx_expect_eq "the pen follows the stored values" "375 266" "$(qx_hover 300 200)"
qx_setting HKCU CalibDisp REG_DWORD 1

qx_case "to 800 x 600, Yes, Detail-1: a second Calibration starts nothing; Esc leaves the pen on the new size's preset"
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" yes
qx_dialog "$SELECT" || qx_fatal "no selection dialog after Yes: $QX_OUT"
detail1
qx_expect_eq "cursor hidden" 0 "$(qx_cursor_shown)"
qx_probe keys --key C >/dev/null
qx_command 57667
qx_probe --timeout 1500 wait-window --caption "$SELECT" --visible >/dev/null &&
    qx_fail "the hotkey or the menu opened Select Calibration during Detail-1"
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_expect_box "the Esc question" "$EXIT_CALIBRATION"
qx_box_owned_by "the Esc question" "$MAIN"
qx_screenshot cross-esc-question
# The box has the keys: N is its No, and the procedure starts again.
qx_probe keys --vk 0x4E >/dev/null
qx_probe wait-window --class '#32770' --caption QXdrv --gone >/dev/null || qx_fail "N did not answer the box"
qx_expect_eq "still calibrating after No" 0 "$(qx_cursor_shown)"
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
calibrated "Esc"
qx_expect_eq "FULL of 800 x 600 stored" "$FULL_800" "$(qx_calib 800_600)"
qx_expect_eq "the pen lands by the 800 x 600 preset" "377 239" "$(qx_hover 601 301)"

qx_case "a change during Detail-1 waits until it ends; Esc with Yes stores nothing"
open_select || qx_fatal "no selection dialog: $QX_OUT"
detail1
tap 20 20
qx_mode 1024 768
qx_no_box_for 1500 "nothing asked during Detail-1"
qx_probe post "$WM_CHAR" "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
qx_expect_eq "800 x 600 unchanged" "$FULL_800" "$(qx_calib 800_600)"
# 1024 x 768 was applied before, but 800 x 600 was applied last.
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_expect_eq "cursor shown" 1 "$(qx_cursor_shown)"
qx_expect_eq "the pen lands by the 1024 x 768 preset" "481 305" "$(qx_hover 601 301)"

qx_case "a question left open while the desktop goes back: its late No stores nothing"
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" no
qx_mode 1280 768
qx_expect_box "the question names ORIGINAL" "$(qx_preset_question 1280 768 ORIGINAL)"
qx_mode 800 600
qx_probe press no >/dev/null
qx_no_box_for 1500 "back at the size applied last: nothing asked"
qx_expect_eq "800 x 600 keeps its values" "$FULL_800" "$(qx_calib 800_600)"
qx_expect_eq "OSDmode kept" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "nothing stored for 1280 x 768" "" "$(qx_reg_value HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1280_768' CalibRatioX)"
qx_expect_eq "the pen lands by the 800 x 600 preset" "377 239" "$(qx_hover 601 301)"
qx_mode 1280 768
qx_answer "$(qx_preset_question 1280 768 ORIGINAL)" no
qx_expect_eq "OSDmode" 2 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the pen lands by ORIGINAL" "602 304" "$(qx_hover 601 301)"

qx_case "a selection dialog left open across a change stores nothing"
open_select || qx_fatal "no selection dialog: $QX_OUT"
qx_mode 1024 768
qx_no_box_for 1500 "nothing asked while the dialog is open"
select_ok
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_expect_eq "1024 x 768 holds FULL (ORIGINAL would be 127)" -1.000000 "$(qx_reg_value HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1024_768' CalibOffsetX)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"

qx_case "the close message while a question is open stores nothing"
OSD=$(qx_value HKCU OSDmode)
qx_mode 1440 900
qx_expect_box "no preset for 1440 x 900" "$(qx_en IDS_RES_CHANGED_NO_PRESET "$(qx_pixels 1440 900)")"
qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "nothing stored for 1440 x 900" "" "$(qx_reg_value HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1440_900' CalibRatioX)"
qx_expect_eq "OSDmode kept" "$OSD" "$(qx_value HKCU OSDmode)"

# The cross screen covers the screen the driver started at.
qx_mode 1024 768
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

qx_case "Select Calibration at 1024 x 768"
open_select || qx_fatal "no selection dialog: $QX_OUT"
qx_screenshot select-a100
qx_expect_match "Easy Setting chosen" 'checked=1 text=Easy Setting' "$(qx_control 1014)"
qx_expect_match "Detail part off" 'enabled=0 ' "$(qx_control 1022)"
qx_expect_match "the resolution" 'text=1024 x 768 pixels$' "$(qx_control 1031)"

qx_case "Detail-1: four touches and a confirming tap while the question is open"
detail1
qx_expect_match "the main window, full-screen and top-most" 'visible=1 topmost=1 rect=0,0,1024,768 ' "$QX_OUT"
qx_expect_eq "cursor hidden" 0 "$(qx_cursor_shown)"
tap 700 100  # the top-left cross wants X < 640: ignored
tap 20 20
tap 20 740
tap 1000 740
tap 1000 20
qx_expect_box "confirmation" "$(qx_en IDS_CALIB_CONFIRM_QUESTION)"
qx_screenshot cross-confirm
tap 500 400  # the pen answers while the box is open
qx_probe wait-window --class '#32770' --caption QXdrv --gone >/dev/null || qx_fail "the question stayed open"
calibrated "Detail-1"
# Per axis the mean board position of each side maps 16 pixels from the edge:
# X 992 / 980 and 20 x 992 / 980 - 16, Y 736 / 720 and 20 x 736 / 720 - 16.
qx_expect_eq "stored calibration" "1.012245 1.022222 4.244898 4.444444 " "$(qx_calib 1024_768)"
# 600 x 1.012245 - 4.244898 = 603.1, 300 x 1.022222 - 4.444444 = 302.2
qx_expect_eq "a hover lands by the new calibration" "603 302" "$(qx_hover 600 300)"

qx_case "the hotkey dialog: a held key is left out, a new key takes over"
qx_probe_bg "$QX_TMP/holder.out" hold-hotkey --key K
qx_wait_line "$QX_TMP/holder.out" '^held' 15 || qx_fatal "no other program holds Ctrl + Shift + K"
open_select || qx_fatal "no selection dialog: $QX_OUT"
select_press "$IDC_HOTKEY_TEXT" --no-wait
qx_dialog "$HOTKEY_DIALOG" && qx_controls || qx_fatal "no hotkey dialog: $QX_OUT"
qx_expect_eq "keys offered, in order, without K" "0,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F,G,H,I,J,L,M,N,O,P,Q,R,S,T,U,V,W,X,Y,Z" \
    "$(qx_field items "$(qx_control $IDC_HOTKEY_LIST)")"
qx_expect_match "the current key chosen" ' text=C$' "$(qx_control $IDC_HOTKEY_LIST)"
qx_screenshot hotkey-dialog
qx_probe select --id "$IDC_HOTKEY_LIST" H --caption "$HOTKEY_DIALOG" >/dev/null || qx_fail "cannot choose H: $QX_OUT"
qx_probe press ok --caption "$HOTKEY_DIALOG" --no-wait >/dev/null
qx_answer "$(qx_en IDS_HOTKEY_CHANGED 'Ctrl + Shift + H')" ok
read_select
qx_expect_match "the new hotkey shown" 'text=Ctrl \+ Shift \+ H$' "$(qx_control 1032)"
select_press cancel
qx_expect_eq "CalibShortKey" H "$(qx_value HKCU CalibShortKey)"
open_select H || qx_fail "Ctrl + Shift + H does not open the dialog: $QX_OUT"
select_press cancel
qx_probe keys --key C >/dev/null
qx_probe --timeout 1500 wait-window --caption "$SELECT" --visible >/dev/null &&
    qx_fail "Ctrl + Shift + C still opens the dialog"

qx_case "PX-B200 names its own third mode, in the dialog and in the question at 1280 x 768"
qx_setting HKCU QXMachine REG_DWORD 200
open_select H || qx_fatal "no selection dialog: $QX_OUT"
qx_screenshot select-b200
qx_expect_match "third mode" 'text=DOT BY DOT$' "$(qx_control 1017)"
qx_expect_match "Detail-2 note" "text=$(qx_en IDS_D2_NOTE_B200_3)\$" "$(qx_control 1052)"
qx_expect_match "only the third mode suits 1024 x 768, and is chosen" 'enabled=1 .*checked=1 ' "$(qx_control 1017)"
select_press cancel
qx_mode 1280 768
qx_answer "$(qx_preset_question 1280 768 'DOT BY DOT')" no
qx_setting HKCU QXMachine REG_DWORD 100

qx_stop_driver "$DRIVER"

qx_case "Exit while a question is open stores nothing"
qx_setting HKCU OSDmode REG_DWORD 1
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" yes
select_press cancel  # 800 x 600 has its values: they stay
qx_mode 1280 768
qx_box || qx_fatal "no question for 1280 x 768: $QX_OUT"
qx_command 57669
QUIT=$(qx_en IDS_QUIT_QUESTION QXdrv)
qx_wait "the Exit question" 10 eval 'qx_probe windows --class "#32770" --caption QXdrv --visible && [ "$(grep -c "^window" <<<"$QX_OUT")" = 2 ]'
QUIT_BOX=""
for hwnd in $(printf '%s\n' "$QX_OUT" | sed -n 's/^window hwnd=\([^ ]*\) .*/\1/p'); do
    qx_probe controls --hwnd "$hwnd" >/dev/null && grep -q "^control id=65535 .* text=$QUIT\$" <<<"$QX_OUT" && QUIT_BOX=$hwnd
done
[ -n "$QUIT_BOX" ] || qx_fatal "no box asks \"$QUIT\""
qx_probe press yes --hwnd "$QUIT_BOX" >/dev/null
qx_wait_exit "$DRIVER" 10 || qx_fail "driver did not end after Exit"
qx_expect_eq "OSDmode kept (No would store 2)" 1 "$(qx_value HKCU OSDmode)"
qx_finish
