#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs the whole test suite twice:
# once as built normally (then clang-tidy over the changed files of src/), once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then runs each libFuzzer target for a few
# seconds (BW_FUZZ_SECONDS, default 10; scripts/fuzz.sh runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export MTOOLS_SKIP_CHECK=1

echo "== format"
scripts/check-format.sh

echo "== normal build"
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

echo "== clang-tidy"
scripts/tidy.sh build/ci

echo "== sanitizer build"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

echo "== fuzzing (${BW_FUZZ_SECONDS:-10} s per target)"
scripts/fuzz.sh "${BW_FUZZ_SECONDS:-10}"
