#!/bin/bash
# The "Properties" sheet and install mode, with COM1 on the simulated board,
# COM2 held by another program (mapped to a directory, which answers "access
# denied" as a held port does), COM3, COM12 and COM255 free ports: the list
# shows the ports the system has, in numeric order. Normal form: the pen's
# own port is listed "[Using]" and selected, the held port is not listed; a
# port change (to COM12:) asks and says that it waits for the next start,
# declining keeps the old port; without a configured port Cancel and OK ask
# for one; a configured port the system does not know ("com40:") is listed
# "[Not present]" in its place, selected and kept. Install mode ("-i"; that only that text is, the unit tests show):
# with a port it ends at once without a window, even beside a resident copy;
# without one it lists every port that exists, the held one "[Conflicted]"
# and the choice "[Selected]", keeps the model chosen from its list while the
# port changes, and stores the port, the model, its defaults and the preset
# of the resolution on OK; Esc there stores nothing and says so. The
# Japanese forms are in test_japanese.sh. Last, on two displays side by side:
# the panel display page lists both with number, size and place, the primary
# marked; choosing the second and OK stores it and the pen follows at once;
# Cancel stores nothing.
. "$(dirname "$0")/lib/harness.sh"
qx_begin properties
props_bench en

# expect_controls "ID REGEX"...: the open sheet's control ID matches REGEX.
expect_controls() { local c; for c in "$@"; do qx_expect_match "control ${c%% *}" "${c#* }" "$(qx_control "${c%% *}")"; done; }

qx_driver_receiving
DRIVER=$QX_DRIVER_PID

qx_case "normal form: the system's ports in numeric order, the pen's in use and selected, the held one left out"
props_open || qx_fatal "no $PROPS_SHEET sheet: $QX_OUT"
qx_screenshot normal-en
qx_expect_eq "usable ports, COM1: chosen" "$(props_ports normal '*COM1: [Using]' COM3: COM12: COM255:)" \
    "$(props_list)"
# no model label nor list, OK and Cancel shown, Apply hidden
expect_controls "$IDC_MODEL_LABEL visible=0 " "$IDC_MODEL_COMBO visible=0 " \
    "1 visible=1 .*text=OK$" "2 visible=1 .*text=Cancel$" "$ID_APPLY_NOW visible=0 "

qx_case "a port change declined keeps the port; the sheet is disabled under its question"
props_choose "COM3:"
props_press ok --no-wait
qx_box >/dev/null || qx_fatal "no question after OK: $QX_OUT"
qx_box_owned_by "57680" "$PROPS_HWND"
# A click on the sheet's OK behind the question must not apply a second time.
qx_probe tap --id 1 --hwnd "$PROPS_HWND" --any-caption >/dev/null || qx_fail "cannot click OK behind the box: $QX_OUT"
qx_answer "$(qx_en IDS_PORT_CHANGE_QUESTION)" no
qx_answer "$(qx_en IDS_PORT_CHANGE_CANCELED)" ok
props_gone || qx_fail "the sheet stayed open"
qx_expect_eq "no second question from the click behind" 0 "$(qx_boxes)"
qx_expect_eq "UsePort kept" "COM1:" "$(qx_value HKCU UsePort)"

qx_case "a port change to a USB adapter's COM12: accepted is stored for the next start"
props_open || qx_fatal "no sheet the second time"
props_choose "COM12:"
props_press ok --no-wait
qx_answer "$(qx_en IDS_PORT_CHANGE_QUESTION)" yes
qx_answer "$(qx_en IDS_PORT_CHANGED 'COM12:')" ok
props_gone || qx_fail "the sheet stayed open"
qx_expect_eq "UsePort per user" "COM12:" "$(qx_value HKCU UsePort)"
qx_expect_eq "UsePort per machine" "COM12:" "$(qx_value HKLM UsePort)"
qx_pen "tap 300 300"  # the running link stays on COM1

qx_case "-i with a port configured ends at once, beside the resident copy"
qx_driver_start -i
qx_wait_exit "$QX_DRIVER_PID" 15 || qx_fail "install mode did not end"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_expect_eq "no box" 0 "$(qx_boxes)"
qx_expect_eq "one main window" 1 "$(qx_main_windows)"

qx_stop_driver "$DRIVER" || qx_fail "driver did not end"

