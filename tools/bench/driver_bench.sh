#!/usr/bin/env bash
# The driver against a bare reader of the port, in one run under Wine. It
# prints figures and asserts nothing: compare the ratios, not the absolute
# times, which move with the machine and its load.
#
#   latency   a hover report from the board's write to the X pointer at its
#             place, p50 and p99 in ms, for the driver idle, with Test Mode
#             open and with the property sheet open, and for the reference
#             reader (tools/win/refreader: reads COM1, calls SetCursorPos);
#             each as a ratio to the reference
#   memory    resident set (VmRSS) of the Wine process of each reader, idle;
#             also of the reference loading the libraries the driver has and
#             it has not (their cost alone), and the driver's resident set by
#             mapping against the reference's (the maps stay in the artefacts)
#   idle CPU  CPU time of that process and of the prefix's wineserver over a
#             quiet interval with the port open and no reports, in % of a core
#   per report  the native qx_pen_bench of each build, when it is there
#
# With QXDRV_BEFORE_WIN_BUILD_DIR (and QXDRV_BEFORE_NATIVE_BUILD_DIR) naming
# the builds of an older tree, its driver is measured in the same run, in the
# same rounds. Rounds interleave the readers, each round in another order;
# figures pool all rounds (latency) or give min/median over them.
#
# Run after ./scripts/build.sh:  tools/bench/driver_bench.sh
# Environment:
#   QXDRV_WIN_BUILD_DIR           the driver's build, default build/win
#   QXDRV_NATIVE_BUILD_DIR        its qx_pen_bench's, default build/native
#   QXDRV_BEFORE_WIN_BUILD_DIR    an older driver's build/win, optional
#   QXDRV_BEFORE_NATIVE_BUILD_DIR its build/native, optional
#   BENCH_ROUNDS=3 BENCH_COUNT=100 BENCH_INTERVAL_MS=40 BENCH_IDLE_S=5
#
# One private display (1280 x 768, no calibration stored: board positions are
# screen positions) and one private prefix. pen_latency owns the pty that the
# readers open as COM1 in turn. Reports alternate between two places, each
# written an interval after the pointer reached the one before, wider than the
# driver's 20 ms move throttle, so each one moves the pointer.
root=$(cd "$(dirname "$0")/../.." && pwd)
export QXDRV_WIN_BUILD_DIR="${QXDRV_WIN_BUILD_DIR:-$root/build/win}"
NATIVE_DIR="${QXDRV_NATIVE_BUILD_DIR:-$root/build/native}"
BEFORE_WIN="${QXDRV_BEFORE_WIN_BUILD_DIR:-}"
BEFORE_NATIVE="${QXDRV_BEFORE_NATIVE_BUILD_DIR:-}"
# The instruments come from this tree's own builds, whichever drivers run.
LATENCY_EXE="$root/build/native/tools/native/latency/pen_latency"
REFREADER_EXE="$root/build/win/tools/win/refreader/refreader.exe"
export QXDRV_SYSTEM_DIR="${QXDRV_SYSTEM_DIR:-$root/build/win/system-tests}"
ROUNDS=${BENCH_ROUNDS:-3}
COUNT=${BENCH_COUNT:-100}
INTERVAL_MS=${BENCH_INTERVAL_MS:-40}
IDLE_S=${BENCH_IDLE_S:-5}
WARMUP=10
SETTLE_S=2
PLACES="200 200 1000 600"
WM_COMMAND=0x0111
ID_PROPERTIES=57666
ID_TEST_MODE=57685

for f in "$QXDRV_WIN_BUILD_DIR/QXdrv.exe" "$REFREADER_EXE" "$LATENCY_EXE" \
    ${BEFORE_WIN:+"$BEFORE_WIN/QXdrv.exe"}; do
    [ -e "$f" ] || { echo "driver_bench: not built: $f" >&2; exit 1; }
done

