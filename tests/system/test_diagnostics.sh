#!/bin/bash
# Test Mode as a service technician meets it, on PX-B200 at 1280 x 768: the
# menu command opens "Test Mode (PX-B200)" top-most and cut off above its
# debug section, with the computer's name and addresses; with the pen tip
# down the driver's and the system's L show "O" at the same position; a
# small-button press with the middle button disabled shows "#" in the
# driver's M while the system's M stays blank; a line waiting for its CR
# shows as untreated data; Set stores a hand-typed calibration that the pen
# then follows, and refuses "abc"; closing hides the dialog and Test Mode
# -0 is a number there; shown again, the dialog takes the model and the live
# calibration as they are now; Tab and a plain "s" stay out of the section
# below the cut; closing hides the dialog and Test Mode shows the same one
# again; the test chart's frame, stripes and mode line lie where they
# belong, and a click on its text ends it; the close message while one of
# the dialog's boxes is open ends the driver cleanly, the user's metrics
# back. (The Japanese dialog and chart are test_japanese.sh's part.)
. "$(dirname "$0")/lib/harness.sh"
qx_begin diagnostics
qx_board_bench en 1280x768
START_METRICS=$(qx_metrics) || qx_fatal "cannot read the metrics: $QX_OUT"
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

ID_TEST_MODE=57685
IDC_SET=1046
IDC_CHART=1065
VK_TAB=9 VK_RETURN=13 VK_S=0x53
# Edits: untreated data, driver L M R and position, system L M R and
# position, live ratio X and offset X, manual ratio X, ratio Y, offset X, offset Y.
UNTREATED=1012 DRV_L=1013 DRV_M=1014 DRV_POS=1016 SYS_L=1017 SYS_M=1018 SYS_POS=1020
LIVE_RX=1024 LIVE_OX=1026 MANUAL=(1028 1029 1030 1031)
DEBUG_GROUP=1055 COMPUTER=1072 ADDRESSES=1073

# open_test_mode CAPTION: the menu's command; QX_DIALOG is the dialog.
open_test_mode() { qx_command "$ID_TEST_MODE"; qx_dialog "$1"; }
# texts ID...: "ID=TEXT ID=TEXT ...", the dialog's controls as they are now.
texts() {
    local ids; ids=$(IFS=,; echo "$*")
    qx_probe text --hwnd "$QX_DIALOG" --any-caption --ids "$ids" &&
        printf '%s\n' "$QX_OUT" | sed -n 's/^text id=\([0-9]*\) /\1=/p' | paste -sd ' ' -
}
# expect_texts DESC "ID=TEXT ..." ID...: the controls come to show these texts.
expect_texts() {
    local _want=$2 _ids="${*:3}"
    qx_wait "$1" 5 eval '[ "$(texts $_ids)" = "$_want" ]' && qx_ok "$1" || _qx_log "    seen: [$(texts $_ids)]"
}
# set_manual [RX RY OX OY]: types the values into the manual fields (none:
# leaves them) and presses Set; the first box's text is in QX_BOX_TEXT.
set_manual() {
    local i=0 v
    for v in "$@"; do
        qx_probe set-text --hwnd "$QX_DIALOG" --any-caption --id "${MANUAL[i++]}" "$v" >/dev/null ||
            qx_fail "cannot type into ${MANUAL[i - 1]}: $QX_OUT"
    done
    qx_probe press "$IDC_SET" --hwnd "$QX_DIALOG" --any-caption --no-wait >/dev/null
    qx_box || qx_fatal "no box after Set: $QX_OUT"
}

qx_case "Test Mode opens the dialog cut off above its debug section"
CAPTION="Test Mode ($(qx_en IDS_MODEL_B200))"
open_test_mode "$CAPTION" || qx_fatal "no \"$CAPTION\" after Test Mode: $QX_OUT"
DIALOG=$QX_DIALOG
qx_controls || qx_fatal "cannot read the dialog: $QX_OUT"
qx_screenshot test-mode-en
DIALOG_LINE=$(printf '%s\n' "$QX_CONTROLS" | grep -m1 '^dialog ')
qx_expect_match "top-most" ' topmost=1 ' "$DIALOG_LINE"
IFS=, read -r L T R B <<<"$(qx_field rect "$DIALOG_LINE")"
qx_expect_eq "the window ends at the debug group's top edge" "$(qx_field rect "$(qx_control $DEBUG_GROUP)" | cut -d, -f2)" "$B"
qx_expect_match "the debug group disabled" ' enabled=0 ' "$(qx_control "$DEBUG_GROUP")"
# Centred in the work area (the whole screen here: no taskbar).
qx_expect_match "centred (to a pixel)" '^(639|640|641) (383|384|385)$' "$(( (L + R) / 2 )) $(( (T + B) / 2 ))"

