#!/usr/bin/env bash
# The compiler guards the document's state: reads from outside compile, and each
# planted write does not (a write that compiled would change the state without
# telling the views).
#   check.sh COMPILER INCLUDE_DIR...
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
compiler="$1"
shift
includes=()
for dir in "$@"; do includes+=("-I$dir"); done
compile() { "$compiler" -std=c++20 -fsyntax-only "${includes[@]}" "$@" 2>&1; }

if ! output=$(compile "$here/reads.cpp"); then
    printf 'reading the document state does not compile:\n%s\n' "$output" >&2
    exit 1
fi
failed=0
for n in 1 2 3 4 5 6 7 8 9 10; do
    if output=$(compile -DWRITE_$n=1 "$here/writes.cpp"); then
        echo "write $n compiled: the document's state can be written from outside" >&2
        failed=1
    elif ! grep -Eq "writes\.cpp:[0-9]+:[0-9]+: error" <<<"$output"; then
        # It failed, but not at the write: the check would prove nothing.
        printf 'write %s failed elsewhere:\n%s\n' "$n" "$output" >&2
        failed=1
    fi
done
exit "$failed"
