#!/bin/bash
# The tray icon, its menu and the menu commands, on one driver as far as the
# cases allow: the icon with its tip as the shell shows it, the menu a left
# click opens (and a right click does not), Disable COM port and back, a held
# pen button released by Disable, Help at a site that keeps an old help file
# beside the exe on Windows 7 (the old viewer opens it), the About box with the busy rule, Exit
# answered No, the icon after the taskbar is re-created, Exit answered Yes
# (process gone, icon gone, the user's pointer metrics back even after
# another program changed them meanwhile), a new start at once at a display
# mode with a frequency, which the menu names, and stops while the board floods
# the port. While the driver runs the double-click area is 32 x 32 and the
# time 500 ms, and the drag threshold is the click range ("SingleClick") when
# "SingleClickType" is 1 and untouched when it is 0.
. "$(dirname "$0")/lib/harness.sh"
qx_begin tray_menu_commands
# Wine stands for Windows 7 here, where an old help file can still be shown.
qx_board_bench en 1280x768 '"SingleClickType"=dword:00000000' '"SingleClick"=dword:00000028' \
    '[HKEY_CURRENT_USER\Software\Wine]' '"Version"="win7"'
# The driver runs from a folder of its own that also holds an old-style help
# file, which Help then prefers to the HTML help.
mkdir -p "$QX_TMP/site" && cp "$QX_DRIVER_EXE" "$QX_TMP/site/" &&
    printf 'not a help file\n' >"$QX_TMP/site/QXdrv.HLP" || qx_fatal "cannot make the driver's folder"
QX_DRIVER_EXE="$QX_TMP/site/QXdrv.exe"

TIP=$(qx_en IDS_TRAY_TIP QXdrv)
QUIT_TEXT=$(qx_en IDS_QUIT_QUESTION QXdrv)
YES_NO=$'id=6 text=&Yes\nid=7 text=&No'
EXIT_BOUND=10       # seconds from Yes to the end of the process
ID_DISABLE_PORT=57672
ID_HELP=57701
ID_ABOUT=57668
ID_EXIT=57669

# Pointer metrics unlike every value the driver sets, so that a restore shows.
USER_METRICS='metrics dblclk_w=6 dblclk_h=8 dblclk_time=700 drag_w=3 drag_h=5'
qx_probe set-metrics --dblclk-w 6 --dblclk-h 8 --dblclk-time 700 --drag-w 3 --drag-h 5 ||
    qx_fatal "cannot set the user's metrics: $QX_OUT"

qx_driver_receiving
DRIVER=$QX_DRIVER_PID
qx_expect_eq "metrics while running, SingleClickType 0: the drag threshold untouched" \
    'metrics dblclk_w=32 dblclk_h=32 dblclk_time=500 drag_w=3 drag_h=5' "$(qx_metrics)"

expect_menu() { tray_expect_menu "$1" en "${@:2}"; }  # DESC RESOLUTION CALIBRATION PROPERTIES CHECKED [click]

expect_diag() {  # DESC SELECTOR VALUE
    if qx_probe --timeout 5000 diag "$2" --equals "$3"; then qx_ok "$1"; else qx_fail "$1: $QX_OUT"; fi
}

qx_case "the icon as the shell shows it"
qx_probe icons --equals 1 || qx_fail "icons shown: $QX_OUT"
qx_expect_eq "the icon's tip" "$TIP" "$(tray_tip)"
tray_icon_picture icon-enabled || qx_fail "cannot take the icon's picture"
# A click on the shell's icon window reaches the driver as its callback
# message with its icon ID: the menu opens.
# (The first display mode reports 0 Hz.)
expect_menu "menu after a left click on the icon" "1280 X 768" 1 1 0 click
tray_click_reader right menu-none "$TRAY_NO_MENU_MS" && qx_ok "a right click on the icon opens nothing" ||
    qx_fail "a right click on the icon opened a menu: $TRAY_MENU"
expect_diag "busy after the menus" busy 0

