#!/bin/bash
# Start-up: on an empty registry and with a COM port that cannot be opened the
# maker and settings keys appear in both hives with the version stamp, the
# port failure is reported once per start with the device name, and the
# program stays resident after the box is answered; a "SleepTime" (the delay
# before the port opens) stored as text is no delay. Then the single-instance
# rule and the calibration hotkey: a taken Ctrl+Shift+C is reported exactly
# once and the driver stays resident; a second start is refused with its box
# and ends, and the resident copy keeps running with its window, port, hotkey
# and metrics; of two copies started at the same moment exactly one stays
# resident, every time.
. "$(dirname "$0")/lib/harness.sh"
qx_begin instance_hotkey
qx_prefix en
qx_display 1280x768
qx_wineserver
qx_com1 ""

HOTKEY_TEXT='Failed in setting a Hotkey for "Calibration selection dialog" operation.\r\r\nThe Hotkey can'"'"'t be used.'
ALREADY_TEXT=$(qx_en IDS_ALREADY_RUNNING QXdrv)
RACE_ROUNDS=${QXDRV_RACE_ROUNDS:-3}
BOX_SETTLE_MS=1500  # how long no box may show after the first for "exactly once"

# True when Ctrl+Shift+C cannot be registered, i.e. someone holds it.
hotkey_taken() {
    qx_probe hold-hotkey --ms 1
    [ "$?" -eq 1 ] && [ "${QX_OUT%% *}" = "hotkey-failed" ]
}

# one_ok_box TEXT: the next box says TEXT and has only OK, which closes it.
one_ok_box() {
    qx_box || qx_fatal "no box where \"$1\" was expected: $QX_OUT"
    qx_expect_eq "box text" "$1" "$QX_BOX_TEXT"
    qx_expect_eq "the box has only OK" "id=1 text=OK" "$QX_BOX_BUTTONS"
    qx_probe press ok >/dev/null || qx_fail "OK did not close the box: $QX_OUT"
}

# Starts the driver, expects the port-failure box for device name $1, answers
# it and checks that the program stays resident with pen flag $2.
port_failure_case() {
    qx_driver_start
    local pid=$QX_DRIVER_PID
    one_ok_box "Failed in opening of a COM port ($1), the pen can't be used.\n\rPlease check your system setup."
    qx_wait "HKCU version stamp after OK" 10 qx_probe --timeout 0 reg HKCU "$QX_SETTINGS_KEY" QXdrvVersion
    qx_resident "$pid" || qx_fail "driver not resident after OK"
    qx_expect_eq "no box left open" 0 "$(qx_boxes)"
    qx_probe diag thread --equals 0 || qx_fail "receive thread without a port still runs: $QX_OUT"
    qx_expect_eq "pen-enabled flag" "$2" "$(qx_diag pen)"
    qx_stop_driver "$pid" || qx_fatal "driver did not end after WM_CLOSE"
}

qx_case "empty registry (a fresh prefix), no UsePort: empty device name"
port_failure_case "" 0
for hive in HKLM HKCU; do
    qx_probe reg-key $hive 'SOFTWARE\NORVANE' || qx_fail "$hive maker key missing"
    qx_probe reg-key $hive "$QX_SETTINGS_KEY" || qx_fail "$hive settings key missing"
    qx_probe reg $hive "$QX_SETTINGS_KEY" QXdrvVersion
    # 11 characters, no terminator stored
    qx_expect_eq "$hive QXdrvVersion" 'reg type=REG_SZ bytes=22 value=Version 1.2' "$QX_OUT"
done

qx_case "UsePort COM1: and no COM1 device"
qx_setting HKCU UsePort REG_SZ 'COM1:'
port_failure_case "COM1:" 1

qx_case "UsePort COM1: and COM1 mapped to a missing device"
qx_com1 "$QX_TMP/no-such-device"
port_failure_case "COM1:" 1

