#!/usr/bin/env bash
# clang-tidy with the repository's .clang-tidy over every source file of src/, compiled as the
# given build compiles them (its compile_commands.json). Prints each finding once and exits 1 on
# any, 2 when it cannot run or takes longer than BW_TIDY_MINUTES (default 20).
#
#   scripts/tidy.sh [BUILD_DIR]     BUILD_DIR defaults to build/ci; BW_TIDY_JOBS (default 2)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: $build/compile_commands.json is missing: configure that build first (cmake --preset ci)" >&2
  exit 2
fi
tidy=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
if [ -z "$tidy" ]; then
  echo "tidy: run-clang-tidy is not installed (scripts/install-deps.sh installs clang-tidy)" >&2
  exit 2
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Only src/: the build's generated files (moc, resources) are Qt's, not ours.
timeout "${BW_TIDY_MINUTES:-20}m" "$tidy" -quiet -j "${BW_TIDY_JOBS:-2}" -p "$build" "^$PWD/src/" >"$log" 2>&1
status=$?
if [ $status -eq 124 ]; then
  echo "tidy: stopped after ${BW_TIDY_MINUTES:-20} minutes" >&2
  exit 2
fi
# A header's finding comes once per file that includes it.
# A header's finding comes once per file that includes it; the colours go.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*:[0-9]+:[0-9]+: (warning|error):' | sort -u)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "$(wc -l <<<"$findings") clang-tidy finding(s)"
  exit 1
fi
if [ $status -ne 0 ]; then
  cat "$log" >&2
  echo "tidy: clang-tidy failed (exit $status)" >&2
  exit 2
fi
echo "clang-tidy: no findings in src/"
