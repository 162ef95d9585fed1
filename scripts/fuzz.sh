#!/usr/bin/env bash
# Runs every libFuzzer harness of tests/fuzz for a bounded time.
#
#   scripts/fuzz.sh [seconds] [harness...]     (default 60 s each, all harnesses)
#
# Builds build-fuzz with clang and MOX_FUZZ=ON (installing clang and its
# runtime when missing), then runs each harness under nice, starting from the
# committed corpus in tests/fuzz/corpus/<name> and keeping what it finds in
# build-fuzz/corpus/<name>. A crashing input lands in build-fuzz/crashes/<name>/:
# fix the fault, then copy the input into the committed corpus so the CTest
# replay guards it. Ends with one summary line per harness and fails when any
# harness crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
[ $# -gt 0 ] && shift
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(projectfile cameracsv properties)

source scripts/setup.sh
MOX_PACKAGES+=(clang libclang-rt-14-dev)
mox_install_packages

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMOX_FUZZ=ON -DMOX_BUILD_BENCH=OFF >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
nice -n 10 cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts
# Qt keeps some allocations until exit; those are not the harnesses' leaks.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1

summary=()
failed=0
for h in "${harnesses[@]}"; do
  corpus=build-fuzz/corpus/$h
  crashes=build-fuzz/crashes/$h
  log=build-fuzz/fuzz_$h.log
  mkdir -p "$corpus" "$crashes"
  before=$(find "$crashes" -type f | wc -l)
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=16384
           -print_final_stats=1 -artifact_prefix="$crashes/")
  [ -f "tests/fuzz/$h.dict" ] && options+=(-dict="tests/fuzz/$h.dict")
  echo "== fuzz_$h for $seconds s"
  status=0
  nice -n 10 "build-fuzz/tests/fuzz/fuzz_$h" "${options[@]}" "$corpus" "tests/fuzz/corpus/$h" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  found=$(( $(find "$crashes" -type f | wc -l) - before ))
  if [ "$status" -ne 0 ]; then
    failed=1
    tail -n 40 "$log"
  fi
  summary+=("fuzz_$h: ${seconds} s, ${runs:-?} executions, ${rate:-?} exec/s, exit $status, $found new input(s) in $crashes")
done

printf '%s\n' "${summary[@]}"
exit "$failed"
