#!/usr/bin/env bash
# clang-tidy with the repository's .clang-tidy over the source files of src/ that this branch
# changed (or all of them), compiled as the given build compiles them (its compile_commands.json).
# Prints each finding once and exits 1 on any, 2 when it cannot run or takes longer than
# BW_TIDY_MINUTES (default 20).
#
#   scripts/tidy.sh [--all] [BUILD_DIR]     BUILD_DIR defaults to build/ci; BW_TIDY_JOBS (default 2)
#
# A file costs clang-tidy half a minute of one core, all of src/ a quarter of an hour on two; so
# without --all it reads the files changed since the branch left BW_TIDY_BASE (default origin/main,
# else main), or those of the last commit on that branch itself. A changed header brings its .cpp.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
all=0
if [ "${1:-}" = --all ]; then
  all=1
  shift
fi
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

# The files, as a pattern on the paths of the compile commands. Only src/: the build's generated
# files (moc, resources) are Qt's, not ours.
pattern="^$PWD/src/"
if [ $all -eq 0 ]; then
  base=""
  for ref in ${BW_TIDY_BASE:-origin/main main}; do
    base=$(git merge-base HEAD "$ref" 2>/dev/null) && break
  done
  [ "$base" = "$(git rev-parse HEAD 2>/dev/null)" ] && base=$(git rev-parse HEAD~1 2>/dev/null || true)
  if [ -n "$base" ]; then
    mapfile -t sources < <(git diff --name-only "$base" -- 'src/*.cpp' 'src/*.h' |
                             sed 's/\.h$/.cpp/' | sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done)
    if [ ${#sources[@]} -eq 0 ]; then
      echo "clang-tidy: no source file of src/ changed since ${base:0:12}"
      exit 0
    fi
    echo "clang-tidy: ${#sources[@]} file(s) changed since ${base:0:12}"
    pattern="^$PWD/($(printf '%s|' "${sources[@]}" | sed 's/[.]/[.]/g; s/|$//'))\$"
  fi
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
timeout "${BW_TIDY_MINUTES:-20}m" "$tidy" -quiet -j "${BW_TIDY_JOBS:-2}" -p "$build" "$pattern" >"$log" 2>&1
status=$?
if [ $status -eq 124 ]; then
  echo "tidy: stopped after ${BW_TIDY_MINUTES:-20} minutes" >&2
  exit 2
fi
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
echo "clang-tidy: no findings"
