#!/usr/bin/env bash
# Runs the product and shows what it does, on a private virtual display (no
# display is needed from the caller): QXdrv.exe under Wine with the simulated
# pen board on COM1. It shows that the driver is resident, the pointer metrics
# it set, the line settings of the port it opened, the bytes it received from
# a pen stroke, the pen writing a word and clicking in a window of another
# program, a Detail-1 calibration done by the pen, the tray icon with its tip
# and menu, and after Exit from the menu the metrics put back. Screenshots are
# left in build/demo/ (pen.png shows what the pen wrote, select.png the
# calibration selection, calibration.png the cross screen, menu.png the menu).
#
# Builds build/win (QXdrv.exe and its test tools) and build/native (the pen
# board simulator) with scripts/build.sh first; QXDRV_DEMO_NO_BUILD=1 skips that.
root=$(cd "$(dirname "$0")/.." && pwd)
export QXDRV_WIN_BUILD_DIR="${QXDRV_WIN_BUILD_DIR:-$root/build/win}"
export QXDRV_PENSIM="${QXDRV_PENSIM:-$root/build/native/tools/native/pensim/pensim}"
export QXDRV_SYSTEM_DIR="${QXDRV_DEMO_DIR:-$root/build/demo}"

# Installs what is missing and builds both flavours first (quick when built).
if [ -z "${QXDRV_DEMO_NO_BUILD:-}" ]; then
    "$root/scripts/build.sh" || exit 1
fi

. "$root/tests/system/lib/harness.sh"
qx_begin demo
say() { printf '\n>>> %s\n' "$*"; }

say "Private display 1280x768, a fresh Wine prefix, the pen board simulator on COM1"
qx_board_bench en 1280x768
qx_probe set-metrics --dblclk-w 4 --dblclk-h 4 --dblclk-time 700 >/dev/null
BEFORE=$(qx_metrics)
echo "pointer metrics before the start: ${BEFORE#metrics }"

say "Starting QXdrv.exe"
qx_driver_start
DRIVER=$QX_DRIVER_PID
qx_probe --timeout 15000 diag thread --equals 1 || qx_fatal "the driver did not start receiving: $QX_OUT"
qx_probe wait-window --class QXdrvTrayWnd
echo "resident: main ${QX_OUT#window }"
qx_expect_eq "no message box at start" 0 "$(qx_boxes)"

say "Pointer metrics while it runs (double-click area and time, drag threshold)"
RUNNING=$(qx_metrics)
echo "${RUNNING#metrics }"
qx_expect_match "double-click area 32 x 32 and time 500 ms" 'dblclk_w=32 dblclk_h=32 dblclk_time=500' "$RUNNING"

say "The port it opened: stty -F $QX_PEN_SLAVE (the pty slave mapped as COM1)"
qx_stty | head -n 1
qx_stty | grep -oE '(-?cstopb|-?crtscts|cs[5-8]|-?parenb)' | tr '\n' ' '
echo

say "The pen draws a stroke; the bytes reach the driver's main window"
BYTES_BEFORE=$(qx_diag bytes)
qx_pensim "hover 600 400" "stroke 600 400 700 450 20 10" || qx_fatal "the simulator failed"
echo "the board sent $QX_PEN_BYTES bytes"
qx_probe diag bytes --equals $((BYTES_BEFORE + QX_PEN_BYTES)) || qx_fail "not all bytes arrived: $QX_OUT"
echo "the driver counted ${QX_OUT#diag bytes } bytes"
echo "the cursor is now at $(qx_cursor)"
qx_screenshot running
cp -f "$QX_ARTEFACTS/running.png" "$QXDRV_SYSTEM_DIR/demo-running.png" 2>/dev/null

say "The pen writes a word and clicks in a window of another program (scribble.exe paints what it gets)"
pen_scribble_start
# "HELLO" in block letters, one pen stroke per line, the pen in the air for a
# moment between two strokes, as with a hand. Strokes that follow each other
# start far apart, so that no two of them pair into a double-click.
letter() {
    local x=$1 y=300 w=90 h=140
    case $2 in
        H) strokes=("$x $y $x $((y + h))" "$((x + w)) $y $((x + w)) $((y + h))" "$x $((y + h / 2)) $((x + w)) $((y + h / 2))") ;;
        E) strokes=("$x $y $x $((y + h))" "$((x + w)) $y $x $y" "$((x + w * 4 / 5)) $((y + h / 2)) $x $((y + h / 2))"
                    "$((x + w)) $((y + h)) $x $((y + h))") ;;
        L) strokes=("$x $y $x $((y + h)) $((x + w)) $((y + h))") ;;
        O) strokes=("$x $y $((x + w)) $y $((x + w)) $((y + h)) $x $((y + h)) $x $y") ;;
    esac
    local stroke
    for stroke in "${strokes[@]}"; do
        # shellcheck disable=SC2086  # the points are separate words
        pen_polyline_commands 8 30 $stroke
        WORD+=("${PEN_COMMANDS[@]}" "sleep 100")
    done
}
WORD=()
x=200
for c in H E L L O; do letter "$x" "$c"; x=$((x + 150)); done
pen_send "${WORD[@]}" || qx_fatal "the pen's strokes did not reach the window"
echo "the window saw $(printf '%s\n' "$PEN_EVENTS" | grep -c '^ldown') left-button strokes with $(printf '%s\n' "$PEN_EVENTS" | grep -c '^move') moves"
pen_send "tap 1000 560" "sleep 100" "tap 1100 560" "sleep 100" "tap 1104 564" "sleep 100" "right 1200 560" "release" || qx_fatal "the clicks did not reach the window"
echo "then a tap, a double tap and the big button: ${PEN_NAMES}"
qx_expect_eq "a click, a double-click and a right click" "ldown lup ldown lup ldbl lup rdown rup" "$PEN_NAMES"
pen_expect_released "after the pen left the board"
# The window has handled every message; its picture reaches the X server on
# Wine's own flush schedule, a moment later.
sleep 0.5
qx_screenshot pen
cp -f "$QX_ARTEFACTS/pen.png" "$QXDRV_SYSTEM_DIR/pen.png" 2>/dev/null
pen_scribble_stop

