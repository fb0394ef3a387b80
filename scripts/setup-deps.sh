#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tarvex. Safe to run again:
# it asks apt only when a package is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-multimedia-dev
  libpugixml-dev
  qtkeychain-qt6-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth
  desktop-file-utils appstream dpkg-dev
  python3
  clang-format g++-mingw-w64-x86-64-posix
)
# The fuzz targets of fuzz/run.sh: clang with its libFuzzer and sanitizer runtimes.
[[ " ${TARVEX_STAGES:-fuzz} " == *" fuzz "* ]] && packages+=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
