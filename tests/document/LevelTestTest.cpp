// The level test over the shipped dictionary: its made-up words, its estimate on
// simulated readers, its result line, and the exam coverage the steps are named by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "CDicMain.h"
#include "DictionaryFile.h"
#include "ExamCoverage.h"
#include "LevelTest.h"
#include "LevelTestWords.h"
#include "SimulatedReader.h"

namespace {

const CDicMain& Dictionary() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain();
        const MainAndSupplement result =
            LoadMainAndSupplement(*loaded, std::string(VELLUMWISE_BIN_DIR) + "/main.dic");
        EXPECT_TRUE(result.main.Ok() && result.supplement.Ok());
        return loaded;
    }();
    return *dic;
}

const std::vector<RankedWord>& Words() {
    static const std::vector<RankedWord> words = TestableWords(FrequencyOrder(Dictionary()));
    return words;
}

PseudowordMaker Maker() {
    return PseudowordMaker(
        [](std::string_view text) { return IsDictionaryWord(Dictionary(), text); });
}

bool IsVowel(const std::string& word, std::size_t i) {
    const char c = word[i];
    return std::string_view("aeiou").find(c) != std::string_view::npos || (c == 'y' && i > 0);
}

// English spelling's rules for a word one can say, written apart from the maker: the
// consonants a word may start and end with, short runs inside, a vowel in every
// syllable, no letter three times running.
bool LooksPronounceable(const std::string& word) {
    static const std::set<std::string> kStarts = {
        "",   "b",   "bl", "br", "c",   "ch",  "cl", "cr", "d",  "dr", "f",  "fl",  "fr",
        "g",  "gl",  "gr", "h",  "j",   "k",   "kn", "l",  "m",  "n",  "p",  "ph",  "pl",
        "pr", "r",   "s",  "sc", "scr", "sh",  "sk", "sl", "sm", "sn", "sp", "spl", "spr",
        "st", "str", "sw", "t",  "th",  "thr", "tr", "tw", "v",  "w",  "wh", "wr",  "z"};
    static const std::set<std::string> kEnds = {
        "",   "b",  "ck", "ct", "d",  "f",  "ft", "g",  "k",  "l",  "ld", "lk", "ll",  "lm", "lp",
        "lt", "m",  "mp", "n",  "nd", "ng", "nk", "nt", "p",  "pt", "r",  "rb", "rd",  "rk", "rl",
        "rm", "rn", "rp", "rt", "s",  "sh", "sk", "sp", "ss", "st", "t",  "th", "tch", "x",  "z"};
    if (word.size() < 4 || word.size() > 10) return false;
    if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return false;
    }
    std::vector<std::pair<bool, std::string>> runs;  // (vowels?, letters)
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool vowel = IsVowel(word, i);
        if (runs.empty() || runs.back().first != vowel) runs.push_back({vowel, ""});
        runs.back().second += word[i];
        if (i >= 2 && word[i] == word[i - 1] && word[i] == word[i - 2]) return false;
    }
    int vowelRuns = 0;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const auto& [vowel, letters] = runs[r];
        if (vowel) {
            ++vowelRuns;
            if (letters.size() > 2) return false;
            continue;
        }
        if (r == 0 && !kStarts.contains(letters)) return false;
        if (r + 1 == runs.size() && r > 0 && !kEnds.contains(letters)) return false;
        if (r > 0 && r + 1 < runs.size() && letters.size() > 3) return false;
    }
    return vowelRuns > 0 && !(runs.size() == 1);
}

}  // namespace

TEST(Pseudoword, TheRulesTellSayableFromUnsayable) {
    const struct {
        const char* word;
        bool sayable;
    } cases[] = {
        {"blorment", true}, {"strabish", true}, {"pranteel", true}, {"fendle", true},
        {"xkqzo", false},   {"bnarf", false},   {"aeiouk", false},  {"tsk", false},
        {"bloorn", true},   {"grasssa", false}, {"ab", false},      {"snorktbe", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LooksPronounceable(c.word), c.sayable) << c.word;
    }
}

