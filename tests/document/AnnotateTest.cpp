// Which gloss each token gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "FixtureWordLists.h"
#include "GlossedText.h"
#include "TempDir.h"
#include "TestDictionary.h"
#include "VocabularyTable.h"
#include "WordTable.h"

namespace {

class Annotate : public testing::Test {
protected:
    Annotate() : m_dic(FixtureWordLists()) { FillDictionary(m_dic); }

    // "token=gloss" for every glossed token of the first paragraph, in order.
    std::string Glossed(std::string_view text, double threshold = kDefaultThreshold,
                        bool medical = false, bool science = false) {
        CParagraphList list;
        list.SetText(text);
        list.Annotate(&m_dic, threshold, medical, science);
        return GlossedText(list);
    }

    CDicMain m_dic;
};

TEST_F(Annotate, GlossesWhatTheDictionaryAnswers) {
    struct Case {
        const char* name;
        const char* text;
        std::string glossed;
    };
    const Case cases[] = {
        {"letter case of the text is kept", "Apple APPLE apple aPPle",
         "Apple=苹果 APPLE=苹果 apple=苹果 aPPle=苹果"},
        {"apostrophe splits the word", "don't", "don=穿上"},
        {"curly apostrophe splits the word", "don\u2019t", "don=穿上"},
        {"one-byte tokens never ask", "It's s", ""},
        {"inflected form", "Apples and clocks", "Apples=苹果 clocks=钟"},
        {"known words get nothing", "well book", ""},
        {"hyphen splits the word", "well-known fact", "known=已知的 fact=事实"},
        {"glued by a lone CR", "apple\rclock", ""},
        {"across paragraphs", "apple\nclock\r\nbook", "apple=苹果 clock=钟"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Glossed(c.text), c.glossed);
    }
}

TEST_F(Annotate, ThresholdAndGlossariesChooseTheGlosses) {
    EXPECT_EQ(Glossed("book apple", 111.360763), "book=书 apple=苹果");
    EXPECT_EQ(Glossed("book apple", 12.5), "");  // the threshold must be greater
    // Science before medical when both are on; medical alone still answers.
    EXPECT_EQ(Glossed("zircon abrasion", kDefaultThreshold, true, true),
              "zircon=science zircon abrasion=擦伤");
    EXPECT_EQ(Glossed("zircon abrasion", kDefaultThreshold, true, false),
              "zircon=medical zircon abrasion=擦伤");
    EXPECT_EQ(Glossed("zircon abrasion", kDefaultThreshold, false, false), "");
}

TEST_F(Annotate, ListGivesWhatTranslateGivesForEveryToken) {
    // The list caches one answer per distinct word; it must not differ from asking
    // the dictionary token by token, whatever the case, inflection or settings.
    std::string text = ReadFile(std::string(VELLUMWISE_CORPUS_DIR) + "/war-and-peace.txt");
    text += ReadFile(std::string(VELLUMWISE_FIXTURES_DIR) + "/mixed.txt");
    text += "Apples APPLES appled applying abdomen ABDOMEN zirconium went Gone lay laid\n";
    CParagraphList list;
    list.SetText(text);
    struct Settings {
        double threshold;
        bool medical, science;
    };
    for (const Settings s :
         {Settings{kDefaultThreshold, false, false}, Settings{ThresholdForLevel(1), true, false},
          Settings{ThresholdForLevel(kMaxVocabLevel), true, true}}) {
        SCOPED_TRACE(s.threshold);
        list.Annotate(&m_dic, s.threshold, s.medical, s.science);
        int glossed = 0;
        for (const CParagraph& paragraph : list.m_arrParagraphs) {
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                std::string lower(paragraph.Word(j));
                for (char& c : lower) {
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                }
                const std::string expected =
                    lower.size() < 2 || list.IsSkippedName(paragraph, j)
                        ? ""
                        : m_dic.Translate(lower, s.threshold, s.medical, s.science);
                ASSERT_EQ(paragraph.Gloss(j), expected) << paragraph.Word(j);
                glossed += expected.empty() ? 0 : 1;
            }
        }
        EXPECT_GT(glossed, 0);
    }
}

TEST_F(Annotate, EachTokenKeepsItsOwnSpellingAndItsWordsGloss) {
    // A token's length comes from its word's entry and its gloss through its word's
    // number: tokens of every length, case and kind, in two paragraphs, must still
    // read back as the text has them.
    CParagraphList list;
    list.SetText("Apples, don't BOOK\u2014zircon\r\n; a APPLES \u2019");
    list.Annotate(&m_dic, ThresholdForLevel(1), true, true);
    ASSERT_EQ(list.m_arrParagraphs.size(), 2u);
    std::vector<std::string> words;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            words.emplace_back(paragraph.Word(j));
            std::string lower(paragraph.Word(j));
            for (char& c : lower) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            const std::string expected =
                lower.size() < 2 ? "" : m_dic.Translate(lower, ThresholdForLevel(1), true, true);
            EXPECT_EQ(paragraph.Gloss(j), expected) << paragraph.Word(j);
        }
    }
    EXPECT_EQ(words,
              (std::vector<std::string>{"Apples", ",", "", "don", "'", "t", "BOOK", "\u2014",
                                        "zircon", "", ";", "", "a", "APPLES", "", "\u2019"}));
}

TEST_F(Annotate, GlossesOutliveADictionaryChangeUntilTheNextAnnotate) {
    CParagraphList list;
    list.SetText("apple");
    EXPECT_EQ(list.Annotate(&m_dic, kDefaultThreshold, false, false), 1);
    FillDictionary(m_dic, {{"apple", "苹果树", 1.0}});
    EXPECT_EQ(list.m_arrParagraphs[0].Gloss(0), Gbk("苹果"));
    list.Annotate(&m_dic, kDefaultThreshold, false, false);
    EXPECT_EQ(list.m_arrParagraphs[0].Gloss(0), Gbk("苹果树"));
}

TEST_F(Annotate, EachDistinctGlossIsKeptOnce) {
    CParagraphList list;
    list.SetText("apple Apple apples clock clock book");
    list.Annotate(&m_dic, kDefaultThreshold, false, false);
    EXPECT_EQ(list.Glosses().Size(), 2u);
    const CParagraph& paragraph = list.m_arrParagraphs[0];
    EXPECT_EQ(paragraph.Gloss(0).data(), paragraph.Gloss(2).data());
}

TEST(WordTable, NumbersEachLowerCaseWordOnceAsTheTableGrows) {
    WordTable words;
    EXPECT_EQ(words.IdOf("a"), WordTable::kNoWord);
    EXPECT_EQ(words.IdOf(""), WordTable::kNoWord);
    const std::uint32_t apple = words.IdOf("Apple");
    EXPECT_EQ(words.IdOf("APPLE"), apple);
    EXPECT_EQ(words.Word(apple), "apple");
    // Far more words than the first table holds, each asked twice in two cases.
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < 5000; ++i) {
        ids.push_back(words.IdOf("Word" + std::to_string(i)));
    }
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(words.IdOf("wORD" + std::to_string(i)), ids[i]) << i;
        ASSERT_EQ(words.Word(ids[i]), "word" + std::to_string(i));
    }
    EXPECT_EQ(words.Size(), 5001u);
    EXPECT_EQ(words.IdOf("apple"), apple);
    EXPECT_EQ(words.IdOf("caf\xc3\x89"), words.IdOf("CAF\xc3\x89"));  // only ASCII is folded
    EXPECT_NE(words.IdOf("caf\xc3\xa9"), words.IdOf("caf\xc3\x89"));
}

}  // namespace
