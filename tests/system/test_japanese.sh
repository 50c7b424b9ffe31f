#!/bin/bash
# Japanese (a Japanese prefix, LC_ALL=ja_JP.UTF-8): the driver stamps the
# Japanese version text, and the icon's tip, the menu's items in both pen
# states, the question of Disable COM port, the About box, Select Calibration
# the box of a second start, the "Properties" sheet in both forms and the box of
# install mode left without a port are the Japanese texts, Test Mode names
# PX-A100 and its chart paints a Japanese mode line; the About box has
# the English one's controls and version line; Help opens the Japanese help
# with its Japanese topics, and the setup program speaks Japanese.
. "$(dirname "$0")/lib/harness.sh"
qx_begin japanese
props_bench ja

ja() { qx_text ja "$@" || qx_fatal "$1 has no Japanese text in texts.sh"; }
VERSION_TEXT=$(ja IDS_VERSION_STAMP)
ID_DISABLE_PORT=57672

qx_driver_receiving
DRIVER=$QX_DRIVER_PID

expect_menu() { tray_expect_menu "$1" ja "1280 X 768" "${@:2}"; }  # DESC CALIBRATION PROPERTIES CHECKED

qx_case "version stamp"
qx_wait "HKCU version stamp" 10 qx_probe --timeout 0 reg HKCU "$QX_SETTINGS_KEY" QXdrvVersion
qx_expect_eq "HKCU QXdrvVersion" \
    "reg type=REG_SZ bytes=$((${#VERSION_TEXT} * 2)) value=$VERSION_TEXT" "$QX_OUT"

qx_case "the icon's tip"
qx_expect_eq "Japanese tip" "$(ja IDS_TRAY_TIP QXdrv)" "$(tray_tip)"

qx_case "the menu"
expect_menu "Japanese menu items" 1 1 0

qx_case "Disable COM port in Japanese"
qx_command "$ID_DISABLE_PORT"
qx_answer "$(ja IDS_DISABLE_PORT_QUESTION)" yes
qx_probe diag pen --equals 0 >/dev/null && qx_command "$ID_DISABLE_PORT"  # enabled again
qx_probe diag pen --equals 1 >/dev/null || qx_fatal "the pen is not enabled again: $QX_OUT"

qx_case "the About box"
qx_command 57668
qx_dialog "$(ja IDD_ABOUTBOX)" || qx_fatal "no Japanese About box: $QX_OUT"
qx_expect_eq "the icon, the version line, a second text of two lines and OK, as in English" "Static -1 #128
Static -1 Vellora Driver Version 1.2.0.0
Static -1 (two lines)
Button 1 OK" "$(tray_dialog_controls | sed -E '1d; s/^(Static -1) [^\\]+\\n[^\\]+$/\1 (two lines)/')"
qx_screenshot about-ja
qx_probe press ok --hwnd "$QX_DIALOG" --any-caption || qx_fail "OK did not close About: $QX_OUT"

qx_case "Select Calibration in Japanese"
qx_command 57667
qx_dialog "$(ja IDD_CALIB_SELECT)" || qx_fatal "no Japanese selection dialog: $QX_OUT"
qx_controls
qx_expect_match "the resolution in Japanese" "text=$(ja IDS_RESOLUTION_PIXELS | sed 's/%d/1280/; s/%d/768/')\$" "$(qx_control 1031)"
qx_screenshot select-ja
qx_probe press cancel --hwnd "$QX_DIALOG" --any-caption || qx_fail "Cancel did not close the dialog: $QX_OUT"

