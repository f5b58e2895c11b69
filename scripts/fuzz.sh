#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (preset fuzz, build/fuzz; the g++ builds are not
# touched) and runs each for SECONDS (default 10), starting from its seed corpus in fuzz/corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# New inputs go to build/fuzz/corpus/TARGET, an input that breaks a rule to build/fuzz/findings/.
# Exits 1 at the first finding, naming it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_profile fuzz_wattcp fuzz_nic_catalogue fuzz_address fuzz_host_list fuzz_fat_editor)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

mkdir -p build/fuzz/findings
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  log=build/fuzz/$t.log
  mkdir -p "$work"
  if ! "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$t-" "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
    echo "$t: FINDING (log: $log)"
    grep -E 'broken:|ERROR|SUMMARY|Test unit written' "$log" | head -20
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1)
  echo "$t: $runs inputs in ${seconds}s ($speed/s), $cov, no finding"
done
