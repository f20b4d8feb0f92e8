"""The irregular-verb table: base, past and participle, one row per pairing of variant forms."""

import re

ROWS = 447
UNRANKED = 1 << 30
WORD = re.compile(r"[a-z]+")
VERB_SENSE = re.compile(r"(^|\\n)\s*(v|vt|vi|aux|vbl)\.")
# A form's own senses that say whose past it is: "relight的过去式和过去分词", "outride的过去分词".
FORM_NOTE = re.compile(r"([a-z]+)\s*的过去(式和过去分词|式|分词)")
# Prefixes that leave a verb's inflection as it was: outgo/outwent, overlay/overlaid, upbuild/upbuilt.
PREFIXES = ("under", "inter", "with", "over", "fore", "back", "mis", "out", "re", "un", "up", "in", "be")

# Rows that ECDICT's forms cannot give. The modal verbs, whose past serves as both forms, and
# the four spellings of "cleave". Verbs whose base form serves unchanged as past and participle,
# which ECDICT records only in their regular spelling (shed, fit, bust, knit, bid at auction) or
# not at all (mishit, rebid, resit, unspin, inbreed); sneak/snuck and slink/slunk, whose past
# ECDICT gives only as a headword of its own.
EXTRA = {
    "can": [("could", "could")],
    "may": [("might", "might")],
    "shall": [("should", "should")],
    "will": [("would", "would")],
    "cleave": [("cleaved", "cleaved"), ("cleft", "cleft"), ("clove", "cleft"), ("clove", "cloven")],
    "get": [("got", "got"), ("got", "gotten")],
    "bid": [("bade", "bidden"), ("bid", "bid")],
    "bust": [("bust", "bust"), ("busted", "busted")],
    "fit": [("fit", "fit"), ("fitted", "fitted")],
    "knit": [("knit", "knit"), ("knitted", "knitted")],
    "shed": [("shed", "shed")],
    "sneak": [("sneaked", "sneaked"), ("snuck", "snuck")],
    "slink": [("slunk", "slunk")],
    "mishit": [("mishit", "mishit")],
    "rebid": [("rebid", "rebid")],
    "resit": [("resat", "resat")],
    "unspin": [("unspun", "unspun")],
    "inbreed": [("inbred", "inbred")],
    # ECDICT gives overlay only as a noun, yet lists its past overlaid.
    "overlay": [("overlaid", "overlaid")],
}

# Spellings in the source that are slips or dialect rather than accepted forms.
NOT_FORMS = {"spotcheck", "nippped", "bited", "het", "honied", "fraid", "spaid", "belaid", "gript",
             "gnawn", "shedded", "blowed", "hyphened", "skulled", "treaded", "costed", "inputted",
             "typecasted", "slidden", "grinded", "smited", "slinked", "stook", "strew", "furtherst",
             "are", "staid", "chidded", "outriden", "chivvied"}
# Archaic spellings (blent, curst, tost, wrapt, dript), adjectives that are no longer
# participles (carven, graven, liven, molten, laden of load), and pasts that belong to another
# sense or word (crew, pent, quoth, wrought): a reader meets the word itself, which is an entry.
DOUBTFUL = {"blend": {"blent"}, "carve": {"carven"}, "crow": {"crew"}, "curse": {"curst"},
            "toss": {"tost"}, "work": {"wrought"}, "wrap": {"wrapt"}, "drip": {"dript"},
            "liven": {"liven"}, "pen": {"pent"}, "grave": {"graven"}, "load": {"laden"},
            "quote": {"quoth"}, "melt": {"molten"}, "shit": {"shitted"}, "retread": {"retrodden"},
            "spit": {"spitted"}, "speak": {"spake"}, "dig": {"digged"}}


def _regular(base, form):
    forms = {base + "ed", base + base[-1] + "ed", base + "ked"}
    if base.endswith("e"):
        forms.add(base + "d")
    if base.endswith("y"):
        forms.add(base[:-1] + "ied")
    return form in forms


def _forms(entries):
    """base -> (pasts, participles) from ECDICT's exchange field, read in both directions.

    A form's own entry often marks a plain past as "past and participle" (ate, fell, rang,
    woke); where the base's own entry gives a strong verb a participle of its own, that claim
    is not taken. Weak variants serve as both (burned and burnt, smelled and smelt), and so do
    the pasts in u that dictionaries accept beside those in a (sung, sunk, shrunk, sprung).
    """
    past, part = {}, {}
    own = {}
    for word, entry in entries.items():
        if not WORD.fullmatch(word):
            continue
        ex = entry.exchange
        p, d = ex.get("p", ""), ex.get("d", "")
        if WORD.fullmatch(p):
            past.setdefault(word, set()).add(p)
        if WORD.fullmatch(d):
            part.setdefault(word, set()).add(d)
        own[word] = (p, d)
    for word, entry in entries.items():
        if not WORD.fullmatch(word):
            continue
        base, kinds = entry.exchange.get("0", ""), entry.exchange.get("1", "")
        if not WORD.fullmatch(base) or base == word:
            continue
        own_past, own_part = own.get(base, ("", ""))
        distinct = own_past and own_part and own_past != own_part and \
            not _regular(base, own_past) and not _regular(base, own_part)
        if "p" in kinds:
            past.setdefault(base, set()).add(word)
        if "d" in kinds and not (distinct and word == own_past):
            part.setdefault(base, set()).add(word)
    return past, part


