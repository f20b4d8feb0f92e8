#!/usr/bin/env bash
# Fails when a C++ file in the working tree differs from what clang-format makes of it
# (the rules are in .clang-format); names each such file. `tools/check-format.sh --fix`
# formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# New files not yet added count too, so that a commit never brings in an unformatted one.
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
drifting=()
for file in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    drifting+=("$file")
  fi
done
if ((${#drifting[@]})); then
  printf 'not formatted (run tools/check-format.sh --fix):\n'
  printf '  %s\n' "${drifting[@]}"
  exit 1
fi