. "$root/tests/system/lib/harness.sh"
qx_begin bench
qx_prefix en
qx_display 1280x768
qx_wineserver
FIGURES="$QX_TMP/figures.txt"

mkfifo "$QX_TMP/latency.ctl"
"$LATENCY_EXE" "$QX_TMP/com" <"$QX_TMP/latency.ctl" >"$QX_TMP/latency.out" 2>"$QX_TMP/latency.err" &
_qx_track_pid $!
exec {CTL}>"$QX_TMP/latency.ctl"
qx_wait "pen_latency's pty" 10 test -L "$QX_TMP/com" || qx_fatal "pen_latency did not start: $(cat "$QX_TMP/latency.err")"
qx_reg_add 'HKLM\Software\Wine\Ports' COM1 REG_SZ "$(readlink -f "$QX_TMP/com")"
qx_setting HKCU UsePort REG_SZ 'COM1:'
qx_wineserver_restart

# ticks PID: user + system CPU of a process so far, in clock ticks.
ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
# The prefix's wineserver: the one working in the server folder named after
# the prefix's device and inode.
wineserver_pid() {
    local dir p
    dir=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
    for p in $(pgrep wineserver); do
        [[ "$(readlink "/proc/$p/cwd")" == */"$dir" ]] && { echo "$p"; return; }
    done
    return 1
}

# idle NAME PID: resident set and CPU over a quiet interval, into the figures.
idle() {
    local server t0 s0 t1 s1
    server=$(wineserver_pid) || qx_fatal "no wineserver for $WINEPREFIX"
    sleep "$SETTLE_S"
    t0=$(ticks "$2") s0=$(ticks "$server")
    sleep "$IDLE_S"
    t1=$(ticks "$2") s1=$(ticks "$server")
    echo "idle $1 $(awk '/^VmRSS/ { print $2 }' "/proc/$2/status") $((t1 - t0)) $((s1 - s0))" >>"$FIGURES"
    cp "/proc/$2/smaps" "$QX_ARTEFACTS/smaps-$1.txt"
}

# measure LABEL: one series against whichever reader has COM1 now.
measure() {
    echo "measure $1 $COUNT $INTERVAL_MS $WARMUP $PLACES" >&"$CTL"
    qx_wait "the $1 series" $((COUNT * (INTERVAL_MS + 1000) / 1000 + 60)) \
        grep -Eq "^(done|error) $1( |:|$)" "$QX_TMP/latency.out" || qx_fatal "no end of the $1 series"
    grep "^error $1" "$QX_TMP/latency.out" && qx_fatal "pen_latency failed for $1"
}

# dialog_open COMMAND: the driver's command opens a dialog; sets DIALOG.
dialog_open() {
    qx_probe post "$WM_COMMAND" "$1" >/dev/null
    qx_probe wait-window --class '#32770' --any-caption --visible || qx_fatal "no dialog after command $1: $QX_OUT"
    DIALOG=$(sed -n 's/^window hwnd=\([^ ]*\).*/\1/p' <<<"$QX_OUT")
}
dialog_close() {
    qx_probe press cancel --hwnd "$DIALOG" --any-caption --no-wait >/dev/null
    qx_wait "the dialog closed" 10 eval \
        'qx_probe --timeout 0 count --class "#32770" --any-caption --visible; [ "$QX_OUT" = "count 0" ]' ||
        qx_fatal "the dialog did not close"
}

# driver NAME BUILD ROUND: that build's driver idle, with Test Mode, with the sheet.
driver() {
    QX_DRIVER_EXE="$2/QXdrv.exe"
    QX_PROBE_EXE="$2/tools/win/uiprobe/uiprobe.exe"
    qx_driver_receiving
    idle "$1" "$QX_DRIVER_PID"
    measure "$1-idle-$3"
    dialog_open "$ID_TEST_MODE"
    measure "$1-testmode-$3"
    dialog_close
    dialog_open "$ID_PROPERTIES"
    measure "$1-props-$3"
    dialog_close
    qx_stop_driver "$QX_DRIVER_PID" >/dev/null || qx_fatal "the driver did not end"
}

