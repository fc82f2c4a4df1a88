#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, testing and running tripconf needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
PKGS=(
  cmake ninja-build g++ pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6
  qt6-qpa-plugins libgl-dev
  xvfb xauth imagemagick fonts-dejavu-core
  python3 libpng-dev libcli11-dev help2man qt6-translations-l10n
  clang libclang-rt-14-dev  # libFuzzer and the sanitizer runtimes (scripts/fuzz.sh)
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev wine64 zip  # scripts/windows-build.sh
  lintian  # Debian's package checker (scripts/deb-check.sh)
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
