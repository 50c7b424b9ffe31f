#!/bin/bash
# Calibration and the resolution change when the user does not go straight
# through, on PX-A100 with the notice on: a stored OSDmode of -1 opens "Select
# Calibration" on an enabled mode; a box is owned by the window it belongs to
# (the dialog behind is disabled, a click on it does nothing; the cross screen
# and the Detail-2 screen lie under their boxes); Enter does not end Detail-2
# and its panel holds its texts; Cancel or Esc after a question's Yes leaves
# the pen calibrated for the new size; while the selection dialog from a
# question is open the menu offers neither Calibration nor Properties; a
# second Calibration while Detail-1 runs starts nothing and the cursor comes
# back at its end; a change that comes while a question, a dialog or Detail-1
# is open waits and is judged against the size last applied; the close
# message, or Exit, while a question is open stores nothing.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/tray_harness.sh"
qx_begin calibration_interrupted
# Xvfb starts at its largest size (its first mode reports 0 Hz); the others
# are added modes. OSDmode -1 is what No stores at a size without a preset.
qx_board_bench en 1920x1080 '"QXMachine"=dword:00000064' '"CalibDisp"=dword:00000001' \
    '"OSDmode"=dword:ffffffff'
qx_add_modes "1280x1024_60 108.00 1280 1328 1440 1688 1024 1025 1028 1066" \
    "1280x768_60 79.50 1280 1344 1472 1664 768 771 778 798" \
    "1024x768_60 63.50 1024 1072 1176 1328 768 771 775 798" \
    "800x600_60 40.00 800 840 968 1056 600 601 605 628"

SELECT="Select Calibration"
ID_EXIT=57669
IDC_METHOD_DETAIL=1015
IDC_DETAIL2=1023
IDC_CANCEL=2
IDC_EDGE_PANEL=1022
IDC_EDGE_TEXT_ESC=1051
VK_RETURN=13
VK_ESCAPE=27
VK_N=0x4E

# The texts as the user reads them (the probe writes CR as \r, LF as \n).
NO_PRESET_1920=$(qx_en IDS_RES_CHANGED_NO_PRESET "$(qx_pixels 1920 1080)")
DETAIL1_AT_ZOOM='This function can'"'"'t be applied when the screen mode is "ZOOM."\r\r\nDo you perform the Detail-1 setup?'
EXIT_CALIBRATION=$(qx_en IDS_CALIB_EXIT_QUESTION)
ADJUST_FIRST=$(qx_en IDS_EDGE_ADJUST_QUESTION)
EDGE_ERROR='An error occurred in setting a calibration.\rPlease perform a calibration according to directions of a screen again.'
QUIT=$(qx_en IDS_QUIT_QUESTION QXdrv)

# window_line FILTER...: the probe's line of one top-level window.
window_line() { qx_probe windows "$@" --visible && printf '%s\n' "$QX_OUT" | head -n 1; }
open_select() {
    qx_probe keys --key C >/dev/null
    qx_probe wait-window --caption "$SELECT" --visible >/dev/null
}
select_control() {  # ID: the control's line in the open selection dialog
    qx_probe controls --caption "$SELECT" && printf '%s\n' "$QX_OUT" | grep -m1 "^control id=$1 "
}
screen_visible() { qx_probe windows --class QXdrvTrayWnd && grep -q "visible=1" <<<"$QX_OUT"; }
# detail1: Detail Setting chosen in the open selection dialog and OK; the
# cross screen shows.
detail1() {
    qx_probe press "$IDC_METHOD_DETAIL" --caption "$SELECT" --no-wait >/dev/null
    qx_probe press ok --caption "$SELECT" >/dev/null || qx_fatal "OK did not close the dialog: $QX_OUT"
    qx_wait "the cross screen" 10 screen_visible
}

qx_mode 1280 1024
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
MAIN=$(qx_main_hwnd)

qx_case "a stored OSDmode of -1 at 1280 x 1024: FULL is chosen, not the greyed third mode"
open_select || qx_fatal "no selection dialog after Ctrl + Shift + C: $QX_OUT"
qx_expect_match "FULL enabled and chosen" 'enabled=1 .*checked=1 text=FULL$' "$(select_control 1019)"
qx_expect_match "ORIGINAL greyed and not chosen" 'enabled=0 .*checked=0 text=ORIGINAL$' "$(select_control 1017)"
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fail "OK did not close the dialog: $QX_OUT"
qx_answer "FULL mode is selected." ok
qx_expect_eq "FULL preset of PX-A100 at 1280 x 1024" "0.998000 1.330000 -2.000000 -8.000000 " "$(qx_calib 1280_1024)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the pen lands by FULL" "601 408" "$(qx_hover 601 301)"

