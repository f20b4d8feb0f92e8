#!/usr/bin/env python3
"""Content-word accuracy of the part-of-speech tagger on a Universal Dependencies treebank.

Usage: tools/tagger-accuracy.py [--tool build/bin/vellumwise-tool] [--tagger PATH] FILE.conllu

Each sentence's tokens, as the treebank splits them, go to `vellumwise-tool tag --tokens`; a
token whose gold part of speech is NOUN, VERB, ADJ or ADV counts as right when the tagger's
class (Penn tags mapped: NN* NOUN, NNP* PROPN, VB* VERB, JJ* ADJ, RB* and WRB ADV) is the same.
Prints the accuracy by gold class and overall, and the most frequent confusions.
"""

import argparse
import collections
import os
import subprocess
import sys

CONTENT = ("NOUN", "VERB", "ADJ", "ADV")


def sentences(path):
    sentence = []
    with open(path, encoding="utf-8") as conllu:
        for line in conllu:
            line = line.rstrip("\n")
            if not line:
                if sentence:
                    yield sentence
                sentence = []
                continue
            if line.startswith("#"):
                continue
            fields = line.split("\t")
            if "-" in fields[0] or "." in fields[0]:
                continue  # a multi-word token's surface line, or an empty node
            sentence.append((fields[1], fields[3]))
    if sentence:
        yield sentence


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", default=os.path.join(root, "build", "bin", "vellumwise-tool"))
    parser.add_argument("--tagger")
    parser.add_argument("--confusions", type=int, default=15)
    parser.add_argument("conllu")
    args = parser.parse_args()

    gold = list(sentences(args.conllu))
    text = "".join("".join(form.replace("\n", " ") + "\n" for form, _ in s) + "\n" for s in gold)
    command = [args.tool, "tag", "--tokens"] + (["--tagger", args.tagger] if args.tagger else [])
    out = subprocess.run(command, input=text.encode("utf-8"), stdout=subprocess.PIPE, check=True)
    lines = [l.split("\t") for l in out.stdout.decode("utf-8").split("\n") if l]
    flat = [(form, upos) for s in gold for form, upos in s]
    if len(lines) != len(flat):
        sys.exit("tagger-accuracy: %d tokens in, %d out" % (len(flat), len(lines)))
    right, total = collections.Counter(), collections.Counter()
    confusions = collections.Counter()
    for (form, upos), (_, penn, predicted) in zip(flat, lines):
        if upos not in CONTENT:
            continue
        total[upos] += 1
        if predicted == upos:
            right[upos] += 1
        else:
            confusions[(upos, predicted, form.lower())] += 1
    for upos in CONTENT:
        print("%-5s %6d tokens  %.2f%%" % (upos, total[upos], 100.0 * right[upos] / max(total[upos], 1)))
    all_right, all_total = sum(right.values()), sum(total.values())
    print("all   %6d tokens  %.2f%%" % (all_total, 100.0 * all_right / max(all_total, 1)))
    for (upos, predicted, form), count in confusions.most_common(args.confusions):
        print("  %4d  %s -> %s  %s" % (count, upos, predicted, form))


if __name__ == "__main__":
    main()
