#!/bin/bash
# Exit from the tray menu while the board floods the port: the question box
# runs its own message loop while the receive thread keeps handing over data,
# and Yes destroys the window with the thread inside its synchronous
# hand-over. Every run must end the process promptly with exit code 0, take
# the icon away and leave no box; the next start must succeed at once.
. "$(dirname "$0")/lib/harness.sh"
. "$(dirname "$0")/lib/tray_harness.sh"
qx_begin tray_exit_flood
tray_begin
qx_board_bench en 1280x768

RUNS=${QXDRV_TRAY_EXIT_RUNS:-10}
EXIT_BOUND=10        # seconds from Yes to the end of the process
FLOOD_SECONDS=60     # upper bound; the flood ends when the next command arrives
FLOOD_BYTES=1000     # bytes the window must have taken before Exit is chosen
QUIT_TEXT=$(qx_rc_string "$TRAY_RC_EN" IDS_QUIT_QUESTION QXdrv) || qx_fatal "IDS_QUIT_QUESTION not in $TRAY_RC_EN"
WM_COMMAND=0x0111
ID_EXIT=57669

clean_exits=0
for run in $(seq 1 "$RUNS"); do
    qx_driver_start >/dev/null
    DRIVER=$QX_DRIVER_PID
    qx_probe --timeout 15000 diag thread --equals 1 || { qx_fail "run $run: driver not receiving: $QX_OUT"; break; }
    qx_probe count --class '#32770' --visible
    [ "$QX_OUT" = "count 0" ] || { qx_fail "run $run: a box at start ($QX_OUT)"; break; }
    qx_pensim_async "flood $FLOOD_SECONDS"
    qx_probe diag bytes --at-least "$FLOOD_BYTES" || { qx_fail "run $run: the flood does not arrive: $QX_OUT"; break; }
    qx_probe post "$WM_COMMAND" "$ID_EXIT" >/dev/null
    qx_box || { qx_fail "run $run: no Exit question: $QX_OUT"; break; }
    [ "$QX_BOX_TEXT" = "$QUIT_TEXT" ] || { qx_fail "run $run: question [$QX_BOX_TEXT]"; break; }
    # The question's own loop keeps taking the pen's data.
    DURING=$(qx_diag bytes)
    qx_probe diag bytes --at-least $((DURING + FLOOD_BYTES)) ||
        { qx_fail "run $run: no data taken while the question is open: $QX_OUT"; break; }
    START=$(_qx_now)
    qx_probe press yes --no-wait >/dev/null || { qx_fail "run $run: cannot press Yes: $QX_OUT"; break; }
    if ! qx_wait_exit "$DRIVER" "$EXIT_BOUND"; then
        qx_fail "run $run: process still running ${EXIT_BOUND}s after Yes"
        qx_screenshot "hang-run-$run"
        break
    fi
    took=$(awk -v a="$START" -v b="$(_qx_now)" 'BEGIN { printf "%.2f", b - a }')
    qx_pensim "mark end-of-flood-$run" || break
    icons=$(tray_icon_count)
    boxes=$(qx_boxes)
    if [ "$QX_EXIT_CODE" != 0 ] || [ "$icons" != 0 ] || [ "$boxes" != 0 ]; then
        qx_fail "run $run: exit code $QX_EXIT_CODE, icons left $icons, boxes left $boxes"
        break
    fi
    clean_exits=$((clean_exits + 1))
    _qx_log "run $run: clean exit ${took}s after Yes; $DURING bytes taken when the question opened"
done
qx_expect_eq "clean exits from the menu during a flood" "$RUNS" "$clean_exits"
qx_finish
