#!/bin/bash
# Japanese (a Japanese prefix, LC_ALL=ja_JP.UTF-8): the driver stamps the
# Japanese version text, and the icon's tip, the menu's items in both pen
# states, the question of Disable COM port, the About box, Select Calibration
# the box of a second start, the "Properties" sheet in both forms and the box of
# install mode left without a port are the Japanese texts and templates of the
# resource script; Help opens the Japanese help with its Japanese topics, and
# the setup program speaks Japanese.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/tray_harness.sh"
. "$(dirname "$0")/lib/props_harness.sh"
qx_begin japanese
props_bench ja

RC=$TRAY_RC_JA
VERSION_TEXT=$(qx_text ja IDS_VERSION_STAMP) || qx_fatal "IDS_VERSION_STAMP has no Japanese text"
TIP=$(qx_text ja IDS_TRAY_TIP QXdrv) || qx_fatal "IDS_TRAY_TIP has no Japanese text"
DISABLE_TEXT=$(qx_text ja IDS_DISABLE_PORT_QUESTION) || qx_fatal "IDS_DISABLE_PORT_QUESTION has no Japanese text"
ALREADY_TEXT=$(qx_text ja IDS_ALREADY_RUNNING QXdrv) || qx_fatal "IDS_ALREADY_RUNNING has no Japanese text"
ABOUT_CAPTION=$(tray_rc_dialog "$RC" IDD_ABOUTBOX | sed -n 's/^caption //p')
[ -n "$ABOUT_CAPTION" ] || qx_fatal "no About template in $RC"
WM_COMMAND=0x0111
ID_DISABLE_PORT=57672
ID_ABOUT=57668

qx_driver_receiving
DRIVER=$QX_DRIVER_PID

expect_menu() { tray_expect_menu "$1" ja "1280 X 768" "${@:2}"; }  # DESC CALIBRATION PROPERTIES CHECKED

qx_case "version stamp"
qx_wait "HKCU version stamp" 10 qx_probe --timeout 0 reg HKCU "$QX_SETTINGS_KEY" QXdrvVersion
qx_expect_eq "HKCU QXdrvVersion" \
    "reg type=REG_SZ bytes=$((${#VERSION_TEXT} * 2)) value=$VERSION_TEXT" "$QX_OUT"

qx_case "the icon's tip"
qx_expect_eq "Japanese tip" "$TIP" "$(tray_tip)"

qx_case "the menu"
if tray_menu_read; then
    qx_expect_eq "Japanese menu items" "$(tray_expected_menu ja "1280 X 768" 1 1 0)" "$TRAY_MENU"
    qx_screenshot menu-ja
    tray_menu_close || qx_fail "the menu did not close"
else
    qx_fail "no menu on a left-button release: $TRAY_MENU"
fi

qx_case "Disable COM port in Japanese"
qx_probe post "$WM_COMMAND" "$ID_DISABLE_PORT" >/dev/null
if qx_box; then
    qx_expect_eq "Japanese disable question" "$DISABLE_TEXT" "$QX_BOX_TEXT"
    qx_screenshot disable-question-ja
    qx_probe press yes || qx_fail "Yes did not close the question: $QX_OUT"
else
    qx_fail "no question for Disable COM port: $QX_OUT"
fi
qx_probe diag pen --equals 0 || qx_fail "pen not disabled: $QX_OUT"
# The command ends (busy cleared) only after the icon has changed.
qx_probe diag busy --equals 0 || qx_fail "busy after the question: $QX_OUT"
expect_menu "Japanese menu with the port disabled" 0 1 1
qx_probe post "$WM_COMMAND" "$ID_DISABLE_PORT" >/dev/null
qx_probe diag pen --equals 1 || qx_fail "pen not enabled again: $QX_OUT"

qx_case "the About box"
qx_probe post "$WM_COMMAND" "$ID_ABOUT" >/dev/null
tray_dialog "$ABOUT_CAPTION" || qx_fatal "no Japanese About box: $QX_OUT"
qx_expect_eq "Japanese About box controls" "$(tray_rc_dialog "$RC" IDD_ABOUTBOX)" \
    "$(tray_dialog_controls)"
# The same controls as the English template, whatever their texts.
shape() { sed -n 's/^control \(class=[^ ]* id=[-0-9]*\) .*/\1/p'; }
qx_expect_eq "the same controls as in English" "$(tray_rc_dialog "$TRAY_RC_EN" IDD_ABOUTBOX | shape)" \
    "$(tray_dialog_controls | shape)"
qx_screenshot about-ja
expect_menu "Japanese menu while About is open" 0 0 0
tray_dialog_press ok || qx_fail "OK did not close About: $QX_OUT"
qx_probe diag busy --equals 0 || qx_fail "busy after About: $QX_OUT"

