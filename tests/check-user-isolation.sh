#!/usr/bin/env bash
# Shows that the tests cannot see the machine's user: runs ctest over a made-up
# reader's home whose known list marks every word the tests and their texts use and
# whose settings choose the last step without the name rule, then checks that every
# test still passes and that nothing in that home changed.
# Usage: tests/check-user-isolation.sh BUILD_DIR [CTEST_ARGUMENTS...]
#   e.g. tests/check-user-isolation.sh build -R 'derive_data|view_tests' -j2
set -euo pipefail
build=$(realpath "$1")
shift
source_dir=$(realpath "$(dirname "$0")/..")

reader=$(mktemp -d)
trap 'rm -rf "$reader"' EXIT
mkdir -p "$reader/.config/Vellumwise" "$reader/.local/share/vellumwise" "$reader/.cache"
# Every run of letters in the fixtures, the test sources and the sample books.
{
  find "$source_dir/tests" -type f \( -name '*.txt' -o -name '*.cpp' -o -name '*.h' \
    -o -name '*.py' -o -name '*.tsv' -o -name '*.csv' \) -print0
  find "$source_dir/bench/data" -type f -name '*.txt' -print0
} | xargs -0 cat | LC_ALL=C grep -ao '[A-Za-z]\{2,\}' | LC_ALL=C tr 'A-Z' 'a-z' | LC_ALL=C sort -u \
  > "$reader/.local/share/vellumwise/known-words.txt"
cat > "$reader/.config/Vellumwise/Vellumwise.conf" <<'CONF'
[Reading]
VocabularyStep=11
SkipNames=false
MedicalGlossary=true
ScienceGlossary=true
GlossPercent=100
CONF
reader_env=(HOME="$reader" XDG_CONFIG_HOME="$reader/.config" XDG_DATA_HOME="$reader/.local/share"
  XDG_CACHE_HOME="$reader/.cache")
snapshot() { (cd "$reader" && find . -print0 | LC_ALL=C sort -z | xargs -0 ls -ld --time-style=+%s.%N) |
  awk '{ $2 = ""; print }'; }
before=$(snapshot)
echo "the reader's known list holds $(wc -l < "$reader/.local/share/vellumwise/known-words.txt") words"

# The marks bite: the tool run over that home without the tests' folders glosses nothing.
tool="$build/bin/vellumwise-tool"
if [ -x "$tool" ]; then
  glossed=$(env "${reader_env[@]}" "$tool" gloss --level 11 --format tsv \
    "$source_dir/tests/fixtures/agreement.txt" | awk -F'\t' '$4 != ""' | wc -l)
  [ "$glossed" -eq 0 ] || { echo "FAIL: the reader's known list does not reach the tool"; exit 1; }
  echo "outside the tests' folders the tool glosses $glossed tokens of agreement.txt"
fi

status=0
env "${reader_env[@]}" ctest --test-dir "$build" --output-on-failure "$@" || status=$?
after=$(snapshot)
if [ "$before" != "$after" ]; then
  echo "FAIL: the tests changed the reader's home:"
  diff <(echo "$before") <(echo "$after") || true
  exit 1
fi
[ "$status" -eq 0 ] || { echo "FAIL: ctest failed over the reader's home"; exit "$status"; }
echo "every test passed over the reader's home, which is unchanged"
