#!/usr/bin/env bash
# Makes an EPUB of a plain-text novel with pandoc, for the EPUB benchmark:
#   tools/make-bench-epub.sh IN.txt OUT.epub
# A short stand-alone line in capitals at the left margin becomes a heading (level 1
# when it names a BOOK, PART, VOLUME or EPILOGUE, else level 2), so the book gets a
# table of contents; other lines lose their indentation so that nothing is read as
# a code block. Blank lines separate paragraphs, as in the text.
set -euo pipefail
in=$1
out=$2
title=$(basename "$in" .txt)
markdown=$(mktemp --suffix=.md)
trap 'rm -f "$markdown"' EXIT

awk '
  function flush_pending() {
    if (pending == "") return
    if (blank_before && length(pending) < 50 && pending ~ /^[A-Z]/ && pending !~ /[a-z]/) {
      level = (pending ~ /^(BOOK|PART|VOLUME)|EPILOGUE/) ? "#" : "##"
      print ""; print level " " pending; print ""
    } else {
      print pending
    }
    pending = ""
  }
  {
    sub(/\r$/, "")
    if ($0 ~ /^[ \t]*$/) { flush_pending(); print ""; blank_before = 1; next }
    if (pending != "") { print pending; pending = ""; blank_before = 0 }
    if ($0 ~ /^[^ \t]/ && blank_before) { pending = $0; next }
    line = $0; sub(/^[ \t]+/, "", line); print line; blank_before = 0
  }
  END { flush_pending() }
' "$in" > "$markdown"

pandoc -f markdown-smart -t epub3 --epub-chapter-level=1 --metadata title="$title" \
  --metadata lang=en -o "$out" "$markdown"
