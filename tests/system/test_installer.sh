#!/bin/bash
# The setup program on one fresh prefix with the simulated board on COM1 and
# no settings: bad /PORT= and /MODEL= options end a silent setup with an
# error code and an interactive one with a box naming the option, nothing
# stored either way; an interactive install goes through its pages, runs install
# mode (port and model asked in the first-run sheet, the preset stored), puts
# the files, the Start menu folder, the Run value in the 64-bit view and the
# installed-programs entry in place and starts QXdrv, whose pen then moves
# the cursor; the installed exe
# carries its version texts in both languages and the supported Windows
# versions; Help opens the help at its contents (an old help file beside the
# exe is passed over on the Windows 10 Wine reports), and without the help
# file says so; a silent setup while a file is held open (as by a copy in
# another session) ends the running copy cleanly, fails and changes nothing;
# a silent install with a USB adapter's /PORT=COM12: is stored and started
# on; one with /PORT=COM1: and /MODEL=200 over the user's own other
# port stores both scopes and starts the new copy, which takes the pen on COM1 and names
# PX-B200 in its Test Mode caption; a silent uninstall ends it, removes what was installed and keeps the
# settings. The user's own pointer metrics are back at the end, which only
# clean ends of both copies give.
. "$(dirname "$0")/lib/harness.sh"
qx_begin installer
PROPS_SHEET=Properties
qx_prefix en
qx_pensim_start
qx_reg_preload '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]' "\"COM1\"=\"$QX_PEN_SLAVE\"" \
    '[HKEY_CURRENT_USER\Software\Wine]' '"Version"="win10"'  # as Windows 10 and 11 report
qx_display 1280x768
qx_wineserver

SETUP="$QXDRV_WIN_BUILD_DIR/QXdrv-1.2.0.0-setup.exe"
[ -f "$SETUP" ] || qx_fatal "no setup program at $SETUP"
DIR='C:\Program Files\NORVANE\QXdrv'
UNIX_DIR="$WINEPREFIX/drive_c/Program Files/NORVANE/QXdrv"
MENU_DIR="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QXdrv"
RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\QXdrv'
ID_HELP=57701
ID_TEST_MODE=57685

esc() { printf '%s' "$1" | sed 's/\\/\\\\/g'; }  # the probe's escaping of a text
receiving() { qx_probe --timeout 20000 diag thread --equals 1 >/dev/null; }
setup() { _qx_wine "$SETUP" "$@" >>"$QX_TMP/setup.log" 2>&1; }

# The user's own pointer settings, which no clean end may lose.
qx_probe set-metrics --dblclk-w 6 --dblclk-h 6 --dblclk-time 900 --drag-w 7 --drag-h 7 >/dev/null
USER_METRICS=$(qx_metrics)

nothing_stored() {
    [ ! -e "$UNIX_DIR" ] || qx_fail "$1: files were installed"
    for hive in HKLM HKCU; do
        for name in UsePort QXMachine; do
            qx_expect_eq "$1: no $hive $name" "" "$(qx_value "$hive" "$name")"
        done
    done
}

qx_case "bad /PORT= and /MODEL= end a silent setup with an error and store nothing"
# Only the names the property sheet lists, "COM1:" to "COM256:".
for options in "/PORT=COM1" "/PORT=COM257:" "/PORT=com1:" '/PORT=\\server\share' "/PORT=COM1: /MODEL=300" "/MODEL=A100"; do
    # shellcheck disable=SC2086
    setup /S $options && qx_fail "$options: exit code 0"
    nothing_stored "$options"
done

qx_case "a bad option in an interactive setup says what is wrong"
qx_wine_bg "$QX_TMP/bad-interactive.out" "$SETUP" /MODEL=5
BAD=$QX_BG_PID
qx_box --caption "QXdrv Setup" || qx_fail "no box for /MODEL=5: $QX_OUT"
qx_expect_match "the box names the option" '/MODEL=5' "$QX_BOX_TEXT"
qx_probe press ok --caption "QXdrv Setup" >/dev/null || qx_fail "the box did not close: $QX_OUT"
qx_wait_exit "$BAD" 15 || qx_fail "the setup did not end after the box"
[ "${QX_EXIT_CODE:-0}" -ne 0 ] || qx_fail "interactive /MODEL=5: exit code 0"
nothing_stored "interactive /MODEL=5"

