"""Phrases and compounds: ECDICT's headwords of two words or more, as one gloss each.

A reader meets "put up with", "in lieu of", "well-bred" and "X-ray" as pieces; the program
finds them in the text and shows the whole phrase's gloss under its first glossed word. A row's
key is the headword written small, its pieces (split at spaces, hyphens and apostrophes, as the
text is) joined by one space, so that "well bred" and "well-bred" are one phrase. The slots
sb, sth, one's and oneself stand for the words a use puts there; a slot at the end of a
headword is dropped from the key ("look after sb" is found as "look after").

Rows are dropped
- when the entry's untagged lines give no gloss: its senses are only a domain's ([医], [计]),
  [网络] or a name's, or grammar notes;
- for names (a capitalised piece of two letters or more: "Earl Russell", "Alauda arvensis");
- when a piece is no word of the dictionary nor a form of one (Latin, chemistry), or when
  every piece is a very frequent word (known at the first step, "in the", "it is"): such a
  phrase would never be glossed, as no word of it ever is, unless it is one of the opaque
  phrases below, whose words say nothing of their meaning.
"""

import re

from . import gloss as glosses
from .lookup import THRESHOLDS

# The slots as the key writes them, from the spellings ECDICT uses.
SLOT_SPELLINGS = {"sb": "sb", "sb.": "sb", "somebody": "sb", "someone": "sb", "sth": "sth",
                  "sth.": "sth", "something": "sth", "oneself": "oneself"}
POSSESSIVE_SLOT = re.compile(r"\b(?:one|sb|somebody|someone)['’]s\b")
SLOTS = frozenset({"sb", "sth", "one's", "oneself"})
PIECE_BREAK = re.compile(r"[ '\-]+")
PIECE = re.compile(r"[a-z]+")
MOST_PIECES = 6

# Idioms made only of very frequent words whose words do not say what they mean, glossed even
# when no word of them is: general English, each with why a reader who knows the words is
# still lost.
OPAQUE = {
    "by no means": "no and means do not add up to 决不",
    "at length": "length says nothing of 最后 or 详细地",
    "put up with": "none of put, up, with means 忍受",
    "in the least": "least alone reads as 最少, not 丝毫",
    "at all": "all alone does not give the 根本 of a negation",
    "by and by": "by twice says nothing of 不久",
    "all at once": "all and once do not say 突然",
    "at once": "once reads as 一次, not 立刻",
    "as well": "well reads as 好, not 也",
    "after all": "after and all do not say 毕竟",
    "as yet": "yet alone reads as 但是",
    "for good": "good reads as 好的, not 永远",
    "give way": "give and way do not say 让步",
    "at any rate": "rate reads as 比率, not 无论如何",
    "all the same": "same reads as 相同的, not 仍然",
    "take place": "take and place do not say 发生",
    "come about": "come and about do not say 发生",
    "by heart": "heart reads as 心脏, not 凭记忆",
    "now and then": "now and then do not say 时常",
    "had better": "better reads as 更好的, not 最好还是",
    "would rather": "rather reads as 相当, not 宁愿",
    "on end": "end reads as 结束, not 连续地",
    "at times": "times reads as 次数, not 有时",
    "out of the question": "question reads as 问题, not 不可能",
    "make out": "make and out do not say 辨认出",
    "set off": "set and off do not say 出发",
    "go on": "go and on do not say 继续",
    "look forward to": "forward reads as 向前, not 盼望",
    "make up one's mind": "mind reads as 头脑, not 下决心",
}


def key_pieces(headword):
    """The headword's pieces as the key writes them, or None when it is no phrase to find."""
    text = POSSESSIVE_SLOT.sub("one's", headword.strip())
    raw = [p for p in text.split(" ") if p]
    pieces = []
    for word in raw:
        lower = word.lower()
        if lower in SLOT_SPELLINGS or lower == "one's":
            pieces.append(SLOT_SPELLINGS.get(lower, lower))
            continue
        for piece in PIECE_BREAK.split(word):
            if not piece:
                continue
            if not PIECE.fullmatch(piece.lower()) or (piece != piece.lower() and len(piece) > 1):
                return None  # digits, signs, or a name's capital
            pieces.append(piece.lower())
    while pieces and pieces[-1] in SLOTS:
        pieces.pop()
    if len(pieces) < 2 or len(pieces) > MOST_PIECES or pieces[0] in SLOTS:
        return None
    return pieces


def _word_scores(items, extra, selector):
    """word -> score for every dictionary word and every form ECDICT reduces to one."""
    scores = {i.word: i.score for i in extra}
    scores.update({i.word: i.score for i in items})
    for form, bases in selector.bases.items():
        known = [scores[b] for b in bases if b in scores]
        if form not in scores and known:
            scores[form] = max(known)
    return scores


def derive(selector, items, extra):
    """(key, headword, gloss, opaque) rows, by key."""
    scores = _word_scores(items, extra, selector)
    frequent = THRESHOLDS[0]
    chosen = {}
    # Where several headwords give one key, the dictionary's own spelling ("x-ray"), then a
    # hyphenated one, is the one a reader is shown.
    def preference(headword):
        return (headword.lower() not in scores, " " in headword, headword)
    for headword in sorted(selector.package.entries, key=preference):
        if " " not in headword and not re.search(r"[a-zA-Z][-'][a-zA-Z]", headword):
            continue
        pieces = key_pieces(headword)
        if pieces is None:
            continue
        key = " ".join(pieces)
        if key in chosen:
            continue
        words = [p for p in pieces if p not in SLOTS]
        if any(len(w) > 1 and w not in scores for w in words):
            continue
        opaque = key in OPAQUE
        if not opaque and all(len(w) == 1 or scores[w] >= frequent for w in words):
            continue
        entry = selector.package.entries[headword]
        text = glosses.dictionary_gloss(entry, domains=False)
        if not text:
            continue
        chosen[key] = (key, headword, text, "1" if opaque else "0")
    return [chosen[k] for k in sorted(chosen)]
