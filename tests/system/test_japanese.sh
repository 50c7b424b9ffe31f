#!/bin/bash
# Japanese: in a Japanese prefix under LC_ALL=ja_JP.UTF-8 the driver speaks the
# Japanese string table (the texts are read from the resource script) and
# stamps the Japanese version text.
. "$(dirname "$0")/lib/harness.sh"
qx_begin japanese
qx_board_bench ja 1280x768

JA_RC="$(dirname "$0")/../../src/res/lang_ja_win.rc"
ALREADY_TEXT=$(qx_rc_string "$JA_RC" IDS_ALREADY_RUNNING QXdrv) || qx_fatal "IDS_ALREADY_RUNNING not in $JA_RC"
VERSION_TEXT=$(qx_rc_string "$JA_RC" IDS_VERSION_STAMP) || qx_fatal "IDS_VERSION_STAMP not in $JA_RC"

qx_case "version stamp"
qx_driver_start
FIRST=$QX_DRIVER_PID
qx_probe diag thread --equals 1 || qx_fatal "driver not receiving after start: $QX_OUT"
qx_wait "HKCU version stamp" 10 qx_probe --timeout 0 reg HKCU "$QX_SETTINGS_KEY" QXdrvVersion
qx_expect_eq "HKCU QXdrvVersion" \
    "reg type=REG_SZ bytes=$((${#VERSION_TEXT} * 2)) value=$VERSION_TEXT" "$QX_OUT"

qx_case "second start"
qx_driver_start
SECOND=$QX_DRIVER_PID
qx_box || qx_fatal "no box for the second start: $QX_OUT"
qx_expect_eq "Japanese second-start text" "$ALREADY_TEXT" "$QX_BOX_TEXT"
qx_screenshot already-running-ja
qx_probe press ok || qx_fail "OK did not close the box: $QX_OUT"
qx_wait_exit "$SECOND" 10 || qx_fail "the second copy did not end"
qx_alive "$FIRST" || qx_fail "the first copy ended"
qx_stop_driver "$FIRST" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_finish