# ask COMMAND TEXT: the command asks TEXT with Yes and No.
ask() {
    qx_command "$1"
    qx_box || qx_fatal "no question for command $1: $QX_OUT"
    qx_expect_eq "question" "$2" "$QX_BOX_TEXT"
    qx_expect_eq "question buttons" "$YES_NO" "$QX_BOX_BUTTONS"
}
# ask_disable: Disable COM port with the pen enabled asks its question; Yes.
ask_disable() {
    ask "$ID_DISABLE_PORT" "$(qx_en IDS_DISABLE_PORT_QUESTION)"
    expect_diag "busy while the question is open" busy 1
    qx_probe press yes >/dev/null || qx_fail "Yes did not close the question: $QX_OUT"
    expect_diag "pen disabled" pen 0
    expect_diag "busy after the question" busy 0
}
# port_pending: bytes the board sent that the driver has not read yet
# (FIONREAD on the driver's side of the pty; perl-base is always there).
port_pending() {
    perl -e 'use Fcntl; sysopen(my $f, $ARGV[0], O_RDONLY | O_NONBLOCK | O_NOCTTY) or die "$!\n";
             my $n = pack("L", 0); ioctl($f, 0x541B, $n) or die "$!\n"; print unpack("L", $n), "\n";' \
        "$QX_PEN_SLAVE"
}

qx_case "Disable COM port, then enable it again"
qx_expect_eq "cursor follows the pen" "100 200" "$(qx_hover 100 200)"
ask_disable
expect_menu "menu with the port disabled" "1280 X 768" 0 1 1
tray_icon_picture icon-disabled || qx_fail "cannot take the icon's picture"
BYTES_BEFORE=$(qx_diag bytes)
qx_pensim "hover 300 400" "stroke 500 300 900 600 10 5" "hover 700 500" || qx_fatal "simulator failed"
qx_wait "the driver reads its port empty" 10 eval '[ "$(port_pending)" = 0 ]'
qx_expect_eq "bytes sent while disabled are not delivered" "$BYTES_BEFORE" "$(qx_diag bytes)"
qx_expect_eq "cursor stays while disabled" "100 200" "$(qx_cursor)"
qx_expect_eq "no button held after reports while disabled" 0 "$(qx_diag button)"
qx_command "$ID_DISABLE_PORT"
expect_diag "pen enabled again, without a question" pen 1
qx_expect_eq "no box for enabling" 0 "$(qx_boxes)"
expect_menu "menu with the port enabled again" "1280 X 768" 1 1 0
tray_icon_picture icon-enabled-again || qx_fail "cannot take the icon's picture"
tray_shows_like icon-enabled-again icon-enabled icon-disabled || qx_fail "the enabled picture is not back"
qx_expect_eq "the bytes sent while disabled stay lost" "$BYTES_BEFORE" "$(qx_diag bytes)"
qx_expect_eq "cursor did not move for them" "100 200" "$(qx_cursor)"
qx_pensim "hover 640 360" || qx_fatal "simulator failed"
qx_probe diag bytes --equals $((BYTES_BEFORE + QX_PEN_BYTES)) ||
    qx_fail "only the new report is delivered: $QX_OUT"
qx_expect_eq "cursor follows the pen again" "640 360" "$(qx_cursor)"

qx_case "a held pen button is released by Disable"
qx_pensim "left 200 200" "left 201 201" || qx_fatal "simulator failed"
expect_diag "left button held" button 1
qx_expect_eq "the system sees the left button down" "left=down right=up middle=up" "$(tray_buttons)"
ask_disable
expect_diag "no button held" button 0
qx_expect_eq "the system sees the left button up" "left=up right=up middle=up" "$(tray_buttons)"
qx_command "$ID_DISABLE_PORT"
expect_diag "pen enabled again" pen 1
qx_pensim "release" || qx_fatal "simulator failed"

qx_case "Help opens an old help file beside the exe with the old viewer"
# Wine's viewer cannot read the stand-in file and names the path the driver
# passed.
HELP_FILE="Z:$(cd "$(dirname "$QX_DRIVER_EXE")" && pwd | tr / '\\')\\QXdrv.HLP"
qx_command "$ID_HELP"
qx_box --caption ERROR || qx_fail "no help viewer after Help: $QX_OUT"
# The probe prints a backslash doubled.
WANT="Error while reading the help file \`${HELP_FILE//\\/\\\\}'"
qx_expect_eq "the viewer looks for the help file ($WANT)" 1 "$(printf '%s\n' "$QX_BOX_TEXT" | grep -cF -- "$WANT")"
qx_probe press ok --caption ERROR >/dev/null || qx_fail "the viewer's box did not close: $QX_OUT"
expect_diag "busy after Help" busy 0

