"""How much of each exam's word list the reader's vocabulary steps cover.

A step k glosses every main.dic word outside the 2,000 k most frequent, so a reader at
step k is taken to know those 2,000 k words. For each exam ECDICT tags (中考 zk, 高考 gk,
四级 cet4, 六级 cet6, 考研 ky, 托福 toefl, 雅思 ielts, GRE gre) the share of its tagged
words among them is measured at every step; the vocabulary dialog names a step after the
exams it covers most of. An exam word main.dic lacks counts as never covered.
"""

from .entries import TAG_ORDER

# src/document/VocabularyTable.h: kWordsPerVocabLevel and kMaxVocabLevel.
WORDS_PER_STEP = 2000
STEPS = 11


def derive(tagged, items):
    """Rows (exam, step, share) from `tagged` (word -> its exam tags) and main.dic's items.

    The items' order by falling frequency score, ties in file order, is the program's.
    """
    order = sorted(range(len(items)), key=lambda i: -items[i].score)
    rank = {}
    for position, index in enumerate(order):
        rank.setdefault(items[index].word, position)
    rows = []
    for exam in TAG_ORDER:
        words = [w for w, tags in tagged.items() if exam in tags]
        if not words:
            continue
        ranks = [rank.get(w) for w in words]
        for step in range(1, STEPS + 1):
            known = sum(1 for r in ranks if r is not None and r < step * WORDS_PER_STEP)
            rows.append((exam, step, f"{known / len(words):.3f}"))
    return rows


def tagged_words(package):
    """Every ECDICT headword with an exam tag, written small, with its tags."""
    tagged = {}
    for word, entry in package.entries.items():
        tags = {t for t in entry.tags if t in TAG_ORDER}
        if tags and word.isascii() and word.isalpha():
            tagged.setdefault(word.lower(), set()).update(tags)
    return tagged
