"""Each entry's senses by part of speech, for the choice of a gloss by the word's use in a sentence.

ECDICT labels every translation line with its part of speech (n., vt., a., adv.). A token the
tagger reads as a verb is shown its entry's verb line, one read as a noun the noun line, and so
on. The lines are cleaned and joined as the glosses are (gloss.clean_item, gloss.join_items).

Rows are kept for
- the words of main.dic and supplement.dic whose lines cover two parts of speech or more (with
  one, there is nothing to choose);
- the past forms of the verb table that are ECDICT entries of their own: a noun or adjective use
  of "wound" or "left" takes the form's own line (伤口, 左边的), a verb use its base's.
A word whose gloss was reviewed by hand (gloss.OVERRIDES) keeps it whatever its use: the review
chose the senses readers meet, where ECDICT's lines lead with rare ones.
"""

from . import gloss as glosses

# The classes the program tells apart, in the order rows are written.
CLASSES = "nvar"


def class_lines(entry, family=frozenset(), cedict=None, shown=(), related=frozenset(),
                own=frozenset()):
    """{class: [[cleaned items] per line]} of the entry's untagged lines, in ECDICT's order;
    within a line, the first sense of the gloss shown today (`shown`, whose order CC-CEDICT and
    the reviews weighed) leads, then the line's order as the glosses weigh it (gloss.order_line).
    (Promoting all of the gloss shown put its later, general senses first: heap 许多 before 堆.)"""
    family = frozenset(family) | {entry.word.lower()}
    own = frozenset(own) | {entry.word.lower()}
    definition_words = glosses._definition_words(entry)
    result = {}
    for line, (tag, items) in zip(entry.senses(), glosses.parse_senses(entry)):
        kind = glosses._line_pos(line)
        if tag is not None or kind is None:
            continue
        cleaned = [c for c in map(glosses.clean_item, items) if c]
        cleaned = glosses.order_line(cleaned, family, definition_words, cedict, related,
                                     lead=shown[0] if shown else None, own=own)
        if cleaned:
            result.setdefault(kind, []).append(cleaned)
    return result


def class_glosses(entry, family=frozenset(), cedict=None, shown="", soft=glosses.GLOSS_BYTES,
                  hard=glosses.FIRST_BYTES, related=frozenset(), own=frozenset()):
    """[(class, gloss)] in CLASSES order, one per part of speech the entry has lines of."""
    lines = class_lines(entry, family, cedict, tuple(shown.split("，")) if shown else (), related,
                        own)
    rows = []
    for kind in CLASSES:
        if kind in lines:
            text = glosses.join_items(glosses._ordered(lines[kind]), soft, hard)
            if text:
                rows.append((kind, text))
    return rows


def derive(selector, items, extra, verb_rows):
    """(word, class, gloss) rows, alphabetical by word, classes in CLASSES order."""
    package = selector.package
    shown = {i.word: i.gloss for i in items}
    shown.update({i.word: i.gloss for i in extra})
    words = set(shown)
    forms = set()
    for base, past, participle in verb_rows:
        for form in (past, participle):
            if form != base and form not in words and form in package.entries:
                forms.add(form)
    rows = []
    for word in sorted(words | forms):
        entry = package.entries.get(word)
        if entry is None or word in glosses.OVERRIDES:
            continue
        per_class = class_glosses(entry, selector.family(word), selector.cedict, shown.get(word, ""),
                                  related=selector.base_senses(word), own=selector.own(word))
        if len(per_class) >= 2 or (word in forms and per_class):
            rows.extend((word, kind, text) for kind, text in per_class)
    return rows
