# Pen input helpers for the system tests, on top of harness.sh (source that
# first): the scribble target window, a case runner that sends simulator
# commands and collects the mouse messages they caused in the target together
# with the input state after them (buttons held in the system, cursor, the
# driver's button state), and checks on both.
#
# The log of a case is complete, not merely started: pen_send runs the probe's
# settle, which waits until the driver has received every byte (it injects its
# input while it handles them), then injects a key press as a marker; pen_send
# waits for the target to log it. The system hands a thread its input in the
# order it arrived, so every mouse message the driver caused precedes the
# marker in the log.

PEN_MARKER_VK=135           # VK_F24: nothing acts on it; the probe's default marker
PEN_WINDOW_WAIT=15          # seconds for the target window to appear
PEN_LOG_WAIT=10             # seconds for the target to log a marker

# pen_scribble_start: the full-screen target window; start it after the
# driver, which sets the double-click metrics that the target's process reads
# once. Its log is $PEN_LOG; the bytes the driver has taken so far are counted.
pen_scribble_start() {
    PEN_SENT_BYTES=$(qx_diag bytes)
    local exe="$QXDRV_WIN_BUILD_DIR/tools/win/scribble/scribble.exe"
    [ -f "$exe" ] || qx_fatal "not built: $exe"
    PEN_LOG="$QX_TMP/scribble.log"
    : >"$PEN_LOG"
    # Wine's drive Z: is the Unix root.
    qx_wine_bg "$QX_TMP/scribble.out" "$exe" "Z:${PEN_LOG//\//\\}"
    PEN_SCRIBBLE_PID=$QX_BG_PID
    qx_probe --timeout $((PEN_WINDOW_WAIT * 1000)) wait-window --class QXScribble --visible ||
        qx_fatal "the scribble window did not appear: $QX_OUT"
    # The first marker also proves that keyboard input reaches the target.
    pen_send || qx_fatal "the scribble window does not log its input"
    [ -z "$PEN_EVENTS" ] || qx_fail "the scribble window logged input before the pen did anything: $PEN_NAMES"
}

# pen_scribble_stop: closes the target window.
pen_scribble_stop() {
    [ -n "${PEN_SCRIBBLE_PID:-}" ] || return 0
    qx_probe post 0x0010 --class QXScribble >/dev/null  # WM_CLOSE
    qx_wait_exit "$PEN_SCRIBBLE_PID" 10 || qx_fail "the scribble window did not close"
    PEN_SCRIBBLE_PID=""
}

