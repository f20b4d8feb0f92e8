#!/usr/bin/env bash
# Checks a Vellumwise installation below PREFIX (a `cmake --install` prefix or an
# unpacked package's usr/): every file the desktop and the program need is there,
# the desktop entries and the AppStream description validate, and the installed
# program starts with a text and finds its dictionary.
# Usage: tools/check-install-tree.sh PREFIX TEXT_FILE
set -euo pipefail
prefix=$1
text=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { [ -e "$prefix/$1" ] || fail "missing $1"; }

program=$(readlink -f "$prefix/bin/vellumwise" || true)
if [ ! -x "$program" ]; then
  fail "bin/vellumwise does not lead to an executable"
else
  programdir=$(dirname "$program")
  for beside in main.dic supplement.dic tagger.dat senses.dat phrases.dat subject.dat dictionary.sqlite help.htm; do
    [ -f "$programdir/$beside" ] || fail "$beside is not beside $program"
  done
fi

for file in share/applications/vellumwise.desktop share/applications/vellumwise-text.desktop \
    share/icons/hicolor/scalable/apps/vellumwise.svg share/mime/packages/vellumwise.xml \
    share/metainfo/org.example.vellumwise.metainfo.xml share/doc/vellumwise/copyright; do
  need "$file"
done
# The copyright file carries both licences: the program's and the word data's.
for holder in "the Vellumwise developers" "Copyright (c) 2022 Yan"; do
  grep -qF "$holder" "$prefix/share/doc/vellumwise/copyright" 2>/dev/null ||
    fail "the copyright file does not name $holder"
done

# Each PNG must really be the size its folder promises, or themes scale it again.
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vellumwise.png"
  if [ ! -f "$png" ]; then
    fail "missing the ${size}x${size} icon"
    continue
  fi
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

for entry in "$prefix"/share/applications/vellumwise*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
done
grep -qx 'Exec=vellumwise %f' "$prefix/share/applications/vellumwise.desktop" ||
  fail "the document entry does not open the file as a document"
grep -qx 'Exec=vellumwise --text %f' "$prefix/share/applications/vellumwise-text.desktop" ||
  fail "the text entry does not open the file with --text"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.vellumwise.metainfo.xml" ||
  fail "appstreamcli validate"

# Without a dictionary the program says so and ends at once; still running after a
# few seconds, silent, means it found main.dic and opened the text.
if [ -n "${program:-}" ] && [ -x "$program" ]; then
  status=0
  # The program runs over a home of its own: it neither reads the user's settings and
  # word lists nor writes its places and registration into them.
  own_home=$(mktemp -d)
  mkdir -m 700 "$own_home/runtime"
  output=$(HOME="$own_home" XDG_CONFIG_HOME="$own_home/config" XDG_DATA_HOME="$own_home/data" \
    XDG_CACHE_HOME="$own_home/cache" XDG_RUNTIME_DIR="$own_home/runtime" \
    QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 \
    timeout 4 "$prefix/bin/vellumwise" --text "$text" 2>&1) || status=$?
  rm -rf "$own_home"
  if [ "$status" -ne 124 ]; then
    fail "the installed program ended by itself (status $status): $output"
  elif LC_ALL=C grep -q '[^[:print:][:space:]]' <<< "$output"; then
    # The program's own messages are Chinese; Qt's warnings are plain ASCII.
    fail "the installed program showed a message: $output"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $prefix"
  exit 1
fi
echo "installation below $prefix is complete"
