"""Selecting main.dic's 22,892 entries, their glosses and their frequency scores."""

import bisect
import math
import re

from . import casefold, derivation, gloss as glosses
from .lookup import Dictionary, Item, THRESHOLDS, prefix_rows

WORD = re.compile(r"[a-z]+")
FORM_KEYS = ("p", "d", "i", "3", "s", "r", "t")
# Own lemma count at least this share of the base's count: the form is a word of its own
# ("building", "lay"), not just an inflection ("felt", "found", "rose").
OWN_WORD_SHARE = 0.5
# Participles used as adjectives, which stay entries with their own gloss where the reduction
# would show the verb's (使惊吓). Each has ECDICT's own first line an adjective and WordNet
# definitions of the form itself that are adjectives, and is used as one in all three sample
# books, the hold-out included ("was accustomed to" 7 times, "frightened" 14, "excited" 4,
# "agitated" 2, "I was preoccupied with business"). The same evidence picks 541 forms of
# ECDICT (accepted, armed, known among them) whose verb use is as common: a frequency of the
# form's adjective use, which ECDICT does not give, would be needed to take them in too.
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


# Derivations ranked beyond the slider's last step are rarely met; ranking them with their base
# would only push words readers do meet out of the known steps.
FOLLOW_RANK = 20000
# Characters that build words rather than carry their meaning: 的 of adjectives, 地 of adverbs,
# 不 and 无 of negations. Two glosses that share only these say different things.
FUNCTION_CHARS = set("的地得之不无非未没性者化于了着被使把令让可以有是人")


class Candidate:
    def __init__(self, word, gloss, rank, fallback):
        self.word, self.gloss, self.rank, self.fallback = word, gloss, rank, fallback
        # A transparent derivation is ranked with the word it is built from, right after it.
        self.head = None

    def key(self):
        if self.head is not None:
            head = self.head
            return (head.rank is None, head.rank or 0, head.fallback, head.word, 1,
                    self.fallback, self.word)
        return (self.rank is None, self.rank or 0, self.fallback, self.word, 0, (), "")


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


def is_bound_piece(package, word):
    """Prefix pieces that books only show split off a hyphenated word: sub-species, pre-existing.

    ECDICT has them as prefixes ("sub-" pref. 在...下) and, beside, as rare headwords with an odd
    sense (sub 补充人员, pre 炼油工程师). A prefix that is also a word learners meet (post, over,
    extra, self) is on an exam list or Oxford's core list and stays.
    """
    prefix = package.entries.get(word + "-")
    if prefix is None:
        return False
    note = POS_LABEL_OR_TAG.match(prefix.translation)
    entry = package.entries.get(word)
    return bool(note) and (entry is None or (not entry.tags and not entry.oxford))


POS_LABEL_OR_TAG = re.compile(r"\s*(pref\.|表示|\[医\]|\[计\]|\[机\])")


def _meaning_chars(gloss, items=2):
    chars = set()
    for item in gloss.split("，")[:items]:
        chars |= set(item)
    return {c for c in chars if glosses.CJK.match(c)} - FUNCTION_CHARS