qx_case "the About box and the busy rule"
qx_command "$ID_ABOUT"
qx_dialog "About QXdrv" || qx_fatal "no About box: $QX_OUT"
# The icon, the version line, a second text of two lines and OK.
qx_expect_eq "About box controls" "caption About QXdrv
Static -1 #128
Static -1 Vellora Driver Version 1.2.0.0
Static -1 (two lines)
Button 1 OK" "$(tray_dialog_controls | sed -E 's/^(Static -1) [^\\]+\\n[^\\]+$/\1 (two lines)/')"
qx_screenshot about
expect_diag "busy while About is open" busy 1
expect_menu "menu while About is open" "1280 X 768" 0 0 0
# Every other command only beeps: no box, no second About, no help viewer.
for id in "$ID_EXIT" "$ID_DISABLE_PORT" "$ID_ABOUT" "$ID_HELP"; do
    qx_command "$id"
    qx_probe --timeout 5000 watch --for "$TRAY_NO_MENU_MS" --class '#32770' --any-caption
    qx_expect_eq "command $id while About is open adds no window" "seen-total 1" "$(grep '^seen-total' <<<"$QX_OUT")"
    expect_diag "busy stays after command $id" busy 1
done
expect_diag "pen still enabled" pen 1
qx_probe press ok --hwnd "$QX_DIALOG" --any-caption || qx_fail "OK did not close About: $QX_OUT"
expect_diag "busy after About" busy 0

qx_case "Exit answered No"
ask "$ID_EXIT" "$QUIT_TEXT"
qx_probe press no || qx_fail "No did not close the question: $QX_OUT"
expect_diag "busy after No" busy 0
qx_resident "$DRIVER" || qx_fail "driver not resident after No"
qx_expect_eq "icons after No" 1 "$(tray_icon_count)"
# (The byte count lags the board's by the bytes the disabled port dropped.)
qx_pensim "hover 320 240" || qx_fatal "simulator failed"
qx_wait "the pen still works" 10 eval '[ "$(qx_cursor)" = "320 240" ]' && qx_ok "the pen still works"

qx_case "the taskbar is re-created"
# Wine's shell keeps its icons as long as it runs and cannot be restarted on
# the same desktop; what a restarted shell is like for the driver is an icon
# that the shell has forgotten, then the "TaskbarCreated" broadcast.
qx_probe taskbar-created || qx_fail "no broadcast: $QX_OUT"
qx_probe --timeout 3000 icons --equals 1 || qx_fail "the icon is doubled by a broadcast: $QX_OUT"
ask_disable
qx_probe forget || qx_fail "the shell did not drop the icon: $QX_OUT"
qx_probe --timeout 5000 icons --equals 0 || qx_fail "the icon is still shown: $QX_OUT"
qx_probe taskbar-created || qx_fail "no broadcast: $QX_OUT"
qx_probe --timeout 5000 icons --equals 1 || qx_fail "the icon did not come back: $QX_OUT"
qx_expect_eq "the tip of the icon that came back" "$TIP" "$(tray_tip)"
tray_icon_picture icon-back || qx_fail "cannot take the icon's picture"
tray_shows_like icon-back icon-disabled icon-enabled || qx_fail "the icon came back without the disabled picture"
expect_menu "menu from the icon that came back" "1280 X 768" 0 1 1 click
qx_command "$ID_DISABLE_PORT"
expect_diag "pen enabled again" pen 1