qx_case "install mode: every port that exists, the first selected, PX-B200"
props_forget UsePort
props_install || qx_fatal "no first-run sheet: $QX_OUT"
INSTALL=$QX_DRIVER_PID
qx_screenshot setup-en
qx_expect_eq "ports with marks" \
    "$(props_ports setup '*COM1: [Selected]' 'COM2: [Conflicted]' COM3: COM12: COM255:)" "$(props_list)"
# the model label and list at PX-B200, OK alone
expect_controls "$IDC_MODEL_LABEL visible=1 .*text=Use model selection$" \
    "$IDC_MODEL_COMBO visible=1 .*items=PX-A100,PX-B200 selected=1 text=PX-B200$" \
    "1 visible=1 .*text=OK$" "2 visible=0 " "$ID_APPLY_NOW visible=0 "
qx_expect_eq "nothing stored while the form is open" "" \
    "$(qx_value HKCU CalibDisp)$(qx_value HKCU MiddleButon)"
COMBO_HWND=$(qx_control $IDC_MODEL_COMBO | sed -n 's/.* hwnd=\([^ ]*\) .*/\1/p')
[ -n "$COMBO_HWND" ] || qx_fail "no model combo: $(qx_control $IDC_MODEL_COMBO)"
qx_expect_eq "the model is chosen from a list, not typed" "" \
    "$(grep " parent=$COMBO_HWND .*class=Edit " <<<"$QX_CONTROLS")"

qx_case "install mode: PX-A100 and the held port chosen, stored after a warning, then the preset"
qx_probe select --hwnd "$PROPS_HWND" --any-caption --id "$IDC_MODEL_COMBO" PX-A100 >/dev/null ||
    qx_fail "cannot choose PX-A100: $QX_OUT"
props_choose "COM2: [Conflicted]"
MOVED=$(props_ports setup COM1: '*COM2: [Conflicted] [Selected]' COM3: COM12: COM255:)
qx_wait "the mark moved" 10 eval 'props_read && test "$(props_list)" = "$MOVED"'
qx_expect_match "the model choice kept" ' selected=0 text=PX-A100$' "$(qx_control $IDC_MODEL_COMBO)"
props_press ok --no-wait
qx_answer "$(qx_en IDS_PORT_CONFLICT_WARNING)" ok
qx_answer "$(qx_en IDS_INSTALL_PORT_APPLIED)" ok
qx_box || qx_fail "no preset notice: $QX_OUT"
qx_expect_match "preset notice" 'applied to the current resolution \(1280 x 768 pixels\)' "$QX_BOX_TEXT"
qx_probe press ok >/dev/null
qx_wait_exit "$INSTALL" 15 || qx_fail "install mode did not end"
qx_expect_eq "UsePort, the model, the notice and the small button on" "COM2: 100 1 1" \
    "$(qx_value HKCU UsePort) $(qx_value HKCU QXMachine) $(qx_value HKCU CalibDisp) $(qx_value HKCU MiddleButon)"
qx_expect_eq "no start-up pause" 0 "$(qx_value HKLM SleepTime)"
qx_probe --timeout 0 reg HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1280_768' CalibRatioX >/dev/null ||
    qx_fail "no preset stored for 1280 x 768: $QX_OUT"

qx_case "install mode: Esc leaves without storing anything"
props_forget UsePort CalibDisp MiddleButon
props_install || qx_fatal "no first-run sheet the second time: $QX_OUT"
props_press cancel --no-wait
qx_answer "$(qx_en IDS_INSTALL_NOT_SET)" ok
qx_wait_exit "$QX_DRIVER_PID" 15 || qx_fail "install mode did not end after Esc"
qx_expect_eq "no UsePort, nor anything else" "" \
    "$(qx_value HKCU UsePort)$(qx_value HKLM UsePort)$(qx_value HKCU CalibDisp)$(qx_value HKCU MiddleButon)"

qx_case "normal form: a configured port the system does not know is listed, selected and kept"
qx_setting HKCU UsePort REG_SZ com40:
qx_driver_start
DRIVER=$QX_DRIVER_PID
qx_box && qx_probe press ok >/dev/null  # the port cannot be opened at start
props_open || qx_fatal "no sheet with com40: configured: $QX_OUT"
qx_expect_eq "listed as configured, not present, in its place" \
    "$(props_ports normal COM1: COM3: COM12: '*com40: [Not present]' COM255:)" "$(props_list)"