TEST(Pseudoword, MadeUpWordsAreSayableAndNeverAWordOfTheDictionary) {
    ASSERT_GT(Dictionary().m_arrItems.size(), 40000u);
    const PseudowordMaker maker = Maker();
    std::mt19937 random(2024);
    std::set<std::string> distinct;
    for (int i = 0; i < 3000; ++i) {
        const std::string word = maker.Make(random);
        EXPECT_TRUE(LooksPronounceable(word)) << word;
        EXPECT_EQ(Dictionary().FindEntry(word), nullptr) << word;
        EXPECT_FALSE(Dictionary().FindReachedEntry(word).has_value()) << word;
        distinct.insert(word);
    }
    EXPECT_GT(distinct.size(), 2500u);  // enough variety that no reader learns them
    // Refused by the check, so never offered: the maker asks again.
    const PseudowordMaker refusesAll([](std::string_view w) { return w.size() < 6; });
    for (int i = 0; i < 50; ++i) EXPECT_GE(refusesAll.Make(random).size(), 6u);
}

// The reader model of the figures: a word of rank r is known with probability
// logistic((R - r) / s); unknown real and made-up words are claimed with probability f;
// R uniform over 1,000–23,000 words. The proposed step should be within one of the step
// R fits for at least 90% of readers, whatever s and f within the table.
TEST(LevelEstimate, SimulatedReadersGetAStepWithinOneOfTheirOwn) {
    const struct {
        double spread;
        double overclaim;
        double pseudowordShare;
    } models[] = {{800, 0.0, 1.0},  {1500, 0.0, 1.0}, {1500, 0.1, 1.0},
                  {1500, 0.3, 1.0}, {2500, 0.0, 1.0}, {2500, 0.1, 0.5}};
    const PseudowordMaker maker = Maker();
    for (const auto& model : models) {
        std::mt19937 pick(7);
        int within = 0;
        int exact = 0;
        const int readers = 200;
        for (int i = 0; i < readers; ++i) {
            SimulatedReader reader;
            reader.size = std::uniform_real_distribution<double>(1000, 23000)(pick);
            reader.spread = model.spread;
            reader.overclaim = model.overclaim;
            reader.pseudowordShare = model.pseudowordShare;
            const LevelTest::Result result =
                RunSimulatedTest(reader, Words(), maker, 1000 + static_cast<std::uint32_t>(i));
            EXPECT_EQ(result.questions, LevelTest::kQuestions);
            const int off = std::abs(result.step - reader.TrueStep());
            within += off <= 1;
            exact += off == 0;
        }
        std::printf(
            "s=%.0f f=%.2f (made-up words claimed at %.0f%% of f): within one step %d%%, "
            "exact %d%%\n",
            model.spread, model.overclaim, model.pseudowordShare * 100, within * 100 / readers,
            exact * 100 / readers);
        EXPECT_GE(within, readers * 9 / 10) << "s=" << model.spread << " f=" << model.overclaim;
    }
}

TEST(LevelEstimate, OverclaimingIsCaughtByTheMadeUpWords) {
    const PseudowordMaker maker = Maker();
    SimulatedReader honest{.size = 6000, .spread = 1500, .overclaim = 0.0};
    SimulatedReader boaster{.size = 6000, .spread = 1500, .overclaim = 0.45};
    double honestWords = 0;
    double boasterWords = 0;
    double boasterGuess = 0;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        honestWords += RunSimulatedTest(honest, Words(), maker, seed).words / 20;
        const LevelTest::Result boast = RunSimulatedTest(boaster, Words(), maker, seed);
        boasterWords += boast.words / 20;
        boasterGuess += boast.guessRate / 20;
    }
    // Claiming nearly half of the unknown words would give ~16,000 words uncorrected.
    EXPECT_NEAR(honestWords, 6000, 1000);
    EXPECT_NEAR(boasterWords, 6000, 2500);
    EXPECT_GT(boasterGuess, 0.3);  // the dialog says the result was corrected
}

TEST(LevelEstimate, AnExamAnswerLeadsButAnswersOutweighAWrongOne) {
    const PseudowordMaker maker = Maker();
    const struct {
        double size;
        double centre;
    } cases[] = {{8000, 8000}, {4000, 20000}, {20000, 4000}};
    for (const auto& c : cases) {
        int within = 0;
        for (std::uint32_t seed = 1; seed <= 30; ++seed) {
            const SimulatedReader reader{.size = c.size, .spread = 1500, .overclaim = 0.05};
            const LevelTest::Result result =
                RunSimulatedTest(reader, Words(), maker, seed, c.centre);
            within += std::abs(result.step - reader.TrueStep()) <= 1;
        }
        EXPECT_GE(within, 27) << c.size << " with an exam suggesting " << c.centre;
    }
}

