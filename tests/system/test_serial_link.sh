#!/bin/bash
# The serial link on the simulated board: the port runs with the board's line
# settings, every byte the board sends reaches the main window exactly once,
# bytes sent before the port was opened are discarded, and a board that
# vanishes ends reception silently while the program stays resident.
. "$(dirname "$0")/lib/harness.sh"
qx_begin serial_link
qx_board_bench en 1280x768

qx_case "bytes sent before the port opens are purged"
qx_pensim "hover 10 10" "hover 20 20" || qx_fatal "simulator failed"
qx_driver_receiving
DRIVER=$QX_DRIVER_PID
qx_expect_eq "bytes delivered after start" 0 "$(qx_diag bytes)"

qx_case "line settings of the opened port"
STTY=$(qx_stty)
_qx_log "$STTY" | head -n 4
qx_expect_match "38400 baud" '(^|[ ;])speed 38400 baud' "$STTY"
qx_expect_match "one stop bit" '(^| )-cstopb( |$)' "$STTY"
qx_expect_match "RTS/CTS handshake" '(^| )crtscts( |$)' "$STTY"
# (A pty always reports cs8 and -parenb: data bits and parity cannot be seen here.)

qx_case "every byte written reaches the main window"
expect_bytes() {
    if qx_probe diag bytes --equals "$1"; then
        qx_ok "bytes delivered: $1 ($2)"
    else
        qx_fail "bytes delivered after $2: expected $1, $QX_OUT"
    fi
}
qx_pensim "hover 100 200" || qx_fatal "simulator failed"
TOTAL=$QX_PEN_BYTES
expect_bytes "$TOTAL" "one hover report"
qx_pensim "stroke 10 10 900 600 40 5" "small" "raw @01" "raw 23456\r" || qx_fatal "simulator failed"
TOTAL=$((TOTAL + QX_PEN_BYTES))
expect_bytes "$TOTAL" "a stroke, a small button and a split report"
REPLAY="$QX_TMP/capture.txt"
{
    echo "# delay_ms escaped-bytes"
    for i in $(seq 0 49); do printf '%d @%04d%03d\\r\n' $((i % 3)) $((i * 100)) $((i * 10)); done
    echo "0 ?T\r"
} >"$REPLAY"
qx_pensim "pace off" "replay $REPLAY" "pace on" || qx_fatal "simulator failed"
TOTAL=$((TOTAL + QX_PEN_BYTES))
expect_bytes "$TOTAL" "an unpaced replay"

qx_case "the board vanishes while the driver runs"
qx_pensim_stop
# Under Wine 8, WaitCommEvent on a pty whose other side has closed keeps
# waiting: it neither fails nor returns, so reception does not end here and
# the release of a held button when reception ends on its own cannot be shown
# (see README.md). What the user meets is checked.
qx_resident "$DRIVER" || qx_fail "driver not resident after the device went away"
qx_probe --timeout 5000 watch --for 1500
qx_expect_eq "no box for a vanished device" "seen-total 0" "$(printf '%s\n' "$QX_OUT" | grep '^seen-total')"
qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_finish