props_page 1 "$IDC_AREA_EDIT" || qx_fail "the COM port page could not be left: $QX_OUT"
props_press ok || qx_fail "OK did not close the sheet"
qx_expect_eq "no question, no message" 0 "$(qx_boxes)"
qx_expect_eq "UsePort kept" "com40:" "$(qx_value HKCU UsePort)"
qx_stop_driver "$DRIVER" || qx_fail "driver did not end"
props_forget UsePort

qx_case "normal form without a configured port: Cancel and OK ask for one"
qx_driver_start
DRIVER=$QX_DRIVER_PID
qx_box && qx_probe press ok >/dev/null  # no port to open at start
props_open || qx_fatal "no sheet without a port: $QX_OUT"
qx_expect_eq "nothing in use" "$(props_ports normal COM1: COM3: COM12: COM255:)" "$(props_list)"
props_press cancel --no-wait
qx_answer "$(qx_en IDS_SELECT_PORT)" ok
props_press ok --no-wait
qx_answer "$(qx_en IDS_SELECT_PORT)" ok
props_open_still || qx_fail "the sheet closed without a port"
props_choose "COM1:"
props_press ok || qx_fail "OK did not close the sheet"
qx_expect_eq "no question for a first port" 0 "$(qx_boxes)"
qx_expect_eq "UsePort" "COM1:" "$(qx_value HKCU UsePort)"
qx_stop_driver "$DRIVER" || qx_fail "driver did not end"

# The panel display page, on a desktop of two displays: the primary
# 1280 x 768 at 0,0 and a second 1024 x 768 at 1280,0, with an identity
# calibration for the second's size. A wineserver stays bound to the display
# it started on: it ends with the single display and starts again on the pair.
IDC_DISPLAY_LIST=1120
display_list() { qx_control "$IDC_DISPLAY_LIST" | sed -n 's/.* items=\(.*selected=[-0-9]*\) .*/\1/p'; }
display_page() { props_open && props_page 4 "$IDC_DISPLAY_LIST"; }
display_choose() { qx_probe select --hwnd "$PROPS_HWND" --any-caption --id "$IDC_DISPLAY_LIST" "$1" >/dev/null || qx_fail "cannot choose $1: $QX_OUT"; }
FIRST="1: 1280 x 768 at 0, 0 (primary)"
SECOND="2: 1024 x 768 at 1280, 0"
SECOND_NAME='\\\\.\\DISPLAY2'  # "\\.\DISPLAY2" as the probe prints it
wineserver -k >/dev/null 2>&1; wineserver -w
_qx_end_pid "$QX_XVFB_PID"
qx_reg_preload '[HKEY_CURRENT_USER\SOFTWARE\NORVANE\QXdrv1.2\1024_768]' '"CalibRatioX"="1.000000"' \
    '"CalibRatioY"="1.000000"' '"CalibOffsetX"="0.000000"' '"CalibOffsetY"="0.000000"'
qx_two_displays
qx_wineserver
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

qx_case "two displays: both listed with number, size and place, the primary marked and chosen"
display_page || qx_fatal "no panel display page: $QX_OUT"
qx_screenshot display-en
qx_expect_eq "the displays" "$FIRST,$SECOND selected=0" "$(display_list)"

qx_case "the second display chosen: stored, and the pen maps there at once"
display_choose "$SECOND"
props_press ok || qx_fail "OK did not close the sheet"
qx_expect_eq "no box" 0 "$(qx_boxes)"
qx_expect_eq "PanelDisplay per user" "$SECOND_NAME" "$(qx_value HKCU PanelDisplay)"
qx_expect_eq "PanelDisplay per machine" "$SECOND_NAME" "$(qx_value HKLM PanelDisplay)"
qx_wait "the board's centre at the second display's centre" 10 eval '[ "$(qx_hover 512 384)" = "1792 384" ]' ||
    _qx_log "    the pen lands at $(qx_hover 512 384)"

qx_case "Cancel after choosing the primary again stores nothing"
display_page || qx_fatal "no panel display page the second time: $QX_OUT"
qx_expect_eq "the second selected" "$FIRST,$SECOND selected=1" "$(display_list)"
display_choose "$FIRST"
props_press cancel || qx_fail "Cancel did not close the sheet"
qx_expect_eq "PanelDisplay kept" "$SECOND_NAME" "$(qx_value HKCU PanelDisplay)"
qx_expect_eq "the pen still on the second display" "1792 384" "$(qx_hover 512 384)"
qx_stop_driver "$DRIVER" || qx_fail "driver did not end"
qx_finish
