"""The medical and the science glossaries: specialist terms from ECDICT's domain senses."""

import re

from . import gloss as glosses

MEDICAL_TAGS = {"医", "生化", "药", "解", "症", "生理", "病", "微", "畸形", "骨", "心"}
SCIENCE_TAGS = {"化", "物", "天", "植", "动", "地", "地质", "矿", "数", "电", "计", "生", "鸟", "鱼",
                "昆", "气", "核", "植物", "动物", "鸟类", "古生", "有化", "无化"}
MEDICAL_ROWS, SCIENCE_ROWS, SCIENCE_DUPLICATES, SHARED_TERMS = 1660, 1037, 3, 64
TERM = re.compile(r"[a-z]{3,22}")

# Rows whose wording the program's documentation quotes; ECDICT words them differently.
MEDICAL_FIXED = {
    "abdomen": "腹部",
    "abrasion": "擦伤，擦破，脓肿",
    "absorption": "吸收,吸收作用",
    "cobalamine": "钴胺素(维生素B12)",
    "xerophthalmia": "眼干燥症",
}
SCIENCE_FIXED = {
    "abdomen": "腹部",
    "achernar": "水委一(位于波江座)",
    "morning-glory": "牵牛花",
    "zirconium": "锆",
}


def _preference(entry, in_dictionary):
    """Terms main.dic lacks first, then the more common ones."""
    rank = entry.corpus_rank()
    return (in_dictionary, rank is None, rank or 0, -len(entry.tags), entry.word)


def _terms(package, tags, limit, first, last, in_dictionary):
    found = []
    for word, entry in package.entries.items():
        if not TERM.fullmatch(word) or not first < word < last:
            continue
        text = glosses.domain_gloss(entry, tags, limit, soft=min(limit, 30))
        if text:
            found.append((_preference(entry, word in in_dictionary), word, text))
    found.sort()
    return found


def medical(package, dictionary_words):
    fixed = MEDICAL_FIXED
    found = [f for f in _terms(package, MEDICAL_TAGS, 55, "abdomen", "xerophthalmia",
                               dictionary_words) if f[1] not in fixed]
    rows = dict(fixed)
    for _, word, text in found[:MEDICAL_ROWS - len(fixed)]:
        rows[word] = text
    return sorted(rows.items())


def _second_sense(entry, tags, first_text):
    """A gloss from another domain than the first one, for terms two sciences use differently."""
    by_tag = {}
    for tag, _ in glosses.parse_senses(entry):
        if tag in tags and tag not in by_tag:
            by_tag[tag] = glosses.domain_gloss(entry, {tag}, 32)
    others = [t for t in by_tag.values() if t and t != first_text and t not in first_text]
    return others[0] if others else ""


def science(package, dictionary_words, medical_rows):
    medical_terms = {t for t, _ in medical_rows}
    fixed = SCIENCE_FIXED
    found = [f for f in _terms(package, SCIENCE_TAGS, 32, "abdomen", "zirconium", dictionary_words)
             if f[1] not in fixed]
    shared = [f for f in found if f[1] in medical_terms]
    own = [f for f in found if f[1] not in medical_terms]
    shared_wanted = SHARED_TERMS - sum(1 for t in fixed if t in medical_terms)
    distinct = SCIENCE_ROWS - SCIENCE_DUPLICATES
    picked = shared[:shared_wanted] + own[:distinct - len(fixed) - shared_wanted]
    rows = dict(fixed)
    for _, word, text in picked:
        rows[word] = text
    result = [(t, g) for t, g in sorted(rows.items())]
    seconds = []
    for pref, word, text in sorted(picked):
        extra = _second_sense(package.entries[word], SCIENCE_TAGS, text)
        if extra:
            seconds.append((word, extra))
        if len(seconds) == SCIENCE_DUPLICATES:
            break
    for word, extra in seconds:
        at = next(i for i, (t, _) in enumerate(result) if t == word)
        result.insert(at + 1, (word, extra))
    return result
