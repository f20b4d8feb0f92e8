"""The tagger's data and the senses by part of speech, derived from small hand-made packages and
entries; no package needed."""

import io
import os
import sys
import tarfile
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import senses, tagger  # noqa: E402
from derive_data.source import Entry  # noqa: E402


def entry(word, translation):
    return Entry(word=word, definition="", translation=translation, tags=frozenset(), collins=0,
                 oxford=False, bnc=0, frq=0, exchange={})


def tarball(directory, files):
    path = os.path.join(directory, "package.tgz")
    with tarfile.open(path, "w:gz") as tar:
        for name, text in files.items():
            data = text.encode("utf-8")
            info = tarfile.TarInfo(name)
            info.size = len(data)
            tar.addfile(info, io.BytesIO(data))
    return path


class TaggerData(unittest.TestCase):
    def test_lexicon_keeps_known_tags_and_words_a_row_can_hold(self):
        lexicon = ('var lexicon = {\n'
                   '    "#": "#",\n'
                   '    "bore": "VBD|VBP|JJ|NN",\n'
                   '    "smile\\u00e9": "EM",\n'
                   '    "has space": "NN",\n'
                   '    "A": "DT|JJ|NNP|NNS|PRP|FW|LS|NNPS|VB",\n'
                   '    "odd": "JJSS|JJ",\n'
                   '    "n\'t": "RB"\n'
                   '};\n')
        with tempfile.TemporaryDirectory() as directory:
            rows = tagger.lexicon_rows(tarball(directory, {tagger.LEXICON_PATH: lexicon}))
        self.assertEqual(rows, [("bore", "VBD|VBP|JJ|NN"), ("A", "DT|JJ|NNP|NNS|PRP|FW|LS|NNPS"),
                                ("odd", "JJ"), ("n't", "RB")])

    def test_rules_keep_their_order_and_name_their_condition(self):
        conditions = "exports.conditions = {\n    PREVTAG: 2,\n    PREV2TAG: 17,\n    PREVTAG2: 41,\n};\n"
        rules = ('exports.rules = [\n'
                 '    {\n        "from": "NN",\n        "to": "VB",\n        "type": 2,\n'
                 '        "c1": "TO",\n        "secondRun": false,\n        "verify": true,\n    },\n'
                 '    {\n        "from": "JJ",\n        "to": "NNS",\n        "type": 2,\n'
                 '        "cr": /^\\d{2,}s$/,\n        "secondRun": true,\n    },\n'
                 '    {\n        "from": "VBD",\n        "to": "VBN",\n        "type": 17,\n'
                 '        "c1": "MD",\n        "secondRun": true,\n    },\n'
                 '    {\n        "from": "",\n        "type": null,\n        "secondRun": false,\n    },\n'
                 '];\n')
        with tempfile.TemporaryDirectory() as directory:
            rows = tagger.rule_rows(tarball(directory, {tagger.RULES_PATH: rules,
                                                        tagger.CONDITIONS_PATH: conditions}))
        # The rule on a regular expression and the empty one are left out; PREV2TAG with one
        # tag is the tag two before.
        self.assertEqual(rows, [("NN", "VB", "PREVTAG", "TO", "", "", "0", "1"),
                                ("VBD", "VBN", "PREVTAG2", "MD", "", "", "1", "0")])


class Senses(unittest.TestCase):
    def test_each_part_of_speech_gets_its_cleaned_line(self):
        wound = entry("wound", "n. 创伤, 伤口\\nvt. 伤害, 使受伤\\nvi. 打伤\\nwind的过去式和过去分词\\n[医] 伤")
        self.assertEqual(senses.class_glosses(wound),
                         [("n", "创伤，伤口"), ("v", "伤害，使受伤，打伤")])

    def test_the_shown_glosss_first_sense_leads_its_line(self):
        fine = entry("fine", "n. 罚款\\na. 晴朗的, 健康的, 好的")
        self.assertEqual(senses.class_glosses(fine, shown="好的，精致的，罚款"),
                         [("n", "罚款"), ("a", "好的，晴朗的，健康的")])

    def test_rows_for_words_of_two_classes_and_for_past_forms_of_their_own(self):
        class Selector:
            cedict = None
            package = type("P", (), {"entries": {
                "bear": entry("bear", "n. 熊\\nvt. 忍受, 支承"),
                "apple": entry("apple", "n. 苹果"),
                "bore": entry("bore", "n. 令人讨厌的人\\nvt. 使烦扰"),
                "fine": entry("fine", "n. 罚款\\na. 好的"),
            }})

            def family(self, word):
                return frozenset({word})

            def base_senses(self, word):
                return frozenset()

            def own(self, word):
                return frozenset({word})

        item = type("Item", (), {})
        items = []
        for word, text in (("bear", "熊，忍受"), ("apple", "苹果"), ("fine", "好的，精致的，罚款")):
            i = item()
            i.word, i.gloss = word, text
            items.append(i)
        rows = senses.derive(Selector(), items, [], [("bear", "bore", "born")])
        # "apple" has one class; "fine" keeps its reviewed gloss; "bore" is a past form with an
        # entry of its own.
        self.assertEqual(rows, [("bear", "n", "熊"), ("bear", "v", "忍受，支承"),
                                ("bore", "n", "令人讨厌的人"), ("bore", "v", "使烦扰")])


if __name__ == "__main__":
    unittest.main()
