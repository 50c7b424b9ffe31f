#!/usr/bin/env bash
# Installs the Debian packages that building and testing QXdrv need, only
# when one of them is missing.
set -euo pipefail

packages=(cmake g++ clang-14 libclang-rt-14-dev libgtest-dev libbenchmark-dev
          g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 xvfb x11-xserver-utils
          xdotool socat imagemagick fonts-ipafont-gothic libx11-dev fp-utils nsis python3 xserver-xephyr)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
