"""Selecting main.dic's 22,892 entries, their glosses and their frequency scores."""

import bisect
import math
import re

from . import gloss as glosses
from .lookup import Dictionary, Item, THRESHOLDS, prefix_rows

WORD = re.compile(r"[a-z]+")
FORM_KEYS = ("p", "d", "i", "3", "s", "r", "t")
# Own lemma count at least this share of the base's count: the form is a word of its own
# ("building", "lay"), not just an inflection ("felt", "found", "rose").
OWN_WORD_SHARE = 0.5
# Participles that novels use as adjectives ("she was frightened"): the reduction would show
# the verb's gloss (使惊吓), so they stay entries with the adjective's gloss (gloss.OVERRIDES).
ADJECTIVE_FORMS = {"accustomed", "agitated", "excited", "frightened", "preoccupied"}
# Share of an adjective's lemma group that its comparative or superlative stands for, for
# ranking a form ECDICT does not count on its own ("prettiest", "finest").
DEGREE_SHARE = 0.05
# Lower-case headwords that readers meet almost only as pieces of contractions split at the
# apostrophe ("don't", "haven't"), where their dictionary sense would mislead. Names are not
# listed: the program tells them from the capitals of the text being read.
NOT_WORDS = {"don", "haven", "didn", "doesn", "isn", "wasn", "aren", "weren", "hasn", "hadn",
             "couldn", "wouldn", "shouldn", "mustn", "needn", "shan", "ain", "ll", "ve", "re",
             "em", "tis", "twas",
             # French words of English novels ("mon cher", "n'est-ce pas").
             "mon", "cher", "pas"}


class Candidate:
    def __init__(self, word, gloss, rank, fallback):
        self.word, self.gloss, self.rank, self.fallback = word, gloss, rank, fallback

    def key(self):
        return (self.rank is None, self.rank or 0, self.fallback, self.word)


def _bases(package):
    """form -> set of other words it is an inflection of (ECDICT's exchange, both directions)."""
    bases = {}
    for word, entry in package.entries.items():
        if not WORD.fullmatch(word):
            continue
        for key in FORM_KEYS:
            form = entry.exchange.get(key, "")
            if WORD.fullmatch(form) and form != word:
                bases.setdefault(form, set()).add(word)
        base = entry.exchange.get("0", "")
        if WORD.fullmatch(base) and base != word:
            bases.setdefault(word, set()).add(base)
    return bases


def _fallback(entry):
    """Order among words without corpus counts: exam-list and Collins words first."""
    return (-len(entry.tags), -entry.collins, -int(entry.oxford), len(entry.word))


