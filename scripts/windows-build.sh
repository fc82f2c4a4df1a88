#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core, tripconf-cli.exe (one static file) and the core's unit tests
# for 64-bit Windows with MinGW-w64, runs the tests under Wine, runs tripconf-cli.exe
# under Wine against a Linux tripsim through Wine's COM port, and packs
# tripconf-cli.exe with its README into a zip. The Qt GUI is not built here.
#
#   scripts/windows-build.sh            everything
#   scripts/windows-build.sh --no-e2e   without the COM-port test (CI)
#   scripts/windows-build.sh --no-wine  the cross build and the zip only
#
# Environment: WIN_BUILD (default build-win), HOST_BUILD (default build: the
# Linux build that provides tripsim and the reference tripconf-cli), JOBS.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

run_wine=1 run_e2e=1
for arg in "$@"; do
  case "$arg" in
    --no-e2e) run_e2e=0 ;;
    --no-wine) run_wine=0 run_e2e=0 ;;
    -h | --help)
      sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "windows-build: unknown option '$arg' (try --help)" >&2
      exit 2
      ;;
  esac
done

win=${WIN_BUILD:-build-win}
host=${HOST_BUILD:-build}
jobs=${JOBS:-$(nproc)}
start=$(date +%s)
step() { echo "windows-build: $1 ($(($(date +%s) - start)) s)"; }

bash scripts/deps.sh

# The host's header-only CLI11, copied apart: pointing the cross compiler at
# /usr/include would put the host's C library headers before MinGW's.
mkdir -p "$win/host-include"
win=$(cd "$win" && pwd)  # absolute from here on
rm -rf "$win/host-include/CLI"
cp -r /usr/include/CLI "$win/host-include/CLI"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# -O1: a program that waits on a 19200 bit/s line gains nothing from more, and
# the build runs on the same loaded CI machine as everything else. zlib is
# looked up afresh so an old cache cannot keep its DLL import library.
cmake -S . -B "$win" -G Ninja -U 'ZLIB_LIBRARY*' \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
  -DTRIPCONF_GUI=OFF -DTRIPCONF_BENCH=OFF \
  -DTRIPCONF_GTEST_SOURCE=/usr/src/googletest \
  -DTRIPCONF_CLI11_INCLUDE="$win/host-include" \
  "${launcher[@]}" >/dev/null
nice cmake --build "$win" -j "$jobs" --target tripconf-cli unit_tests
step "cross build done"

# One file: nothing but Windows' own DLLs may be imported.
imports=$(x86_64-w64-mingw32-objdump -p "$win/tripconf-cli.exe" | sed -n 's/.*DLL Name: //p' | sort -u)
for dll in $imports; do
  case "${dll,,}" in
    kernel32.dll | advapi32.dll | msvcrt.dll | user32.dll | ucrtbase.dll | api-ms-win-*) ;;
    *)
      echo "windows-build: tripconf-cli.exe needs $dll; it must be linked in" >&2
      exit 1
      ;;
  esac
done

# The zip users download: the program and the README.
dist="$win/dist"
rm -rf "$dist"
mkdir -p "$dist/tripconf-cli"
cp "$win/tripconf-cli.exe" "$dist/tripconf-cli/"
cp README.md "$dist/tripconf-cli/README.md"
version=$(sed -n 's/^project(tripconf VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zipfile="$win/tripconf-cli-$version-windows-x64.zip"
rm -f "$zipfile"
(cd "$dist" && zip -qr "$zipfile" tripconf-cli)
step "packed $zipfile"

[ "$run_wine" = 1 ] || exit 0

wine=$(command -v wine64 || command -v wine || ls /usr/lib/wine/wine64 2>/dev/null || true)
if [ -z "$wine" ]; then
  echo "windows-build: Wine is not installed (scripts/deps.sh installs wine64)" >&2
  exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tripconf-wine.XXXXXX")
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  WINEPREFIX="$work/prefix" "${wine%/*}/wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot --init >/dev/null 2>&1 || true
step "Wine prefix ready"

# The unit tests, with the build folder (Wine's Z: drive) as the current one.
(cd "$win" && "$wine" ./tests/unit_tests.exe --gtest_brief=1 2>&1 | tr -d '\r') | tee "$work/unit.log" |
  tail -n 5
grep -q "^\[  PASSED  \]" "$work/unit.log" && ! grep -q "^\[  FAILED  \]" "$work/unit.log" || {
  echo "windows-build: unit tests failed under Wine" >&2
  grep "^\[  FAILED  \]" "$work/unit.log" >&2 || true
  exit 1
}
step "unit tests passed under Wine"

[ "$run_e2e" = 1 ] || exit 0

# tripconf-cli.exe against tripsim: Wine's COM5 is the simulator's pty.
nice cmake --build "$host" -j "$jobs" --target tripsim tripconf-cli >/dev/null
cli="$host/tripconf-cli"
"$cli" sample v104-8k --out "$work/sample.dvkps" >/dev/null
"$host/tripsim" --sample v104-8k --link "$work/tty" --dump "$work/memory.bin" --latency 0 \
  >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 200); do [ -L "$work/tty" ] && break; sleep 0.05; done
pty=$(readlink "$work/tty")
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
wpath() { echo "Z:${1//\//\\}"; }
# The write's backup goes into the test folder, not the user's home.
export XDG_DATA_HOME
XDG_DATA_HOME=$(wpath "$work/data")

"$wine" "$win/tripconf-cli.exe" read --port COM5 --wait 30 --lang en \
  --out "$(wpath "$work/read.dvkps")" 2>&1 | tr -d '\r' | tail -n 2
cmp "$work/sample.dvkps" "$work/read.dvkps" || {
  echo "windows-build: the settings read under Wine differ from the sample" >&2
  exit 1
}
step "read under Wine: byte for byte the v104-8k sample"

# Write a changed copy back, let the device read it back, and compare its memory.
"$cli" set "$work/read.dvkps" seVelocityLimit=123 --out "$work/changed.dvkps" >/dev/null
"$wine" "$win/tripconf-cli.exe" write --port COM5 --wait 30 --lang en --verify \
  "$(wpath "$work/changed.dvkps")" 2>&1 | tr -d '\r' | tail -n 2
"$wine" "$win/tripconf-cli.exe" read --port COM5 --wait 30 --lang en \
  --out "$(wpath "$work/after.dvkps")" >/dev/null 2>&1
cmp "$work/changed.dvkps" "$work/after.dvkps" || {
  echo "windows-build: the device does not hold what was written under Wine" >&2
  exit 1
}
step "write under Wine: the device holds the changed settings"