qx_case "the computer's name and addresses"
NAME=$(qx_control "$COMPUTER" | sed -n 's/.* items=\(.*\) selected=[-0-9]* text=.*/\1/p')
[ -n "$NAME" ] || qx_fail "no computer name listed: $(qx_control "$COMPUTER")"
if getent ahostsv4 "$NAME" >"$QX_TMP/hosts.txt"; then
    EXPECTED=$(awk '!seen[$1]++ { print " " $1 }' "$QX_TMP/hosts.txt" | LC_ALL=C sort | paste -sd, -)
else
    EXPECTED=$(qx_en IDS_NO_ADDRESS)
fi
qx_expect_eq "the addresses of $NAME, sorted" "$EXPECTED" \
    "$(qx_control "$ADDRESSES" | sed -n 's/.* items=\(.*\) selected=[-0-9]* text=.*/\1/p')"
qx_expect_eq "the first one selected" "${EXPECTED%%,*}" "$(qx_control "$ADDRESSES" | sed -n 's/.* text=//p')"
qx_expect_eq "the manual fields from the live calibration" "1028=1 1029=1 1030=0 1031=0" "$(texts "${MANUAL[@]}")"

qx_case "pen tip down: the driver's and the system's L, one position"
qx_pen "left 600 400"
expect_texts "driver L, system L" "$DRV_L=O $SYS_L=O" $DRV_L $SYS_L
qx_expect_eq "the driver's and the system's position" "$DRV_POS=x=600, y=400 $SYS_POS=x=600, y=400" "$(texts $DRV_POS $SYS_POS)"
qx_pen release
expect_texts "L marks cleared" "$DRV_L=  $SYS_L= " $DRV_L $SYS_L

qx_case "small button with the middle button disabled: # in the driver's M"
qx_probe_bg "$QX_TMP/middle.out" text --hwnd "$QX_DIALOG" --any-caption --ids "$DRV_M,$SYS_M" --watch 3000
WATCHER=$QX_BG_PID
qx_wait_line "$QX_TMP/middle.out" "^text id=$SYS_M " 10 || qx_fatal "the watcher did not start"
qx_pen small
qx_wait_exit "$WATCHER" 15
MIDDLE=$(tr -d '\r' <"$QX_TMP/middle.out")
qx_expect_eq "driver M: blank, then # and blank again" " # " \
    "$(printf '%s\n' "$MIDDLE" | sed -n "s/^text id=$DRV_M //p; s/^change id=$DRV_M ms=[0-9]* //p" | tr -d '\n')"
qx_expect_eq "system M: blank throughout" "text id=$SYS_M  " "$(printf '%s\n' "$MIDDLE" | grep " id=$SYS_M ")"

qx_case "a line waiting for its CR is untreated data"
qx_pen 'raw L1234'
expect_texts "L1234 untreated" "$UNTREATED=L1234" $UNTREATED
qx_pen 'raw 567\r' release
expect_texts "decoded once its CR came" "$UNTREATED=" $UNTREATED

qx_case "Set stores the typed calibration; the pen follows it"
set_manual 0.5 0.25 -10 -20.75
qx_expect_eq "Set's answer" "Setting OK!" "$QX_BOX_TEXT"
qx_screenshot set-ok
qx_probe press ok >/dev/null
qx_expect_eq "stored under 1280_768" "0.500000 0.250000 -10.000000 -20.750000 " "$(qx_calib 1280_768)"
expect_texts "the live values shown" "$LIVE_RX=0.500 $LIVE_OX=-10" $LIVE_RX $LIVE_OX
qx_pen "tap 1000 500"
qx_expect_eq "a tap lands by the typed calibration" "510 145" "$(qx_cursor)"

