#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs dependencies, configures, builds and runs every test.
#   scripts/test.sh            normal build in build/
#   SANITIZE=1 scripts/test.sh  address + undefined sanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ "${SANITIZE:-0}" = 1 ]; then
  dir=build-asan; extra=(-DTRIPCONF_SANITIZE=ON -DTRIPCONF_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
else
  dir=build; extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S . -B "$dir" -G Ninja "${extra[@]}"
cmake --build "$dir" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
