"""The reader's side of the data: the constant prefix index, the tokenizer and Translate.

Mirrors what the program does with main.dic, so that the data can be judged by the glosses
a reader will actually see.
"""

from dataclasses import dataclass

# The constant two-letter index the program is built with: (prefix, 1-based start position).
PREFIX_TABLE_TEXT = """
a 1, ab 2, ac 108, ad 248, ae 380, af 397, ag 447, ah 498, ai 502, aj 531, ak 532, al 534, am 666, an 759, ao 944, ap 945, aq 1059, ar 1066, as 1204, at 1335, au 1399, av 1478, aw 1511, ax 1533, ay 1540, az 1542
ba 1545, be 1784, bi 2004, bl 2097, bo 2213, br 2377, bu 2559, by 2705
ca 2719, ce 3094, ch 3169, ci 3431, cl 3486, co 3634, cr 4618, cu 4802, cy 4911, cz 4931
da 4932, de 5030, di 5545, do 6035, dr 6169, du 6274, dw 6339, dy 6345
ea 6363, eb 6406, ec 6412, ed 6441, ee 6460, ef 6464, eg 6496, eh 6511, ei 6512, ej 6522, ek 6526, el 6527, em 6613, en 6708, eo 6921, ep 6925, eq 6954, er 6983, es 7014, et 7055, eu 7077, ev 7092, ew 7140, ex 7142, ey 7408
fa 7419, fe 7593, fi 7707, fj 7867, fl 7868, fo 8027, fr 8245, fu 8381
ga 8461, ge 8575, gh 8668, gi 8672, gl 8714, gn 8790, go 8801, gr 8882, gu 9083, gy 9152
ha 9166, he 9378, hi 9563, ho 9649, hu 9831, hy 9916
i 9970, ia 9971, ib 9972, ic 9974, id 9992, if 10027, ig 10028, il 10040, im 10070, in 10254, io 11029, ir 11035, is 11087, it 11104, iv 11118
ja 11120, je 11160, ji 11194, jo 11206, ju 11240
ka 11295, ke 11307, kh 11336, ki 11338, kl 11391, kn 11393, ko 11423, kr 11426, ku 11427
la 11428, le 11617, li 11754, ll 11949, lo 11951, lu 12102, ly 12164
ma 12177, me 12554, mi 12751, mm 12981, mn 12982, mo 12984, mr 13228, mu 13230, my 13335
na 13359, ne 13432, ni 13553, no 13612, nu 13742, ny 13796
oa 13799, ob 13811, oc 13885, o' 13907, oc 13908, od 13916, oe 13929, of 13931, og 13961, oh 13964, oi 13966, ok 13972, ol 13974, om 13985, on 14001, oo 14020, op 14023, or 14078, os 14153, ot 14171, ou 14177, ov 14249, ow 14351, ox 14358, oy 14365, oz 14366
pa 14367, pe 14713, ph 15022, pi 15103, pl 15222, pn 15364, po 15366, pr 15601, ps 16161, pt 16189, pu 16192, py 16327
qu 16339
ra 16446, re 16621, rh 17360, ri 17381, ro 17456, ru 17567, ry 17642
sa 17643, sc 17850, se 18028, sh 18337, si 18528, sk 18684, sl 18731, sm 18831, sn 18872, so 18927, sp 19093, sq 19313, st 19341, su 19723, sv 20047, sw 20048, sy 20115
ta 20173, te 20319, th 20499, ti 20675, to 20760, tr 20894, tu 21174, tv 21241, tw 21242, ty 21272
ub 21293, ud 21295, ug 21296, uk 21300, ul 21302, um 21315, un 21322, up 21751, ur 21800, us 21816, ut 21834, uv 21848, ux 21849
va 21850, ve 21944, vi 22058, vo 22196, vu 22248, vy 22257
wa 22258, we 22407, wh 22482, wi 22575, wo 22677, wr 22762
xe 22802, xm 22806, x- 22807, xy 22808
ya 22810, ye 22820, yi 22836, yo 22838, yu 22855
za 22859, ze 22861, zi 22872, zo 22882, zu 22891, zy 22892
"""

ENTRY_COUNT = 22892

# Frequency thresholds of the vocabulary steps 1-11 (2000 to 22000 known words).
THRESHOLDS = (111.360763, 39.04262172, 18.96670773, 10.47903619, 6.142363749, 3.677666117,
              2.079185981, 1.141791663, 0.75879347, 0.447185898, 0.128595482)