say "Calibration: Ctrl + Shift + C, Detail-1, four touches of the pen and a tap to keep them"
qx_probe keys --key C >/dev/null
qx_probe wait-window --caption "Select Calibration" --visible >/dev/null || qx_fatal "no selection dialog: $QX_OUT"
qx_screenshot select
cp -f "$QX_ARTEFACTS/select.png" "$QXDRV_SYSTEM_DIR/select.png" 2>/dev/null
qx_probe press 1015 --caption "Select Calibration" --no-wait >/dev/null   # Detail Setting
qx_probe press ok --caption "Select Calibration" >/dev/null || qx_fatal "the dialog did not close"
qx_wait "the cross screen" 10 eval 'qx_probe windows --class QXdrvTrayWnd && grep -q "visible=1" <<<"$QX_OUT"'
# The board is slightly off: each touch lands 6 units right of and 4 below
# the cross's centre.
for touch in "22 20" "22 756" "1270 756" "1270 20"; do
    qx_pensim "tap $touch" && qx_probe diag bytes --equals "$QX_PEN_TOTAL" >/dev/null
    [ "$touch" = "22 756" ] && qx_screenshot calibration
done
cp -f "$QX_ARTEFACTS/calibration.png" "$QXDRV_SYSTEM_DIR/calibration.png" 2>/dev/null
qx_box || qx_fatal "no question after four touches: $QX_OUT"
echo "the screen asks: \"$QX_BOX_TEXT\"; the pen taps to keep the result"
qx_pensim "tap 640 384"
qx_probe wait-window --class '#32770' --caption QXdrv --gone >/dev/null || qx_fatal "the question stayed open"
for name in CalibRatioX CalibRatioY CalibOffsetX CalibOffsetY; do
    qx_probe reg HKCU 'SOFTWARE\NORVANE\QXdrv1.2\1280_768' "$name" >/dev/null
    echo "    $name = ${QX_OUT##* value=}"
done
qx_pensim "hover 646 388" && qx_probe diag bytes --equals "$QX_PEN_TOTAL" >/dev/null
echo "the pen hovering at board (646, 388) now puts the cursor at $(qx_cursor)"

say "Test Mode: what the driver and the system see while the pen touches the panel"
qx_probe post 0x0111 57685 >/dev/null   # the menu's Test Mode
qx_dialog "Test Mode (PX-B200)" || qx_fatal "no Test Mode dialog: $QX_OUT"
qx_pensim "left 900 500" && qx_probe diag bytes --equals "$QX_PEN_TOTAL" >/dev/null
sleep 0.3   # the dialog refreshes ten times a second
qx_probe text --hwnd "$QX_DIALOG" --any-caption --ids 1013,1016,1017,1020 >/dev/null
echo "with the pen tip down (1013, 1016: the driver's L and position; 1017, 1020: the system's):"
printf '%s\n' "$QX_OUT" | sed -n 's/^text /    /p'
qx_screenshot test-mode
cp -f "$QX_ARTEFACTS/test-mode.png" "$QXDRV_SYSTEM_DIR/test-mode.png" 2>/dev/null
qx_pensim "release" && qx_probe diag bytes --equals "$QX_PEN_TOTAL" >/dev/null
qx_probe press cancel --hwnd "$QX_DIALOG" --any-caption >/dev/null   # closing only hides it

say "The tray icon: its tip, and the menu a left click on it opens"
qx_probe icons --equals 1 || qx_fatal "no icon in the notification area: $QX_OUT"
echo "the shell shows $(tray_icon_count) icon, tip: \"$(tray_tip)\""
tray_click_reader left menu-watch 10000 || qx_fatal "no menu after a left click on the icon: $TRAY_MENU"
echo "the menu (command id and text):"
printf '%s\n' "$TRAY_MENU" | sed 's/^/    /'
qx_screenshot menu
cp -f "$QX_ARTEFACTS/menu.png" "$QXDRV_SYSTEM_DIR/menu.png" 2>/dev/null
tray_menu_close || qx_fatal "the menu did not close"

say "Exit from the menu (the command the Exit entry sends), answered Yes"
qx_probe post 0x0111 57669 >/dev/null || qx_fatal "cannot send Exit: $QX_OUT"
qx_box || qx_fatal "no question for Exit: $QX_OUT"
echo "the question: \"$QX_BOX_TEXT\""
qx_probe press yes >/dev/null || qx_fatal "Yes did not close the question: $QX_OUT"
qx_wait_exit "$DRIVER" 10 || qx_fatal "the driver did not end"
echo "the driver ended, exit code $QX_EXIT_CODE; icons in the notification area: $(tray_icon_count)"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
AFTER=$(qx_metrics)
echo "pointer metrics after the exit: ${AFTER#metrics }"
qx_expect_eq "the metrics found at start are back" "$BEFORE" "$AFTER"
echo
echo "screenshots in $QXDRV_SYSTEM_DIR: demo-running.png, pen.png (what the pen wrote), select.png and calibration.png (calibrating), test-mode.png, menu.png (the tray menu)"
qx_finish
