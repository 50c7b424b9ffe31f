#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UBSan), a short fuzz run, and the system tests that run
# the real QXdrv.exe under Wine with a simulated pen board. The system tests
# spend their time waiting on Wine, not computing, and each has its own
# display, prefix and pty, so four run at once (QXDRV_TEST_JOBS to change).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
ctest --test-dir "$root/build/native" --output-on-failure -j"${QXDRV_TEST_JOBS:-4}" "$@"
