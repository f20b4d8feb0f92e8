"""Which words a text uses as names, decided as the program decides it (NameEvidence.cpp).

A name is capitalised inside sentences and hardly ever written small; with an article or possessive
before it most of the time, a capitalised word is a title or a common noun ("the Emperor").
Kept in step with the program so that the data can be judged by what a reader sees.
"""

import re

from .lookup import ASCII_SEPARATORS, UNICODE_SEPARATORS, lower_ascii, paragraphs, tokens

TITLES = frozenset("""
abbe admiral al archbishop aunt baron baroness ben bishop brother capt captain cardinal col
colonel comte comtesse corporal count countess cousin czar da dame de del della der des di doctor
don dona dr du duc duchess duke earl el emperor empress father frau gen general herr hon king la
lady le les lieutenant lord lt mac madam madame mademoiselle major marchioness marquess marquis
marquise master mc messrs miss mistress mlle mme monsieur mother mr mrs ms pope prince princess
prof professor queen rev reverend saint san santa sgt signor sir sister st sultan tsar uncle van
von""".split())
ABBREVIATED_TITLES = frozenset("capt col dr gen hon lt messrs mlle mme mr mrs ms prof rev sgt st".split())
ARTICLES = frozenset("a an her his its my our the their these this those thy whose your".split())

NOTHING, SENTENCE_END, WORD, ARTICLE, GLUE = range(5)


def _is_separator(token):
    return (len(token) == 1 and token[0] in ASCII_SEPARATORS) or token in UNICODE_SEPARATORS


def word_uses(data):
    """lower-case word -> [written small, capitalised inside a sentence, of those after an article]."""
    uses = {}
    for paragraph in paragraphs(data):
        before, word_just_before, abbreviation_just_before = NOTHING, False, False
        for token in tokens(paragraph):
            if not token:
                if before == GLUE:
                    before = NOTHING
                word_just_before = False
                continue
            if _is_separator(token):
                if token == b"." and abbreviation_just_before and word_just_before:
                    before = WORD
                elif token in (b".", b"!", b"?"):
                    before = SENTENCE_END
                elif token in (b",", b";"):
                    before = WORD
                elif token in (b"'", "\u2019".encode(), b"-") and word_just_before:
                    before = GLUE
                else:
                    before = NOTHING
                word_just_before = False
                continue
            word = lower_ascii(token).decode("utf-8", "surrogateescape")
            counted_after_article = False
            if len(token) >= 2:
                entry = uses.setdefault(word, [0, 0, 0])
                if 97 <= token[0] <= 122:
                    entry[0] += 1
                elif 65 <= token[0] <= 90 and any(97 <= b <= 122 for b in token[1:]) \
                        and before not in (NOTHING, SENTENCE_END):
                    entry[1] += 1
                    if before == ARTICLE:
                        entry[2] += 1
                        counted_after_article = True
            before = ARTICLE if word in ARTICLES or counted_after_article else WORD
            abbreviation_just_before = len(token) >= 2 and word in ABBREVIATED_TITLES
            word_just_before = True
    return uses


# A name is written small under once in this many of its capitalised uses: a name written
# small once in an address or a title line among hundreds stays a name, while "Mamma" written
# small twice in sixty uses is a word.
NAME_SMALL_SHARE = 50
ROMAN_NUMERAL = re.compile(r"m{0,3}(cm|cd|d?c{0,3})(xc|xl|l?x{0,3})(ix|iv|v?i{0,3})")


def is_used_as_name(word, entry):
    small, capitalised, after_article = entry
    return NAME_SMALL_SHARE * small < capitalised and 2 * after_article < capitalised and \
        word not in TITLES


def inherits_name(entry):
    return NAME_SMALL_SHARE * entry[0] <= entry[1]


def names_of(uses):
    """The words used as names, with the plurals of names ("the Smiths", "the Joneses")."""
    found = {w for w, e in uses.items() if is_used_as_name(w, e)}
    plurals = set()
    for word, entry in uses.items():
        if word in found or not word.endswith("s") or not inherits_name(entry):
            continue
        for cut in (1, 2):
            if len(word.encode()) <= cut + 1 or (cut == 2 and not word.endswith("es")):
                continue
            if word[:-cut] in found:
                plurals.add(word)
                break
    return found | plurals


def names(data):
    """The lower-case words the text uses as names."""
    return names_of(word_uses(data))


def is_no_word_to_gloss(word, entry):
    """Roman numerals and abbreviated titles never written small, short tokens without a vowel."""
    if len(word) < 2 or not re.fullmatch(r"[a-z]+", word):
        return False
    if len(word) <= 3 and not re.search(r"[aeiouy]", word):
        return True
    small, capitalised, _ = entry
    if small == 0 and word in ABBREVIATED_TITLES:
        return True
    return small == 0 and capitalised == 0 and bool(ROMAN_NUMERAL.fullmatch(word))
