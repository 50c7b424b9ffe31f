#!/bin/bash
# Stopping while the board floods the port: the receive thread may sit inside
# its synchronous hand-over to the window that is being destroyed. Every exit
# must end the process promptly, with no box and exit code 0.
. "$(dirname "$0")/lib/harness.sh"
qx_begin exit_during_flood
qx_board_bench en 1280x768

RUNS=${QXDRV_FLOOD_RUNS:-20}
EXIT_BOUND=10        # seconds from WM_CLOSE to the end of the process
FLOOD_SECONDS=60     # upper bound; the flood ends when the next command arrives

clean_exits=0
for run in $(seq 1 "$RUNS"); do
    qx_driver_start >/dev/null
    DRIVER=$QX_DRIVER_PID
    if ! qx_probe diag thread --equals 1; then
        qx_fail "run $run: driver not receiving: $QX_OUT"
        break
    fi
    qx_pensim_async "flood $FLOOD_SECONDS"
    if ! qx_probe --timeout 10000 diag bytes --at-least 1000; then
        qx_fail "run $run: the flood does not reach the window: $QX_OUT"
        break
    fi
    start=$(_qx_now)
    qx_probe close || { qx_fail "run $run: no main window to close: $QX_OUT"; break; }
    if ! qx_wait_exit "$DRIVER" "$EXIT_BOUND"; then
        qx_fail "run $run: process still running ${EXIT_BOUND}s after WM_CLOSE"
        qx_screenshot "hang-run-$run"
        break
    fi
    took=$(awk -v a="$start" -v b="$(_qx_now)" 'BEGIN { printf "%.2f", b - a }')
    qx_pensim "mark end-of-flood-$run" || break
    boxes=$(qx_boxes)
    if [ "$QX_EXIT_CODE" != 0 ] || [ "$boxes" != 0 ]; then
        qx_fail "run $run: exit code $QX_EXIT_CODE, boxes left $boxes"
        break
    fi
    clean_exits=$((clean_exits + 1))
    _qx_log "run $run: clean exit in ${took}s after $QX_PEN_TOTAL bytes sent in all"
done
qx_expect_eq "clean exits during a flood" "$RUNS" "$clean_exits"
qx_finish
