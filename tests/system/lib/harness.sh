# Harness for QXdrv's system tests: the real QXdrv.exe under Wine, on a private
# Xvfb display, in a private copy of a template prefix, with the pen board
# simulator on COM1. Sourced by every tests/system/test_*.sh (and by
# scripts/demo.sh).
#
# Environment:
#   QXDRV_WIN_BUILD_DIR  folder with QXdrv.exe, tools/win/uiprobe/uiprobe.exe
#                        (with its menuhook.dll) and tools/win/scribble/scribble.exe
#   QXDRV_PENSIM         the native pen board simulator (pensim)
#   QXDRV_SYSTEM_DIR     where template prefixes and artefacts live
#                        (default: $QXDRV_WIN_BUILD_DIR/system-tests)
#   QXDRV_KEEP_TMP=1     keep the test's temp dir (for debugging)
#
# A test calls qx_begin first and qx_finish last; the EXIT trap ends every
# process the test started (by PID), stops the prefixes' wineservers, removes
# the temp dir and prints the PASS/FAIL line.

QX_POLL_INTERVAL=0.1        # seconds between two looks at a polled condition
QX_DISPLAY_WAIT=10          # seconds for Xvfb to come up
QX_PENSIM_WAIT=10           # seconds for the simulator's pty and FIFO
QX_PENSIM_CMD_WAIT=60       # seconds for one simulator command to finish
QX_PROCESS_END_WAIT=5       # seconds a TERM gets before KILL at cleanup
QX_PROBE_TIMEOUT_MS=${QXDRV_PROBE_TIMEOUT_MS:-10000}  # a probe's default wait; a leading --timeout overrides

# --- internal helpers --------------------------------------------------------

_qx_log() { printf '%s\n' "$*"; }
# _qx_deadline SECONDS: an absolute time; _qx_before T: true while T lies ahead.
_qx_deadline() { awk -v now="$(date +%s.%N)" -v s="$1" 'BEGIN { printf "%.3f", now + s }'; }
_qx_before() { awk -v now="$(date +%s.%N)" -v end="$1" 'BEGIN { exit !(now < end) }'; }

# Runs wine with the test's environment. Wine's output always goes to files:
# its background services inherit pipes and would keep them open.
_qx_wine() { env ${QX_LOCALE:+LC_ALL=$QX_LOCALE} wine "$@"; }