qx_case "the Detail-1 question of 1280 x 1024 is owned by the dialog: a click on Cancel behind it does nothing"
open_select || qx_fatal "no selection dialog: $QX_OUT"
SELECT_HWND=$(qx_field hwnd "$(window_line --caption "$SELECT")")
qx_probe press "$IDC_METHOD_DETAIL" --caption "$SELECT" --no-wait >/dev/null
qx_probe press ok --caption "$SELECT" --no-wait >/dev/null
qx_box || qx_fatal "no question for Detail-1 at 1280 x 1024: $QX_OUT"
qx_expect_eq "57710" "$DETAIL1_AT_ZOOM" "$QX_BOX_TEXT"
qx_box_owned_by "57710" "$SELECT_HWND"
qx_probe tap --id "$IDC_CANCEL" --caption "$SELECT" >/dev/null || qx_fail "cannot click Cancel: $QX_OUT"
qx_probe press no >/dev/null || qx_fail "No did not close 57710: $QX_OUT"
qx_expect_match "the dialog stayed open, enabled again" 'visible=1 .*enabled=1 ' "$(window_line --caption "$SELECT")"
qx_probe press cancel --caption "$SELECT" >/dev/null || qx_fail "Cancel did not close the dialog: $QX_OUT"
qx_expect_eq "no cross screen" 1 "$(screen_visible || echo 1)"

qx_case "Detail-2: the panel holds the Esc note, Enter does nothing, the error box is owned by the screen"
open_select || qx_fatal "no selection dialog: $QX_OUT"
qx_probe press "$IDC_METHOD_DETAIL" --caption "$SELECT" --no-wait >/dev/null
qx_probe press "$IDC_DETAIL2" --caption "$SELECT" --click --no-wait >/dev/null
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fatal "OK did not close the dialog: $QX_OUT"
qx_answer "$ADJUST_FIRST" no
qx_wait "the Detail-2 screen" 10 eval 'qx_probe windows --class "#32770" --visible && grep -q "rect=0,0,1280,1024 " <<<"$QX_OUT"'
EDGE=$(qx_field hwnd "$(qx_probe windows --class '#32770' --visible && grep -m1 'rect=0,0,1280,1024 ' <<<"$QX_OUT")")
qx_probe controls --hwnd "$EDGE" --any-caption >/dev/null
PANEL=$(qx_field rect "$(grep -m1 "^control id=$IDC_EDGE_PANEL " <<<"$QX_OUT")")
NOTE=$(qx_field rect "$(grep -m1 "^control id=$IDC_EDGE_TEXT_ESC " <<<"$QX_OUT")")
IFS=, read -r PL PT PR PB <<<"$PANEL"
IFS=, read -r NL NT NR NB <<<"$NOTE"
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
qx_box || qx_fatal "no error box for 700 rows: $QX_OUT"
qx_expect_eq "57712" "$EDGE_ERROR" "$QX_BOX_TEXT"
qx_box_owned_by "57712" "$EDGE"
qx_probe press ok >/dev/null
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
qx_probe wait-window --hwnd "$EDGE" --any-caption --gone >/dev/null || qx_fail "the Detail-2 screen stayed: $QX_OUT"

qx_case "to 1024 x 768, Yes: the menu leaves out Calibration and Properties; Cancel applies what No would"
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" yes
qx_probe wait-window --caption "$SELECT" --visible >/dev/null || qx_fatal "no selection dialog after Yes: $QX_OUT"
qx_probe diag busy --equals 1 >/dev/null || qx_fail "not busy while the dialog is open: $QX_OUT"
if tray_menu_read --close; then
    qx_expect_eq "no Calibration, no Properties, Exit offered" "0 0 1" \
        "$(grep -c '^57667 ' <<<"$TRAY_MENU") $(grep -c '^57666 ' <<<"$TRAY_MENU") $(grep -c '^57669 ' <<<"$TRAY_MENU")"
else
    qx_fail "no menu read (code $TRAY_MENU_RC): $TRAY_MENU"
fi
qx_probe press cancel --caption "$SELECT" >/dev/null || qx_fail "Cancel did not close the dialog: $QX_OUT"
qx_wait "FULL of 1024 x 768 stored" 10 eval '[ "$(qx_calib 1024_768)" = "0.799000 0.999000 -1.000000 -5.000000 " ]' ||
    qx_fail "stored: $(qx_calib 1024_768)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "the pen lands by the 1024 x 768 preset" "481 305" "$(qx_hover 601 301)"