# pen_send [SIMULATOR_COMMANDS...]: runs the commands, waits until the driver
# has received all their bytes and collects what the target logged since the
# previous case:
#   PEN_EVENTS  one "msg x y" per line (the tick dropped)
#   PEN_NAMES   the message names on one line, a run of moves as one "move"
#   PEN_BUTTONS "left=N right=N middle=N", 1 = held down in the system
#   PEN_CURSOR  "X Y" of the system cursor
#   PEN_ENGINE  the driver's button state: 0 None, 1 Left, 2 Right, 3 Middle
pen_send() {
    local before
    before=$(grep -c '' "$PEN_LOG")
    if [ $# -gt 0 ]; then
        qx_pensim "$@" || return 1
        PEN_SENT_BYTES=$((PEN_SENT_BYTES + QX_PEN_BYTES))
    fi
    PEN_EVENTS=""
    PEN_NAMES=""
    qx_probe settle --bytes "$PEN_SENT_BYTES" --vk "$PEN_MARKER_VK" || {
        qx_fail "the driver did not receive the case's bytes, or no marker: $QX_OUT"
        return 1
    }
    PEN_BUTTONS=$(qx_line buttons)
    PEN_CURSOR=$(qx_line cursor)
    PEN_ENGINE=$(qx_line engine)
    # The target writes its log in text mode: lines end in CR LF.
    local marker="^[0-9]+ key $PEN_MARKER_VK 0\$"
    qx_wait "the target's marker" "$PEN_LOG_WAIT" eval "tail -n +$((before + 1)) '$PEN_LOG' | tr -d '\r' | grep -Eq '$marker'" ||
        return 1
    PEN_EVENTS=$(tail -n +"$((before + 1))" "$PEN_LOG" | tr -d '\r' | sed -E "/$marker/Q" | cut -d ' ' -f 2-)
    PEN_NAMES=$(printf '%s\n' "$PEN_EVENTS" | awk 'NF { if ($1 != "move" || last != "move") printf "%s%s", sep, $1; sep = " "; last = $1 }')
    _qx_log "   target: ${PEN_NAMES:-(nothing)}"
    return 0
}
# pen_expect_names DESC EXPECTED: the case's message names (see PEN_NAMES).
pen_expect_names() { qx_expect_eq "$1" "$2" "$PEN_NAMES"; }

# pen_event N: the Nth "msg x y" line of the case (1-based; -1 the last).
pen_event() { printf '%s\n' "$PEN_EVENTS" | if [ "$1" -lt 0 ]; then tail -n "$((-$1))" | head -n 1; else sed -n "$1p"; fi; }

# pen_expect_buttons DESC LEFT RIGHT MIDDLE ENGINE_STATE: after the case, what
# the system holds down and the driver's own button state.
pen_expect_buttons() {
    qx_expect_eq "$1: buttons held in the system" "left=$2 right=$3 middle=$4" "$PEN_BUTTONS"
    qx_expect_eq "$1: the driver's button state" "$5" "$PEN_ENGINE"
}

# pen_expect_released DESC [X Y]: after the case no button is held, neither in
# the system nor in the driver; with X Y, the cursor is there.
pen_expect_released() {
    pen_expect_buttons "$1" 0 0 0 0
    [ $# -lt 3 ] || qx_expect_eq "$1: cursor" "$2 $3" "$PEN_CURSOR"
}

# pen_polyline_commands STEPS INTERVAL_MS X1 Y1 X2 Y2 [X3 Y3 ...]: one stroke
# through every point in turn, STEPS reports per segment, then the resting
# report and the release as above. Sets PEN_COMMANDS.
pen_polyline_commands() {
    local steps=$1 interval=$2 i s
    shift 2
    local -a p=("$@")
    PEN_COMMANDS=("left ${p[0]} ${p[1]}" "sleep $interval")
    for ((s = 2; s + 1 < ${#p[@]}; s += 2)); do
        local x1=${p[s - 2]} y1=${p[s - 1]} x2=${p[s]} y2=${p[s + 1]}
        for ((i = 1; i < steps; i++)); do
            PEN_COMMANDS+=("left $((x1 + (x2 - x1) * i / (steps - 1))) $((y1 + (y2 - y1) * i / (steps - 1)))" "sleep $interval")
        done
    done
    PEN_COMMANDS+=("left ${p[${#p[@]} - 2]} ${p[${#p[@]} - 1]}" "sleep $interval" "release")
}

# pen_expect_drag DESC X1 Y1 X2 Y2 MIN_MOVES: the case's log is one drag with
# the left button from (X1, Y1) to (X2, Y2) (screen pixels): the down at the
# start, at least MIN_MOVES moves, each on the line between the two points and
# none going back, the last one at the end, and the up at the end.
pen_expect_drag() {
    local desc=$1 x1=$2 y1=$3 x2=$4 y2=$5 min=$6
    pen_expect_names "$desc: messages" "ldown move lup"
    qx_expect_eq "$desc: button down at the start" "ldown $x1 $y1" "$(pen_event 1)"
    qx_expect_eq "$desc: last move at the end" "move $x2 $y2" "$(pen_event -2)"
    qx_expect_eq "$desc: button up at the end" "lup $x2 $y2" "$(pen_event -1)"
    local bad
    bad=$(printf '%s\n' "$PEN_EVENTS" | awk -v x1="$x1" -v y1="$y1" -v x2="$x2" -v y2="$y2" -v min="$min" '
        $1 != "move" { next }
        {
            n++
            t = (x2 != x1) ? ($2 - x1) / (x2 - x1) : ($3 - y1) / (y2 - y1)
            ex = x1 + (x2 - x1) * t; ey = y1 + (y2 - y1) * t
            if (t < 0 || t > 1 || ($2 - ex) ^ 2 + ($3 - ey) ^ 2 > 4) { print "off the line: " $0; exit }
            if (n > 1 && t < last) { print "going back: " $0; exit }
            last = t
        }
        END { if (n < min) print "only " n " moves" }')
    if [ -z "$bad" ]; then
        qx_ok "$desc: $(printf '%s\n' "$PEN_EVENTS" | grep -c '^move') moves along the stroke"
    else
        qx_fail "$desc: $bad"
    fi
}