qx_case "Select Calibration in Japanese"
SELECT_CAPTION=$(tray_rc_dialog "$RC" IDD_CALIB_SELECT | sed -n 's/^caption //p')
qx_probe post "$WM_COMMAND" 57667 >/dev/null
tray_dialog "$SELECT_CAPTION" || qx_fatal "no Japanese selection dialog: $QX_OUT"
PIXELS=$(qx_text ja IDS_RESOLUTION_PIXELS | sed 's/%d/1280/; s/%d/768/')
qx_expect_match "the resolution in Japanese" "id=1031 text=$PIXELS\$" "$(tray_dialog_controls)"
qx_screenshot select-ja
tray_dialog_press cancel || qx_fail "Cancel did not close the dialog: $QX_OUT"
qx_probe diag busy --equals 0 || qx_fail "busy after the selection dialog: $QX_OUT"

qx_case "the Properties sheet in Japanese"
props_open || qx_fatal "no Japanese Properties sheet: $QX_OUT"
IN_USE=$(qx_text ja IDS_SUFFIX_IN_USE)
qx_expect_eq "the port in use, in Japanese" "COM1:$IN_USE" "$(props_list | cut -d, -f1)"
qx_screenshot properties-ja

qx_case "the pointer pages in Japanese"
props_page 1 "$IDC_AREA_EDIT" || qx_fail "no area page: $QX_OUT"
qx_expect_eq "the area page's default" 32 "$(props_field $IDC_AREA_EDIT text)"
qx_screenshot properties-area-ja
props_page 2 "$IDC_SPEED_TARGET" || qx_fail "no speed page: $QX_OUT"
qx_screenshot properties-speed-ja
props_page 3 "$IDC_MIDDLE_BUTTON" || qx_fail "no other-setup page: $QX_OUT"
qx_expect_eq "the other-setup page's first box" "有効(&E)" "$(props_field $IDC_MIDDLE_BUTTON text)"
qx_screenshot properties-other-ja
props_press cancel || qx_fail "Cancel did not close the sheet"

qx_case "Help in Japanese"
qx_probe post "$WM_COMMAND" 57701 >/dev/null
qx_wait "the help window" 10 qx_probe --timeout 0 wait-window --class "HH Parent" --visible
qx_probe windows --class "HH Parent" --visible
qx_expect_match "the Japanese help's title" ' caption=QXdrv ヘルプ$' "$QX_OUT"
qx_probe tree --class "HH Parent" --any-caption || qx_fail "no contents: $QX_OUT"
qx_expect_eq "the Japanese topics" "$(for page in index calibration properties testmode install messages registry; do
    printf 'item %s\n' "$(sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$(dirname "$0")/../../src/help/ja/$page.html")"
done)" "$QX_OUT"
qx_screenshot help-ja

qx_case "second start"
qx_driver_start
SECOND=$QX_DRIVER_PID
qx_box || qx_fatal "no box for the second start: $QX_OUT"
qx_expect_eq "Japanese second-start text" "$ALREADY_TEXT" "$QX_BOX_TEXT"
qx_screenshot already-running-ja
qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
qx_wait_exit "$SECOND" 10 || qx_fail "the second copy did not end"
qx_alive "$DRIVER" || qx_fail "the first copy ended"

qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"

qx_case "install mode in Japanese, left without a port"
props_forget_port
props_install || qx_fatal "no Japanese first-run sheet: $QX_OUT"
INSTALL=$QX_DRIVER_PID
qx_expect_eq "the first port selected, in Japanese" "COM1:$(qx_text ja IDS_SUFFIX_SELECTED)" \
    "$(props_list | cut -d, -f1)"
qx_screenshot properties-setup-ja
props_press cancel --no-wait
props_answer "$(qx_text ja IDS_INSTALL_NOT_SET)" ok
qx_wait_exit "$INSTALL" 15 || qx_fail "install mode did not end"

qx_case "the setup program in Japanese"
qx_wine_bg "$QX_TMP/setup.out" "$QXDRV_WIN_BUILD_DIR/QXdrv-1.2.0.0-setup.exe"
SETUP=$QX_BG_PID
qx_dialog "QXdrv セットアップ" 20 || qx_fail "no Japanese setup window: $QX_OUT"
SETUP_HWND=$QX_DIALOG
qx_screenshot setup-welcome-ja
qx_probe press 1 --hwnd "$SETUP_HWND" --any-caption --no-wait >/dev/null
qx_wait "the folder page" 10 eval 'qx_probe controls --hwnd "$SETUP_HWND" --any-caption && printf "%s\n" "$QX_OUT" | grep -q "NORVANE.*QXdrv"'
qx_screenshot setup-folder-ja
kill "$SETUP" 2>/dev/null
qx_finish
