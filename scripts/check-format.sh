#!/usr/bin/env bash
# Fails when a C++ file of the project is not as clang-format (config: .clang-format) would write
# it, naming the files. Mend with: clang-format -i $(git ls-files '*.cpp' '*.h')
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
drift=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || drift+=("$f")
done
if [ ${#drift[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (run clang-format -i on them):"
  printf '  %s\n' "${drift[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