def _add_prefixed_forms(entries, past, part):
    """Prefixed verbs inflect like their simple verb (outride/outrode/outridden), where ECDICT
    confirms each such form: in the base's exchange, or in the form's own senses."""
    noted = {}
    for word, entry in entries.items():
        if WORD.fullmatch(word):
            for match in FORM_NOTE.finditer(entry.translation):
                noted.setdefault(match.group(1), []).append((word, match.group(2)))
    for base, forms in noted.items():
        prefix = next((p for p in PREFIXES if base.startswith(p) and base[len(p):] in past), None)
        if prefix is None or base not in entries:
            continue
        simple = base[len(prefix):]
        for form, kind in forms:
            stem = form[len(prefix):] if form.startswith(prefix) else None
            if stem is None or _regular(base, form):
                continue
            if "式" in kind and stem in past.get(simple, ()):
                past.setdefault(base, set()).add(form)
            if "分词" in kind and stem in part.get(simple, ()):
                part.setdefault(base, set()).add(form)


def _add_lemma_forms(package, past, part):
    """Irregular forms that only the lemma list knows (stink: stunk, plead: pled, heave: hove).

    A spelling in -n is a participle; any other serves as both forms unless its own entry says.
    """
    for base, lemma in package.lemmas.items():
        entry = package.entries.get(base)
        if entry is None or not WORD.fullmatch(base) or not VERB_SENSE.search(entry.translation):
            continue
        if not any(f.endswith("ing") for f in lemma.forms):
            continue
        known = past.get(base, set()) | part.get(base, set())
        for form in lemma.forms:
            if not WORD.fullmatch(form) or len(form) < 3 or form in known or form == base or \
                    form.endswith(("s", "ing", "er", "est")) or _regular(base, form):
                continue
            own = package.entries.get(form)
            kinds = own.exchange.get("1", "") if own and own.exchange.get("0") == base else ""
            if own and own.exchange.get("0") == base and not set(kinds) & set("pd"):
                continue  # a present form ("are"), not a past
            if "p" in kinds or (not kinds and not form.endswith("n")):
                past.setdefault(base, set()).add(form)
            if "d" in kinds or not kinds:
                part.setdefault(base, set()).add(form)


def _pair(base, pasts, participles):
    """A past pairs with the same participle spelling. A past that is no participle pairs with
    the participles that are no past and with the irregular spellings that are both (shrank:
    shrunken, shrunk), and the other way round; regular spellings pair only with themselves
    (lie: lay, lain and lied, lied)."""
    rows = {(p, p) for p in pasts if p in participles}
    shared = {f for f in pasts & participles if not _regular(base, f)}
    lone_past = pasts - participles
    lone_part = participles - pasts
    rows |= {(p, d) for p in lone_past for d in ((lone_part | shared) if lone_part else participles)}
    rows |= {(p, d) for d in lone_part for p in ((lone_past | shared) if lone_past else pasts)}
    return sorted(rows)


def _attested(package, base, form, noted):
    """An irregular spelling counts only when the lemma list or the form's own entry confirms it."""
    if _regular(base, form) or form == base or form in noted:
        return True
    lemma = package.lemmas.get(base)
    entry = package.entries.get(form)
    return (lemma is not None and form in lemma.forms) or \
        (entry is not None and entry.exchange.get("0") == base)


def _rank(package, base):
    entry = package.entries.get(base)
    ranks = [r for r in (entry and entry.corpus_rank(), package.lemma_rank.get(base)) if r]
    return min(ranks) if ranks else UNRANKED


def derive(package):
    entries = package.entries
    past, part = _forms(entries)
    simple_past, simple_part = {b: set(f) for b, f in past.items()}, {b: set(f) for b, f in part.items()}
    _add_prefixed_forms(entries, past, part)
    noted = {f for b in past for f in past[b] - simple_past.get(b, set())} | \
        {f for b in part for f in part[b] - simple_part.get(b, set())}
    _add_lemma_forms(package, past, part)
    for table in (past, part):
        for base in table:
            table[base] = {f for f in table[base] if f not in NOT_FORMS
                           and f not in DOUBTFUL.get(base, ())
                           and not f.endswith("ing") and _attested(package, base, f, noted)}
    forms_of_others = {f for table in (past, part) for b, fs in table.items() for f in fs if f != b}
    groups = {}
    for base in set(past) & set(part):
        if not past[base] or not part[base]:
            continue
        if base.endswith("ed") and past[base] == part[base] == {base}:
            continue  # an adjective in -ed ("bewildered"), not a verb whose forms need a table
        if base in forms_of_others and past[base] | part[base] == {base}:
            continue  # itself a past form ("resold"), listed under its own base
        entry = entries.get(base)
        if entry is None or not VERB_SENSE.search(entry.translation):
            continue
        if entry.exchange.get("0", base) != base and entry.exchange.get("p", base) == base:
            continue  # an adjective made from a past form ("abandoned"), not a verb of its own
        forms = (past[base] | part[base]) - {base + "s"}
        if all(_regular(base, f) for f in forms if f != base) and base not in forms:
            continue
        if _rank(package, base) == UNRANKED:
            continue  # no corpus has it: archaic or a dictionary curiosity (abye, begird)
        groups[base] = (_rank(package, base), _pair(base, past[base], part[base]))
    for base, rows in EXTRA.items():
        groups[base] = (_rank(package, base), rows)
    chosen, total = [], 0
    must = set(EXTRA) | {"be", "lie", "lay", "read"}
    for base in sorted(must):
        chosen.append(base)
        total += len(groups[base][1])
    for base in sorted(groups, key=lambda b: (groups[b][0], b)):
        if base in must:
            continue
        size = len(groups[base][1])
        if total + size <= ROWS:
            chosen.append(base)
            total += size
        if total == ROWS:
            break
    return [(base, p, d) for base in sorted(chosen) for p, d in groups[base][1]]