class Selector:
    def __init__(self, package, verbs, cedict=None):
        self.package = package
        self.verbs = verbs
        self.cedict = cedict
        # Lent lower-case entries (china, jurassic) carry the capitalised word's corpus ranks,
        # which count its name uses too, so they go to the supplement, never into main.dic's rows.
        self.lent = casefold.lend(package, cedict)
        self.bases = _bases(package)
        self.lemma_counts = sorted(-l.count for l in package.lemmas.values() if l.count > 0)
        self.candidates = {}
        for word, entry in package.entries.items():
            if not WORD.fullmatch(word) or word in NOT_WORDS or is_bound_piece(package, word):
                continue
            cand = self._candidate(word, entry)
            if cand is not None:
                self.candidates[word] = cand
        self.follows, self._line_chars_of = {}, {}
        for word in sorted(self.candidates):
            base = self.derived_base(word)
            if base is not None:
                self.follows[word] = base
        for word, base in self.follows.items():
            self._adverb_gloss(word, base)
        for word in self.follows:
            head = self._head(word)
            if head.word != word:
                self.candidates[word].head = head

    def family(self, word):
        """The English words a Chinese sense of `word` may translate back to."""
        entry = self.package.entries.get(word)
        words = {word} | self.bases.get(word, set())
        if entry is not None:
            words |= {f for f in entry.exchange.values() if WORD.fullmatch(f)}
        words |= {b for _, b in derivation.bases(word) if b in self.package.entries}
        return frozenset(words)

    def own(self, word):
        """The word and its inflections, both ways (援军 "reinforcements" names reinforcement;
        冒犯 "offend" names offended): the family without the words derivation builds it from."""
        entry = self.package.entries.get(word)
        words = {word} | self.bases.get(word, set())
        if entry is not None:
            words |= {f for k, f in entry.exchange.items() if k != "1" and WORD.fullmatch(f)}
        return frozenset(words)

    def gloss_of(self, entry, domains=True):
        return glosses.dictionary_gloss(entry, domains=domains, family=self.family(entry.word),
                                        cedict=self.cedict, related=self.base_senses(entry.word),
                                        own=self.own(entry.word))

    def base_senses(self, word):
        """The senses of the words `word` is built from or is a form of (universal of universally,
        close of closed): evidence of its own senses that CC-CEDICT does not give. Its own forms'
        senses are not, being mostly its own again."""
        entry = self.package.entries.get(word)
        words = {b for _, b in derivation.bases(word)} | {entry.exchange.get("0", "") if entry else ""}
        return glosses.family_senses(self.package.entries[w] for w in sorted(words - {word})
                                     if w in self.package.entries)

    def _rank(self, word):
        cand = self.candidates[word]
        return cand.rank if cand.rank is not None else 1 << 30

    def derived_base(self, word, any_rank=False):
        """The more frequent word a transparent derivation is built from, or None.

        Comparatives and superlatives are ECDICT's degrees of their adjective. For -ly, -ness,
        -ful, -less and un- the derivation must mean what its base means: the adverb's English
        definition names the base ("angrily: with anger" does not, "in an angry manner" does), or
        its leading sense, the one a reader sees first, shares a meaning-bearing character with the
        base's first senses (愤怒地 and 生气的，愤怒的). Words of their own fail both: hardly (几乎不) is not hard (坚硬的),
        lately (近来) is not late (晚的), business (生意) is not busy (忙碌的).
        """
        if self._rank(word) > FOLLOW_RANK and not any_rank:
            return None
        entry = self.package.entries[word]
        kinds = entry.exchange.get("1", "")
        base = entry.exchange.get("0", "")
        if kinds and set(kinds) <= set("rt") and base in self.candidates:
            return base if self._rank(base) < self._rank(word) else None
        own = self.candidates[word].gloss
        for affix, base in derivation.bases(word):
            if affix in ("er", "est") or base not in self.candidates or base == word:
                continue
            if self._rank(base) >= self._rank(word):
                continue
            named = affix == "ly" and re.search(r"\b%s\b" % base, entry.definition.lower())
            shared = _meaning_chars(own, 1) & self._line_chars(base)
            if named or shared:
                return base
        return None

    def _line_chars(self, base):
        """Meaning-bearing characters of the base's gloss and of the first senses of each of its
        lines: an adjective whose first line is a noun (content: 内容 before 满意的) shares
        its adjective's meaning with its adverb (满意地) through the later line."""
        if base not in self._line_chars_of:
            chars = _meaning_chars(self.candidates[base].gloss)
            entry = self.package.entries[base]
            for line in glosses.ordered_lines(entry, self.family(base), self.cedict):
                chars |= _meaning_chars("，".join(line), 2)
            self._line_chars_of[base] = chars
        return self._line_chars_of[base]

    def _head(self, word):
        seen = {word}
        while word in self.follows and self.follows[word] not in seen:
            word = self.follows[word]
            seen.add(word)
        return self.candidates[word]

    def _adverb_gloss(self, word, base):
        """A -ly adverb without an adverb line of its own (conveniently: a. 方便) says its
        adjective's sense with 地 (方便地) unless CC-CEDICT confirms its first sense."""
        cand = self.candidates[word]
        if not word.endswith("ly") or word in glosses.OVERRIDES:
            return
        entry = self.package.entries[word]
        if glosses.has_adverb_line(entry) or "r" not in (glosses.definition_pos(entry)[0] or "r"):
            # An adverb keeps its own adverb line (shortly 不久, not 短地), and a word WordNet
            # knows only as an adjective is no adverb (unlikely, homely).
            return
        first = cand.gloss.split("，")[0]
        if first.endswith("地") or (self.cedict and word in self.cedict.translations(first)):
            return
        adjectives = [i[:-1] + "地" for i in self.candidates[base].gloss.split("，") if i.endswith("的")]
        if adjectives:
            cand.gloss = glosses.join_items(adjectives[:2], 16, 24)

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
            text = self.gloss_of(entry)
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
            text = self.gloss_of(entry, domains=False)
            if not text and base in self.package.entries and base not in self.lent:
                # A degree says its adjective's sense, the adjective's hand-written gloss too
                # (finest as fine); a verb's form keeps the entry's own order (fined).
                text = (self._is_degree(word) and glosses.OVERRIDES.get(base)) or \
                    self.gloss_of(self.package.entries[base])
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
            if cand.word not in excluded and cand.word not in self.lent:
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
        return self.gloss_of(self.package.entries[word])

    def _redundant(self):
        """Inflected forms that Translate takes to their own base without an entry of their own.

        Judged against every word that could become an entry, so that a form stays whenever a
        reduction could meet a wrong word first ("changed" would reach "chang" before "change").
        """
        words = sorted(w for w in self.candidates if w not in self.lent)
        universe = Dictionary([Item(w, "x", 0.0) for w in words], self.verbs)
        universe.first = {w: Item(w, "x", 0.0) for w in words}
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


def _keep_groups_whole(order, chosen):
    """Keeps a word and the derivations ranked with it on one side of every step's boundary,
    so that a reader who knows "angry" at a step knows "angrily" too: a group that would
    straddle a boundary waits until the words after it have filled the step."""
    boundaries = [2000 * (k + 1) for k in range(len(THRESHOLDS))]
    units = []
    for index in order:
        head = chosen[index].head
        if head is not None and units and chosen[units[-1][0]].word == head.word:
            units[-1].append(index)
        else:
            units.append([index])
    result, deferred = [], []
    for unit in units:
        deferred.append(unit)
        placed = True
        while placed:
            placed = False
            for i, pending in enumerate(deferred):
                start = len(result)
                if not any(start < b < start + len(pending) for b in boundaries):
                    result.extend(deferred.pop(i))
                    placed = True
                    break
    return result + [i for unit in deferred for i in unit]


def derive(package, verbs, cedict=None):
    return derive_with(Selector(package, verbs, cedict))


def derive_with(selector):
    chosen = selector.select()
    order = sorted(range(len(chosen)), key=lambda i: (chosen[i].key(), i))
    order = _keep_groups_whole(order, chosen)
    values = scores(len(chosen))
    score_of = {}
    for rank, index in enumerate(order):
        score_of[index] = values[rank]
    return [Item(c.word, c.gloss, score_of[i]) for i, c in enumerate(chosen)]