# reference ROUND [MODULE...]: the bare reader; with modules, the same loading
# those libraries first, for its idle figures only.
reference() {
    local round=$1 name=reference
    shift
    [ $# -gt 0 ] && name=libraries
    qx_wine_bg "$QX_TMP/$name-$round.out" "$REFREADER_EXE" 'COM1:' "$@"
    qx_wait "the $name reader's port" 15 grep -q '^open' "$QX_TMP/$name-$round.out" ||
        qx_fatal "the $name reader did not open COM1: $(cat "$QX_TMP/$name-$round.out")"
    idle "$name" "$QX_BG_PID"
    [ $# -eq 0 ] && measure "reference-$round"
    _qx_end_pid "$QX_BG_PID"
}

# libraries NAME: the DLLs and drivers mapped in that reader's memory.
libraries() { grep -o '[^/ ]*\.\(dll\|drv\)$' "$QX_ARTEFACTS/smaps-$1.txt" | sort -u; }

readers="after reference${BEFORE_WIN:+ before}"
for ((round = 1; round <= ROUNDS; round++)); do
    for reader in $readers; do
        echo "round $round: $reader"
        case $reader in
            after) driver after "$QXDRV_WIN_BUILD_DIR" "$round" ;;
            before) driver before "$BEFORE_WIN" "$round" ;;
            reference) reference "$round" ;;
        esac
    done
    readers="${readers#* } ${readers%% *}"  # the next round starts with the next reader
done
# What the libraries the driver has loaded and the bare reader has not cost
# by themselves, the driver's own code and data left out.
reference 1 $(comm -23 <(libraries after) <(libraries reference))
exec {CTL}>&-
cp -f "$QX_TMP/latency.out" "$QX_ARTEFACTS/samples.txt"