qx_case "Test Mode and its chart in Japanese, PX-A100 stored"
qx_setting HKCU QXMachine REG_DWORD 100
qx_command 57685
qx_dialog "$(ja IDD_TEST_MODE) ($(ja IDS_MODEL_A100))" || qx_fatal "no Japanese Test Mode naming PX-A100: $QX_OUT"
qx_screenshot test-mode-ja
chart_shown() { qx_probe windows --class '#32770' --visible && grep -q ' rect=0,0,1280,768 ' <<<"$QX_OUT"; }
qx_probe press 1065 --hwnd "$QX_DIALOG" --any-caption --no-wait >/dev/null
qx_wait "the chart" 10 chart_shown || qx_fatal "no full-screen chart: $QX_OUT"
sleep 0.5  # let it paint
qx_screenshot chart-ja
qx_expect_eq "the Japanese mode line painted in rows 226 to 245" 1 \
    "$(convert "$QX_ARTEFACTS/chart-ja.png" -crop 1260x20+10+226 +repage -colorspace gray -format '%[fx:maxima>0.5]' info:)"
xdotool key Escape
qx_wait "the chart ended by Esc" 10 eval '! chart_shown' || qx_fail "the chart is still shown"
qx_probe press cancel --hwnd "$QX_DIALOG" --any-caption >/dev/null

qx_case "the Properties sheet in Japanese"
props_open || qx_fatal "no Japanese Properties sheet: $QX_OUT"
qx_expect_eq "the port in use, in Japanese" "COM1:$(ja IDS_SUFFIX_IN_USE)" "$(props_list | cut -d, -f1)"
qx_screenshot properties-ja

qx_case "the pointer pages in Japanese"
props_page 1 "$IDC_AREA_EDIT" || qx_fail "no area page: $QX_OUT"
qx_screenshot properties-area-ja
props_page 2 "$IDC_SPEED_TARGET" || qx_fail "no speed page: $QX_OUT"
qx_screenshot properties-speed-ja
props_page 3 "$IDC_MIDDLE_BUTTON" || qx_fail "no other-setup page: $QX_OUT"
qx_expect_eq "the other-setup page's first box" "有効(&E)" "$(props_field $IDC_MIDDLE_BUTTON text)"
qx_screenshot properties-other-ja
props_press cancel || qx_fail "Cancel did not close the sheet"

qx_case "Help in Japanese"
qx_command 57701
qx_probe wait-window --class "HH Parent" --visible || qx_fail "no help window: $QX_OUT"
qx_expect_match "the Japanese help's title" ' caption=QXdrv ヘルプ$' "$QX_OUT"
qx_probe tree --class "HH Parent" --any-caption || qx_fail "no contents: $QX_OUT"
qx_expect_eq "seven topics, each with Japanese text" 7 "$(LC_ALL=C grep -c '^item .*[^ -~]' <<<"$QX_OUT")"
qx_screenshot help-ja

qx_case "second start"
qx_driver_start
qx_expect_box "Japanese second-start text" "$(ja IDS_ALREADY_RUNNING QXdrv)"
qx_screenshot already-running-ja
qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
qx_wait_exit "$QX_DRIVER_PID" 10 || qx_fail "the second copy did not end"

qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"

qx_case "install mode in Japanese, left without a port"
props_forget UsePort
props_install || qx_fatal "no Japanese first-run sheet: $QX_OUT"
qx_expect_eq "the first port selected, in Japanese" "COM1:$(ja IDS_SUFFIX_SELECTED)" "$(props_list | cut -d, -f1)"
qx_screenshot properties-setup-ja
props_press cancel --no-wait
qx_answer "$(ja IDS_INSTALL_NOT_SET)" ok
qx_wait_exit "$QX_DRIVER_PID" 15 || qx_fail "install mode did not end"

qx_case "the setup program in Japanese"
qx_wine_bg "$QX_TMP/setup.out" "$QXDRV_WIN_BUILD_DIR/QXdrv-1.2.0.0-setup.exe"
SETUP=$QX_BG_PID
qx_dialog "QXdrv セットアップ" 20 || qx_fail "no Japanese setup window: $QX_OUT"
qx_screenshot setup-welcome-ja
qx_probe press 1 --hwnd "$QX_DIALOG" --any-caption --no-wait >/dev/null
qx_wait "the folder page" 10 eval 'qx_probe controls --hwnd "$QX_DIALOG" --any-caption && printf "%s\n" "$QX_OUT" | grep -q "NORVANE.*QXdrv"'
qx_screenshot setup-folder-ja
kill "$SETUP" 2>/dev/null
qx_finish