qx_case "Set with abc: please enter a number, Setting NG!"
set_manual 0.5 abc
qx_expect_eq "the field is not a number" "$(qx_en IDS_ENTER_NUMBER)" "$QX_BOX_TEXT"
qx_probe press ok >/dev/null
qx_answer "Setting NG!" ok
qx_controls
qx_expect_match "the focus in the failing edit" ' focused=1 ' "$(qx_control "${MANUAL[1]}")"
qx_expect_eq "nothing stored" "0.500000 0.250000 -10.000000 -20.750000 " "$(qx_calib 1280_768)"

qx_case "-0 is a number: Set stores 0, Enter hides the dialog"
set_manual 1 1 -0 0
qx_expect_eq "Set's answer" "Setting OK!" "$QX_BOX_TEXT"
qx_probe press ok >/dev/null
qx_expect_eq "no negative zero stored" "1.000000 1.000000 0.000000 0.000000 " "$(qx_calib 1280_768)"
# A stale value typed but never set: showing the dialog again replaces it.
qx_probe set-text --hwnd "$QX_DIALOG" --any-caption --id "${MANUAL[0]}" 5 >/dev/null
qx_probe keys --vk $VK_RETURN >/dev/null
qx_wait "Enter hid the dialog" 5 eval 'qx_probe --timeout 0 count --class "#32770" --caption "$CAPTION" --visible; [ "$QX_OUT" = "count 0" ]' ||
    qx_fail "Enter with -0 did not close Test Mode"
qx_expect_eq "no box after Enter" 0 "$(qx_boxes)"

qx_case "shown again: the model stored meanwhile and the live calibration"
qx_setting HKCU QXMachine REG_DWORD 100
CAPTION="Test Mode (PX-A100)"
open_test_mode "$CAPTION" || qx_fatal "no \"$CAPTION\" after Test Mode: $QX_OUT"
qx_expect_eq "the same window" "$DIALOG" "$QX_DIALOG"
qx_expect_eq "the manual fields from the live calibration" "1028=1 1029=1 1030=-0 1031=0" "$(texts "${MANUAL[@]}")"

qx_case "the keyboard stays above the cut"
focused() { qx_controls && printf '%s\n' "$QX_CONTROLS" | sed -n 's/^control id=\([0-9]*\) .* focused=1.*/\1/p'; }
SEEN=""
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
    qx_probe keys --vk $VK_TAB >/dev/null
    SEEN="$SEEN $(focused)"
done
qx_expect_match "Tab reached the chart button" " $IDC_CHART( |$)" "$SEEN "
qx_expect_eq "Tab never walks below the cut ($SEEN)" "" "$(tr ' ' '\n' <<<"$SEEN" | grep -xE "102[1-9]|103[01]|$IDC_SET")"
# One Tab at a time, each seen to move the focus, until the chart button has it.
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
    now=$(focused)
    [ "$now" = "$IDC_CHART" ] && break
    qx_probe keys --vk $VK_TAB >/dev/null
    qx_wait "the focus moved on from $now" 5 eval '[ "$(focused)" != "$now" ]' || break
done
qx_expect_eq "the focus on the chart button" "$IDC_CHART" "$(focused)"
qx_probe keys --vk $VK_S >/dev/null
qx_no_box_for 1000 "a plain s does not press Set"

qx_case "closing hides the dialog; Test Mode shows the same one"
qx_probe press cancel --hwnd "$QX_DIALOG" --any-caption --no-wait >/dev/null
qx_wait "the dialog hidden" 5 eval 'qx_probe --timeout 0 count --class "#32770" --caption "$CAPTION" --visible; [ "$QX_OUT" = "count 0" ]'
qx_probe count --class '#32770' --caption "$CAPTION"
qx_expect_eq "still there, hidden" "count 1" "$QX_OUT"
open_test_mode "$CAPTION" || qx_fatal "no dialog after the second Test Mode: $QX_OUT"
qx_expect_eq "the same window" "$DIALOG" "$QX_DIALOG"
names() { grep -E "^control id=($COMPUTER|$ADDRESSES) " <<<"$QX_CONTROLS" | sed 's/.* items=//'; }
BEFORE=$(names)
qx_controls
qx_expect_eq "the same name and addresses" "$BEFORE" "$(names)"