IGNORE = "Ignore"
UNKNOWN = "Unknown"


def prefix_rows():
    """[(prefix, start, length)] in table order."""
    pairs = []
    for part in PREFIX_TABLE_TEXT.replace("\n", ", ").split(", "):
        if part.strip():
            prefix, start = part.strip().rsplit(" ", 1)
            pairs.append((prefix, int(start)))
    ends = [s for _, s in pairs[1:]] + [ENTRY_COUNT + 1]
    return [(p, s, e - s) for (p, s), e in zip(pairs, ends)]


@dataclass
class Item:
    word: str
    gloss: str
    score: float


class Dictionary:
    """Exact lookup and the word-form reductions of Translate, as the program does them.

    The program hashes every word of the list to its first entry in list order, so a word is
    found wherever it stands (the eight oc-words after o'clock too); the prefix table only
    describes the file's layout.
    """

    def __init__(self, items, verbs, science=(), medical=()):
        self.items = items
        self.first = {}
        for item in items:
            self.first.setdefault(item.word, item)
        self.verbs = verbs
        self.science = {}
        for term, gloss in science:
            self.science.setdefault(term, gloss)
        self.medical = {}
        for term, gloss in medical:
            self.medical.setdefault(term, gloss)

    def lookup_exact(self, word, threshold):
        if len(word) < 2:
            return ""
        item = self.first.get(word)
        if item is None:
            return UNKNOWN
        return item.gloss if threshold > item.score else IGNORE

    def find_base(self, word):
        for base, past, participle in self.verbs:
            if past == word or participle == word:
                return base
        return UNKNOWN

    def candidates(self, word):
        """(step, candidate) pairs of the dictionary steps, in order."""
        yield 1, word
        base = self.find_base(word)
        if base != UNKNOWN:
            yield 2, base
        if word.endswith("ing"):
            yield 3, word[:-3]
            yield 4, word[:-3] + "e"
        if word.endswith("s"):
            yield 5, word[:-1]
        if word.endswith("ed"):
            yield 6, word[:-2]
            yield 7, word[:-1]
        if word.endswith("ied"):
            yield 8, word[:-3] + "y"
        if word.endswith("es"):
            yield 9, word[:-2]
        if word.endswith("ies"):
            yield 10, word[:-3] + "y"

    def resolve(self, word, threshold):
        """(step, candidate, answer) of the dictionary step that decides, or None when none does."""
        for step, candidate in self.candidates(word):
            answer = self.lookup_exact(candidate, threshold)
            if answer != UNKNOWN:
                return step, candidate, answer
        return None

    def reached(self, word):
        """The entry word the dictionary steps take the word to, or None."""
        for _, candidate in self.candidates(word):
            if len(candidate) < 2:
                return None
            if candidate in self.first:
                return candidate
        return None

    def further(self, word, threshold):
        """(rule, entry word, gloss) of the reductions tried after Translate's own, or None."""
        def answer(rule, item, gloss):
            return rule, item.word, gloss if threshold > item.score else ""
        spelling = respelt(word)
        if spelling is not None and self.reached(spelling) is not None:
            return "spelling", self.reached(spelling), self.translate(spelling, threshold)
        size = len(word.encode())
        for ending, singular in LATIN_PLURALS:
            if word.endswith(ending) and size >= len(ending) + SHORTEST_BASE:
                item = self.first.get(word[:-len(ending)] + singular)
                if item is not None:
                    return answer("latin plural", item, item.gloss)
        for ending, cut, append, shape in DERIVATIONS:
            if not word.endswith(ending) or size < cut + SHORTEST_BASE or not _doubled(word, ending, cut):
                continue
            item = self.first.get(word[:-cut] + append)
            if item is None:
                continue
            gloss = reshape(item.gloss, shape)
            if gloss:
                return answer({"adverb": "-ly", "noun": "-ness", "more": "-er", "most": "-est"}[shape],
                              item, gloss)
        return None

    def translate_all(self, word, threshold, medical=False, science=False, may_reduce=True):
        """translate, then the further reductions for a word that is no name and reaches no entry."""
        gloss = self.translate(word, threshold, medical, science)
        if gloss or not may_reduce or len(word) < 2 or self.reached(word) is not None:
            return gloss
        found = self.further(word, threshold)
        return found[2] if found else ""

    def translate(self, word, threshold, medical=False, science=False):
        if len(word) < 2:
            return ""
        found = self.resolve(word, threshold)
        if found is not None:
            answer = found[2]
            return "" if answer == IGNORE else answer
        if science and word in self.science:
            return self.science[word]
        if medical and word in self.medical:
            return self.medical[word]
        return ""


