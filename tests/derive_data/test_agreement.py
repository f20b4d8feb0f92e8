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
        # The tool loads supplement.dic after main.dic, as the window does.
        rows = read_rows(os.path.join(data, "dictionary.tsv"))
        if os.path.exists(os.path.join(data, "supplement.tsv")):
            rows += read_rows(os.path.join(data, "supplement.tsv"))
        items = [lookup.Item(w, g, float(s)) for w, g, s in rows]
        verbs = [tuple(r) for r in read_rows(os.path.join(data, "irregular-verbs.tsv"))]
        medical = [tuple(r) for r in read_rows(os.path.join(data, "medical-glossary.tsv"))]
        science = [tuple(r) for r in read_rows(os.path.join(data, "science-glossary.tsv"))]
        cls.dic = lookup.Dictionary(items, verbs, science=science, medical=medical)

    def tool_glosses(self, level, switches):
        # Without --no-personal a reader's known list would take glosses away from the tool.
        out = subprocess.run([self.tool, "gloss", "--no-personal", "--level", str(level), *switches,
                              "--format", "tsv", self.text],
                             check=True, capture_output=True).stdout.decode("utf-8")
        rows = [line.split("\t") for line in out.splitlines()]
        return [(int(p), int(i), token, text) for p, i, token, text in rows]

    def python_glosses(self, level, medical, science, skip_names=False):
        with open(self.text, "rb") as text:
            data = text.read()
        skipped = names.names(data) if skip_names else set()
        rows = []
        for p, paragraph in enumerate(lookup.paragraphs(data)):
            for i, token in enumerate(lookup.tokens(paragraph)):
                word = lookup.lower_ascii(token).decode("utf-8")
                text = "" if word in skipped else self.dic.translate(
                    word, lookup.THRESHOLDS[level - 1], medical, science)
                rows.append((p, i, token.decode("utf-8"), text))
        return rows

    def test_every_token_at_each_setting(self):
        for level in (1, 3, 6, 11):
            for medical in (False, True):
                for science in (False, True):
                    switches = (["--medical"] if medical else []) + (["--science"] if science else [])
                    with self.subTest(level=level, medical=medical, science=science):
                        tool = self.tool_glosses(level, switches + ["--names"])
                        python = self.python_glosses(level, medical, science)
                        self.assertTrue(any(text for *_, text in tool))
                        self.assertEqual([r for r in tool if r[3]], [r for r in python if r[3]])
                        self.assertEqual(tool, python)

    def test_names_unglossed_as_the_tool_leaves_them(self):
        for level in (1, 3, 11):
            with self.subTest(level=level):
                tool = self.tool_glosses(level, [])
                self.assertEqual(tool, self.python_glosses(level, False, False, skip_names=True))
                if level < 11:  # at step 11 the text's names are all known words anyway
                    self.assertNotEqual(tool, self.tool_glosses(level, ["--names"]))


if __name__ == "__main__":
    unittest.main()