class Selector:
    def __init__(self, package, verbs):
        self.package = package
        self.verbs = verbs
        self.bases = _bases(package)
        self.lemma_counts = sorted(-l.count for l in package.lemmas.values() if l.count > 0)
        self.candidates = {}
        for word, entry in package.entries.items():
            if not WORD.fullmatch(word) or word in NOT_WORDS:
                continue
            cand = self._candidate(word, entry)
            if cand is not None:
                self.candidates[word] = cand

    def _lemma_count(self, word):
        lemma = self.package.lemmas.get(word)
        return lemma.count if lemma else 0

    def primary_base(self, word):
        """The lemma a form mostly belongs to: "does" is do's, not doe's."""
        return min(self.bases[word], key=lambda b: (self.package.lemma_rank.get(b, 1 << 30), b))

    def is_inflection(self, word):
        bases = self.bases.get(word, set())
        if not bases:
            return False
        base_count = max(self._lemma_count(b) for b in bases)
        return self._lemma_count(word) < OWN_WORD_SHARE * base_count or base_count == 0

    def _is_degree(self, word):
        kinds = self.package.entries[word].exchange.get("1", "")
        return bool(kinds) and set(kinds) <= set("rt") and not self.package.entries[word].corpus_rank()

    def _count_rank(self, count):
        """The rank a lemma with this count would have among the counted lemmas."""
        return bisect.bisect_left(self.lemma_counts, -count) + 1

    def _candidate(self, word, entry):
        ranks = [r for r in (entry.corpus_rank(), self.package.lemma_rank.get(word)) if r]
        if word not in self.bases:
            text = glosses.dictionary_gloss(entry)
        else:
            # A form is met about as often as its lemma group ("has", "was", "children"), and
            # when its own senses are only grammar notes it means what its base means. Degrees
            # of comparison are the exception: "prettiest" is met far less often than "pretty",
            # and ECDICT counts neither on its own.
            base = self.primary_base(word)
            if self._is_degree(word):
                ranks.append(self._count_rank(self._lemma_count(base) * DEGREE_SHARE))
            elif self.package.lemma_rank.get(base):
                ranks.append(self.package.lemma_rank[base])
            text = glosses.dictionary_gloss(entry, domains=False)
            if not text and base in self.package.entries:
                text = glosses.dictionary_gloss(self.package.entries[base])
        text = glosses.OVERRIDES.get(word, text)
        if not text:
            return None
        return Candidate(word, text, min(ranks) if ranks else None, _fallback(entry))

    def select(self):
        """Entries in file order: each row's most frequent eligible words, alphabetical within it."""
        excluded = self._redundant()
        while True:
            chosen = self._fill(excluded)
            words = {c.word for c in chosen}
            stranded = {w for w in excluded if self.primary_base(w) not in words}
            if not stranded:
                return chosen
            excluded -= stranded

    def _fill(self, excluded):
        by_prefix = {}
        for cand in self.candidates.values():
            if cand.word not in excluded:
                by_prefix.setdefault(cand.word[:2], []).append(cand)
        fixed = {"a": ["a"], "i": ["i"], "o'": ["o'clock"], "x-": ["x-ray"]}
        rows = []
        oc_rows = 0
        for prefix, _, length in prefix_rows():
            if prefix in fixed:
                words = fixed[prefix]
                rows.append([Candidate(w, self._special_gloss(w), self._special_rank(w), ())
                             for w in words])
                continue
            pool = by_prefix.get(prefix, [])
            if prefix == "oc":
                # o'clock sorts between the two oc rows when apostrophes are ignored.
                before = oc_rows == 0
                pool = [c for c in pool if (c.word < "oclock") == before]
                oc_rows += 1
            best = sorted(pool, key=Candidate.key)[:length]
            if len(best) < length:
                raise ValueError(f"only {len(best)} words for the row {prefix!r} of {length}")
            rows.append(sorted(best, key=lambda c: c.word))
        return [c for row in rows for c in row]

    def _special_rank(self, word):
        entry = self.package.entries.get(word) or self.package.entries.get(word.upper())
        ranks = [r for r in (entry and entry.corpus_rank(), self.package.lemma_rank.get(word)) if r]
        return min(ranks) if ranks else None

    def _special_gloss(self, word):
        if word in ("a", "i"):
            return ""
        return glosses.dictionary_gloss(self.package.entries[word])

    def _redundant(self):
        """Inflected forms that Translate takes to their own base without an entry of their own.

        Judged against every word that could become an entry, so that a form stays whenever a
        reduction could meet a wrong word first ("changed" would reach "chang" before "change").
        """
        universe = Dictionary([Item(w, "x", 0.0) for w in sorted(self.candidates)], self.verbs)
        universe.first = {w: Item(w, "x", 0.0) for w in self.candidates}
        result = set()
        for word in self.candidates:
            if not self.is_inflection(word) or word in ADJECTIVE_FORMS:
                continue
            for step, candidate in universe.candidates(word):
                if step > 1 and universe.lookup_exact(candidate, 1.0) != "Unknown":
                    if candidate == self.primary_base(word):
                        result.add(word)
                    break
        return result


def scores(count):
    """Scores for ranks 1..count: log-linear through (2000k, threshold k), strictly decreasing."""
    points = [(2000 * (k + 1), t) for k, t in enumerate(THRESHOLDS)]
    result = []
    for rank in range(1, count + 1):
        exact = [t for r, t in points if r == rank]
        if exact:
            result.append(exact[0])
            continue
        seg = 0
        while seg < len(points) - 2 and rank > points[seg + 1][0]:
            seg += 1
        (r0, t0), (r1, t1) = points[seg], points[seg + 1]
        value = math.exp(math.log(t0) + (math.log(t1) - math.log(t0)) * (rank - r0) / (r1 - r0))
        result.append(float(repr(value)))
    return result


def derive(package, verbs):
    selector = Selector(package, verbs)
    chosen = selector.select()
    order = sorted(range(len(chosen)), key=lambda i: (chosen[i].key(), i))
    values = scores(len(chosen))
    score_of = {}
    for rank, index in enumerate(order):
        score_of[index] = values[rank]
    return [Item(c.word, c.gloss, score_of[i]) for i, c in enumerate(chosen)]
