"""The steps' exam coverage, measured on small hand-made tables; no package needed."""

import os
import sys
import unittest
from types import SimpleNamespace

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import exam_steps  # noqa: E402


def items(count):
    """main.dic's items in file order, alphabetical like the real one, scores falling with
    the number: w00000 is the most frequent."""
    return [SimpleNamespace(word=f"w{i:05d}", score=float(count - i)) for i in range(count)]


def shares(rows, exam):
    return {step: float(share) for e, step, share in rows if e == exam}


class ExamStepsTest(unittest.TestCase):
    def test_a_step_covers_the_exam_words_among_its_most_frequent(self):
        # cet4's words: two inside the first 2,000, one at rank 3,999 (step 2 reaches it),
        # one at rank 4,000 (step 3), one main.dic lacks (never covered).
        tagged = {"w00000": {"cet4"}, "w01999": {"cet4"}, "w03999": {"cet4"},
                  "w04000": {"cet4", "gre"}, "absent": {"cet4"}}
        rows = exam_steps.derive(tagged, items(30000))
        cet4 = shares(rows, "cet4")
        self.assertEqual([cet4[s] for s in (1, 2, 3, 11)], [0.4, 0.6, 0.8, 0.8])
        self.assertEqual(shares(rows, "gre")[2], 0.0)
        self.assertEqual(shares(rows, "gre")[3], 1.0)
        self.assertNotIn("zk", {e for e, _, _ in rows})  # no tagged word, no row

    def test_the_order_is_by_falling_score_not_file_order(self):
        reversed_items = list(reversed(items(5000)))  # file order no longer the rank
        rows = exam_steps.derive({"w00000": {"zk"}, "w04999": {"zk"}}, reversed_items)
        self.assertEqual(shares(rows, "zk")[1], 0.5)

    def test_tagged_words_are_plain_headwords_written_small(self):
        entry = lambda *tags: SimpleNamespace(tags=frozenset(tags))  # noqa: E731
        package = SimpleNamespace(entries={"Apple": entry("zk", "gk"), "apple": entry("cet4"),
                                           "New York": entry("gk"), "ox": entry("bnc")})
        self.assertEqual(exam_steps.tagged_words(package), {"apple": {"zk", "gk", "cet4"}})


if __name__ == "__main__":
    unittest.main()
