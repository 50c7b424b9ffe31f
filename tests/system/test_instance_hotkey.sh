#!/bin/bash
# The single-instance rule and the calibration hotkey: a taken Ctrl+Shift+C is
# reported exactly once and the driver stays resident; a second start is
# refused with its box and ends, and the resident copy keeps running with its
# window, port, hotkey and metrics; of two copies started at the same moment
# exactly one stays resident, every time.
. "$(dirname "$0")/lib/harness.sh"
qx_begin instance_hotkey
qx_board_bench en 1280x768

HOTKEY_TEXT='Failed in setting a Hotkey for "Calibration selection dialog" operation.\r\r\nThe Hotkey can'"'"'t be used.'
ALREADY_TEXT=$(qx_en IDS_ALREADY_RUNNING QXdrv)
RACE_ROUNDS=${QXDRV_RACE_ROUNDS:-10}
BOX_SETTLE_MS=1500  # how long no box may show after the first for "exactly once"

# True when Ctrl+Shift+C cannot be registered, i.e. someone holds it.
hotkey_taken() {
    qx_probe hold-hotkey --ms 1
    [ "$?" -eq 1 ] && [ "${QX_OUT%% *}" = "hotkey-failed" ]
}

qx_case "Ctrl+Shift+C held by another program"
qx_probe_bg "$QX_TMP/holder.out" hold-hotkey
HOLDER=$QX_BG_PID
qx_wait_line "$QX_TMP/holder.out" '^held$' 10 || qx_fatal "the probe could not take the hotkey"
qx_probe_bg "$QX_TMP/watch.out" --timeout 60000 watch --for 60000 --settle "$BOX_SETTLE_MS"
qx_driver_start
FIRST=$QX_DRIVER_PID
qx_box || qx_fatal "no hotkey box: $QX_OUT"
qx_expect_eq "hotkey failure text" "$HOTKEY_TEXT" "$QX_BOX_TEXT"
qx_expect_eq "the box has only OK" "id=1 text=OK" "$QX_BOX_BUTTONS"
qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
qx_wait_line "$QX_TMP/watch.out" '^seen-total' 70
qx_expect_eq "boxes shown" "seen-total 1" "$(grep '^seen-total' "$QX_TMP/watch.out")"
qx_resident "$FIRST" || qx_fail "driver not resident after the hotkey box"
qx_probe diag thread --equals 1 || qx_fail "receive thread not running: $QX_OUT"
qx_stop_driver "$FIRST" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
_qx_end_pid "$HOLDER"
qx_wait "Ctrl+Shift+C free again" 10 eval '! hotkey_taken'

qx_case "second start while one copy is resident"
qx_driver_receiving
FIRST=$QX_DRIVER_PID
qx_wait "the first copy holds Ctrl+Shift+C" 10 hotkey_taken
METRICS=$(qx_metrics)
qx_driver_start
SECOND=$QX_DRIVER_PID
qx_box || qx_fatal "no box for the second start: $QX_OUT"
qx_expect_eq "second-start text" "$ALREADY_TEXT" "$QX_BOX_TEXT"
qx_expect_eq "the box has only OK" "id=1 text=OK" "$QX_BOX_BUTTONS"
qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
qx_wait_exit "$SECOND" 10 || qx_fail "the second copy did not end"
qx_alive "$FIRST" || qx_fail "the first copy ended"
qx_expect_eq "main windows" 1 "$(qx_main_windows)"
qx_probe diag thread --equals 1 || qx_fail "the first copy's receive thread stopped: $QX_OUT"
hotkey_taken || qx_fail "the first copy lost Ctrl+Shift+C"
qx_expect_eq "metrics unchanged by the refused start" "$METRICS" "$(qx_metrics)"
qx_stop_driver "$FIRST" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"

qx_case "two copies started at the same moment, $RACE_ROUNDS times"
resident_once=0
for round in $(seq 1 "$RACE_ROUNDS"); do
    qx_driver_start >/dev/null
    A=$QX_DRIVER_PID
    qx_driver_start >/dev/null
    B=$QX_DRIVER_PID
    if ! qx_box; then
        qx_fail "round $round: no box; main windows $(qx_main_windows): $QX_OUT"
        break
    fi
    [ "$QX_BOX_TEXT" = "$ALREADY_TEXT" ] || { qx_fail "round $round: the box says [$QX_BOX_TEXT]"; break; }
    qx_probe press ok >/dev/null || { qx_fail "round $round: OK did not close the box: $QX_OUT"; break; }
    qx_wait "round $round: one copy ends" 10 eval "! kill -0 $A 2>/dev/null || ! kill -0 $B 2>/dev/null" || break
    if qx_alive "$A"; then WINNER=$A LOSER=$B; else WINNER=$B LOSER=$A; fi
    qx_wait_exit "$LOSER" 1
    windows=$(qx_main_windows)
    boxes=$(qx_boxes)
    if ! qx_alive "$WINNER" || [ "$windows" != 1 ] || [ "$boxes" != 0 ]; then
        qx_fail "round $round: $(qx_alive "$WINNER" && echo one || echo no) copy alive, $windows main window(s), $boxes box(es)"
        break
    fi
    qx_stop_driver "$WINNER" >/dev/null || break
    [ "$QX_EXIT_CODE" = 0 ] || { qx_fail "round $round: the resident copy ended with $QX_EXIT_CODE"; break; }
    resident_once=$((resident_once + 1))
done
qx_expect_eq "rounds that left exactly one copy resident" "$RACE_ROUNDS" "$resident_once"
qx_finish
