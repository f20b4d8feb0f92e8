"""Sense order, cleaning, derivations, bound pieces and the supplement's spellings, on small
hand-made tables; no package needed."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))

from derive_data import casefold, cedict, derivation, dictionary, gloss, source, supplement  # noqa: E402
from derive_data.source import Entry, Lemma, Package  # noqa: E402


def entry(word, translation="", definition="", exchange="", bnc=0, tags="", oxford=False):
    return Entry(word=word, definition=definition, translation=translation,
                 tags=frozenset(tags.split()), collins=0, oxford=oxford, bnc=bnc, frq=0,
                 exchange=source._exchange(exchange))


def package(entries):
    return Package({e.word: e for e in entries}, {}, {}, "")


class NameSenses(unittest.TestCase):
    def test_a_gloss_that_only_spells_out_a_name_is_a_name_sense(self):
        cases = [
            # WordNet knows the word only as people: the transliteration goes.
            (entry("crawford", "n. 克劳福德", r"n. United States film actress\nn. English poet"), ""),
            # A loanword has a sense of its own and keeps its transliteration.
            (entry("sofa", "n. 沙发", "n. an upholstered seat for more than one person"), "沙发"),
            # A name whose gloss says something besides the sound keeps it.
            (entry("guinea", "n. 几内亚, 豚鼠", "n. a republic in western Africa"), "几内亚，豚鼠"),
            # Without definitions there is no evidence either way.
            (entry("lise", "n. 丽丝"), "丽丝"),
        ]
        for item, expected in cases:
            with self.subTest(word=item.word):
                self.assertEqual(gloss.dictionary_gloss(item), expected)

    def test_roman_numerals_that_wordnet_counts_read_as_numbers(self):
        cardinal = "n the cardinal number that is the sum of"
        self.assertEqual(gloss.dictionary_gloss(entry("xiv", "num. 罗马数字 14", cardinal)), "罗马数字14")
        self.assertEqual(gloss.dictionary_gloss(entry("ix", "abbr. 离子交换", cardinal)), "罗马数字9")
        self.assertEqual(gloss.dictionary_gloss(entry("mix", "v. 混合", "v. mix together")), "混合")
        self.assertEqual(gloss.roman_value("mcmxiv"), 1914)
        self.assertIsNone(gloss.roman_value("civil"))

    def test_an_adverb_line_written_as_an_adjective_says_its_de(self):
        self.assertEqual(gloss.dictionary_gloss(entry("unexpectedly", "adv. 想不到的, 意外的")),
                         "想不到地，意外地")
        self.assertEqual(gloss.dictionary_gloss(entry("yeah", "adv. 是, 对")), "是，对")


class Cleaning(unittest.TestCase):
    def test_a_sense_cleaning_would_break_is_dropped_whole(self):
        cases = [
            ("把(电文、情报等)译成密码", ""),   # the note sits inside: 把译成密码 is a fragment
            ("防）", ""),                       # unbalanced
            ("击退（推开", ""),
            ("（使）延迟", "延迟"),             # a note at either end only qualifies
            ("打(电话)", "打"),
            ("\"&\"号", ""),                    # what is left of a label
            ("SA de CV墨西哥航空公司", ""),     # an English name cut into pieces
        ]
        for raw, expected in cases:
            with self.subTest(raw=raw):
                self.assertEqual(gloss.clean_item(raw), expected)

    def test_labels_joined_by_an_ampersand_go_with_the_line_label(self):
        postponed = entry("postponed", r"vt.& vi. 延期, 缓办\nvi. 推迟")
        self.assertEqual(gloss.dictionary_gloss(postponed), "延期，缓办，推迟")


class SenseOrder(unittest.TestCase):
    def setUp(self):
        self.cedict = cedict.Cedict({}, {"徒然": frozenset({"vain"}), "普遍": frozenset({"universal"})})

    def test_a_part_of_speech_the_definitions_rule_out_does_not_lead(self):
        terrestrial = entry("terrestrial", r"n. 地球上的人\na. 地球的, 陆生的",
                            r"a. operating or living or growing on land")
        self.assertEqual(gloss.dictionary_gloss(terrestrial), "地球的，陆生的")

    def test_truncated_definitions_rule_out_only_what_precedes_their_last_kind(self):
        # ECDICT keeps four definition lines in WordNet's order n, v, a, r: four nouns say
        # nothing about verbs, so the verb line keeps its place.
        run = entry("run", r"v. 跑, 运转\nn. 得分",
                    r"n. a score\nn. a play\nn. a trip\nn. the act of running")
        self.assertEqual(gloss.dictionary_gloss(run), "跑，得分，运转")
        # A capitalised definition is an instance (a person), not a sense of the word.
        stern = entry("stern", r"a. 严厉的\nn. 船尾", r"n. United States violinist\ns. severe")
        self.assertEqual(gloss.dictionary_gloss(stern), "严厉的，船尾")

    def test_ecdicts_first_sense_leads_unless_two_sources_agree_on_another(self):
        cedict_ = cedict.Cedict(
            {"仅仅": frozenset({"only", "merely"}), "普遍": frozenset({"universal"}),
             "几乎不": frozenset({"hardly", "almost"})},
            {"徒然": frozenset({"vain"}), "普遍": frozenset({"universal"}),
             "倾斜度": frozenset({"inclination"}), "宇宙": frozenset({"universe"})})
        universal = frozenset({"普遍", "全世界"})    # universal's own senses, 的 dropped
        cases = [
            # One source against one: 倾斜度 names inclination itself, but ECDICT's 倾向 is among
            # incline's own senses, so ECDICT's order holds.
            (entry("inclination", r"n. 倾向, 点头, 倾斜度", r"n. an attitude of mind"),
             frozenset({"倾向", "倾斜"}), "倾向，倾斜度，点头"),
            # One source, a word of the definition ("only a very short time before").
            (entry("scarcely", r"adv. 简直不, 仅仅", r"r only a very short time before"),
             frozenset(), "简直不，仅仅"),
            # Two agree (back-translation to the family and the base's own sense) where ECDICT's
            # first has less: it leads.
            (entry("universally", r"adv. 宇宙, 全世界, 普遍", r"r. everywhere"), universal,
             "普遍，宇宙，全世界"),
            # ECDICT's first has as many: it stays.
            (entry("universally", r"adv. 普遍, 宇宙", r"r. everywhere"), universal, "普遍，宇宙"),
            # Without CC-CEDICT, ECDICT's order.
            (entry("vain", r"a. 无价值的, 空虚的, 徒然的"), frozenset(), "无价值的，空虚的，徒然的"),
        ]
        for item, related, expected in cases:
            with self.subTest(word=item.word, translation=item.translation):
                family = {"universal"} if item.word == "universally" else set()
                use = None if expected == "无价值的，空虚的，徒然的" else cedict_
                self.assertEqual(gloss.dictionary_gloss(item, family=family, cedict=use,
                                                        related=related), expected)

    def test_a_back_translation_to_the_word_itself_is_enough_alone(self):
        # CC-CEDICT naming the word's own spelling or one of its inflections leads by itself;
        # naming another word of the family (倾斜 "incline" of inclination) does not.
        cedict_ = cedict.Cedict({}, {"思想家": frozenset({"thinker"}),
                                     "援军": frozenset({"reinforcements"}),
                                     "冒犯": frozenset({"offend"}),
                                     "倾斜度": frozenset({"incline"}),
                                     "徒然": frozenset({"vain"})})
        cases = [
            # (entry, family, own, family senses, gloss)
            # (思想者 then goes as a near-duplicate of 思想家.)
            (entry("thinker", r"n. 思想者, 思想家"), {"thinker"}, set(), frozenset(), "思想家"),
            # Back to an inflection of the word: the plural.
            (entry("reinforcement", r"n. 加强, 增援, 援军"), {"reinforcements"},
             {"reinforcements"}, frozenset(), "援军，加强，增援"),
            # Back to the lemma an inflected form belongs to.
            (entry("offended", r"v. 犯罪, 冒犯, 违反"), {"offend"}, {"offend"}, frozenset(),
             "冒犯，犯罪，违反"),
            # Must not fire: the word the derivation is built from is family, not the word.
            (entry("inclination", r"n. 倾向, 点头, 倾斜度"), {"incline"}, set(), frozenset(),
             "倾向，倾斜度，点头"),
            # Must not fire: ECDICT's first has a source of its own (the base's senses).
            (entry("vain", r"a. 无价值的, 空虚的, 徒然的"), set(), set(), frozenset({"无价值"}),
             "无价值的，徒然的，空虚的"),
        ]
        for item, family, own, related, expected in cases:
            with self.subTest(word=item.word, translation=item.translation):
                self.assertEqual(gloss.dictionary_gloss(item, family=family, cedict=cedict_,
                                                        related=related, own=own), expected)

    def test_cedict_reads_one_word_translations_only(self):
        loaded = cedict.Cedict({"空腹": frozenset({"on", "an", "empty", "stomach"})},
                               {"空洞": frozenset({"empty"})})
        self.assertEqual(loaded.translations("空洞的"), {"empty"})  # 的 goes
        self.assertEqual(loaded.translations("空腹"), frozenset())  # a passing word counts for nothing


class Derivations(unittest.TestCase):
    def setUp(self):
        entries = [
            entry("angry", "a. 生气的, 愤怒的", bnc=2000),
            entry("angrily", "adv. 愤怒地", "r. with anger", bnc=5000),
            entry("hard", "a. 坚硬的, 困难的", bnc=500),
            entry("hardly", "adv. 几乎不, 刚刚", "r. almost not", bnc=1100),
            entry("late", "a. 晚的, 迟的, 最近的", bnc=300),
            entry("lately", "adv. 近来, 最近", "r in the recent past", bnc=6000),
            entry("busy", "a. 忙碌的", bnc=1700),
            entry("business", "n. 生意, 事情", bnc=2100),
            entry("strong", "a. 强壮的", exchange="r:stronger", bnc=500),
            entry("stronger", "[经] 强劲的", exchange="0:strong/1:r", bnc=3000),
            entry("universal", "a. 全世界的, 普遍的", bnc=2900),
            entry("universally", "adv. 宇宙, 全世界, 普遍", "r. everywhere", bnc=7800),
            entry("short", "a. 短的, 矮的", bnc=400),
            entry("shortly", "adv. 不久, 简短", "r. in a short time", bnc=1500),
            entry("convenient", "a. 方便的, 合宜的", bnc=2500),
            entry("conveniently", "a. 方便, 合宜", "r. in a convenient manner", bnc=6000),
            entry("likely", "a. 可能的, 合适的", bnc=450),
            entry("unlikely", "a. 不太可能的", "a. not likely", bnc=2400),
            entry("sub", "n. 补充人员, 部下", bnc=9000),
            entry("sub-", "pref. 在...下, 副"),
            entry("post", "n. 邮件, 职位", bnc=900, tags="gk"),
            entry("post-", "pref. 后, 次"),
            # An adjective whose first line is a noun sense: its adverb shares the later line.
            entry("grave", r"n. 坟墓, 墓穴\na. 严肃的, 庄重的", bnc=1500),
            entry("gravely", "adv. 严肃地, 庄重地", "r. seriously", bnc=8000),
        ]
        signal = cedict.Cedict({}, {"普遍": frozenset({"universal"}), "近来": frozenset({"lately"})})
        self.selector = dictionary.Selector(package(entries), [], signal)

    def test_transparent_derivations_follow_their_base_and_words_of_their_own_do_not(self):
        follows = self.selector.follows
        self.assertEqual(follows.get("angrily"), "angry")      # 愤怒地 and 愤怒的
        self.assertEqual(follows.get("stronger"), "strong")    # a degree of comparison
        self.assertEqual(follows.get("universally"), "universal")
        self.assertEqual(follows.get("gravely"), "grave")        # 严肃地 and the line 严肃的
        for own in ("hardly", "lately", "business"):          # 几乎不, 近来, 生意
            self.assertNotIn(own, follows)

    def test_a_follower_ranks_right_after_its_base(self):
        keys = sorted(self.selector.candidates.values(), key=dictionary.Candidate.key)
        words = [c.word for c in keys]
        self.assertEqual(words.index("angrily"), words.index("angry") + 1)

    def test_an_adverb_keeps_its_own_adverb_line(self):
        cases = [
            # Its own adverb line, 普遍 first by two sources (CC-CEDICT's universal, universal's
            # 普遍的), not universal's senses with 地.
            ("universally", "普遍，宇宙，全世界"),
            ("shortly", "不久，简短"),             # not short's 短地
            ("lately", "近来，最近"),
            # No adverb line (ECDICT labels it a.): the adjective's sense with 地.
            ("conveniently", "方便地，合宜地"),
            # WordNet knows it only as an adjective: no adverb, its own line stays.
            ("unlikely", "不太可能的"),
        ]
        for word, expected in cases:
            with self.subTest(word=word):
                self.assertEqual(self.selector.candidates[word].gloss, expected)

    def test_prefix_pieces_get_no_entry_but_words_learners_meet_stay(self):
        self.assertNotIn("sub", self.selector.candidates)
        self.assertIn("post", self.selector.candidates)

    def test_a_group_never_straddles_a_steps_boundary(self):
        class C:
            def __init__(self, word, head=None):
                self.word, self.head = word, head
        base = C("base")
        chosen = [C(f"w{i}") for i in range(1999)] + [base, C("based", base), C("other")]
        order = dictionary._keep_groups_whole(list(range(len(chosen))), chosen)
        words = [chosen[i].word for i in order]
        self.assertEqual(words[1999:], ["other", "base", "based"])

    def test_word_building_bases(self):
        self.assertIn(("ly", "angry"), derivation.bases("angrily"))
        self.assertIn(("ly", "gentle"), derivation.bases("gently"))
        self.assertIn(("er", "big"), derivation.bases("bigger"))
        self.assertIn(("ness", "happy"), derivation.bases("happiness"))
        self.assertIn(("un", "happy"), derivation.bases("unhappy"))


class CapitalisedHeadwords(unittest.TestCase):
    """Headwords ECDICT has only with a capital lend their common senses to the word written small."""

    def setUp(self):
        english = {"库仑": frozenset({"coulomb"}), "偶像": frozenset({"idol"}), "上帝": frozenset({"god"}), "北方": frozenset({"north"}), "寒武纪": frozenset({"cambrian"}), "威尔士": frozenset({"wales"}),
                   "中国": frozenset({"china"}), "瓷器": frozenset({"porcelain"}),
                   "格言": frozenset({"maxim"}), "巨人": frozenset({"giant"})}
        heads = {"瓷器": frozenset({"china", "porcelain"}), "偶像": frozenset({"idol"})}
        self.signal = cedict.Cedict(english, heads, frozenset({"威尔士", "中国", "上帝"}))
        self.entries = [
            entry("Cambrian", r"a. 寒武纪的\nn. 寒武纪, 威尔士人", "n. from 544 million years ago"),
            entry("China", r"n. 中国, 瓷器\na. 中国的", tags="gk"),
            # Counted among the words the usual step knows: the supplement would gloss it always.
            entry("North", r"n. 北方", "n. the region of the north", bnc=1746, tags="gk"),
            entry("Maxim", r"n. 格言, 座右铭\n[人名] 马克西姆", "n. a saying widely accepted"),
            entry("Titan", r"n. 提坦, 巨人", "n. (Greek mythology) any of the giant gods"),
            entry("Joubert", r"n. 朱伯特", "n. a saying"),           # a name CC-CEDICT does not know
            entry("Jew", r"n. 守财奴", "n. a person belonging to the Hebrew people"),
            entry("Weber", r"n. 库仑", "n. German physicist"),      # WordNet knows only the man
            # Led by the name: a text's "God" is not 偶像, which CC-CEDICT gives as "idol".
            entry("God", r"n. 上帝, 偶像", "n. any supernatural being worshipped", tags="gk"),
            entry("Polish", r"a. 波兰的"), entry("polish", r"v. 擦亮"),  # the small word has its own
        ]

    def test_common_senses_are_lent_and_names_places_and_peoples_are_not(self):
        pack = package(self.entries)
        lent = casefold.lend(pack, self.signal)
        cases = [
            ("cambrian", r"a. 寒武纪的\nn. 寒武纪"),  # the period, not 威尔士人 (the people of Wales)
            ("china", "n. 瓷器"),                    # the porcelain, "china" in CC-CEDICT, not the country
            ("maxim", "n. 格言"),                    # 座右铭 is unknown to the signal; the name line goes
        ]
        for word, translation in cases:
            with self.subTest(word=word):
                self.assertEqual(pack.entries[word].translation, translation)
        self.assertEqual(lent, {w for w, _ in cases})
        # Titan leads with 提坦, the name spelt out, and CC-CEDICT's 巨人 is "giant", not "titan".
        for word in ("joubert", "jew", "weber", "god", "titan", "north"):
            self.assertNotIn(word, pack.entries)
        self.assertEqual(pack.entries["polish"].translation, r"v. 擦亮")

    def test_a_gloss_is_proper_when_all_its_english_is_a_name(self):
        cases = [
            (["China"], True),
            (["Paris, capital of France"], True),
            (["Oxford (city in England)"], True),
            (["Cameroon", "Taiwan pr. [Ka4mai4long2]"], True),
            (["Cambrian geological period (541-485.4 million years ago)"], False),
            (["English (language)"], False),
            (["chinaware", "porcelain"], False),
            (["abbr. for something"], False),
        ]
        for glosses, proper in cases:
            with self.subTest(glosses=glosses):
                self.assertEqual(cedict.names_only(glosses), proper)


class SupplementSpellings(unittest.TestCase):
    def test_british_spellings(self):
        cases = [("realise", "realize"), ("colonisation", "colonization"), ("colour", "color"),
                 ("favourite", "favorite"), ("apple", None), ("our", None)]
        for british, american in cases:
            with self.subTest(british=british):
                self.assertEqual(supplement.american(british), american)

    def test_scores_fall_below_the_last_step(self):
        values = supplement.scores(1000)
        self.assertLess(values[0], supplement.THRESHOLDS[-1])
        self.assertTrue(all(a > b for a, b in zip(values, values[1:])))

    def test_the_size_cap_cuts_only_words_of_no_learner_list(self):
        # Counted words sort first; an uncounted exam word would sort last and be cut.
        rows = [entry("alpha", bnc=10), entry("beta", bnc=20), entry("gamma", bnc=30),
                entry("jejune", tags="gre"), entry("captious", tags="gre toefl"),
                entry("obscure"), entry("rarest")]
        pack = package(rows)
        candidates = {e.word: dictionary.Candidate(e.word, "义", e.bnc or None,
                                                   dictionary._fallback(e)) for e in rows}
        cases = [
            # room for all: nothing cut, counted words first, then by lists and length
            (10, ["alpha", "beta", "gamma", "captious", "jejune", "rarest", "obscure"]),
            # tight room: only the unlisted words are cut, the most met kept
            (3, ["alpha", "beta", "gamma", "captious", "jejune"]),
            # no room at all: the listed words still stay
            (0, ["captious", "jejune"]),
        ]
        saved = supplement.MOST
        try:
            for most, expected in cases:
                with self.subTest(most=most):
                    supplement.MOST = most
                    kept = supplement._within_size(candidates.values(), pack, candidates)
                    self.assertEqual([c.word for c in kept], expected)
        finally:
            supplement.MOST = saved


if __name__ == "__main__":
    unittest.main()
