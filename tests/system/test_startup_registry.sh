#!/bin/bash
# Start-up on an empty registry and with a COM port that cannot be opened: the
# maker and settings keys appear in both hives with the version stamp, the
# port failure is reported once per start with the device name, and the
# program stays resident after the box is answered. A "SleepTime" (the delay
# before the port opens) stored as text is no delay: the driver starts and
# opens its port at once.
. "$(dirname "$0")/lib/harness.sh"
qx_begin startup_registry
qx_prefix en
qx_display 1280x768
qx_wineserver
qx_com1 ""

VERSION_LINE='reg type=REG_SZ bytes=22 value=Version 1.2'  # 11 characters, no terminator stored

port_failure_text() {
    printf '%s' "Failed in opening of a COM port ($1), the pen can't be used.\n\rPlease check your system setup."
}

# Starts the driver, expects the port-failure box for device name $1, answers
# it and checks that the program stays resident with pen flag $2.
port_failure_case() {
    local device=$1 pen=$2
    qx_driver_start
    local pid=$QX_DRIVER_PID
    qx_box || qx_fatal "no message box after start: $QX_OUT"
    qx_expect_eq "port failure text for '$device'" "$(port_failure_text "$device")" "$QX_BOX_TEXT"
    qx_expect_eq "the box has only OK" "id=1 text=OK" "$QX_BOX_BUTTONS"
    qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
    qx_wait "HKCU version stamp after OK" 10 qx_probe --timeout 0 reg HKCU "$QX_SETTINGS_KEY" QXdrvVersion
    qx_resident "$pid" || qx_fail "driver not resident after OK"
    qx_expect_eq "no box left open" 0 "$(qx_boxes)"
    qx_probe diag thread --equals 0 || qx_fail "receive thread without a port still runs: $QX_OUT"
    qx_expect_eq "pen-enabled flag" "$pen" "$(qx_diag pen)"
    qx_stop_driver "$pid" || qx_fatal "driver did not end after WM_CLOSE"
    qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
}

qx_case "empty registry (a fresh prefix), no UsePort: empty device name"
port_failure_case "" 0
for hive in HKLM HKCU; do
    qx_probe reg-key $hive 'SOFTWARE\NORVANE' || qx_fail "$hive maker key missing"
    qx_probe reg-key $hive "$QX_SETTINGS_KEY" || qx_fail "$hive settings key missing"
    qx_probe reg $hive "$QX_SETTINGS_KEY" QXdrvVersion
    qx_expect_eq "$hive QXdrvVersion" "$VERSION_LINE" "$QX_OUT"
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
qx_pensim "hover 100 200" || qx_fatal "simulator failed"
qx_probe diag bytes --equals "$QX_PEN_BYTES" || qx_fail "the open port does not deliver: $QX_OUT"
qx_stop_driver "$QX_DRIVER_PID" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_finish