qx_case "an interactive install asks for the port in install mode and starts QXdrv"
# The setup starts QXdrv with the token of the session's shell; a window of
# the probe stands in for Explorer's desktop, which this bench does not run.
qx_probe_bg "$QX_TMP/shell.out" hold-window --title "Desktop" --shell
qx_wait "the stand-in shell" 10 grep -qx held "$QX_TMP/shell.out"
qx_wine_bg "$QX_TMP/interactive.out" "$SETUP"
INTERACTIVE=$QX_BG_PID
SETUP_CAPTION="QXdrv Setup"
qx_probe wait-window --caption "$SETUP_CAPTION" --visible || qx_fatal "no setup window: $QX_OUT"
SETUP_HWND=$(printf '%s\n' "$QX_OUT" | sed -n 's/^window hwnd=\([^ ]*\) .*/\1/p')
setup_press() { qx_probe press "$1" --hwnd "$SETUP_HWND" --any-caption --no-wait >/dev/null; }
setup_shows() { qx_probe controls --hwnd "$SETUP_HWND" --any-caption && printf '%s\n' "$QX_OUT" | grep -q "$1"; }
qx_screenshot setup-welcome-en
setup_press 1
qx_wait "the folder page" 10 setup_shows 'NORVANE.*QXdrv'
qx_screenshot setup-folder-en
setup_press 1
qx_answer "$(qx_en IDS_INSTALL_SET_PORT)" ok
props_find && props_read || qx_fatal "no first-run sheet from the setup: $QX_OUT"
qx_probe select --hwnd "$PROPS_HWND" --any-caption --id "$IDC_MODEL_COMBO" PX-A100 >/dev/null ||
    qx_fail "cannot choose PX-A100: $QX_OUT"
props_press ok --no-wait
qx_answer "$(qx_en IDS_INSTALL_PORT_APPLIED)" ok
qx_box && qx_probe press ok >/dev/null  # the preset of the resolution
qx_wait "the finish page" 30 setup_shows 'Completing'
qx_screenshot setup-finish-en
setup_press 1
qx_wait_exit "$INTERACTIVE" 15 || qx_fail "the setup did not end after Finish"
for f in "$UNIX_DIR/"{QXdrv.exe,QXdrv_en.chm,QXdrv_ja.chm,uninstall.exe} "$MENU_DIR/"{QXdrv.lnk,"QXdrv Help.lnk","Uninstall QXdrv.lnk"}; do
    [ -f "$f" ] || qx_fail "not installed: $f"
done
qx_expect_eq "autostart for every user" "$(esc "\"$DIR\\QXdrv.exe\"")" "$(qx_reg_value HKLM "$RUN_KEY" QXdrv)"
while IFS='|' read -r name want; do
    qx_expect_eq "installed-programs $name" "$want" "$(qx_reg_value HKLM "$UNINSTALL_KEY" "$name")"
done <<EOF2
DisplayName|QXdrv
Publisher|NORVANE
DisplayVersion|1.2.0.0
DisplayIcon|$(esc "\"$DIR\\QXdrv.exe\",0")
UninstallString|$(esc "\"$DIR\\uninstall.exe\"")
EOF2
qx_expect_match "size in KB" '^[1-9][0-9]+$' "$(qx_reg_value HKLM "$UNINSTALL_KEY" EstimatedSize)"
qx_expect_eq "the port and model install mode stored" "COM1: 100" "$(qx_value HKLM UsePort) $(qx_value HKLM QXMachine)"
qx_probe --timeout 0 reg HKLM 'SOFTWARE\NORVANE\QXdrv1.2\1280_768' CalibRatioX >/dev/null ||
    qx_fail "no preset stored for 1280 x 768: $QX_OUT"

qx_case "the installed QXdrv runs and the pen moves the cursor"
receiving || qx_fatal "the installed QXdrv is not receiving: $QX_OUT"
pgrep -f 'NORVANE.QXdrv.QXdrv.exe' >/dev/null || qx_fail "the running QXdrv is not the installed one"
FIRST=$(qx_main_hwnd)
qx_pen "tap 1000 200"
BEFORE=$(qx_cursor)
qx_pen "tap 6000 700"
qx_expect_match "the cursor moved with the pen" '^[0-9]+ [0-9]+$' "$(qx_cursor)"
[ "$(qx_cursor)" != "$BEFORE" ] || qx_fail "the cursor stayed at $BEFORE"

qx_case "version texts and supported Windows versions of the installed exe"
for block in 040904b0 041104b0; do
    qx_probe version "$DIR\\QXdrv.exe" --block "$block" || qx_fail "no version resource: $QX_OUT"
    for line in "version CompanyName NORVANE" "version ProductName QXdrv" "version ProductVersion 1.2.0.0"; do
        printf '%s\n' "$QX_OUT" | grep -qx "$line" || qx_fail "$block lacks '$line': $QX_OUT"
    done
