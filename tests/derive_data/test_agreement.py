"""The data tools' Python lookup and vellumwise-tool gloss a text alike.

tools/check-data.py judges the data by the glosses lookup.py computes and the names names.py
finds, so both must do exactly what the program does. Needs VELLUMWISE_TOOL (the built vellumwise-tool),
VELLUMWISE_DATA_DIR and VELLUMWISE_AGREEMENT_TEXT; the tool reads main.dic beside itself.
"""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import lookup, names  # noqa: E402


def read_rows(path):
    with open(path, encoding="utf-8") as tsv:
        return [line.rstrip("\n").split("\t") for line in tsv if not line.startswith("#")]


class Agreement(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tool = os.environ["VELLUMWISE_TOOL"]
        data = os.environ["VELLUMWISE_DATA_DIR"]
        cls.text = os.environ["VELLUMWISE_AGREEMENT_TEXT"]
        # --original reads main.dic alone; by default the tool loads supplement.dic after it,
        # as the window does.
        rows = read_rows(os.path.join(data, "dictionary.tsv"))
        supplement = []
        if os.path.exists(os.path.join(data, "supplement.tsv")):
            supplement = read_rows(os.path.join(data, "supplement.tsv"))
        verbs = [tuple(r) for r in read_rows(os.path.join(data, "irregular-verbs.tsv"))]
        medical = [tuple(r) for r in read_rows(os.path.join(data, "medical-glossary.tsv"))]
        science = [tuple(r) for r in read_rows(os.path.join(data, "science-glossary.tsv"))]

        def dictionary(rows):
            items = [lookup.Item(w, g, float(s)) for w, g, s in rows]
            return lookup.Dictionary(items, verbs, science=science, medical=medical)
        cls.original = dictionary(rows)
        cls.dic = dictionary(rows + supplement)

    def tool_glosses(self, level, switches):
        # Without --no-personal a reader's known list would take glosses away from the tool;
        # the Python copy has no context, so the tool is held to it with the choice off.
        out = subprocess.run([self.tool, "gloss", "--no-personal", "--no-context", "--level",
                              str(level), *switches, "--format", "tsv", self.text],
                             check=True, capture_output=True).stdout.decode("utf-8")
        rows = [line.split("\t") for line in out.splitlines()]
        return [(int(p), int(i), token, text) for p, i, token, text in rows]

    def python_glosses(self, level, medical, science, skip_names=False, original=True):
        with open(self.text, "rb") as text:
            data = text.read()
        skipped = names.names(data) if skip_names else set()
        uses = names.word_uses(data)
        dic = self.original if original else self.dic
        rows = []
        for p, paragraph in enumerate(lookup.paragraphs(data)):
            for i, token in enumerate(lookup.tokens(paragraph)):
                word = lookup.lower_ascii(token).decode("utf-8")
                threshold = lookup.THRESHOLDS[level - 1]
                if word in skipped or (not original and names.is_no_word_to_gloss(
                        word, uses.get(word, (0, 0, 0)))):
                    text = ""
                elif original:
                    text = dic.translate(word, threshold, medical, science)
                else:
                    small, capitalised, _ = uses.get(word, (0, 0, 0))
                    text = dic.translate_all(word, threshold, medical, science,
                                             may_reduce=small >= capitalised)
                rows.append((p, i, token.decode("utf-8"), text))
        return rows

    def test_every_token_at_each_setting_of_the_original_glossing(self):
        for level in (1, 3, 6, 11):
            for medical in (False, True):
                for science in (False, True):
                    switches = (["--medical"] if medical else []) + (["--science"] if science else [])
                    with self.subTest(level=level, medical=medical, science=science):
                        tool = self.tool_glosses(level, switches + ["--original"])
                        python = self.python_glosses(level, medical, science)
                        self.assertTrue(any(text for *_, text in tool))
                        self.assertEqual([r for r in tool if r[3]], [r for r in python if r[3]])
                        self.assertEqual(tool, python)

    def test_the_additions_names_supplement_and_further_reductions(self):
        for level in (1, 3, 11):
            with self.subTest(level=level):
                tool = self.tool_glosses(level, ["--no-personal"])
                self.assertEqual(tool, self.python_glosses(level, False, False, skip_names=True,
                                                           original=False))
                if level < 11:  # at step 11 the text's names are all known words anyway
                    self.assertNotEqual(tool, self.tool_glosses(level, ["--original"]))


if __name__ == "__main__":
    unittest.main()
