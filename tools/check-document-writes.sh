#!/usr/bin/env bash
# The document's settings, position and text change only through its operations,
# which tell every view once. This check fails when code outside src/document
# writes one of its members directly (`m_doc.m_nScrollPos = …`, `doc->m_bAutoScroll =
# …`, `++m_doc.m_nScrollPos`, `m_doc.m_fontText.lfHeight = …`, or a container call
# such as `m_doc.m_paragraphs.SetText(…)`), or when code other than the layout writes
# a paragraph's layout (`paragraph.m_arrX[j] = …`, `p->m_nTop = …`, or taking the
# text's layout arrays for writing with `LayoutStore()`).
#
#   check-document-writes.sh SOURCE_ROOT          checks SOURCE_ROOT/src, less src/document
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
    paths=()
    for dir in "$root"/src/*/; do
        [[ "$(basename "$dir")" == document ]] || paths+=("$dir")
    done
fi

# A name the document goes by, then a member, then any member, index or call chain.
object='(^|[^A-Za-z0-9_])(m_doc|m_pDoc|pDoc|doc|document|GetDocument\(\)|Document\(\))[[:space:]]*(\.|->)[[:space:]]*m_[A-Za-z0-9_]+'
chain='([[:space:]]*(\.|->)[[:space:]]*[A-Za-z0-9_]+|\[[^];]*\])*'
assign='[[:space:]]*([-+*/%|&^]|<<|>>)?=([^=]|$)'
step='[[:space:]]*(\+\+|--)'
mutator='[[:space:]]*(\.|->)[[:space:]]*(push_back|emplace_back|emplace|insert|erase|clear|resize|assign|swap|SetText|RemoveAll|Annotate|DeleteAllItems|RebuildLookupIndex)[[:space:]]*\('
pattern="${object}${chain}(${assign}|${step}|${mutator})|(\+\+|--)[[:space:]]*${object#'(^|[^A-Za-z0-9_])'}"

# The per-token layout (and each paragraph's top and height) is written by the layout
# alone, in src/view/TextLayout.cpp, wherever the paragraph is reached from.
layout='(\.|->)[[:space:]]*(m_arrX|m_arrWidth|m_arrLine|m_nTop|m_nHeight)'
layoutWrite="${layout}(\[[^];]*\])?(${assign}|${step}|${mutator})|(\+\+|--)[[:space:]]*[A-Za-z0-9_.>-]*${layout}|(\.|->)[[:space:]]*LayoutStore[[:space:]]*\("

if [[ -n "$expect" ]]; then
    hits=$(grep -nE "$pattern|$layoutWrite" "${paths[@]}" || true)
else
    hits=$(
        grep -rnE --include='*.cpp' --include='*.h' "$pattern" "${paths[@]}"
        grep -rnE --include='*.cpp' --include='*.h' "$layoutWrite" "$root/src" |
            grep -v '^[^:]*/src/view/TextLayout\.cpp:'
    ) || true
fi
count=0
[[ -z "$hits" ]] || count=$(printf '%s\n' "$hits" | wc -l)

if [[ -n "$expect" ]]; then
    if [[ "$count" -ne "$expect" ]]; then
        printf 'expected %s direct writes, found %s:\n%s\n' "$expect" "$count" "$hits" >&2
        exit 1
    fi
    exit 0
fi
if [[ "$count" -ne 0 ]]; then
    printf '%s\n' "$hits" >&2
    printf '%s direct write(s) of document members outside src/document: use the document'"'"'s operations (SetColors, ScrollTo, …)\n' "$count" >&2
    exit 1
fi
