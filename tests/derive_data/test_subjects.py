"""The subjects' tables, derived from small hand-made packages; no package needed."""

import os
import sys
import unittest
from types import SimpleNamespace

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import subjects  # noqa: E402
from derive_data.source import Entry  # noqa: E402


def entry(word, *lines):
    return Entry(word=word, definition="", translation="\\n".join(lines), tags=frozenset(),
                 collins=0, oxford=False, bnc=0, frq=0, exchange={})


# Two other entries label 溶液 with [化] and none leaves it unlabelled, so it is chemistry's
# term; 设备 is everyday Chinese that unlabelled lines use more often than [化] lines.
OTHERS = [entry("brine", "n. 盐水", "[化] 溶液"), entry("tincture", "n. 酊剂", "[化] 溶液"),
          entry("plant", "n. 设备, 工厂"), entry("rig", "n. 设备"), entry("kit", "n. 设备"),
          entry("outfit", "n. 服装", "[化] 设备"), entry("gear", "n. 齿轮", "[化] 设备")]


def derive(*words):
    package = SimpleNamespace(entries={e.word: e for e in list(words) + OTHERS})
    items = [SimpleNamespace(word=e.word, gloss=g) for e, g in words_and_glosses(words)]
    return subjects.derive(package, items, [])


def words_and_glosses(words):
    for e in words:
        first_line = e.translation.split("\\n")[0]
        yield e, "，".join(i.strip() for i in first_line.split(". ", 1)[1].split(","))


class SubjectRows(unittest.TestCase):
    def test_a_field_sense_the_ordinary_lines_share_is_kept_first(self):
        words, senses = derive(entry("solution", "n. 解决, 解答, 溶液", "[化] 溶液"))
        self.assertIn(("solution", "理化"), words)
        # 解答 repeats 解决 but for one character and goes.
        self.assertEqual(senses, [("solution", "理化", "n", "溶液，解决")])

    def test_the_rule_does_not_fire(self):
        cases = [
            # A specialist's sense the ordinary lines never give.
            entry("butterfly", "n. 蝴蝶", "[医] 蝶式棉块, 翼形皮癣"),
            # An everyday word a field's line happens to repeat.
            entry("equipment", "n. 装备, 设备", "[化] 设备"),
            # A synonym of the sense shown (a shared character).
            entry("stripe", "n. 斑纹, 条纹", "[医] 条纹"),
            # The sense shown is the field's already.
            entry("methane", "n. 甲烷, 沼气", "[化] 沼气, 甲烷"),
            # A verb line's item.
            entry("dissolve", "vt. 解散, 溶液", "[化] 溶液"),
        ]
        for case in cases:
            with self.subTest(case.word):
                words, senses = derive(case)
                self.assertEqual(senses, [])
                self.assertTrue(words)  # its lines still count for the profile

    def test_reviewed_rows_are_left_out(self):
        word = next(w for w, s in sorted(subjects.REVIEWED_OUT) if s == "理化")
        lines = ("n. 甲, 溶液", "[化] 溶液")
        self.assertEqual(derive(entry(word, *lines))[1], [])
        self.assertEqual(len(derive(entry("kept", *lines))[1]), 1)

    def test_a_word_without_field_lines_has_no_row(self):
        self.assertEqual(derive(entry("dog", "n. 狗")), ([], []))


if __name__ == "__main__":
    unittest.main()
