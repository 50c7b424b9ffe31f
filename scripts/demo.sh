#!/usr/bin/env bash
# Runs the product and shows what it does, on a private virtual display (no
# display is needed from the caller): QXdrv.exe under Wine with the simulated
# pen board on COM1. It shows that the driver is resident, the pointer metrics
# it set, the line settings of the port it opened, the bytes it received from
# a pen stroke, and after a clean exit the metrics put back. A screenshot is
# left in build/demo/.
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
qx_prefix en
qx_display 1280x768
qx_wineserver
qx_pensim_start
qx_com1_pensim
qx_setting HKCU UsePort REG_SZ 'COM1:'
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
qx_probe cursor && echo "the cursor is now at ${QX_OUT#cursor }"
qx_screenshot running
cp -f "$QX_ARTEFACTS/running.png" "$QXDRV_SYSTEM_DIR/demo-running.png" 2>/dev/null

say "Closing it (WM_CLOSE to the main window)"
qx_stop_driver "$DRIVER" || qx_fatal "the driver did not end"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
AFTER=$(qx_metrics)
echo "pointer metrics after the exit: ${AFTER#metrics }"
qx_expect_eq "the metrics found at start are back" "$BEFORE" "$AFTER"
echo
echo "screenshot: $QXDRV_SYSTEM_DIR/demo-running.png"
qx_finish
