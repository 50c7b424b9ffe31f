#!/usr/bin/env bash
# Builds both flavours: QXdrv.exe and its Win32 test tools (MinGW-w64, in
# build/win) and the portable core with its tests and native tools (clang,
# sanitizers, in build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=${QXDRV_JOBS:-2}
cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER=clang++-14 -DQXDRV_WIN_BUILD_DIR="$root/build/win" >/dev/null
cmake --build "$root/build/native" -j"$jobs"
