"""Word-building: the bases a derived English word may be formed from.

Shared by the derivation of the data (a transparent derivation follows its base's score) and
by the data checks (how many glosses fall on forms whose base the reader already knows).
"""

VOWELS = set("aeiou")


def _undouble(stem):
    """bigg -> big, thinn -> thin: a doubled final consonant of a short base."""
    if len(stem) >= 3 and stem[-1] == stem[-2] and stem[-1] not in VOWELS:
        return [stem, stem[:-1]]
    return [stem]


def suffix_bases(word):
    """(suffix, base) pairs of the transparent suffixes -ly, -ness, -ful, -less, -er, -est."""
    result = []
    if word.endswith("ly") and len(word) > 4:
        stem = word[:-2]
        result.append(("ly", stem))
        if stem.endswith("i"):
            result.append(("ly", stem[:-1] + "y"))        # angrily -> angry
        if word.endswith("ically"):
            result.append(("ly", word[:-4]))              # basically -> basic
        if word.endswith("bly") or word.endswith("tly") or word.endswith("ply") or word.endswith("dly"):
            result.append(("ly", word[:-1] + "e"))        # gently -> gentle, possibly -> possible
        if word.endswith("lly"):
            result.append(("ly", word[:-2]))              # fully -> full
        if word.endswith("uly"):
            result.append(("ly", word[:-2] + "e"))        # truly -> true
    for suffix in ("ness", "less", "ful"):
        if word.endswith(suffix) and len(word) > len(suffix) + 2:
            stem = word[:-len(suffix)]
            result.append((suffix, stem))
            if stem.endswith("i"):
                result.append((suffix, stem[:-1] + "y"))  # happiness -> happy, merciful -> mercy
    for suffix in ("est", "er"):
        if word.endswith(suffix) and len(word) > len(suffix) + 2:
            stem = word[:-len(suffix)]
            for base in _undouble(stem):
                result.append((suffix, base))
            if stem.endswith("i"):
                result.append((suffix, stem[:-1] + "y"))  # happier -> happy
            result.append((suffix, stem + "e"))           # larger -> large
    return result


def prefix_bases(word):
    """(prefix, base) pairs of the negating prefix un-."""
    if word.startswith("un") and len(word) > 5:
        return [("un", word[2:])]
    return []


def bases(word):
    """Every (affix, base) pair the word could be built from, in a fixed order."""
    seen, result = set(), []
    for affix, base in suffix_bases(word) + prefix_bases(word):
        if base != word and len(base) >= 2 and (affix, base) not in seen:
            seen.add((affix, base))
            result.append((affix, base))
    return result
