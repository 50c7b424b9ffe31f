#!/bin/bash
# The pen board on a USB serial adapter: a port above COM9, stored as
# "COM12:", an adapter plugged in only after the start and one unplugged and
# plugged back, with one driver start. The start reports the missing port
# once, by its stored name; the port is then tried again quietly, and the pen
# works once the board is there, with no restart and no further box. An
# unplug lets go of a held button; the Disable COM port state and the line
# buffer's fresh start hold across the reopen; the driver ends cleanly while
# it retries. (Wine sends no device arrivals for a pty: the retry brings the
# port back here, the arrivals are the unit tests' part.)
. "$(dirname "$0")/lib/harness.sh"
qx_begin usb_adapter
qx_prefix en
# COM12 is the simulator's link, not the pty behind it, so that a simulator
# started again is the same COM12.
qx_reg_preload '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]' "\"COM12\"=\"$QX_TMP/com\"" \
    "[HKEY_CURRENT_USER\\$QX_SETTINGS_KEY]" '"UsePort"="COM12:"'
qx_display 1280x768
qx_wineserver

REOPEN_WAIT_MS=10000  # a few retry periods
ID_DISABLE_PORT=57672

# hover_lands X Y: the pen hovers at X Y and the cursor goes there.
hover_lands() {
    qx_pensim "hover $1 $2" || return 1
    qx_wait "the cursor at $1 $2" 5 eval "[ \"\$(qx_cursor)\" = '$1 $2' ]" && qx_ok "the pen moves the cursor to $1 $2"
}
# receiving_again: the driver reads the board again within a few seconds.
receiving_again() {
    qx_probe --timeout "$REOPEN_WAIT_MS" diag thread --equals 1 || qx_fail "the port was not opened again: $QX_OUT"
}

qx_case "no board at start: the failure once, by the stored name, then quiet retries"
qx_driver_start
DRIVER=$QX_DRIVER_PID
qx_expect_box "the start's box" "$(qx_en IDS_PORT_OPEN_FAILED COM12:)"
qx_probe press ok >/dev/null || qx_fail "OK did not close the box: $QX_OUT"
qx_no_box_for 4500 "no further box over two retry periods"
qx_expect_eq "not receiving without the board" 0 "$(qx_diag thread)"

qx_case "the board plugged in later: COM12 opens with the board's line settings, the pen works"
qx_pensim_start
receiving_again
STTY=$(qx_stty)
qx_expect_match "38400 baud" '(^|[ ;])speed 38400 baud' "$STTY"
qx_expect_match "RTS/CTS handshake" '(^| )crtscts( |$)' "$STTY"
hover_lands 300 200
qx_expect_eq "no box" 0 "$(qx_boxes)"

qx_case "unplugged with the tip down and half a report sent: the button is let go"
qx_pensim "left 700 650" "raw @01" || qx_fatal "simulator failed"
qx_probe diag linebuf --equals 3 || qx_fail "the half report did not arrive: $QX_OUT"
qx_probe state && qx_expect_eq "the tip holds the button" "left=1 right=0 middle=0" "$(qx_line buttons)"
qx_unplug_board
qx_probe diag button --equals 0 || qx_fail "the driver still holds its button: $QX_OUT"
qx_probe state && qx_expect_eq "the system holds no button" "left=0 right=0 middle=0" "$(qx_line buttons)"
qx_probe diag thread --equals 0 || qx_fail "still receiving from the unplugged board: $QX_OUT"
qx_command "$ID_DISABLE_PORT"
qx_expect_box "Disable COM port asks" "$(qx_en IDS_DISABLE_PORT_QUESTION)"
qx_probe press yes >/dev/null || qx_fail "Yes did not close the question: $QX_OUT"

qx_case "plugged back with the port disabled: nothing delivered until it is enabled"
qx_pensim_start
receiving_again
BYTES=$(qx_diag bytes)
qx_pensim "hover 100 100" || qx_fatal "simulator failed"
qx_command "$ID_DISABLE_PORT"
qx_probe diag pen --equals 1 || qx_fail "the pen was not enabled: $QX_OUT"
# The half report from before the unplug would spoil this one.
hover_lands 500 300
qx_expect_eq "only the report after Enable was delivered" "$((BYTES + QX_PEN_BYTES))" "$(qx_diag bytes)"
qx_expect_eq "no box" 0 "$(qx_boxes)"

qx_case "unplugged again, ended while the port is retried: a clean end"
qx_unplug_board
qx_probe diag thread --equals 0 || qx_fail "still receiving from the unplugged board: $QX_OUT"
qx_no_box_for 2500 "no box after the unplug"
qx_stop_driver "$DRIVER"
qx_finish
