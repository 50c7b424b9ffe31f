#!/bin/bash
# Pointer metrics: while the driver runs the double-click area is 32 x 32 and
# the time 500 ms, and the drag threshold is the click range when
# "SingleClickType" is 1 and untouched when it is 0; after a normal exit the
# values found before the start are back, even when something changed them
# while the driver ran.
. "$(dirname "$0")/lib/harness.sh"
qx_begin pointer_metrics
qx_board_bench en 1280x768 '"SingleClickType"=dword:00000000' '"SingleClick"=dword:00000028'

# Values unlike every value the driver sets, so that a restore is visible.
BEFORE='metrics dblclk_w=6 dblclk_h=8 dblclk_time=700 drag_w=3 drag_h=5'

# start_expecting METRICS: sets the values above, starts the driver and
# checks the metrics while it runs.
start_expecting() {
    qx_probe set-metrics --dblclk-w 6 --dblclk-h 8 --dblclk-time 700 --drag-w 3 --drag-h 5 ||
        qx_fatal "cannot set the starting metrics: $QX_OUT"
    qx_expect_eq "metrics before start" "$BEFORE" "$(qx_metrics)"
    qx_driver_receiving
    qx_expect_eq "metrics while running" "$1" "$(qx_metrics)"
}

stop_and_check_restored() {
    qx_stop_driver "$QX_DRIVER_PID" || qx_fatal "driver did not end after WM_CLOSE"
    qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
    qx_expect_eq "metrics after exit are the ones found at start" "$BEFORE" "$(qx_metrics)"
}

qx_case "SingleClickType 0, SingleClick 40: defaults, drag threshold untouched; restored after a change by someone else"
start_expecting 'metrics dblclk_w=32 dblclk_h=32 dblclk_time=500 drag_w=3 drag_h=5'
qx_probe set-metrics --dblclk-w 50 --dblclk-h 51 --dblclk-time 900 --drag-w 9 --drag-h 10
qx_expect_eq "metrics changed while running" \
    'metrics dblclk_w=50 dblclk_h=51 dblclk_time=900 drag_w=9 drag_h=10' "$QX_OUT"
stop_and_check_restored

qx_case "SingleClickType 1, SingleClick 40: drag threshold 40 x 40 while running"
qx_setting HKCU SingleClickType REG_DWORD 1
start_expecting 'metrics dblclk_w=32 dblclk_h=32 dblclk_time=500 drag_w=40 drag_h=40'
stop_and_check_restored
qx_finish
