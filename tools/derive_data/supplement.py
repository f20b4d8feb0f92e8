"""supplement.dic: the words readers of English books meet beyond main.dic's fixed 22,892.

main.dic's layout is fixed, so the words it cannot hold go to a second file that the program
appends after it. Its entries score below the last step's threshold: a reader of any step has
them glossed.
"""

import math
import re

from . import dictionary
from .dictionary import WORD, _meaning_chars
from .lookup import THRESHOLDS, Dictionary, Item

# ECDICT's exam and learner lists: middle school, high school, CET-4/6, postgraduate entrance,
# TOEFL, IELTS, GRE.
LEARNER_TAGS = frozenset("zk gk cet4 cet6 ky toefl ielts gre".split())
MOST = 40000
# Scores run from just below the last step's threshold down to this, in the order readers meet them.
LOWEST_SCORE = 0.001
BRITISH = ((re.compile(r"(is)(e|ed|es|ing|ation|ations|er|ers)$"), "iz"),
           (re.compile(r"(our)(s|ed|ing|ite|ites|ful|less|able|er|ers)?$"), "or"))


def american(word):
    """The American spelling of a British one (realise, colonisation, colour), or None."""
    for pattern, replacement in BRITISH:
        match = pattern.search(word)
        if match and match.start() >= 2:
            return word[:match.start()] + replacement + word[match.start(1) + len(match.group(1)):]
    return None


def ligature_spellings(word):
    """The æ/œ spellings older books print (larvæ, fœtus, manœuvre)."""
    result = []
    if "ae" in word:
        result.append(word.replace("ae", "æ"))
    if "oe" in word:
        result.append(word.replace("oe", "œ"))
    return result


def _met(entry, cand):
    """A word readers meet: on a learner list, counted in a corpus (as a form or as a lemma of
    the BNC), or in Collins' or Oxford's core lists (cannot, glasses)."""
    return bool(entry.tags & LEARNER_TAGS) or cand.rank is not None or entry.collins > 0 \
        or entry.oxford


def derive(selector, main_items, verbs):
    """Supplement entries in alphabetical order, with scores below step 11's threshold."""
    package, candidates = selector.package, selector.candidates
    main_words = {i.word for i in main_items}
    main = Dictionary(main_items, verbs)
    picked = {}
    for word, cand in candidates.items():
        if word in main_words or len(word) < 2 or main.resolve(word, 1.0) is not None:
            continue
        # A transparent derivation of a main.dic word (understandingly) would be glossed at
        # every step, even to readers who know its base; like main.dic's own derivations, it
        # goes with its base, which the reader looks up instead. A learner-list word is kept
        # all the same: the program's reductions take only -ly and -ness to their base, so
        # unselfish and heedless would reach nothing.
        entry = package.entries[word]
        if selector.derived_base(word, any_rank=True) in main_words and \
                not (entry.tags & LEARNER_TAGS and main.further(word, 1.0) is None):
            continue
        if _met(entry, cand):
            picked[word] = cand
    # British spellings of words readers meet, ranked with their American twin.
    for word, cand in candidates.items():
        twin = american(word)
        if word in picked or word in main_words or twin is None:
            continue
        if (twin in picked or twin in main_words) and main.resolve(word, 1.0) is None:
            picked[word] = cand
    chosen = _within_size(picked.values(), package, candidates)
    chosen_words = {c.word for c in chosen}
    chosen = [c for c in chosen if not _reduced(selector, c.word, main, chosen_words)]
    rows = [(c.word, c.gloss, _key(c, candidates)) for c in chosen]
    rows += _ligatures(selector, main_items, {r[0]: r for r in rows})
    rows.sort(key=lambda r: r[2])
    values = scores(len(rows))
    items = [Item(word, gloss, values[i]) for i, (word, gloss, _) in enumerate(rows)]
    items.sort(key=lambda i: i.word)
    return items


def _within_size(picked, package, candidates):
    """The picked words, the most met first: every word of a learner list, and the MOST most met
    of the others. ECDICT counts none of the rarer exam words (jejune, captious, beancurd), so
    under one cap they sorted after every counted word however obscure and were cut; counted
    words readers do meet (quinsy, potman) keep their room beside them."""
    ordered = sorted(picked, key=lambda c: _key(c, candidates))
    listed = [c for c in ordered if package.entries[c.word].tags & LEARNER_TAGS]
    others = [c for c in ordered if not package.entries[c.word].tags & LEARNER_TAGS][:MOST]
    kept = {c.word for c in listed} | {c.word for c in others}
    return [c for c in ordered if c.word in kept]


def _key(cand, candidates):
    twin = american(cand.word)
    if cand.rank is None and twin in candidates:
        return candidates[twin].key()[:4] + (1, cand.word)
    return cand.key()[:4] + (0, cand.word)


def _reduced(selector, word, main, chosen_words):
    """An inflected form the program's reductions take to its own base in either file."""
    if not selector.is_inflection(word):
        return False
    for step, candidate in main.candidates(word):
        if step > 1 and (candidate in chosen_words or main.lookup_exact(candidate, 1.0) != "Unknown"):
            return candidate == selector.primary_base(word)
    return False


def _ligatures(selector, main_items, rows):
    """æ/œ spellings of entries whose ae/oe is the ligature: larvae, aesthetic, foetus (whose
    American fetus means the same), not poet (pet)."""
    glosses = {i.word: i.gloss for i in main_items}
    glosses.update({w: r[1] for w, r in rows.items()})
    keys = {w: r[2] for w, r in rows.items()}
    result = []
    for word in sorted(glosses):
        if not word or not glosses[word]:
            continue
        for spelled in ligature_spellings(word):
            plain = word.replace("ae", "e") if "æ" in spelled else word.replace("oe", "e")
            same = plain in glosses and _meaning_chars(glosses[plain]) & _meaning_chars(glosses[word])
            latin = "æ" in spelled and len(word) >= 5 and (word.endswith("ae") or word.startswith("ae"))
            if same or latin:
                key = keys.get(word, (False, 0, (), word, 0, word))
                result.append((spelled, glosses[word], key[:4] + (2, spelled)))
    return result


def scores(count):
    """Strictly decreasing scores below the last step's threshold, log-linear in rank."""
    top = THRESHOLDS[-1] * 0.99
    if count == 1:
        return [top]
    ratio = math.log(LOWEST_SCORE / top) / (count - 1)
    return [float(repr(top * math.exp(ratio * i))) for i in range(count)]
