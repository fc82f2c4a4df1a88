#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds tripconf and shows the whole workflow without a trip computer:
# tripsim plays the device on a pseudo-terminal, and tripconf's ini makes it
# port COM1. Read it (step 1), look at it, save it, write it back.
#   scripts/demo.sh                   the v104-8k sample at 19200 bit/s
#   DEMO_SAMPLE=v8003-32k scripts/demo.sh
#   DEMO_IMAGE=my.dvkps scripts/demo.sh   a settings file of your own
#   DEMO_BAUD=0 scripts/demo.sh       no line pacing (fast)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tripconf tripsim tripconf-cli

port="$root/build/tripsim.port"
sim_args=(--link "$port" --baud "${DEMO_BAUD:-19200}")
if [ -n "${DEMO_IMAGE:-}" ]; then
  sim_args+=(--image "$DEMO_IMAGE")
else
  sim_args+=(--sample "${DEMO_SAMPLE:-v104-8k}")
fi
./build/tripsim "${sim_args[@]}" >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done
[ -e "$port" ] || { echo "demo: tripsim did not start" >&2; exit 1; }

# tripconf keeps its ini beside the program; point its port 1 at the
# simulator and keep everything else the user set there.
ini="$root/build/tripconf.ini"
touch "$ini"
awk -v port="$port" '
  function flush() { if (inrs && !done) { print "ExtraPorts=" port; print "Port=1"; done = 1 } }
  /^[ \t]*\[/ { flush(); inrs = tolower($0) ~ /^[ \t]*\[rs232\]/; print; next }
  inrs && /^[ \t]*(ExtraPorts|Port)[ \t]*=/ { next }
  { print }
  END { if (!done) { if (!inrs) print "[RS232]"; print "ExtraPorts=" port; print "Port=1" } }
' "$ini" > "$ini.new" && mv "$ini.new" "$ini"

echo "demo: tripsim plays the device on $port (COM1 in the port dialog)"
echo "demo: click \"Считать настройки из МК\" / \"Read settings from the device\""
./build/tripconf
