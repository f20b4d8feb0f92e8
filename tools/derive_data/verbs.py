"""The irregular-verb table: base, past and participle, one row per pairing of variant forms."""

import re

ROWS = 447
WORD = re.compile(r"[a-z]+")
VERB_SENSE = re.compile(r"(^|\\n)\s*(v|vt|vi|aux)\.")

# Rows that ECDICT's exchange data cannot give: the modal verbs, whose past serves as both
# forms, and the four spellings of "cleave".
EXTRA = {
    "can": [("could", "could")],
    "may": [("might", "might")],
    "shall": [("should", "should")],
    "will": [("would", "would")],
    "cleave": [("cleaved", "cleaved"), ("cleft", "cleft"), ("clove", "cleft"), ("clove", "cloven")],
    "get": [("got", "got"), ("got", "gotten")],
}

# Spellings in the source that are slips or dialect rather than accepted forms.
NOT_FORMS = {"spotcheck", "nippped", "bited", "het", "honied", "fraid", "spaid", "belaid", "gript",
             "gnawn", "shedded", "blowed", "hyphened", "skulled", "treaded", "costed", "inputted",
             "typecasted", "slidden", "grinded", "smited", "slinked", "stook", "strew", "furtherst", "are", "staid"}


def _regular(base, form):
    forms = {base + "ed", base + base[-1] + "ed", base + "ked"}
    if base.endswith("e"):
        forms.add(base + "d")
    if base.endswith("y"):
        forms.add(base[:-1] + "ied")
    return form in forms


def _forms(entries):
    """base -> (pasts, participles) from ECDICT's exchange field, read in both directions."""
    past, part = {}, {}
    for word, entry in entries.items():
        if not WORD.fullmatch(word):
            continue
        ex = entry.exchange
        if WORD.fullmatch(ex.get("p", "")):
            past.setdefault(word, set()).add(ex["p"])
        if WORD.fullmatch(ex.get("d", "")):
            part.setdefault(word, set()).add(ex["d"])
        base, kinds = ex.get("0", ""), ex.get("1", "")
        if WORD.fullmatch(base) and base != word:
            if "p" in kinds:
                past.setdefault(base, set()).add(word)
            if "d" in kinds:
                part.setdefault(base, set()).add(word)
    return past, part


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


def _pair(pasts, participles):
    """A past pairs with the same participle spelling; the leftovers pair with each other."""
    rows = [(p, p) for p in sorted(pasts) if p in participles]
    lone_past = sorted(p for p in pasts if p not in participles)
    lone_part = sorted(p for p in participles if p not in pasts)
    rows += [(p, d) for p in lone_past for d in lone_part]
    if lone_past and not lone_part:
        rows += [(p, d) for p in lone_past for d in sorted(participles)]
    if lone_part and not lone_past:
        rows += [(p, d) for p in sorted(pasts) for d in lone_part]
    return sorted(rows)


def _attested(package, base, form):
    """An irregular spelling counts only when the lemma list or the form's own entry confirms it."""
    if _regular(base, form) or form == base:
        return True
    lemma = package.lemmas.get(base)
    entry = package.entries.get(form)
    return (lemma is not None and form in lemma.forms) or \
        (entry is not None and entry.exchange.get("0") == base)


def derive(package):
    entries = package.entries
    past, part = _forms(entries)
    _add_lemma_forms(package, past, part)
    for table in (past, part):
        for base in table:
            table[base] = {f for f in table[base] if f not in NOT_FORMS
                           and not f.endswith("ing") and _attested(package, base, f)}
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
        rank = min(r for r in (entry.corpus_rank(), package.lemma_rank.get(base)) if r) \
            if entry.corpus_rank() or package.lemma_rank.get(base) else None
        if rank is None:
            continue
        groups[base] = (rank, _pair(past[base], part[base]))
    for base, rows in EXTRA.items():
        rank = groups.get(base, (package.lemma_rank.get(base, 1), None))[0]
        groups[base] = (rank, rows)
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
