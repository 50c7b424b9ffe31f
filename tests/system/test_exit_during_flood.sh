#!/bin/bash
# Stopping while the board floods the port: the receive thread may sit inside
# its synchronous hand-over to the window that is being destroyed. Two ways to
# stop take turns: WM_CLOSE to the main window, and Exit from the tray menu
# answered Yes, whose question box runs its own message loop while the thread
# keeps handing over data. Every exit must end the process promptly with exit
# code 0, take the icon away and leave no box; the next start must succeed at
# once.
. "$(dirname "$0")/lib/harness.sh"
qx_begin exit_during_flood
qx_board_bench en 1280x768

# Half of them WM_CLOSE, half Exit answered Yes; the flood keeps the receive
# thread inside its hand-over at nearly every moment, so two of each way meet
# it there; QXDRV_FLOOD_RUNS=40 for a longer hunt.
RUNS=${QXDRV_FLOOD_RUNS:-4}
EXIT_BOUND=10        # seconds from WM_CLOSE or Yes to the end of the process
FLOOD_SECONDS=60     # upper bound; the flood ends when the next command arrives
FLOOD_BYTES=1000     # bytes the window must have taken before it is told to stop
QUIT_TEXT=$(qx_en IDS_QUIT_QUESTION QXdrv)
ID_EXIT=57669

# stop_by_exit RUN: Exit from the menu; the question must keep taking the
# pen's data while it is open; Yes is pressed without waiting for the box.
stop_by_exit() {
    qx_command "$ID_EXIT"
    qx_box || { qx_fail "run $1: no Exit question: $QX_OUT"; return 1; }
    [ "$QX_BOX_TEXT" = "$QUIT_TEXT" ] || { qx_fail "run $1: question [$QX_BOX_TEXT]"; return 1; }
    local during
    during=$(qx_diag bytes)
    qx_probe diag bytes --at-least $((during + FLOOD_BYTES)) ||
        { qx_fail "run $1: no data taken while the question is open: $QX_OUT"; return 1; }
    qx_probe press yes --no-wait >/dev/null || { qx_fail "run $1: cannot press Yes: $QX_OUT"; return 1; }
}

clean_exits=0
for run in $(seq 1 "$RUNS"); do
    if [ $((run % 2)) = 1 ]; then way=WM_CLOSE; else way="Exit, Yes"; fi
    qx_driver_start >/dev/null
    DRIVER=$QX_DRIVER_PID
    qx_probe --timeout 15000 diag thread --equals 1 || { qx_fail "run $run: driver not receiving: $QX_OUT"; break; }
    boxes=$(qx_boxes)
    [ "$boxes" = 0 ] || { qx_fail "run $run: $boxes box(es) at start"; break; }
    qx_pensim_async "flood $FLOOD_SECONDS"
    qx_probe diag bytes --at-least "$FLOOD_BYTES" || { qx_fail "run $run: the flood does not arrive: $QX_OUT"; break; }
    if [ "$way" = WM_CLOSE ]; then
        START=$(_qx_now)
        qx_probe close >/dev/null || { qx_fail "run $run: no main window to close: $QX_OUT"; break; }
    else
        stop_by_exit "$run" || break
        START=$(_qx_now)
    fi
    if ! qx_wait_exit "$DRIVER" "$EXIT_BOUND"; then
        qx_fail "run $run: process still running ${EXIT_BOUND}s after $way"
        qx_screenshot "hang-run-$run"
        break
    fi
    took=$(awk -v a="$START" -v b="$(_qx_now)" 'BEGIN { printf "%.2f", b - a }')
    qx_pensim "mark end-of-flood-$run" || break
    icons=$(qx_probe icons && qx_line icons)
    boxes=$(qx_boxes)
    if [ "$QX_EXIT_CODE" != 0 ] || [ "$icons" != 0 ] || [ "$boxes" != 0 ]; then
        qx_fail "run $run ($way): exit code $QX_EXIT_CODE, icons left $icons, boxes left $boxes"
        break
    fi
    clean_exits=$((clean_exits + 1))
    _qx_log "run $run: clean exit ${took}s after $way; $QX_PEN_TOTAL bytes sent in all"
done
qx_expect_eq "clean exits during a flood" "$RUNS" "$clean_exits"
qx_finish
