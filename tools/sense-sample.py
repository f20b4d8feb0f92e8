#!/usr/bin/env python3
"""Draws occurrences of ambiguous words for judging the sense context chooses, by hand.

Usage: tools/sense-sample.py [--tool build/bin/vellumwise-tool] [--corpus DIR] [--level 3]
                             [--count 200] [--seed 24] [--phrases]

An occurrence is a glossed token (at the step) of a word whose entry has senses of two parts
of speech or more in data/senses.tsv: the words the choice by context can change. Half the
sample comes from the visible texts (War and Peace, Alice), half from the hold-out (Sherlock
Holmes), drawn with a fixed seed. Each row shows the text, the words around the token, the
token, and its gloss with the choice off (before) and on (after), so that a reader can judge
whether each first sense fits.

With --phrases the sample is of phrase glosses instead: tokens whose gloss a phrase gave (the
tool's --why says "phrase"), with the words around, for judging whether the words are that
phrase and the gloss fits.
"""

import argparse
import collections
import os
import random
import subprocess

VISIBLE = ("war-and-peace.txt", "alice.txt")
HOLD_OUT = ("sherlock-holmes.txt",)


def glosses(tool, path, level, context, why=False):
    command = [tool, "gloss", "--level", str(level), "--no-personal", path] + (["--why"] if why else [])
    if not context:
        command.insert(2, "--no-context")
    out = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.decode("utf-8")
    return [line.split("\t") for line in out.split("\n") if line]


def ambiguous_words(data):
    classes = collections.defaultdict(set)
    with open(os.path.join(data, "senses.tsv"), encoding="utf-8") as tsv:
        for line in tsv:
            if not line.startswith("#"):
                word, kind, _ = line.rstrip("\n").split("\t")
                classes[word].add(kind)
    return {w for w, k in classes.items() if len(k) >= 2}


def occurrences(tool, corpus, names, level, ambiguous):
    found = []
    for name in names:
        path = os.path.join(corpus, name)
        before = glosses(tool, path, level, False)
        after = glosses(tool, path, level, True)
        for k, (b, a) in enumerate(zip(before, after)):
            word = b[2].lower()
            if b[3] and word in ambiguous:
                left = " ".join(r[2] for r in before[max(0, k - 12):k] if r[2].strip())
                right = " ".join(r[2] for r in before[k + 1:k + 9] if r[2].strip())
                found.append((name, f"{left} [{b[2]}] {right}", b[2], b[3], a[3]))
    return found


def phrase_occurrences(tool, corpus, names, level):
    found = []
    for name in names:
        rows = glosses(tool, os.path.join(corpus, name), level, True, why=True)
        for k, row in enumerate(rows):
            if len(row) > 4 and row[4] == "phrase":
                left = " ".join(r[2] for r in rows[max(0, k - 8):k] if r[2].strip())
                right = " ".join(r[2] for r in rows[k + 1:k + 8] if r[2].strip())
                found.append((name, f"{left} [{row[2]}] {right}", row[2], row[3]))
    return found


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", default=os.path.join(root, "build", "bin", "vellumwise-tool"))
    parser.add_argument("--corpus", default="/work/shared/corpus")
    parser.add_argument("--level", type=int, default=3)
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--seed", type=int, default=24)
    parser.add_argument("--phrases", action="store_true", help="sample phrase glosses")
    args = parser.parse_args()
    if args.phrases:
        rng = random.Random(args.seed)
        print(f"# seed {args.seed}, step {args.level}, phrases: text, context, word, gloss")
        number = 0
        for names in (VISIBLE, HOLD_OUT):
            pool = phrase_occurrences(args.tool, args.corpus, names, args.level)
            print(f"# {len(pool)} phrase glosses in {', '.join(names)}")
            for row in rng.sample(pool, min(args.count // 2, len(pool))):
                number += 1
                print("\t".join([str(number)] + [str(f) for f in row]))
        return

    ambiguous = ambiguous_words(os.path.join(root, "data"))
    rng = random.Random(args.seed)
    print(f"# seed {args.seed}, step {args.level}: text, context, word, before, after")
    number = 0
    for names in (VISIBLE, HOLD_OUT):
        pool = occurrences(args.tool, args.corpus, names, args.level, ambiguous)
        for row in rng.sample(pool, min(args.count // 2, len(pool))):
            number += 1
            print("\t".join([str(number)] + [str(f) for f in row]))


if __name__ == "__main__":
    main()