qx_case "SleepTime stored as REG_SZ \"100\": the port opens at once"
# Read through the A functions, "100" with its terminator is 4 bytes, the
# size of a number: taken as one it would be 3158065 ms. The delay runs on the
# main thread while the main window is created, so the window answers only
# once the port is open.
qx_pensim_start
qx_com1 "$QX_PEN_SLAVE"
qx_setting HKLM SleepTime REG_SZ 100
qx_driver_receiving
qx_pen "hover 100 200"  # the open port delivers
qx_stop_driver "$QX_DRIVER_PID" || qx_fatal "driver did not end after WM_CLOSE"

qx_case "Ctrl+Shift+C held by another program"
qx_probe_bg "$QX_TMP/holder.out" hold-hotkey
HOLDER=$QX_BG_PID
qx_wait_line "$QX_TMP/holder.out" '^held$' 10 || qx_fatal "the probe could not take the hotkey"
qx_probe_bg "$QX_TMP/watch.out" --timeout 60000 watch --for 60000 --settle "$BOX_SETTLE_MS"
qx_driver_start
FIRST=$QX_DRIVER_PID
one_ok_box "$HOTKEY_TEXT"
qx_wait_line "$QX_TMP/watch.out" '^seen-total' 70
qx_expect_eq "boxes shown" "seen-total 1" "$(grep '^seen-total' "$QX_TMP/watch.out")"
qx_resident "$FIRST" || qx_fail "driver not resident after the hotkey box"
qx_probe diag thread --equals 1 || qx_fail "receive thread not running: $QX_OUT"
qx_stop_driver "$FIRST" || qx_fatal "driver did not end after WM_CLOSE"
_qx_end_pid "$HOLDER"
qx_wait "Ctrl+Shift+C free again" 10 eval '! hotkey_taken'

qx_case "second start while one copy is resident"
qx_driver_receiving
FIRST=$QX_DRIVER_PID
qx_wait "the first copy holds Ctrl+Shift+C" 10 hotkey_taken
METRICS=$(qx_metrics)
qx_driver_start
SECOND=$QX_DRIVER_PID
one_ok_box "$ALREADY_TEXT"
qx_wait_exit "$SECOND" 10 || qx_fail "the second copy did not end"
qx_alive "$FIRST" || qx_fail "the first copy ended"
qx_expect_eq "main windows" 1 "$(qx_main_windows)"
qx_probe diag thread --equals 1 || qx_fail "the first copy's receive thread stopped: $QX_OUT"
hotkey_taken || qx_fail "the first copy lost Ctrl+Shift+C"
qx_expect_eq "metrics unchanged by the refused start" "$METRICS" "$(qx_metrics)"
qx_stop_driver "$FIRST" || qx_fatal "driver did not end after WM_CLOSE"

qx_case "two copies started at the same moment, $RACE_ROUNDS times"
resident_once=0
for round in $(seq 1 "$RACE_ROUNDS"); do
    qx_driver_start >/dev/null
    A=$QX_DRIVER_PID
    qx_driver_start >/dev/null
    B=$QX_DRIVER_PID
    qx_box || { qx_fail "round $round: no box; main windows $(qx_main_windows): $QX_OUT"; break; }
    [ "$QX_BOX_TEXT" = "$ALREADY_TEXT" ] || { qx_fail "round $round: the box says [$QX_BOX_TEXT]"; break; }
    qx_probe press ok >/dev/null || { qx_fail "round $round: OK did not close the box: $QX_OUT"; break; }
    qx_wait "round $round: one copy ends" 10 eval "! kill -0 $A 2>/dev/null || ! kill -0 $B 2>/dev/null" || break
    if qx_alive "$A"; then WINNER=$A LOSER=$B; else WINNER=$B LOSER=$A; fi
    qx_wait_exit "$LOSER" 1
    windows=$(qx_main_windows) boxes=$(qx_boxes)
    if ! qx_alive "$WINNER" || [ "$windows" != 1 ] || [ "$boxes" != 0 ]; then
        qx_fail "round $round: $(qx_alive "$WINNER" && echo one || echo no) copy alive, $windows main window(s), $boxes box(es)"
        break
    fi
    qx_stop_driver "$WINNER" >/dev/null || break
    resident_once=$((resident_once + 1))
done
qx_expect_eq "rounds that left exactly one copy resident" "$RACE_ROUNDS" "$resident_once"
qx_finish