qx_case "Exit answered Yes, after another program changed the metrics"
qx_probe set-metrics --dblclk-w 50 --dblclk-h 51 --dblclk-time 900 --drag-w 9 --drag-h 10 >/dev/null
qx_expect_eq "metrics changed while running" 'metrics dblclk_w=50 dblclk_h=51 dblclk_time=900 drag_w=9 drag_h=10' "$(qx_metrics)"
ask "$ID_EXIT" "$QUIT_TEXT"
qx_probe press yes || qx_fail "Yes did not close the question: $QX_OUT"
qx_wait_exit "$DRIVER" "$EXIT_BOUND" || qx_fatal "the driver still runs ${EXIT_BOUND}s after Yes"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_expect_eq "icons after Exit" 0 "$(tray_icon_count)"
qx_expect_eq "main windows after Exit" 0 "$(qx_main_windows)"
qx_expect_eq "the user's pointer metrics are back" "$USER_METRICS" "$(qx_metrics)"

qx_case "a new start at once, at a mode with a frequency, SingleClickType 1 and SingleClick 40: the drag threshold 40 x 40"
qx_setting HKCU SingleClickType REG_DWORD 1
qx_add_modes "1280x768_60 79.50 1280 1344 1472 1664 768 771 778 798"
qx_mode 1280 768
qx_driver_start
DRIVER=$QX_DRIVER_PID
qx_probe diag thread --equals 1 || qx_fail "the new start is not receiving: $QX_OUT"
qx_probe --timeout 3000 watch --for "$TRAY_NO_MENU_MS"
qx_expect_eq "no box at the new start" "seen-total 0" "$(tail -n 1 <<<"$QX_OUT")"
qx_expect_eq "icons after the new start" 1 "$(tray_icon_count)"
qx_expect_eq "metrics while running" 'metrics dblclk_w=32 dblclk_h=32 dblclk_time=500 drag_w=40 drag_h=40' "$(qx_metrics)"
qx_probe current-mode
qx_expect_eq "display mode" "current 1280 768 60" "$QX_OUT"
expect_menu "menu at 60 Hz" "1280 X 768 @60Hz" 1 1 0
qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "the user's pointer metrics are back after WM_CLOSE" "$USER_METRICS" "$(qx_metrics)"

qx_case "stopping while the board floods the port"
# The receive thread may sit inside its synchronous hand-over to the window
# that is being destroyed. Two ways take turns: WM_CLOSE, and Exit answered
# Yes, whose question runs its own message loop while the thread keeps handing
# over data. The flood keeps the thread inside its hand-over at nearly every
# moment, so two of each way meet it there; QXDRV_FLOOD_RUNS=40 for a longer
# hunt. Every stop ends the process promptly with exit code 0, takes the icon
# away and leaves no box, and the next start succeeds at once.
RUNS=${QXDRV_FLOOD_RUNS:-4}
FLOOD_BYTES=1000     # bytes the window must have taken before it is told to stop
clean_exits=0
for run in $(seq 1 "$RUNS"); do
    qx_driver_receiving >/dev/null
    qx_pensim_async "flood 60"  # ends when the next command arrives
    qx_probe diag bytes --at-least "$FLOOD_BYTES" || { qx_fail "run $run: the flood does not arrive: $QX_OUT"; break; }
    if [ $((run % 2)) = 1 ]; then
        way=WM_CLOSE
        qx_probe close >/dev/null || { qx_fail "run $run: no main window to close: $QX_OUT"; break; }
    else
        way="Exit, Yes"
        ask "$ID_EXIT" "$QUIT_TEXT"
        DURING=$(qx_diag bytes)
        qx_probe diag bytes --at-least $((DURING + FLOOD_BYTES)) ||
            { qx_fail "run $run: no data taken while the question is open: $QX_OUT"; break; }
        qx_probe press yes --no-wait >/dev/null || { qx_fail "run $run: cannot press Yes: $QX_OUT"; break; }
    fi
    qx_wait_exit "$QX_DRIVER_PID" "$EXIT_BOUND" || { qx_fail "run $run: still running ${EXIT_BOUND}s after $way"; break; }
    qx_pensim "mark end-of-flood-$run" || break
    icons=$(tray_icon_count) boxes=$(qx_boxes)
    if [ "$QX_EXIT_CODE" != 0 ] || [ "$icons" != 0 ] || [ "$boxes" != 0 ]; then
        qx_fail "run $run ($way): exit code $QX_EXIT_CODE, icons left $icons, boxes left $boxes"
        break
    fi
    clean_exits=$((clean_exits + 1))
done
qx_expect_eq "clean exits during a flood" "$RUNS" "$clean_exits"
qx_finish
