#!/usr/bin/env bash
# The paragraphs' layout (each token's x, width and line, each paragraph's top and
# height) is written by the layout alone, in src/view/TextLayout.cpp, which the
# document hands its text to (ITextLayouter). The compiler keeps everything else of
# the document's state from being written outside it; this check covers what the
# compiler cannot see: the layouter holds the text writable, and only TextLayout.cpp
# may write those arrays through it (`paragraph.m_arrX[j] = …`, `p->m_nTop = …`, or
# taking the layout arrays for writing with `LayoutStore()`).
#
#   check-document-writes.sh SOURCE_ROOT          checks SOURCE_ROOT/src
#   check-document-writes.sh --expect N FILE...   checks the files given and succeeds
#                                                 only on exactly N hits (the check's
#                                                 own test)
set -euo pipefail

expect=""
if [[ "${1:-}" == "--expect" ]]; then
    expect="$2"
    shift 2
    paths=("$@")
else
    root="${1:?usage: check-document-writes.sh SOURCE_ROOT}"
fi

assign='[[:space:]]*([-+*/%|&^]|<<|>>)?=([^=]|$)'
step='[[:space:]]*(\+\+|--)'
mutator='[[:space:]]*(\.|->)[[:space:]]*(push_back|emplace_back|emplace|insert|erase|clear|resize|assign|swap)[[:space:]]*\('
layout='(\.|->)[[:space:]]*(m_arrX|m_arrWidth|m_arrLine|m_nTop|m_nHeight)'
layoutWrite="${layout}(\[[^];]*\])?(${assign}|${step}|${mutator})|(\+\+|--)[[:space:]]*[A-Za-z0-9_.>-]*${layout}|(\.|->)[[:space:]]*LayoutStore[[:space:]]*\("

if [[ -n "$expect" ]]; then
    hits=$(grep -nE "$layoutWrite" "${paths[@]}" || true)
else
    hits=$(
        grep -rnE --include='*.cpp' --include='*.h' "$layoutWrite" "$root/src" |
            grep -v '^[^:]*/src/view/TextLayout\.cpp:'
    ) || true
fi
count=0
[[ -z "$hits" ]] || count=$(printf '%s\n' "$hits" | wc -l)

if [[ -n "$expect" ]]; then
    if [[ "$count" -ne "$expect" ]]; then
        printf 'expected %s layout writes, found %s:\n%s\n' "$expect" "$count" "$hits" >&2
        exit 1
    fi
    exit 0
fi
if [[ "$count" -ne 0 ]]; then
    printf '%s\n' "$hits" >&2
    printf '%s write(s) of the layout outside src/view/TextLayout.cpp\n' "$count" >&2
    exit 1
fi