qx_case "to 800 x 600, Yes, Detail-1: a second Calibration starts nothing; Esc leaves the pen on the new size's preset"
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" yes
qx_probe wait-window --caption "$SELECT" --visible >/dev/null || qx_fatal "no selection dialog after Yes: $QX_OUT"
detail1
qx_expect_eq "cursor hidden" 0 "$(qx_cursor_shown)"
qx_probe keys --key C >/dev/null
qx_command 57667
qx_probe --timeout 1500 wait-window --caption "$SELECT" --visible >/dev/null &&
    qx_fail "the hotkey or the menu opened Select Calibration during Detail-1"
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_box || qx_fatal "no question after Esc: $QX_OUT"
qx_expect_eq "57348" "$EXIT_CALIBRATION" "$QX_BOX_TEXT"
qx_box_owned_by "the Esc question" "$MAIN"
qx_screenshot cross-esc-question
# The box has the keys: N is its No, and the procedure starts again.
qx_probe keys --vk "$VK_N" >/dev/null
qx_probe wait-window --class '#32770' --caption QXdrv --gone >/dev/null || qx_fail "N did not answer the box"
qx_expect_eq "still calibrating after No" 0 "$(qx_cursor_shown)"
qx_probe keys --vk "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
qx_wait "the screen hidden" 10 eval '! screen_visible'
qx_expect_eq "cursor shown again" 1 "$(qx_cursor_shown)"
qx_expect_eq "FULL of 800 x 600 stored" "0.624000 0.779000 -2.000000 -5.000000 " "$(qx_calib 800_600)"
qx_expect_eq "the pen lands by the 800 x 600 preset" "377 239" "$(qx_hover 601 301)"

qx_case "a change during Detail-1 waits until it ends"
open_select || qx_fatal "no selection dialog: $QX_OUT"
detail1
qx_mode 1024 768
qx_no_box_for 1500 "nothing asked during Detail-1"
qx_probe post 0x0102 "$VK_ESCAPE" >/dev/null
qx_answer "$EXIT_CALIBRATION" yes
# 1024 x 768 was applied before, but 800 x 600 was applied last.
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_expect_eq "cursor shown" 1 "$(qx_cursor_shown)"
qx_expect_eq "the pen lands by the 1024 x 768 preset" "481 305" "$(qx_hover 601 301)"

qx_case "a question left open while the desktop goes back: its late No stores nothing"
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" no
qx_mode 1280 768
qx_box || qx_fatal "no question for 1280 x 768: $QX_OUT"
qx_expect_eq "57681 naming ORIGINAL" "$(qx_preset_question 1280 768 ORIGINAL)" "$QX_BOX_TEXT"
qx_mode 800 600
qx_probe press no >/dev/null
qx_no_box_for 1500 "back at the size applied last: nothing asked"
qx_expect_eq "800 x 600 keeps its values" "0.624000 0.779000 -2.000000 -5.000000 " "$(qx_calib 800_600)"
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
qx_probe press ok --caption "$SELECT" >/dev/null || qx_fail "OK did not close the dialog: $QX_OUT"
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_expect_eq "1024 x 768 holds FULL (ORIGINAL would be 127)" -1.000000 "$(qx_reg_value HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1024_768' CalibOffsetX)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"

qx_case "the close message while a question is open stores nothing"
qx_mode 1920 1080 0
qx_box || qx_fatal "no question for 1920 x 1080: $QX_OUT"
qx_expect_eq "57715" "$NO_PRESET_1920" "$QX_BOX_TEXT"
qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_expect_eq "nothing stored for 1920 x 1080" "" "$(qx_reg_value HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1920_1080' CalibRatioX)"
qx_expect_eq "OSDmode kept" 0 "$(qx_value HKCU OSDmode)"

qx_case "Exit while a question is open stores nothing"
qx_setting HKCU OSDmode REG_DWORD 1
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
qx_mode 800 600
qx_answer "$(qx_preset_question 800 600 FULL)" yes
qx_probe press cancel --caption "$SELECT" >/dev/null  # 800 x 600 has its values: they stay
qx_mode 1280 768
qx_box || qx_fatal "no question for 1280 x 768: $QX_OUT"
qx_command "$ID_EXIT"
qx_wait "the Exit question" 10 eval 'qx_probe windows --class "#32770" --caption QXdrv --visible && [ "$(grep -c "^window" <<<"$QX_OUT")" = 2 ]'
QUIT_BOX=""
for hwnd in $(qx_probe windows --class '#32770' --caption QXdrv --visible && printf '%s\n' "$QX_OUT" | sed -n 's/^window hwnd=\([^ ]*\) .*/\1/p'); do
    qx_probe controls --hwnd "$hwnd" >/dev/null && grep -q "^control id=65535 .* text=$QUIT\$" <<<"$QX_OUT" && QUIT_BOX=$hwnd
done
[ -n "$QUIT_BOX" ] || qx_fatal "no box asks \"$QUIT\""
qx_probe press yes --hwnd "$QUIT_BOX" >/dev/null
qx_wait_exit "$DRIVER" 10 || qx_fail "driver did not end after Exit"
qx_expect_eq "OSDmode kept (No would store 2)" 1 "$(qx_value HKCU OSDmode)"
qx_finish
