#!/usr/bin/env python3
"""Prints the glosses a reader sees that differ between two data folders, on the sample books.

Usage: tools/gloss-changes.py BEFORE_DATA_DIR AFTER_DATA_DIR [--step N] [--seed N] [--count N]
For judging a data change by hand: per book, the tokens and types whose gloss changed, then a
fixed-seed random sample of the changed (book, word) pairs with the gloss before and after.
"""

import argparse
import collections
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from derive_data import names  # noqa: E402
from derive_data.lookup import THRESHOLDS, Dictionary, Item, word_tokens  # noqa: E402

BOOKS = ("war-and-peace.txt", "alice.txt", "sherlock-holmes.txt")


def rows(path):
    with open(path, encoding="utf-8") as text:
        return [l.rstrip("\n").split("\t") for l in text if not l.startswith("#")]


def load(folder):
    items = [Item(w, g, float(s)) for name in ("dictionary.tsv", "supplement.tsv")
             for w, g, s in rows(os.path.join(folder, name))]
    verbs = [tuple(r) for r in rows(os.path.join(folder, "irregular-verbs.tsv"))]
    return Dictionary(items, verbs)


def shown(dic, word, threshold, uses):
    use = uses.get(word, (0, 0, 0))
    if names.is_no_word_to_gloss(word, use):
        return ""
    return dic.translate_all(word, threshold, may_reduce=use[0] >= use[1])


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--corpus", default=os.path.join(root, "..", "shared", "corpus"))
    parser.add_argument("--step", type=int, default=3)
    parser.add_argument("--seed", type=int, default=25)
    parser.add_argument("--count", type=int, default=40)
    args = parser.parse_args()
    old, new = load(args.before), load(args.after)
    threshold = THRESHOLDS[args.step - 1]
    changes = []
    for book in BOOKS:
        path = os.path.join(args.corpus, book)
        if not os.path.exists(path):
            continue
        data = open(path, "rb").read()
        uses = names.word_uses(data)
        types = collections.Counter(word_tokens(data))
        found = [(book, w, n, shown(old, w, threshold, uses), shown(new, w, threshold, uses))
                 for w, n in sorted(types.items())]
        found = [c for c in found if c[3] != c[4]]
        print(f"{book}: {sum(c[2] for c in found)} tokens of {len(found)} types changed at step "
              f"{args.step}")
        changes += found
    sample = random.Random(args.seed).sample(changes, min(args.count, len(changes)))
    for book, word, n, before, after in sample:
        print(f"{book.split('.')[0]}\t{word}\t{n}\t{before or '-'}\t{after or '-'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