TEST(LevelEstimate, SenseChecksOfferFourDistinctSensesOneOfThemRight) {
    LevelTest test(Words(), Maker(), 5);
    int checks = 0;
    int pseudowords = 0;
    std::set<std::string> asked;
    while (!test.Finished()) {
        const LevelTest::Question& q = test.Current();
        EXPECT_TRUE(asked.insert(q.word).second) << q.word << " asked twice";
        if (q.kind == LevelTest::Kind::SenseCheck) {
            ++checks;
            ASSERT_EQ(q.choices.size(), 4u);
            EXPECT_EQ(std::set<std::string>(q.choices.begin(), q.choices.end()).size(), 4u);
            const auto own = std::find_if(Words().begin(), Words().end(),
                                          [&](const RankedWord& w) { return w.word == q.word; });
            ASSERT_NE(own, Words().end());
            EXPECT_EQ(q.choices[static_cast<std::size_t>(q.rightChoice)], own->gloss);
        }
        pseudowords += q.kind == LevelTest::Kind::Pseudoword;
        test.Answer(q.kind == LevelTest::Kind::SenseCheck ? q.rightChoice : 1);
    }
    EXPECT_GE(checks, 4);
    EXPECT_GE(pseudowords, 8);
}

TEST(LevelResult, TheLineNamesSizeAndStep) {
    const struct {
        double words;
        int step;
        const char* text;
    } cases[] = {{8000, 4, "约 8,000 词 → 第 4 档"},
                 {500, 1, "约 500 词 → 第 1 档"},
                 {22500, 11, "约 22,500 词 → 第 11 档"}};
    for (const auto& c : cases) EXPECT_EQ(LevelResultText(c.words, c.step), c.text);
    EXPECT_EQ(StepForSize(0), 1);
    EXPECT_EQ(StepForSize(6999), 3);
    EXPECT_EQ(StepForSize(7001), 4);
    EXPECT_EQ(StepForSize(40000), 11);
}

TEST(ExamCoverage, StepsAreNamedByTheMeasuredShares) {
    // A fixture: cet4 reaches 80% at step 2, gre never.
    const ExamShare shares[] = {{"cet4", 1, 0.5}, {"cet4", 2, 0.8}, {"cet4", 3, 0.9},
                                {"gre", 1, 0.1},  {"gre", 2, 0.25}, {"gre", 3, 0.4}};
    EXPECT_TRUE(ExamsCoveredAt(1, shares).empty());
    EXPECT_EQ(ExamsCoveredAt(3, shares), std::vector<std::string_view>{"cet4"});
    EXPECT_EQ(FirstStepCovering("cet4", shares), 2);
    EXPECT_EQ(FirstStepCovering("gre", shares), 0);
    EXPECT_EQ(StepExamsText(1, shares), "这一档还没有覆盖任何考试词表的八成；四级 50%");
    EXPECT_EQ(StepExamsText(2, shares), "这一档覆盖四级词表的八成以上；GRE 25%");
}

TEST(ExamCoverage, TheShippedTableHoldsEveryExamAtEveryStepRisingWithTheStep) {
    const std::vector<std::string_view> exams = MeasuredExams();
    EXPECT_EQ(exams, (std::vector<std::string_view>{"zk", "gk", "cet4", "cet6", "ky", "toefl",
                                                    "ielts", "gre"}));
    for (std::string_view exam : exams) {
        double last = 0;
        for (int step = 1; step <= 11; ++step) {
            const double share = ExamShareAt(exam, step);
            EXPECT_GE(share, last) << exam << " at " << step;
            last = share;
        }
    }
    // What the data says of the order, as a reader would check it: the school exams are
    // covered before the university ones, and none covers GRE's list.
    EXPECT_LT(FirstStepCovering("zk"), FirstStepCovering("cet4"));
    EXPECT_LE(FirstStepCovering("cet4"), FirstStepCovering("cet6"));
    EXPECT_EQ(FirstStepCovering("gre"), 0);
}