# The reductions tried after Translate's own ones find no entry (FurtherReductions.cpp):
# (ending, cut, append, shape) in order, the first base that is an adjective deciding.
DERIVATIONS = (("ily", 3, "y", "adverb"), ("ably", 1, "e", "adverb"), ("ibly", 1, "e", "adverb"),
               ("ally", 4, "", "adverb"), ("ly", 2, "", "adverb"), ("iness", 5, "y", "noun"),
               ("ness", 4, "", "noun"), ("ier", 3, "y", "more"), ("er", 2, "", "more"),
               ("er", 1, "", "more"), ("er", 3, "", "more"), ("iest", 4, "y", "most"),
               ("est", 3, "", "most"), ("est", 2, "", "most"), ("est", 4, "", "most"))
BRITISH_ENDINGS = (("isations", "izations"), ("isation", "ization"), ("ising", "izing"),
                   ("ised", "ized"), ("ises", "izes"), ("ise", "ize"), ("ysing", "yzing"),
                   ("ysed", "yzed"), ("yses", "yzes"), ("yse", "yze"))
LATIN_PLURALS = (("ae", "a"), ("i", "us"), ("a", "um"))
SHORTEST_BASE = 3
DERIVED_ITEMS = 2


def respelt(word):
    """The word in the American or plain spelling, or None when it has no other."""
    result = word.replace("æ", "ae").replace("œ", "oe")
    for british, american in BRITISH_ENDINGS:
        if result.endswith(british) and len(result.encode()) > len(british) + 1:
            result = result[:-len(british)] + american
            break
    return None if result == word else result


def reshape(gloss, shape):
    """The adjective items (in 的) of a gloss said as the derived word's: '' when there are none."""
    items = []
    for item in gloss.split("，"):
        if len(items) == DERIVED_ITEMS or not item.endswith("的") or item == "的":
            continue
        stem = item[:-1]
        if shape == "adverb" and len(stem) == 1:
            continue  # 空的 is vacant, but 空地 is a vacant lot
        items.append({"adverb": stem + "地", "noun": stem, "more": "更" + item,
                      "most": "最" + item}[shape])
    return "，".join(items)


def _doubled(word, ending, cut):
    if (ending, cut) not in (("er", 3), ("est", 4)):
        return True
    at = len(word) - len(ending)
    return at >= 2 and word[at - 1] == word[at - 2]


BLANKS = (b" ", b"\t", "\u00a0".encode())
ASCII_SEPARATORS = frozenset(b"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~")
UNICODE_SEPARATORS = frozenset([chr(c).encode() for c in range(0x2010, 0x2028)] +
                               ["«".encode(), "»".encode()])


def paragraphs(data):
    """Splits text bytes at CR LF or a lone LF; empty paragraphs are dropped; a UTF-8 BOM goes."""
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    return [p for p in data.replace(b"\r\n", b"\n").split(b"\n") if p]


def tokens(line):
    """Tokens of one paragraph: words, separators (ASCII or the Unicode punctuation) and empties."""
    result, pending, i = [], bytearray(), 0
    while i < len(line):
        three, two = line[i:i + 3], line[i:i + 2]
        if two == BLANKS[2] or line[i:i + 1] in BLANKS[:2]:
            result.append(bytes(pending))
            pending.clear()
            i += 2 if two == BLANKS[2] else 1
        elif three in UNICODE_SEPARATORS or two in UNICODE_SEPARATORS:
            sep = three if three in UNICODE_SEPARATORS else two
            result.append(bytes(pending))
            result.append(sep)
            pending.clear()
            i += len(sep)
        elif line[i] in ASCII_SEPARATORS:
            result.append(bytes(pending))
            result.append(line[i:i + 1])
            pending.clear()
            i += 1
        else:
            pending.append(line[i])
            i += 1
    if pending:
        result.append(bytes(pending))
    return result


def lower_ascii(token):
    return token.translate(bytes.maketrans(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ", b"abcdefghijklmnopqrstuvwxyz"))


def word_tokens(data):
    """Lower-cased tokens of a text that hold an ASCII letter, as the reader meets them."""
    for paragraph in paragraphs(data):
        for token in tokens(paragraph):
            if any(65 <= b <= 90 or 97 <= b <= 122 for b in token):
                yield lower_ascii(token).decode("utf-8", "replace")
