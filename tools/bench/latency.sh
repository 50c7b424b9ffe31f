#!/usr/bin/env bash
# Latency benchmark: how long a hover report takes from the pen board's write
# to the X pointer at the reported place, for QXdrv.exe and, in the same run,
# for a minimal reference reader (tools/win/refreader: reads COM1, calls
# SetCursorPos, nothing else). It prints figures and asserts nothing; compare
# the ratio driver/reference (the target is within 1.1), not the absolute
# times, which depend on the machine and its load.
#
# Run (after building the cross build and the native pen_latency target):
#   cmake --build build/win   # QXdrv.exe, tools/win/refreader/refreader.exe
#   cmake --build build/native --target pen_latency   # needs libx11-dev
#   tools/bench/latency.sh
# Environment:
#   QXDRV_WIN_BUILD_DIR   cross build folder (default build/win)
#   QXDRV_PEN_LATENCY     the pen_latency program
#                         (default build/native/tools/native/latency/pen_latency)
#   QXDRV_SYSTEM_DIR      where the template Wine prefix lives
#                         (default $QXDRV_WIN_BUILD_DIR/system-tests)
#   LATENCY_COUNT=200 LATENCY_INTERVAL_MS=40 LATENCY_WARMUP=10 LATENCY_ROUNDS=1
#   LATENCY_POLL_US=50    pause between two looks at the pointer
#
# One private display (1280 x 768, no calibration stored: board positions are
# screen positions), one private prefix. pen_latency owns the pty that both
# readers open as COM1 in turn; it writes each report in one write() and polls
# XQueryPointer, so both ends are timed by one clock in one process. Reports
# alternate between two places and are spaced wider than the driver's 20 ms
# move throttle, so every report moves the pointer. Per round the driver runs
# first, then the reference reader, each alone.
root=$(cd "$(dirname "$0")/../.." && pwd)
export QXDRV_WIN_BUILD_DIR="${QXDRV_WIN_BUILD_DIR:-$root/build/win}"
LATENCY_EXE="${QXDRV_PEN_LATENCY:-$root/build/native/tools/native/latency/pen_latency}"
REFREADER_EXE="$QXDRV_WIN_BUILD_DIR/tools/win/refreader/refreader.exe"
COUNT=${LATENCY_COUNT:-200}
INTERVAL_MS=${LATENCY_INTERVAL_MS:-40}
WARMUP=${LATENCY_WARMUP:-10}
ROUNDS=${LATENCY_ROUNDS:-1}
POLL_US=${LATENCY_POLL_US:-50}
PLACE_A="200 200"
PLACE_B="1000 600"

for f in "$QXDRV_WIN_BUILD_DIR/QXdrv.exe" "$REFREADER_EXE" "$LATENCY_EXE"; do
    [ -e "$f" ] || { echo "latency: not built: $f" >&2; exit 1; }
done

. "$root/tests/system/lib/harness.sh"
qx_begin latency
qx_prefix en
qx_display 1280x768
qx_wineserver

"$LATENCY_EXE" --pty "$QX_TMP/com" --fifo "$QX_TMP/latency.ctl" --poll-us "$POLL_US" \
    >"$QX_TMP/latency.out" 2>"$QX_TMP/latency.err" &
_qx_track_pid $!
qx_wait "pen_latency's pty" 10 test -L "$QX_TMP/com" || qx_fatal "pen_latency did not start: $(cat "$QX_TMP/latency.err")"
qx_reg_add 'HKLM\Software\Wine\Ports' COM1 REG_SZ "$(readlink -f "$QX_TMP/com")"
qx_setting HKCU UsePort REG_SZ 'COM1:'
qx_wineserver_restart

# measure LABEL: one series against whichever reader has COM1 open now.
measure() {
    local label=$1
    printf 'measure %s %d %d %d %s %s\n' "$label" "$COUNT" "$INTERVAL_MS" "$WARMUP" "$PLACE_A" "$PLACE_B" \
        >"$QX_TMP/latency.ctl"
    local seconds=$(((COUNT + WARMUP) * (INTERVAL_MS + 1000) / 1000 + 30))
    qx_wait "the $label series" "$seconds" grep -Eq "^(result|error) $label( |:)" "$QX_TMP/latency.out" ||
        qx_fatal "no result for $label"
    grep -E "^error $label" "$QX_TMP/latency.out" && qx_fatal "pen_latency failed for $label"
    grep "^result $label " "$QX_TMP/latency.out"
}

for ((round = 1; round <= ROUNDS; round++)); do
    qx_driver_start
    qx_probe --timeout 15000 diag thread --equals 1 || qx_fatal "the driver is not receiving: $QX_OUT"
    measure "driver-$round"
    qx_stop_driver "$QX_DRIVER_PID" >/dev/null || qx_fatal "the driver did not end"

    env wine "$REFREADER_EXE" 'COM1:' >"$QX_TMP/refreader-$round.out" 2>"$QX_TMP/refreader-$round.err" </dev/null &
    REF_PID=$!
    _qx_track_pid "$REF_PID"
    qx_wait "the reference reader's port" 15 grep -q '^open' "$QX_TMP/refreader-$round.out" ||
        qx_fatal "the reference reader did not open COM1: $(cat "$QX_TMP/refreader-$round.out")"
    measure "reference-$round"
    _qx_end_pid "$REF_PID"
done
printf 'quit\n' >"$QX_TMP/latency.ctl"
cp -f "$QX_TMP/latency.out" "$QX_ARTEFACTS/samples.txt"

echo
echo "hover report to pointer, $COUNT reports $INTERVAL_MS ms apart per series (ms; missed: the"
echo "pointer never got there; stale: it was already there, the report before was missed):"
awk '
    function val(kv,  p) { split(kv, p, "="); return p[2] }
    function pct(list, q,   n, a, i, j, t, r) {
        n = split(list, a, " ")
        for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] + 0 > t + 0; j--) a[j + 1] = a[j]; a[j + 1] = t }
        r = int(q * n + 0.999999); if (r < 1) r = 1; if (r > n) r = n
        return a[r] / 1000
    }
    /^result / {
        printf "  %-14s n=%s missed=%s stale=%s mean=%.2f p50=%.2f p90=%.2f p99=%.2f max=%.2f\n", $2,
            val($3), val($4), val($5), val($6) / 1000, val($7) / 1000, val($8) / 1000, val($9) / 1000, val($10) / 1000
    }
    /^sample / && $4 ~ /^[0-9]+$/ { split($2, name, "-"); all[name[1]] = all[name[1]] " " $4 }
    /^sample / && $4 == "missed" { split($2, name, "-"); lost[name[1]]++ }
    END {
        if (!("driver" in all) || !("reference" in all)) exit
        d50 = pct(all["driver"], 0.5); d99 = pct(all["driver"], 0.99)
        r50 = pct(all["reference"], 0.5); r99 = pct(all["reference"], 0.99)
        printf "all rounds: driver p50=%.2f p99=%.2f missed=%d, reference p50=%.2f p99=%.2f missed=%d\n",
            d50, d99, lost["driver"], r50, r99, lost["reference"]
        printf "ratio driver/reference: p50 %.2f, p99 %.2f (target: within 1.1)\n", d50 / r50, d99 / r99
    }' "$QX_TMP/latency.out"
echo "samples: $QX_ARTEFACTS/samples.txt"
qx_finish