# chart_window: the probe's line of the full-screen chart, if it is shown.
chart_window() { qx_probe windows --class '#32770' --visible && printf '%s\n' "$QX_OUT" | grep ' rect=0,0,1280,768 '; }
# pixels PNG X Y W H: the area's pixels, row by row, 1 white and 0 black.
pixels() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -threshold 50% -compress none pbm:- |
        tail -n +3 | tr -d ' \n' | tr 01 10 | fold -w "$4"
}
# white_rows PNG X0 X1 Y0 Y1: the rows of the band with any white pixel.
white_rows() {
    pixels "$1" "$2" "$4" $(($3 - $2 + 1)) $(($5 - $4 + 1)) | awk -v y0="$4" '/1/ { print y0 + NR - 1 }'
}

qx_case "the test chart: frame, stripes and mode line"
qx_probe press "$IDC_CHART" --hwnd "$QX_DIALOG" --any-caption --no-wait >/dev/null
qx_wait "the chart" 10 chart_window || qx_fatal "no full-screen chart: $QX_OUT"
sleep 0.5  # let it paint
qx_screenshot chart-en
SHOT="$QX_ARTEFACTS/chart-en.png"
# A row through the stripes: black up to 426, then white at every odd column
# up to 851, black from 852 on.
EXPECTED=$(awk 'BEGIN { for (x = 420; x <= 860; x++) printf "%d", (x >= 427 && x <= 851 && x % 2 == 1) }')
qx_expect_eq "row 300, columns 420 to 860" "$EXPECTED" "$(pixels "$SHOT" 420 300 441 1)"
qx_expect_eq "column 427 is white in rows 256 to 511" "256 511" \
    "$(pixels "$SHOT" 427 250 1 270 | awk '$1 == 1 { if (!f) f = NR; l = NR } END { print f + 249, l + 249 }')"
qx_expect_eq "the frame: left, right, top and bottom lines" "1 1 1 1" \
    "$(pixels "$SHOT" 0 384 1 1) $(pixels "$SHOT" 1278 384 1 1) $(pixels "$SHOT" 640 0 1 1) $(pixels "$SHOT" 640 766 1 1)"
qx_expect_eq "black inside the frame" "0 0" "$(pixels "$SHOT" 5 384 1 1) $(pixels "$SHOT" 1200 600 1 1)"
# in_band LOW HIGH: the first and last white rows (stdin) lie in LOW..HIGH.
in_band() { awk -v lo="$1" -v hi="$2" 'NR == 1 { f = $1 } { l = $1 } END { exit !(NR > 0 && f >= lo && l <= hi) }'; }
white_rows "$SHOT" 10 1269 200 255 | in_band 226 245 && qx_ok "the mode line's text lies in rows 226 to 245" ||
    qx_fail "the mode line's rows: $(white_rows "$SHOT" 10 1269 200 255 | paste -sd ' ' -)"
white_rows "$SHOT" 10 1269 2 100 | in_band 20 79 && qx_ok "the instruction's text lies in rows 20 to 79" ||
    qx_fail "the instruction's rows: $(white_rows "$SHOT" 10 1269 2 100 | paste -sd ' ' -)"
xdotool mousemove 640 30 click 1
qx_wait "the chart ended by a click on its text" 10 eval '! chart_window' || qx_fail "the chart is still shown"
qx_probe count --class '#32770' --caption "$CAPTION" --visible
qx_expect_eq "the test mode dialog is still shown" "count 1" "$QX_OUT"

qx_case "the close message while a box of the dialog is open: a clean end"
set_manual 1 abc
qx_expect_eq "the field is not a number" "$(qx_en IDS_ENTER_NUMBER)" "$QX_BOX_TEXT"
qx_probe_bg "$QX_TMP/boxes.out" watch --for 8000 --settle 1500
WATCHER=$QX_BG_PID
qx_wait_line "$QX_TMP/boxes.out" "^seen " 10 || qx_fatal "the box watcher did not start"
qx_stop_driver "$DRIVER" || qx_fatal "the driver did not end with its box open: $(qx_probe windows --visible; echo "$QX_OUT")"
qx_wait_exit "$WATCHER" 15
qx_expect_eq "no box after the one open" "seen-total 1" "$(tr -d '\r' <"$QX_TMP/boxes.out" | tail -n 1)"
qx_expect_eq "the user's metrics back" "$START_METRICS" "$(qx_metrics)"
qx_finish
