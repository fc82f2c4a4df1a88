#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (fuzzer + address + undefined, the
# code under test instrumented too) in build-fuzz/ and runs each one for
# SECONDS (default 20) on a copy of its seed corpus from fuzz/corpus/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Prints per target: executions, coverage (edges), corpus size, findings.
# A finding leaves its input in build-fuzz/findings/TARGET/ and makes the
# script exit with 1.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
bash scripts/deps.sh >/dev/null

all=(fuzz_settings_file fuzz_ini_file fuzz_host_frames fuzz_sim_frames fuzz_cli_values
     fuzz_preview fuzz_journals_osc fuzz_side_files fuzz_setting_refusals)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRIPCONF_FUZZ=ON -DTRIPCONF_GUI=OFF -DTRIPCONF_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

printf '%-20s %12s %9s %9s %9s %s\n' target executions exec/s coverage corpus findings
failed=0
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  findings=build-fuzz/findings/$t
  rm -rf "$work" "$findings"
  mkdir -p "$work" "$findings"
  [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$work/"
  log=build-fuzz/$t.log
  set +e
  # The corpus also grows the inputs: allow some room above the largest seed.
  (cd "$findings" && ASAN_OPTIONS=detect_leaks=0 "../../fuzz/$t" -max_total_time="$seconds" \
    -print_final_stats=1 -max_len=40000 -timeout=10 -rss_limit_mb=2048 "../../corpus/$t") \
    >"$log" 2>&1
  rc=$?
  set -e
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -1)
  speed=$(( ${execs:-0} / seconds ))
  cov=$(grep -o 'cov: [0-9]*' "$log" | awk '{print $2}' | tail -1)
  corp=$(grep -o 'corp: [0-9]*' "$log" | awk '{print $2}' | tail -1)
  found=$(find "$findings" -type f | wc -l)
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    what="$found ($(grep -m1 -E 'ERROR|runtime error|SUMMARY' "$log" || echo "exit $rc"))"
  else
    what=0
  fi
  printf '%-20s %12s %9s %9s %9s %s\n' "$t" "${execs:-?}" "${speed:-?}" "${cov:-?}" "${corp:-?}" "$what"
done
exit $failed