done
qx_expect_eq "Windows 7 to 10 and 11" "supportedOS {35138b9a-5d96-4fbd-8e2d-a2440225f93a}
supportedOS {4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}
supportedOS {1f676c76-80e1-4239-95bb-83d0f6d0da78}
supportedOS {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" "$(printf '%s\n' "$QX_OUT" | grep '^supportedOS')"

qx_case "Help opens the help at its contents"
# Windows 10 has no viewer for an old help file: the HTML Help opens anyway.
printf 'not a help file\n' >"$UNIX_DIR/QXdrv.HLP"
qx_command "$ID_HELP"
qx_probe wait-window --class "HH Parent" --caption "QXdrv Help" --visible >/dev/null || qx_fail "no help window: $QX_OUT"
qx_probe tree --class "HH Parent" --any-caption || qx_fail "no contents: $QX_OUT"
qx_expect_eq "the seven topics" 7 "$(grep -c '^item [^ ]' <<<"$QX_OUT")"
qx_screenshot help-en
rm -f "$UNIX_DIR/QXdrv.HLP"

qx_case "Help without the help file says so"
rm -f "$UNIX_DIR/QXdrv_en.chm"
qx_command "$ID_HELP"
qx_expect_box "missing help text" "$(qx_en IDS_HELP_MISSING "$DIR\\QXdrv_en.chm" | sed 's/\\/\\\\/g; s/\\\\r/\\r/g')"
qx_probe press ok >/dev/null

qx_case "a file still in use (a copy in another session) ends the setup before anything changes"
qx_probe_bg "$QX_TMP/hold.out" hold-file "$DIR\\QXdrv_ja.chm"
HOLDER=$QX_BG_PID
qx_wait "the help file held" 10 grep -qx held "$QX_TMP/hold.out"
EXE_STATUS=$(stat -c %z "$UNIX_DIR/QXdrv.exe")
setup /S /PORT=COM3: /MODEL=200 && qx_fail "the setup replaced a file in use: exit code 0"
qx_expect_eq "QXdrv.exe not written" "$EXE_STATUS" "$(stat -c %z "$UNIX_DIR/QXdrv.exe")"
kill "$HOLDER"
qx_wait "the running copy ended as its Exit does" 30 test "$(qx_main_windows)" = 0
qx_expect_eq "the port and the model stay" "COM1: 100" "$(qx_value HKLM UsePort) $(qx_value HKLM QXMachine)"

qx_case "a silent install with a USB adapter's /PORT=COM12: stores it and the new copy takes it"
setup /S /PORT=COM12: || qx_fail "the silent setup with COM12: failed: $(cat "$QX_TMP/setup.log")"
for hive in HKLM HKCU; do qx_expect_eq "$hive port" "COM12:" "$(qx_value "$hive" UsePort)"; done
# This bench maps no COM12: the new copy says that it cannot open it.
qx_answer "$(qx_en IDS_PORT_OPEN_FAILED 'COM12:')" ok

qx_case "a silent install over the user's own choices: the new copy uses what it was given"
# The user chose another port since; install mode stored PX-A100 per user.
qx_setting HKCU UsePort REG_SZ COM2:
setup /S /PORT=COM1: /MODEL=200 || qx_fail "the silent setup failed: $(cat "$QX_TMP/setup.log")"
for hive in HKLM HKCU; do
    qx_expect_eq "$hive port and model" "COM1: 200" "$(qx_value "$hive" UsePort) $(qx_value "$hive" QXMachine)"
done
receiving || qx_fail "the new QXdrv is not receiving: $QX_OUT"
# The new copy counts from 0: any bytes at all come from the board on COM1.
qx_pensim "tap 2000 300" && qx_probe --timeout 10000 diag bytes --at-least 1 >/dev/null ||
    qx_fail "the new QXdrv does not take the pen on COM1: $QX_OUT"
qx_command "$ID_TEST_MODE"
qx_probe wait-window --caption "Test Mode (PX-B200)" --visible >/dev/null ||
    qx_fail "no \"Test Mode (PX-B200)\" from the new QXdrv: $QX_OUT"
SECOND=$(qx_main_hwnd)
[ -n "$SECOND" ] && [ "$SECOND" != "$FIRST" ] || qx_fail "no new main window (was $FIRST, now '$SECOND')"
qx_expect_eq "one main window" 1 "$(qx_main_windows)"
qx_probe icons --equals 1 >/dev/null || qx_fail "not one tray icon: $QX_OUT"
[ -f "$UNIX_DIR/QXdrv_en.chm" ] || qx_fail "the help file was not put back"

qx_case "silent uninstall"
_qx_wine "$DIR\\uninstall.exe" /S >>"$QX_TMP/setup.log" 2>&1
qx_wait "the files removed" 30 test ! -e "$UNIX_DIR/QXdrv.exe"
qx_wait "QXdrv ended" 30 test "$(qx_main_windows)" = 0
qx_wait "the folder removed" 10 test ! -e "$UNIX_DIR"
[ ! -e "$MENU_DIR" ] || qx_fail "the Start menu folder stayed"
qx_expect_eq "no Run value" "" "$(qx_reg_value HKLM "$RUN_KEY" QXdrv)"
qx_probe reg-key HKLM "$UNINSTALL_KEY"
qx_expect_eq "no installed-programs entry" "key missing" "$QX_OUT"
qx_expect_eq "the settings stay" "COM1:" "$(qx_value HKLM UsePort)"
qx_expect_eq "the user's own pointer metrics are back" "$USER_METRICS" "$(qx_metrics)"
qx_finish