# _qx_end_pid PID: TERM, then KILL, for a process this shell started and
# has not reaped: the number of one that ended may be another test's by now.
_qx_end_pid() {
    local pid=$1
    [ "$(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ')" = "$$" ] || return 0
    kill -TERM "$pid" 2>/dev/null
    local end; end=$(_qx_deadline "$QX_PROCESS_END_WAIT")
    while kill -0 "$pid" 2>/dev/null && _qx_before "$end"; do sleep "$QX_POLL_INTERVAL"; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

_qx_cleanup() {
    local status=$? pid prefix
    trap - EXIT
    [ "$status" -ne 0 ] && [ "${QX_FAILURES:-0}" -eq 0 ] && QX_FAILURES=1
    if [ "${QX_FAILURES:-0}" -ne 0 ] && [ -n "${DISPLAY:-}" ] && [ -n "${QX_XVFB_PID:-}" ]; then
        qx_screenshot "failure" >/dev/null 2>&1
    fi
    if [ -n "${QX_TMP:-}" ] && [ -d "$QX_TMP" ] && [ -n "${QX_ARTEFACTS:-}" ]; then
        cp -f "$QX_TMP"/*.out "$QX_TMP"/*.err "$QX_TMP"/*.log "$QX_ARTEFACTS"/ 2>/dev/null
    fi
    for pid in ${QX_PIDS:-} ${QX_PENSIM_PID:-}; do _qx_end_pid "$pid"; done
    for prefix in ${QX_PREFIXES:-}; do
        WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
        WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1
    done
    [ -n "${QX_XEPHYR_PID:-}" ] && _qx_end_pid "$QX_XEPHYR_PID"
    [ -n "${QX_XVFB_PID:-}" ] && _qx_end_pid "$QX_XVFB_PID"
    if [ -n "${QX_TMP:-}" ] && [ "${QXDRV_KEEP_TMP:-0}" != 1 ]; then rm -rf "$QX_TMP"; fi
    if [ "${QX_FAILURES:-0}" -eq 0 ]; then
        _qx_log "PASS: ${QX_TEST_NAME:-test}"
        exit 0
    fi
    _qx_log "FAIL: ${QX_TEST_NAME:-test} (${QX_FAILURES} failed check(s); artefacts in ${QX_ARTEFACTS:-?})"
    exit 1
}

# --- test life cycle ---------------------------------------------------------

# qx_begin NAME: checks the environment, makes the private temp dir $QX_TMP and
# the artefact dir $QX_ARTEFACTS, and installs the cleanup trap.
qx_begin() {
    QX_TEST_NAME=$1
    QX_FAILURES=0
    QX_PIDS=""
    QX_PREFIXES=""
    QX_PENSIM_PID=""
    QX_XVFB_PID=""
    QX_LOCALE=""
    QX_DRIVER_COUNT=0
    QX_PEN_MARK=0
    trap _qx_cleanup EXIT
    trap 'exit 1' INT TERM HUP
    [ -n "${QXDRV_WIN_BUILD_DIR:-}" ] || qx_fatal "QXDRV_WIN_BUILD_DIR must name the cross build folder"
    QX_DRIVER_EXE="$QXDRV_WIN_BUILD_DIR/QXdrv.exe"
    QX_PROBE_EXE="$QXDRV_WIN_BUILD_DIR/tools/win/uiprobe/uiprobe.exe"
    QX_SYSTEM_DIR="${QXDRV_SYSTEM_DIR:-$QXDRV_WIN_BUILD_DIR/system-tests}"
    mkdir -p "$QX_SYSTEM_DIR" || qx_fatal "cannot make $QX_SYSTEM_DIR"
    QX_TMP=$(mktemp -d "${TMPDIR:-/tmp}/qxdrv-$QX_TEST_NAME.XXXXXX") || qx_fatal "no temp dir"
    QX_ARTEFACTS="$QX_SYSTEM_DIR/artefacts/$QX_TEST_NAME"
    rm -rf "$QX_ARTEFACTS" && mkdir -p "$QX_ARTEFACTS"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEPREFIX DISPLAY
    _qx_log "== ${QX_TEST_NAME} (temp ${QX_TMP})"
}

# qx_finish: ends the test; the trap prints PASS or FAIL and sets the status.
qx_finish() { exit 0; }

# qx_case TEXT: a heading in the output, so that a failure shows its case.
qx_case() { _qx_log "-- case: $*"; }

# --- checks -------------------------------------------------------------------

qx_fail() {
    QX_FAILURES=$((QX_FAILURES + 1))
    _qx_log "FAIL: $*"
}
# qx_fatal TEXT: a failure after which the test cannot go on.
qx_fatal() { qx_fail "$*"; exit 1; }
qx_ok() { _qx_log "ok: $*"; }

# qx_expect_eq DESC EXPECTED ACTUAL
qx_expect_eq() {
    [ "$2" == "$3" ] && { qx_ok "$1"; return 0; }
    qx_fail "$1"
    _qx_log "    expected: [$2]"
    _qx_log "    seen:     [$3]"
    return 1
}

# qx_expect_match DESC EXTENDED_REGEX ACTUAL
qx_expect_match() {
    printf '%s' "$3" | grep -Eq -- "$2" && { qx_ok "$1"; return 0; }
    qx_fail "$1"
    _qx_log "    expected to match: $2"
    _qx_log "    seen:              [$3]"
    return 1
}

# qx_wait DESC SECONDS CMD...: runs CMD until it succeeds, for at most SECONDS.
qx_wait() {
    local desc=$1 seconds=$2
    shift 2
    local end; end=$(_qx_deadline "$seconds")
    while ! "$@" >/dev/null 2>&1; do
        _qx_before "$end" || { qx_fail "timed out after ${seconds}s waiting for: $desc"; return 1; }
        sleep "$QX_POLL_INTERVAL"
    done
}

# qx_wait_line FILE EXTENDED_REGEX SECONDS: waits for a matching line in FILE.
qx_wait_line() { qx_wait "line /$2/ in $(basename "$1")" "$3" grep -Eq -- "$2" "$1"; }

# --- display, prefix, wineserver ----------------------------------------------

# _qx_start_x LOG SERVER ARGS...: a private X server on a free display number
# (the server picks it and reports it through -displayfd); sets _QX_XNUM and
# _QX_XPID.
_qx_start_x() {
    local log=$1 numfile
    shift
    numfile=$(mktemp "${TMPDIR:-/tmp}/qxdrv-display.XXXXXX")
    "$@" -displayfd 3 -nolisten tcp -noreset 3>"$numfile" >>"${QX_TMP:-/tmp}/$log" 2>&1 &
    _QX_XPID=$!
    local end; end=$(_qx_deadline "$QX_DISPLAY_WAIT")
    while [ ! -s "$numfile" ] && kill -0 "$_QX_XPID" 2>/dev/null && _qx_before "$end"; do
        sleep 0.05
    done
    _QX_XNUM=$(tr -dc '0-9' <"$numfile")
    rm -f "$numfile"
    [ -n "$_QX_XNUM" ]
}
_qx_start_xvfb() { _qx_start_x xvfb.log Xvfb -screen 0 "${1}x24"; }

# qx_display [WxH]: starts the test's Xvfb (default 1280x768) and exports DISPLAY.
qx_display() {
    _qx_start_xvfb "${1:-1280x768}" || qx_fatal "Xvfb did not start"
    QX_XVFB_PID=$_QX_XPID
    export DISPLAY=":$_QX_XNUM"
    _qx_log "display $DISPLAY (${1:-1280x768}, Xvfb pid $QX_XVFB_PID)"
}

# qx_two_displays: a desktop Wine sees as two displays side by side: the
# primary 1280x768 at 0,0 and a second 1024x768 at 1280,0 ("\\.\DISPLAY1" and
# "\\.\DISPLAY2"). Xephyr with two screens and Xinerama, shown on a private
# Xvfb; exports DISPLAY as the Xephyr one.
qx_two_displays() {
    _qx_start_xvfb 2400x900 || qx_fatal "Xvfb for the two displays did not start"
    QX_XVFB_PID=$_QX_XPID
    DISPLAY=":$_QX_XNUM" _qx_start_x xephyr.log Xephyr -screen 1280x768 -screen 1024x768 \
        +xinerama -extension RANDR || qx_fatal "Xephyr did not start: $(tail -n 3 "$QX_TMP/xephyr.log")"
    QX_XEPHYR_PID=$_QX_XPID
    export DISPLAY=":$_QX_XNUM"
    _qx_log "two displays on $DISPLAY (Xephyr pid $QX_XEPHYR_PID in Xvfb pid $QX_XVFB_PID)"
}

# qx_prefix [en|ja]: a private copy of the LANG template prefix as WINEPREFIX
# (the template is made once per system dir; parallel tests wait on the lock).
# ja also runs every Wine program of the test under LC_ALL=ja_JP.UTF-8.
qx_prefix() {
    local lang=${1:-en} fd locale=""
    local dir="$QX_SYSTEM_DIR/prefix-template-$lang"
    [ "$lang" = ja ] && locale=ja_JP.UTF-8
    exec {fd}>"$QX_SYSTEM_DIR/prefix-template.lock"
    flock "$fd"
    if [ ! -f "$dir/.qx-ready" ]; then
        _qx_log "making the $lang template prefix in $dir (once)"
        rm -rf "$dir" "$dir.tmp"
        _qx_start_xvfb 1024x768 || { flock -u "$fd"; qx_fatal "Xvfb for the template did not start"; }
        (
            export WINEPREFIX="$dir.tmp" DISPLAY=":$_QX_XNUM"
            env ${locale:+LC_ALL=$locale} wineboot -i >"$QX_SYSTEM_DIR/template-$lang.log" 2>&1
            wineserver -w
        )
        _qx_end_pid "$_QX_XPID"
        [ -f "$dir.tmp/system.reg" ] && touch "$dir.tmp/.qx-ready" && mv "$dir.tmp" "$dir"
    fi
    flock -u "$fd"
    exec {fd}>&-
    [ -f "$dir/.qx-ready" ] || qx_fatal "could not make the $lang template prefix"
    export WINEPREFIX="$QX_TMP/prefix-$lang"
    rm -rf "$WINEPREFIX"
    cp -a "$dir" "$WINEPREFIX" || qx_fatal "cannot copy the template prefix"
    QX_PREFIXES="$QX_PREFIXES $WINEPREFIX"
    QX_LOCALE=$locale
    _qx_log "prefix $WINEPREFIX ($lang)"
}

# qx_wineserver: a persistent wineserver for the prefix: pointer metrics set
# with SPIF_SENDCHANGE, hotkeys and named mutexes live in it.
qx_wineserver() {
    [ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || qx_fatal "qx_wineserver needs qx_prefix and qx_display first"
    wineserver -p >>"$QX_TMP/wineserver.log" 2>&1 || qx_fatal "wineserver -p failed"
}

# --- registry -----------------------------------------------------------------

QX_SETTINGS_KEY='SOFTWARE\NORVANE\QXdrv1.2\Setting'

# qx_reg_add KEY NAME TYPE DATA: e.g. qx_reg_add 'HKCU\SOFTWARE\X' Name REG_DWORD 40;
# qx_setting HIVE NAME TYPE DATA: a value under the driver's settings key
# (HIVE is HKCU or HKLM).
qx_reg_add() {
    _qx_wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >"$QX_TMP/reg.out" 2>&1 ||
        qx_fatal "reg add $1 $2 failed: $(cat "$QX_TMP/reg.out")"
}
qx_setting() { qx_reg_add "$1\\$QX_SETTINGS_KEY" "$2" "$3" "$4"; }

# qx_reg_value HIVE KEY NAME: a stored value as the probe prints it, without
# the terminating zero a .reg import or an installer stores; nothing when the
# value is missing. qx_value HIVE NAME: one of the driver's settings.
qx_reg_value() {
    qx_probe --timeout 0 reg "$1" "$2" "$3" >/dev/null &&
        printf '%s\n' "$QX_OUT" | sed -n 's/.* value=//p' | sed 's/\\x00$//'
}
qx_value() { qx_reg_value "$1" "$QX_SETTINGS_KEY" "$2"; }

# qx_calib WxH: the four calibration values stored for one resolution, each
# followed by a space.
qx_calib() {
    local n
    for n in CalibRatioX CalibRatioY CalibOffsetX CalibOffsetY; do
        printf '%s ' "$(qx_reg_value HKCU "SOFTWARE\\NORVANE\\QXdrv1.2\\$1" "$n")"
    done
}

# qx_expect_calib DESC WxH "RX RY OX OY ": the values stored for WxH come to
# these within a few seconds.
qx_expect_calib() {
    qx_wait "$1" 10 eval "[ \"\$(qx_calib $2)\" = '$3' ]" && qx_ok "$1" || _qx_log "    stored: [$(qx_calib "$2")]"
}

# qx_reg_preload LINES...: registry lines (the body of a .reg file, keys under
# HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) written straight into the prefix's
# registry files, before its wineserver starts: no Wine run, and no restart
# for a changed COM mapping. Wine's files take the same value lines as a .reg
# file; a key that is there already takes the values in addition.
qx_reg_preload() {
    [ -f "$WINEPREFIX/system.reg" ] || qx_fatal "qx_reg_preload needs qx_prefix first"
    printf '%s\n' "$@" | awk -v sys="$WINEPREFIX/system.reg" -v usr="$WINEPREFIX/user.reg" -v now="$(date +%s)" '
        /^\[/ {
            key = substr($0, 2, length($0) - 2)
            if (sub(/^HKEY_LOCAL_MACHINE\\/, "", key)) out = sys
            else if (sub(/^HKEY_CURRENT_USER\\/, "", key)) out = usr
            else { print "qx_reg_preload: no such root: " $0 > "/dev/stderr"; exit 1 }
            n = split(key, part, "\\")
            key = part[1]
            for (i = 2; i <= n; i++) key = key "\\\\" part[i]  # Wine doubles them
            printf "\n[%s] %s\n", key, now >> out
            next
        }
        out == "" { print "qx_reg_preload: a value before its key: " $0 > "/dev/stderr"; exit 1 }
        { print >> out }' || qx_fatal "qx_reg_preload failed"
}

# --- pen board simulator and COM1 ----------------------------------------------

# qx_pensim_start: starts the simulator with its pty linked at $QX_TMP/com and
# its control FIFO at $QX_TMP/pen.ctl; sets QX_PEN_SLAVE (the pty slave, the
# driver's COM1) and QX_PENSIM_PID. Output: $QX_TMP/pensim.out.
qx_pensim_start() {
    [ -x "${QXDRV_PENSIM:-}" ] || qx_fatal "QXDRV_PENSIM must name the pensim executable (got '${QXDRV_PENSIM:-}')"
    rm -f "$QX_TMP/com" "$QX_TMP/pen.ctl"
    QX_PEN_LOG="$QX_TMP/pensim.out"
    "$QXDRV_PENSIM" --pty "$QX_TMP/com" --fifo "$QX_TMP/pen.ctl" >"$QX_PEN_LOG" 2>"$QX_TMP/pensim.err" &
    QX_PENSIM_PID=$!
    qx_wait "the simulator's pty" "$QX_PENSIM_WAIT" test -L "$QX_TMP/com" || qx_fatal "pensim did not start: $(cat "$QX_TMP/pensim.err")"
    QX_PEN_SLAVE=$(readlink -f "$QX_TMP/com")
    _qx_log "pensim pid $QX_PENSIM_PID on $QX_PEN_SLAVE"
}

# qx_unplug_board: the board goes away under the running driver: the
# simulator ends (its pty goes) and, as Wine keeps the driver's wait on a
# vanished pty pending, the main window gets the notice its receive thread
# posts when its loop ends on its own (WM_APP + 1). qx_pensim_start plugs it
# in again with the same link names.
qx_unplug_board() {
    _qx_end_pid "$QX_PENSIM_PID"
    QX_PENSIM_PID=""
    qx_probe post 0x8001 >/dev/null || qx_fail "post: $QX_OUT"
}

# qx_pensim_async CMD...: hands commands to the simulator without waiting
# (a flood runs until the next command arrives).
qx_pensim_async() { printf '%s\n' "$@" >"$QX_TMP/pen.ctl"; }

# qx_pensim CMD...: runs commands and waits until the simulator has done them.
# Sets QX_PEN_BYTES (bytes these commands wrote) and QX_PEN_TOTAL (all bytes
# written so far); fails when one of them reported an error.
qx_pensim() {
    QX_PEN_MARK=$((QX_PEN_MARK + 1))
    local mark="qx-$QX_PEN_MARK" before lines
    before=$(grep -c '' "$QX_PEN_LOG")
    qx_pensim_async "$@" "mark $mark"
    qx_wait "simulator commands: $*" "$QX_PENSIM_CMD_WAIT" grep -qx "mark $mark" "$QX_PEN_LOG" || return 1
    lines=$(tail -n +"$((before + 1))" "$QX_PEN_LOG" | sed "/^mark $mark\$/q")
    QX_PEN_BYTES=$(printf '%s\n' "$lines" | sed -n 's/.* bytes=\([0-9]*\).*/\1/p' | awk '{ s += $1 } END { print s + 0 }')
    QX_PEN_TOTAL=$(printf '%s\n' "$lines" | sed -n 's/.* total=\([0-9]*\).*/\1/p' | tail -n 1)
    ! grep '^error' <<<"$lines" || { qx_fail "simulator reported an error"; return 1; }
}

# qx_pen CMD...: simulator commands, taken by the driver before this returns
# (the latest driver start counts what the board sent from its start on).
qx_pen() {
    qx_pensim "$@" && qx_probe diag bytes --equals "$((QX_PEN_TOTAL - QX_PEN_BASE))" >/dev/null ||
        qx_fail "the driver did not take: $* ($QX_OUT)"
}

# qx_com1 PATH: maps COM1 to PATH, the simulator's pty ("$QX_PEN_SLAVE"), a
# device that does not exist, or nothing at all ("": an empty mapping removes
# Wine's default one), and restarts the wineserver to pick it up.
qx_com1() { qx_reg_add 'HKLM\Software\Wine\Ports' COM1 REG_SZ "$1"; qx_wineserver_restart; }
# qx_wineserver_restart: what Wine needs to pick up a changed COM mapping.
qx_wineserver_restart() { wineserver -k >/dev/null 2>&1; wineserver -w; qx_wineserver; }

# qx_board_bench LANG WxH [REG_LINES...]: the usual bench of a test: a private
# prefix in LANG with the simulator on COM1, "UsePort" "COM1:" in the
# per-user settings and REG_LINES (lines of a .reg file: value lines before
# their first "[KEY]" line land in the per-user settings key) preloaded, a
# private display and the wineserver.
qx_board_bench() {
    local lang=$1 size=$2
    shift 2
    qx_prefix "$lang"
    qx_pensim_start
    qx_reg_preload '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]' "\"COM1\"=\"$QX_PEN_SLAVE\"" \
        "[HKEY_CURRENT_USER\\$QX_SETTINGS_KEY]" '"UsePort"="COM1:"' "$@"
    qx_display "$size"
    qx_wineserver
}

# qx_stty: the line settings of the driver's side of the pty.
qx_stty() { stty -F "$QX_PEN_SLAVE" -a; }

# --- driver and probe ----------------------------------------------------------

# qx_wine_bg OUTFILE EXE ARGS...: a Win32 program in the background, output to
# OUTFILE (errors to OUTFILE.err); sets QX_BG_PID. The cleanup ends it. A plain
# command, not a function: $! must be the Wine process itself (env and the
# wine script exec into it), not a subshell around it.
qx_wine_bg() {
    env ${QX_LOCALE:+LC_ALL=$QX_LOCALE} wine "${@:2}" >"$1" 2>"$1.err" </dev/null &
    QX_BG_PID=$!
    QX_PIDS="$QX_PIDS $QX_BG_PID"
}

# qx_driver_start [ARGS...]: starts QXdrv.exe in the background; sets
# QX_DRIVER_PID (the latest start). Output: $QX_TMP/driver-N.out / .err
qx_driver_start() {
    [ -f "$QX_DRIVER_EXE" ] || qx_fatal "no driver at $QX_DRIVER_EXE"
    QX_DRIVER_COUNT=$((QX_DRIVER_COUNT + 1))
    # What the board has sent so far (qx_pensim may have run in a subshell).
    QX_PEN_BASE=$(sed -n 's/.* total=\([0-9]*\).*/\1/p' "${QX_PEN_LOG:-/dev/null}" | tail -n 1)
    QX_PEN_BASE=${QX_PEN_BASE:-0}
    qx_wine_bg "$QX_TMP/driver-$QX_DRIVER_COUNT.out" "$QX_DRIVER_EXE" "$@"
    QX_DRIVER_PID=$QX_BG_PID
    _qx_log "driver start #$QX_DRIVER_COUNT pid $QX_DRIVER_PID ${*:+args: $*}"
}

# qx_driver_receiving [ARGS...]: starts the driver and waits until it is
# resident and receiving from its port with no box shown; fatal otherwise.
qx_driver_receiving() {
    qx_driver_start "$@"
    qx_probe --timeout 15000 diag thread --equals 1 || qx_fatal "driver not receiving after start: $QX_OUT"
    qx_expect_eq "no box after the start" 0 "$(qx_boxes)"
}

# qx_alive PID: true while the process runs.
qx_alive() { kill -0 "$1" 2>/dev/null; }

# qx_wait_exit PID SECONDS: waits for the process to end; sets QX_EXIT_CODE.
qx_wait_exit() {
    QX_EXIT_CODE=""
    qx_wait "process $1 to end" "$2" eval "! kill -0 $1 2>/dev/null" || return 1
    wait "$1" 2>/dev/null
    QX_EXIT_CODE=$?
}

# qx_probe ARGS...: runs the UI probe; QX_OUT holds its output, the status is
# the probe's (0 ok, 1 condition failed or timed out, 2 usage).
qx_probe() {
    [ -f "$QX_PROBE_EXE" ] || qx_fatal "no UI probe at $QX_PROBE_EXE"
    local rc attempt
    for attempt in 1 2; do
        _qx_wine "$QX_PROBE_EXE" --timeout "$QX_PROBE_TIMEOUT_MS" "$@" >"$QX_TMP/probe.out" 2>"$QX_TMP/probe.err" </dev/null
        rc=$?
        # The probe always says something; a run that failed without a word
        # was lost by Wine (seen once as a process ended beside it): run it
        # once more.
        [ "$rc" != 0 ] && [ ! -s "$QX_TMP/probe.out" ] && [ ! -s "$QX_TMP/probe.err" ] || break
        printf '$ uiprobe %s  [rc=%s, no output: run again]\n' "$*" "$rc" >>"$QX_TMP/probe.log"
    done
    QX_OUT=$(cat "$QX_TMP/probe.out")
    { printf '$ uiprobe %s  [rc=%s]\n' "$*" "$rc"; cat "$QX_TMP/probe.out" "$QX_TMP/probe.err"; } >>"$QX_TMP/probe.log"
    return "$rc"
}

# qx_probe_bg OUTFILE ARGS...: the probe in the background (hold-hotkey,
# watch, menu-watch); sets QX_BG_PID.
qx_probe_bg() { qx_wine_bg "$1" "$QX_PROBE_EXE" --timeout "$QX_PROBE_TIMEOUT_MS" "${@:2}"; }

# qx_line PREFIX: the probe's last output, from its first line that starts
# with PREFIX on, without PREFIX ("cursor", "buttons", "cursor-shown", ...).
qx_line() { printf '%s\n' "$QX_OUT" | sed -n "s/^$1 //p" | head -n 1; }

# qx_cursor: "X Y" of the system cursor; qx_cursor_shown: 1 or 0.
qx_cursor() { qx_probe state && qx_line cursor; }
qx_cursor_shown() { qx_probe state && qx_line cursor-shown; }

# qx_hover X Y: the pen hovers there; prints where the cursor went.
qx_hover() { qx_pen "hover $1 $2" && qx_cursor; }

# qx_command ID: the main window gets WM_COMMAND ID, as a menu choice sends it.
qx_command() { qx_probe post 0x0111 "$1" >/dev/null || qx_fail "cannot post command $1: $QX_OUT"; }

# qx_dialog CAPTION [SECONDS]: waits for a visible dialog with exactly this
# caption (a failure after SECONDS, default 10) and sets QX_DIALOG to its
# handle. The caption is matched here, not passed to the probe: without the
# glibc locale, Wine reads a command line as ASCII, and a Japanese caption
# would not arrive intact.
qx_dialog() {
    QX_DIALOG="" _QX_CAPTION=$1
    qx_wait "a dialog \"$1\"" "${2:-10}" _qx_dialog_shown
}
_qx_dialog_shown() {
    qx_probe windows --class '#32770' --visible || return 1
    QX_DIALOG=$(printf '%s\n' "$QX_OUT" | awk -v c="caption=$_QX_CAPTION" '
        { i = index($0, " caption="); if (i && substr($0, i + 1) == c) { sub(/^window hwnd=/, ""); print $1; exit } }')
    [ -n "$QX_DIALOG" ]
}

# qx_controls [HWND]: the controls of the dialog HWND (default QX_DIALOG) into
# QX_CONTROLS; qx_control ID: the probe's line of one of them.
qx_controls() { qx_probe controls --hwnd "${1:-$QX_DIALOG}" --any-caption && QX_CONTROLS=$QX_OUT; }
qx_control() { printf '%s\n' "$QX_CONTROLS" | grep -m1 "^control id=$(($1)) "; }

# qx_box [PROBE_OPTIONS...]: waits for a visible "QXdrv" message box (or the
# one the options name, e.g. --caption T) and sets QX_BOX_TEXT (escaped text)
# and QX_BOX_BUTTONS (one "id=N text=T" per line).
qx_box() {
    QX_BOX_TEXT=""
    QX_BOX_BUTTONS=""
    qx_probe box "$@" || return 1
    QX_BOX_TEXT=$(qx_line text)
    QX_BOX_BUTTONS=$(printf '%s\n' "$QX_OUT" | sed -n 's/^button //p')
}

# qx_expect_box DESC TEXT: the next box says TEXT (no box ends the test);
# qx_answer TEXT BUTTON: and BUTTON answers it.
qx_expect_box() { qx_box || qx_fatal "no box where \"$2\" was expected: $QX_OUT"; qx_expect_eq "$1" "$2" "$QX_BOX_TEXT"; }
qx_answer() {
    qx_expect_box "box text" "$1"
    qx_probe press "$2" >/dev/null || qx_fail "$2 did not close the box: $QX_OUT"
}

# qx_no_box_for MS DESC: no box shows for MS milliseconds.
qx_no_box_for() { qx_probe watch --for "$1" >/dev/null; qx_expect_eq "$2" "seen-total 0" "$(tail -n 1 <<<"$QX_OUT")"; }

# qx_metrics: the pointer metrics line of the probe
# ("metrics dblclk_w=.. dblclk_h=.. dblclk_time=.. drag_w=.. drag_h=..").
qx_metrics() { qx_probe metrics && printf '%s\n' "$QX_OUT"; }

# qx_diag SELECTOR: the driver's diagnostic value (bytes, button, pen, thread, busy).
qx_diag() { qx_probe diag "$@" && printf '%s\n' "$QX_OUT" | sed -n 's/^diag [^ ]* //p'; }

# qx_count FILTER...: how many top-level windows match; qx_main_windows: the
# driver's main windows; qx_boxes: visible "QXdrv" message boxes right now.
qx_count() { qx_probe count "$@" && qx_line count; }
qx_main_windows() { qx_count --class QXdrvTrayWnd; }
qx_boxes() { qx_count --class '#32770' --caption QXdrv --visible; }

# qx_main_hwnd: the handle of the driver's main window.
qx_main_hwnd() { qx_probe windows --class QXdrvTrayWnd && qx_field hwnd "$(head -n 1 <<<"$QX_OUT")"; }

# qx_resident PID: the driver runs and its main window exists.
qx_resident() { qx_alive "$1" && qx_probe --timeout 0 wait-window --class QXdrvTrayWnd; }

# qx_stop_driver PID [SECONDS]: WM_CLOSE to the main window, then waits for the
# process to end (default 10 s) with exit code 0; sets QX_EXIT_CODE.
qx_stop_driver() {
    qx_probe close >/dev/null || { qx_fail "no main window to close: $QX_OUT"; return 1; }
    qx_wait_exit "$1" "${2:-10}" && qx_expect_eq "driver pid $1 ended, exit code" 0 "$QX_EXIT_CODE"
}

# qx_screenshot NAME: the whole test display as $QX_ARTEFACTS/NAME.png.
qx_screenshot() {
    import -display "$DISPLAY" -window root "$QX_ARTEFACTS/$1.png" >/dev/null 2>&1 &&
        _qx_log "screenshot $QX_ARTEFACTS/$1.png"
}

# qx_field NAME LINE: the value of NAME=... in one of the probe's lines.
qx_field() { sed -n "s/.* $1=\\([^ ]*\\).*/\\1/p" <<<"$2"; }

# qx_box_owned_by DESC OWNER_HWND: the open box belongs to OWNER, which is
# disabled while the box is open and lies below it.
qx_box_owned_by() {
    local box owner first
    qx_probe windows || { qx_fail "$1: no windows listed: $QX_OUT"; return; }
    box=$(grep -m1 'class=#32770 visible=1 .* caption=QXdrv$' <<<"$QX_OUT")
    owner=$(grep -m1 "hwnd=$2 " <<<"$QX_OUT")
    # The probe lists the windows from the top down.
    first=$(grep -m1 -e "hwnd=$(qx_field hwnd "$box") " -e "hwnd=$2 " <<<"$QX_OUT")
    qx_expect_eq "$1: the box's owner" "$2" "$(qx_field owner "$box")"
    qx_expect_eq "$1: the window behind is disabled" 0 "$(qx_field enabled "$owner")"
    qx_expect_eq "$1: the box lies above it" "$(qx_field hwnd "$box")" "$(qx_field hwnd "$first")"
}

# qx_add_modes MODELINE...: adds display modes to the test's Xvfb (it starts
# at its largest size; its first mode reports 0 Hz, added ones 60).
qx_add_modes() {
    local mode
    for mode in "$@"; do
        # shellcheck disable=SC2086  # the modeline's numbers are separate words
        xrandr --newmode $mode -hsync +vsync >>"$QX_TMP/xrandr.log" 2>&1
        xrandr --addmode screen "${mode%% *}" >>"$QX_TMP/xrandr.log" 2>&1 || qx_fatal "xrandr: $(cat "$QX_TMP/xrandr.log")"
    done
}

# qx_mode W H [FREQ]: another program changes the resolution (every window
# gets WM_DISPLAYCHANGE); FREQ defaults to 60, the rate of an added mode.
qx_mode() { qx_probe mode "$1" "$2" --freq "${3:-60}" >/dev/null || qx_fatal "mode change to $1 x $2 failed: $QX_OUT"; }

for _qx_lib in texts pen_harness tray_harness props_harness; do
    . "$(dirname "${BASH_SOURCE[0]}")/$_qx_lib.sh"
done

# qx_pixels W H: a size as the boxes name it; qx_preset_question W H MODE: the
# question of a resolution change to a size with a preset.
qx_pixels() { qx_en IDS_RESOLUTION_PIXELS | sed "s/%d/$1/; s/%d/$2/"; }
qx_preset_question() { qx_en IDS_RES_CHANGED_PRESET "$(qx_pixels "$1" "$2")" | sed "s/%2/$3/"; }

# qx_en ID [ARG1]: the English text of string ID as quoted (texts.sh), with
# %1 replaced by ARG1; an ID without a text there ends the test.
qx_en() { qx_text en "$@" || qx_fatal "$1 has no English text in texts.sh"; }

# qx_text en|ja ID [ARG1]: the text of string ID in that language (texts.sh),
# with %1 replaced by ARG1.
qx_text() {
    local text
    text=$(_qx_text_of "$1" "$2") || return 1
    [ $# -lt 3 ] || text=${text//%1/"$3"}  # quoted: a backslash in it stays one
    printf '%s\n' "$text"
}
