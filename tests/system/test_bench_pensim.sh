#!/bin/bash
# The pen board simulator itself, read back from its pty without Wine: every
# report is byte-exact, errors are reported and change nothing, and the paced
# and unpaced rates are printed for comparison with the board's 38400 baud.
. "$(dirname "$0")/lib/harness.sh"
qx_begin bench_pensim
qx_pensim_start
cat "$QX_PEN_SLAVE" >"$QX_TMP/got.bin" &
_qx_track_pid $!
# The simulator holds the slave open itself, so bytes queue until cat reads.
printf '%s\n' "# capture: delay_ms escaped-bytes" "0 @0001002\r" "5 L0003004\r?T\r" "" "1 \x41\\\\" >"$QX_TMP/capture.txt"
qx_pensim "hover 12 34" "left 9999 999" "right 0 0" "middle 5 6" "release" "small" \
    "tap 100 200" "stroke 0 0 30 3 4 0" 'raw A\x00B\r\n\\ z' "replay $QX_TMP/capture.txt" ||
    qx_fatal "simulator failed"
printf '@0012034\rL9999999\rR0000000\rM0005006\r?T\r?M\rL0100200\r?T\r' >"$QX_TMP/want.bin"
printf 'L0000000\rL0010001\rL0020002\rL0030003\r?T\r' >>"$QX_TMP/want.bin"
printf 'A\0B\r\n\\ z' >>"$QX_TMP/want.bin"
printf '@0001002\rL0003004\r?T\rA\\' >>"$QX_TMP/want.bin"
WANT_SIZE=$(stat -c %s "$QX_TMP/want.bin")
qx_expect_eq "bytes counted by the simulator" "$WANT_SIZE" "$QX_PEN_TOTAL"
qx_wait "all bytes at the reader" 5 eval "[ \"\$(stat -c %s \"$QX_TMP/got.bin\")\" -ge $WANT_SIZE ]"
if cmp -s "$QX_TMP/want.bin" "$QX_TMP/got.bin"; then
    qx_ok "reports byte-exact"
else
    qx_fail "reports differ from the board's format"
    _qx_log "    expected: $(od -c "$QX_TMP/want.bin" | head -n 8)"
    _qx_log "    seen:     $(od -c "$QX_TMP/got.bin" | head -n 8)"
fi

qx_case "bad commands are refused and write nothing"
BEFORE=$QX_PEN_TOTAL
n=0
for bad in "left 10000 0" "hover 1 1000" "hover -1 0" "stroke 0 0 1 1 0 5" 'raw \q' "bogus 1" "tap 1"; do
    n=$((n + 1))
    qx_pensim_async "$bad" "mark bad-$n"
    qx_wait_line "$QX_PEN_LOG" "^mark bad-$n\$" 10
    line=$(grep -B 1 -x "mark bad-$n" "$QX_PEN_LOG" | head -n 1)
    qx_expect_match "refused: $bad" "^error [0-9]+ ${bad%% *}: .*total=$BEFORE\)\$" "$line"
done

qx_case "rates (figures, not checks)"
BLOCK=$(head -c 3840 /dev/zero | tr '\0' 'a')
for pace in on off; do
    qx_pensim "pace $pace" "raw $BLOCK" || qx_fatal "simulator failed"
    grep -E '^ok [0-9]+ raw ' "$QX_PEN_LOG" | tail -n 1 | sed -n 's/.* bytes=\([0-9]*\) .* us=\([0-9]*\).*/\1 \2/p' |
        awk -v p="$pace" '{ printf "pacing %s: %d bytes in %.3f s = %.1f us/byte (board: 260.4)\n", p, $1, $2 / 1e6, $2 / $1 }'
done
qx_finish
