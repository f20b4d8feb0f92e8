"""Headwords ECDICT spells only with a capital, lending their common senses to the word written small.

ECDICT has "Cambrian", "Jurassic", "Mammalia", "Maxim" and "China" only capitalised, so a text's
lower-case uses and the program's lower-cased lookups reach nothing. What such a headword lends
is what it means as a word: 寒武纪 of the period, 格言 of the maxim, 瓷器 of china. What it means as
a name stays behind: the country (中国), the people (威尔士人 beside 寒武纪), a transliteration
(提坦), a name note.
"""

import re

from . import gloss as glosses
from .source import Entry

CAPITALISED = re.compile(r"[A-Z][a-z]+")
# Endings that turn a name into its people, language or adjective (威尔士人, 英国人的, 法语).
OF_A_NAME = ("的", "人", "语", "族")
# Endings of a place named with them (德文郡, 加利福尼亚州).
PLACE_ENDINGS = tuple("郡州省市县镇村岛国城")
# Words of this corpus rank or better are known at the usual step, 3 (6,000 words).
KNOWN_RANK = 6000
PEOPLE = re.compile(r"\b(person|people|native|natives|inhabitant|member|members|follower|adherent)\b")


def lends(item, cedict):
    """True when a raw sense item is a common sense, one CC-CEDICT knows as a word (瓷器, 寒武纪,
    格言), and names nobody and nowhere: not a proper name there (中国 China), not the people or
    the speech of one (威尔士人, 英国人的), not spelt out in the characters of transliteration."""
    text = glosses.clean_item(item)
    if not text or cedict is None:
        return False
    variants = [text]
    core = text
    while len(core) > 1 and core.endswith(OF_A_NAME):
        core = core[:-1]
        variants.append(core)
    if len(core) > 2 and core.endswith(PLACE_ENDINGS):
        variants.append(core[:-1])
    for v in variants:
        if cedict.is_proper(v) or (len(v) >= 2 and set(v) <= glosses.TRANSLITERATION):
            return False
    return any(cedict.english_words(v) for v in variants if len(v) >= 2)


def names_people(entry):
    """True when WordNet's first definition is of a people or its members ("Jew: a person
    belonging to..."), whose other Chinese senses are epithets, not a word's meanings."""
    first = entry.definition.split("\\n")[0].lower()
    return bool(PEOPLE.search(first))


def lent_entry(entry, cedict):
    """The lower-case entry a capitalised headword lends, with only its common senses, or None."""
    rank = entry.corpus_rank()
    if rank is not None and rank <= KNOWN_RANK:
        # Counted among the words a reader of the usual step knows (Mr, North, the months): the
        # supplement, glossed at every step, would gloss them to everybody.
        return None
    if names_people(entry) or not (entry.tags or glosses.definition_pos(entry)[0]):
        # A word has a learner list's tag or a WordNet sense that is no capitalised instance
        # ("Weber: German physicist", whose Chinese lines also give the unit 库仑).
        return None
    word = entry.word.lower()
    raw = [i for _, items in glosses.parse_senses(entry) for i in items]
    # Where the headword leads with the name (God 上帝, Sunday 星期日, China 中国), a text's
    # capitalised uses mean the name, and a sense lent beside it shows them 偶像 or 业余的; only a
    # sense CC-CEDICT translates back to the word itself (瓷器 "china") is lent then.
    named_first = bool(raw) and not lends(raw[0], cedict)
    lines = []
    for line in entry.senses():
        label = glosses.POS_LABEL.match(line.strip())
        label = label.group(0) if label else ""
        rest = line.strip()[len(label):]
        tag = glosses.LEADING_TAG.match(rest)
        tag_text = tag.group(0) if tag else ""
        if tag and glosses.NAME_TAG.search(tag.group(1)):
            continue
        items = [i for i in glosses._split_items(rest[len(tag_text):]) if lends(i, cedict) and
                 (not named_first or word in cedict.translations(glosses.clean_item(i)))]
        if items:
            lines.append(label + tag_text + ", ".join(items))
    if not lines:
        return None
    # No forms: the capitalised word's (Titans, Polishing) would make the lent word the base of
    # lower-case forms main.dic already places; the program's reductions reach it from its forms.
    return Entry(word=word, definition=entry.definition, translation="\\n".join(lines),
                 tags=entry.tags, collins=entry.collins, oxford=entry.oxford, bnc=entry.bnc,
                 frq=entry.frq, exchange={}, phonetic=entry.phonetic)


def lend(package, cedict):
    """Adds the lent lower-case entries to the package; returns their words."""
    lent = {}
    for word, entry in package.entries.items():
        if not CAPITALISED.fullmatch(word) or word.lower() in package.entries:
            continue
        made = lent_entry(entry, cedict)
        if made is not None and made.word not in lent:
            lent[made.word] = made
    package.entries.update(lent)
    return set(lent)
