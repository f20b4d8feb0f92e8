#!/bin/sh
# Tries vellumwise-tool's handling of the reader's own files the way a hostile local
# user, a careless script and a second writer would, and says of each try whether the
# program held. Usage: tools/try-reader-files.sh BIN_DIR (the folder of vellumwise-tool).
# Exits 1 when any try found a fault. Works in a temporary folder only.
set -u
bin=${1:?usage: $0 BIN_DIR}
tool="$bin/vellumwise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
say() { # NAME held|fault
    printf '%-58s %s\n' "$1" "$2"
    [ "$2" = held ] || faults=$((faults + 1))
}

# A dictionary of 100 made-up words: waa, wab, ...
: >"$work/words.tsv"
for a in a b c d; do
    for b in a b c d e f g h i j k l m n o p q r s t u v w x y; do
        printf 'w%s%s\t词\t1\n' "$a" "$b" >>"$work/words.tsv"
    done
done
"$tool" tsv2dic "$work/words.tsv" "$work/words.dic" || exit 2
import() { # DATA_HOME FILE
    XDG_DATA_HOME="$1" "$tool" known import --dic "$work/words.dic" --supplement none "$2"
}

# 1. A link planted at the known list, pointing at the victim's private file.
data="$work/link"
mkdir -p "$data/vellumwise" && printf 'waa\npassword: hunter2\n' >"$work/secret"
ln -s "$work/secret" "$data/vellumwise/known-words.txt"
printf 'wab\n' >"$work/one.txt"
import "$data" "$work/one.txt" >/dev/null 2>&1
if [ -L "$data/vellumwise/known-words.txt" ] && [ "$(cat "$work/secret")" = "$(printf 'waa\npassword: hunter2')" ] &&
    ! grep -rqs hunter2 --exclude-dir=. "$data/vellumwise/" 2>/dev/null; then
    say "link at known-words.txt neither read nor written" held
else
    say "link at known-words.txt neither read nor written" fault
fi

# 2. A shared folder others may write.
data="$work/shared"
mkdir -p "$data/vellumwise" && chmod 0777 "$data/vellumwise"
import "$data" "$work/one.txt" >/dev/null 2>&1
status=$?
if [ $status -ne 0 ] && [ ! -e "$data/vellumwise/known-words.txt" ]; then
    say "folder others may write refused" held
else
    say "folder others may write refused" fault
fi

# 3. Two import loops at once, 50 words each.
data="$work/two"
cut -f1 "$work/words.tsv" | while read -r word; do printf '%s\n' "$word" >"$work/$word.txt"; done
loop() { # odd|even
    n=0
    cut -f1 "$work/words.tsv" | while read -r word; do
        n=$((n + 1))
        [ $((n % 2)) -eq "$1" ] && import "$data" "$work/$word.txt" >/dev/null 2>&1
    done
}
loop 0 & first=$!
loop 1 & second=$!
wait $first $second
kept=$(wc -l <"$data/vellumwise/known-words.txt" 2>/dev/null || echo 0)
if [ "$kept" -eq 100 ]; then
    say "two import loops keep 100 of 100 words" held
else
    say "two import loops keep $kept of 100 words" fault
fi

# 4. A list that cannot be read (over 2 GiB, sparse): not written, and the tool fails.
data="$work/unreadable"
mkdir -p "$data/vellumwise" && truncate -s 3G "$data/vellumwise/known-words.txt"
import "$data" "$work/one.txt" >/dev/null 2>&1
status=$?
if [ $status -ne 0 ] && [ "$(stat -c %s "$data/vellumwise/known-words.txt")" -eq 3221225472 ]; then
    say "unreadable list not written, exit $status" held
else
    say "unreadable list not written, exit $status" fault
fi

# 5. An export to /dev/stdout appended to a log.
data="$work/export"
printf 'earlier lines\n' >"$work/log"
XDG_DATA_HOME="$data" "$tool" wordbook export --csv /dev/stdout >>"$work/log" 2>/dev/null
if [ "$(head -1 "$work/log")" = "earlier lines" ]; then
    say "export to /dev/stdout >> log keeps the log" held
else
    say "export to /dev/stdout >> log keeps the log" fault
fi

# 6. A CSV cell that a spreadsheet would run as a formula.
mkdir -p "$data/vellumwise" && chmod 0700 "$data/vellumwise"
printf 'waa\t=1+1\t@SUM(A1)\t-2\t2026-01-01\n' >"$data/vellumwise/wordbook.tsv"
XDG_DATA_HOME="$data" "$tool" wordbook export --csv "$work/out.csv" >/dev/null 2>&1
if grep -q "^waa,=1" "$work/out.csv"; then
    say "CSV cells beginning = + - @ are escaped" fault
else
    say "CSV cells beginning = + - @ are escaped" held
fi

# 7. tsv2dic writing its output over its input.
cp "$work/words.tsv" "$work/same.tsv"
"$tool" tsv2dic "$work/same.tsv" "$work/same.tsv" >/dev/null 2>&1
if cmp -s "$work/words.tsv" "$work/same.tsv"; then
    say "tsv2dic x.tsv x.tsv keeps its source" held
else
    say "tsv2dic x.tsv x.tsv keeps its source" fault
fi

[ $faults -eq 0 ]
