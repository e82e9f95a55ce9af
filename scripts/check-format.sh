#!/usr/bin/env bash
# Fails, listing the files, when a C++ file of the tree differs from what .clang-format makes of
# it. With --fix, formats them instead.
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$REPO_ROOT"
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
drift=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || drift+=("$f")
done
if [ ${#drift[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${drift[@]}"
  echo "format: ${#drift[@]} of ${#files[@]} files drift (scripts/check-format.sh --fix)"
  exit 1
fi
echo "format: ${#files[@]} files formatted"