echo
echo "hover report to pointer, $ROUNDS rounds of $COUNT reports $INTERVAL_MS ms apart (ms; missed: the"
echo "pointer never got there within 1 s; /ref: to the reference at the same percentile, pooled, and"
echo "the median over the rounds of each round's p50 ratio, which the load's drift moves less)"
sed -n 's/^sample \(.*\)-\([0-9]*\) /\1 \2 /p' "$QX_TMP/latency.out" |
    sort -k1,1 -k3,3n | awk -v tck="$(getconf CLK_TCK)" -v idle_s="$IDLE_S" -v figures="$FIGURES" -v rounds="$ROUNDS" '
    function pct(name, q,   r) {
        r = int(q * n[name] + 0.999999); if (r < 1) r = 1
        return v[name, r] / 1000
    }
    # sorted: a[1..cnt] in ascending order.
    function sorted(a, cnt,   k, j, t) {
        for (k = 2; k <= cnt; k++) { t = a[k]; for (j = k - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    }
    # mm: "min / median" of one idle figure of a reader over the rounds.
    function mm(a, w, scale, fmt,   k, s) {
        for (k = 1; k <= m[w]; k++) s[k] = a[w, k] * scale
        sorted(s, m[w])
        return sprintf(fmt " / " fmt, s[1], s[int((m[w] + 1) / 2)])
    }
    $3 ~ /^[0-9]+$/ { v[$1, ++n[$1]] = $3; v[$1 "@" $2, ++n[$1 "@" $2]] = $3; next }
    { lost[$1]++ }
    END {
        printf "  %-16s %6s %6s %7s %7s %8s %8s %10s\n", "case", "n", "missed", "p50", "p99", "p50/ref", "p99/ref", "by round"
        r50 = pct("reference", 0.5); r99 = pct("reference", 0.99)
        split("after-idle after-testmode after-props before-idle before-testmode before-props reference", order, " ")
        for (i = 1; i <= 7; i++) {
            c = order[i]; if (!(c in n)) continue
            for (r = 1; r <= rounds; r++) ratio[r] = pct(c "@" r, 0.5) / pct("reference@" r, 0.5)
            sorted(ratio, rounds)
            printf "  %-16s %6d %6d %7.2f %7.2f %8.2f %8.2f %10.2f\n", c, n[c], lost[c], pct(c, 0.5), pct(c, 0.99),
                pct(c, 0.5) / r50, pct(c, 0.99) / r99, ratio[int((rounds + 1) / 2)]
        }
        while ((getline line < figures) > 0) {
            split(line, f, " ")
            k = ++m[f[2]]; rss[f[2], k] = f[3]; cpu[f[2], k] = f[4]; srv[f[2], k] = f[5]
        }
        print ""
        print "idle, port open, no reports (min / median over the rounds; CPU in % of one core):"
        printf "  %-10s %18s %18s %18s\n", "reader", "VmRSS KB", "process CPU %", "wineserver CPU %"
        split("after before reference libraries", who, " ")
        for (i = 1; i <= 4; i++) {
            w = who[i]; if (!(w in m)) continue
            printf "  %-10s %18s %18s %18s\n", w, mm(rss, w, 1, "%d"), mm(cpu, w, 100 / tck / idle_s, "%.1f"),
                mm(srv, w, 100 / tck / idle_s, "%.1f")
        }
    }'
echo "  (libraries: the reference with the libraries loaded that the driver has and it has not:"
echo "  $(comm -23 <(libraries after) <(libraries reference) | tr '\n' ' '))"

echo
echo "resident KB by mapping, driver (after) minus reference, the largest differences:"
rss_by_mapping() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / { n = split($0, p, "/"); name = NF < 6 ? "[anonymous]" : $6 ~ /^\[/ ? $6 : p[n] }
         /^Rss:/ { rss[name] += $2 } END { for (k in rss) print k, rss[k] }' "$QX_ARTEFACTS/smaps-$1.txt" | sort
}
join -a1 -a2 -e0 -o0,1.2,2.2 <(rss_by_mapping after) <(rss_by_mapping reference) |
    awk '{ printf "  %7d %7d %7d  %s\n", $2 - $3, $2, $3, $1 }' | sort -rn | head -n 16

# The per-report bench of each build, the builds taking turns.
PEN_RUNS=5
echo
echo "per report, native (qx_pen_bench, min / median of $PEN_RUNS runs taking turns):"
for ((run = 1; run <= PEN_RUNS; run++)); do
    for build in "after $NATIVE_DIR" ${BEFORE_NATIVE:+"before $BEFORE_NATIVE"}; do
        exe="${build#* }/tools/native/bench/qx_pen_bench"
        [ -x "$exe" ] && "$exe" --benchmark_min_time=0.2 2>/dev/null | sed -n "s/^BM_/${build%% *} /p"
    done
done | awk '
    { for (i = 3; i <= NF; i++) if ($i ~ /^(ns\/report|allocs\/rep)=/) { split($i, kv, "="); f[kv[1]] = kv[2] }
      k = $1 " " $2; if (!(k in n)) keys[++nk] = k
      ns[k, ++n[k]] = f["ns/report"]; al[k] = al[k] > f["allocs/rep"] ? al[k] : f["allocs/rep"] }
    END {
        printf "  %-6s %-16s %20s %12s\n", "build", "benchmark", "ns/report", "allocs/rep"
        for (i = 1; i <= nk; i++) {
            k = keys[i]; c = n[k]
            for (a = 2; a <= c; a++) { t = ns[k, a]; for (b = a - 1; b >= 1 && ns[k, b] + 0 > t + 0; b--) ns[k, b + 1] = ns[k, b]; ns[k, b + 1] = t }
            split(k, kk, " ")
            printf "  %-6s %-16s %9.1f / %8.1f %12s\n", kk[1], kk[2], ns[k, 1], ns[k, int((c + 1) / 2)], al[k]
        }
    }'
echo "samples and memory maps: $QX_ARTEFACTS"
qx_finish
