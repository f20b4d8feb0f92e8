// The sense a word's use chooses, over the shipped main.dic, tagger.dat and senses.dat:
// verb forms reach their base's verb line, a form with an entry of its own keeps its
// line in its own use, and wherever the tag says nothing the entry's gloss stands.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CParagraphList.h"
#include "CVellumwiseDoc.h"
#include "CodePage.h"
#include "ContextSenses.h"
#include "FakePlatformServices.h"
#include "GlossedText.h"
#include "OwnSenses.h"
#include "ShippedDictionary.h"
#include "TempDir.h"
#include "TestDictionary.h"
#include "VocabularyTable.h"

namespace {

const ContextSenses& ShippedContext() {
    static const ContextSenses* context = [] {
        std::string problem;
        auto loaded = ContextSenses::Load(VELLUMWISE_BIN_DIR, problem);
        EXPECT_NE(loaded, nullptr) << problem;
        return loaded.release();
    }();
    return *context;
}

constexpr double kEveryWord = 1e9;  // a threshold at which every entry is glossed

// The UTF-8 gloss of the `nth` token spelled `word` in `text`.
std::string GlossOf(CParagraphList& list, const std::string& text, std::string_view word,
                    const CDicMain& dic = ShippedDictionary(),
                    const ContextSenses* context = &ShippedContext(), int nth = 0) {
    list.SetText(text);
    list.SetContext(context);
    list.Annotate(&dic, kEveryWord, false, false, false);
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == word && nth-- == 0) {
                return codepage::GbkToUtf8Lossy(paragraph.Gloss(j));
            }
        }
    }
    return "(no such token)";
}

std::string GlossOf(const std::string& text, std::string_view word, int nth = 0) {
    CParagraphList list;
    return GlossOf(list, text, word, ShippedDictionary(), &ShippedContext(), nth);
}

std::string PlainGlossOf(const std::string& text, std::string_view word, int nth = 0) {
    CParagraphList list;
    return GlossOf(list, text, word, ShippedDictionary(), nullptr, nth);
}

TEST(SenseChoiceTest, TheUseChoosesTheLineOfItsPartOfSpeech) {
    struct Case {
        const char* text;
        const char* word;
        int nth;
        const char* starts;  // what the chosen gloss begins with
    };
    const Case cases[] = {
        // A verb form reduced through the verb table takes its base's verb line.
        {"The old man bore the pain without a word.", "bore", 0, "忍受"},
        {"She wound the clock before bed.", "wound", 0, "缠绕"},
        // The same spelling used as a noun keeps its own entry's line.
        {"The doctor dressed the wound carefully.", "wound", 0, "创伤"},
        {"He was a terrible bore at dinner.", "bore", 0, "令人讨厌的人"},
        // An entry of its own: the line of its use.
        {"I want to book a room for tonight.", "book", 0, "登记"},
        {"She read the book in one evening.", "book", 0, "书"},
        {"I cannot bear the pain any longer.", "bear", 0, "忍受"},
        // A form reduced by a suffix takes its base's line of its use.
        {"He books a table for two every Friday.", "books", 0, "登记"},
    };
    for (const Case& c : cases) {
        const std::string gloss = GlossOf(c.text, c.word, c.nth);
        EXPECT_TRUE(gloss.starts_with(c.starts)) << c.text << " / " << c.word << ": " << gloss;
    }
}

TEST(SenseChoiceTest, TheEntrysGlossStandsWhereTheTagSaysNothing) {
    // A proper noun, and a tag the entry has no line of.
    const CDicMain& dic = ShippedDictionary();
    const std::optional<std::uint32_t> bear = dic.FindReachedEntry("bear");
    ASSERT_TRUE(bear.has_value());
    EXPECT_EQ(ShippedContext().Choose(dic, "bear", *bear, WordClass::ProperNoun), "");
    EXPECT_EQ(ShippedContext().Choose(dic, "bear", *bear, WordClass::Adverb), "");
    EXPECT_EQ(GlossOf("It was cold, so they ran.", "so"),
              PlainGlossOf("It was cold, so they ran.", "so"));
    const std::string text = "The wind was cold and the light was dim.";
    CParagraphList plain;
    CParagraphList chosen;
    GlossOf(plain, text, "wind", ShippedDictionary(), nullptr);
    GlossOf(chosen, text, "wind");
    // The noun line of "wind" leads with the sense its entry's gloss leads with: the
    // reviewed gloss stays.
    EXPECT_EQ(GlossOf(text, "wind"), PlainGlossOf(text, "wind"));
    EXPECT_FALSE(chosen.m_arrParagraphs[0].GlossChosenByContext(2));
}

TEST(SenseChoiceTest, AStepChangeOnlyDecidesWhichChosenSensesShow) {
    const CDicMain& dic = ShippedDictionary();
    CParagraphList list;
    const std::string text = "She wound the clock and dressed the wound.";
    GlossOf(list, text, "wound");
    const std::vector<std::uint8_t> chosen = list.Store().senseOfToken;
    ASSERT_FALSE(chosen.empty());
    // A step at which no word is glossed shows nothing, chosen or not...
    list.Annotate(&dic, 0.0, false, false, false);
    EXPECT_EQ(list.Store().senseOfToken, chosen);
    for (std::size_t j = 0; j < list.m_arrParagraphs[0].TokenCount(); ++j) {
        EXPECT_TRUE(list.m_arrParagraphs[0].Gloss(j).empty());
    }
    // ...and back at every word, the same choice shows again without a new one.
    list.Annotate(&dic, kEveryWord, false, false, false);
    EXPECT_EQ(list.Store().senseOfToken, chosen);
    // Switched off, every token shows its word's gloss.
    list.SetContext(nullptr);
    list.Annotate(&dic, kEveryWord, false, false, false);
    EXPECT_TRUE(list.Store().senseOfToken.empty());
}

TEST(SenseChoiceTest, ADictionaryTheSensesDoNotDescribeKeepsItsGlosses) {
    // An imported (here: a test's) dictionary: its entries are not the shipped ones.
    const auto dic = MakeDictionary(
        {{"wound", "测试甲", 1.0}, {"wind", "测试乙", 1.0}, {"bear", "测试丙", 1.0}});
    CParagraphList list;
    EXPECT_EQ(GlossOf(list, "The doctor dressed the wound.", "wound", *dic), "测试甲");
    EXPECT_EQ(GlossOf(list, "I cannot bear the pain.", "bear", *dic), "测试丙");
}

TEST(SenseChoiceTest, MissingOrDamagedDataIsRefusedWithItsPath) {
    TempDir dir;
    std::string problem;
    EXPECT_EQ(ContextSenses::Load(dir.Root().string(), problem), nullptr);
    EXPECT_NE(problem.find("tagger.dat"), std::string::npos) << problem;
    std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/tagger.dat",
                               dir.Path("tagger.dat"));
    EXPECT_EQ(ContextSenses::Load(dir.Root().string(), problem), nullptr);
    EXPECT_NE(problem.find("senses.dat"), std::string::npos) << problem;
    std::string senses = ReadFile(std::string(VELLUMWISE_BIN_DIR) + "/senses.dat");
    senses[senses.size() / 2] = static_cast<char>(senses[senses.size() / 2] ^ 1);
    WriteFile(dir.Path("senses.dat"), senses);
    EXPECT_EQ(ContextSenses::Load(dir.Root().string(), problem), nullptr);
    EXPECT_NE(problem.find("damaged"), std::string::npos) << problem;
    WriteFile(dir.Path("senses.dat"), senses.substr(0, senses.size() / 2));
    EXPECT_EQ(ContextSenses::Load(dir.Root().string(), problem), nullptr);
}

TEST(SenseTableTest, SourceRowsCompileAndLoadBack) {
    std::string error;
    const auto table =
        SenseTable::FromTsv("# c\nwound\tn\t伤口\nwound\tv\t伤害\nlight\ta\t轻的\n", error);
    ASSERT_TRUE(table.has_value()) << error;
    const auto back = SenseTable::FromCompiled(table->Compile(), error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(back->Gloss("wound", WordClass::Noun), Gbk("伤口"));
    EXPECT_EQ(back->Gloss("wound", WordClass::Verb), Gbk("伤害"));
    EXPECT_EQ(back->Gloss("wound", WordClass::Adverb), "");
    EXPECT_EQ(back->Gloss("wound", WordClass::ProperNoun), "");
    EXPECT_EQ(back->Gloss("light", WordClass::Adjective), Gbk("轻的"));
    EXPECT_EQ(back->Compile(), table->Compile());
    EXPECT_FALSE(SenseTable::FromTsv("wound\tx\t伤口\n", error).has_value());
    EXPECT_FALSE(SenseTable::FromTsv("wound\tn\t\n", error).has_value());
    EXPECT_FALSE(SenseTable::FromTsv("wound\tn\n", error).has_value());
}

}  // namespace

namespace {

// A document started from a program folder holding the shipped main.dic and the given
// context files.
struct ProgramFolder {
    TempDir dir;
    FakePlatformServices platform;
    CVellumwiseDoc doc{platform};

    explicit ProgramFolder(bool damagedTagger) {
        const std::string bin = VELLUMWISE_BIN_DIR;
        std::filesystem::copy_file(bin + "/main.dic", dir.Path("main.dic"));
        std::filesystem::copy_file(bin + "/senses.dat", dir.Path("senses.dat"));
        std::filesystem::copy_file(bin + "/subject.dat", dir.Path("subject.dat"));
        std::string tagger = ReadFile(bin + "/tagger.dat");
        if (damagedTagger) {
            tagger.resize(tagger.size() - 1);
        }
        WriteFile(dir.Path("tagger.dat"), tagger);
        doc.SetProgramDir(dir.Root().string());
        doc.SetPersonalDir(dir.Path("personal"));
    }
};

TEST(ContextDocumentTest, ADamagedTaggerIsSaidOnceAndTheEntriesGlossesShow) {
    // At step 1 "heap" is glossed; its entry's gloss leads with the verb.
    const std::string text = "They heap the plates high, and the heap of stones fell.\n";
    ProgramFolder good(false);
    ASSERT_TRUE(good.doc.OnNewDocument());
    ASSERT_NE(good.doc.Context(), nullptr);
    good.doc.ApplyVocabulary(1, ThresholdForLevel(1), false, false);
    good.doc.ReplaceText(text);
    const std::string chosen = GlossedText(good.doc.m_paragraphs);
    good.doc.SetContextSenses(false);
    const std::string plain = GlossedText(good.doc.m_paragraphs);
    EXPECT_NE(chosen, plain);
    EXPECT_FALSE(good.doc.Settings().contextSenses);

    ProgramFolder damaged(true);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(damaged.doc.OnNewDocument());
    damaged.doc.ReplaceText(text);
    damaged.doc.ApplyVocabulary(2, ThresholdForLevel(2), false, false);
    damaged.doc.SetContextSenses(true);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(damaged.doc.Context(), nullptr);
    EXPECT_NE(said.find("tagger.dat"), std::string::npos) << said;
    EXPECT_EQ(said.find("tagger.dat"), said.rfind("tagger.dat")) << said;
    damaged.doc.ApplyVocabulary(1, ThresholdForLevel(1), false, false);
    EXPECT_NE(GlossedText(damaged.doc.m_paragraphs), "");
    EXPECT_EQ(GlossedText(damaged.doc.m_paragraphs), GlossedText(good.doc.m_paragraphs));
    EXPECT_TRUE(damaged.platform.m_messages.empty());
}

// The reader's own sense outranks the one the word's use chose, in every use, and
// shows as "own"; a word without one keeps the choice.
TEST(SenseChoiceTest, AnOwnSenseOutranksTheSenseTheUseChose) {
    const std::string text = "I want to book a room. She read the book. He books a table.";
    ASSERT_EQ(GlossOf(text, "book").substr(0, 6), "登记") << "the use chooses, unless owned";
    OwnSenses senses;  // in memory
    ASSERT_EQ(senses.Set(ShippedDictionary(), "books", "预订", "", true), "");
    const OwnSenseIndex index(ShippedDictionary(), senses, "");
    CParagraphList list;
    list.SetOwnSenses(&index);
    list.SetText(text);
    list.SetContext(&ShippedContext());
    list.Annotate(&ShippedDictionary(), kEveryWord, false, false, false);
    int seen = 0;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == "book" || paragraph.Word(j) == "books") {
                ++seen;
                EXPECT_EQ(codepage::GbkToUtf8Lossy(paragraph.Gloss(j)), "预订");
                EXPECT_TRUE(paragraph.GlossIsOwnSense(j));
                EXPECT_FALSE(paragraph.GlossChosenByContext(j));
            } else if (paragraph.Word(j) == "room") {
                EXPECT_FALSE(paragraph.GlossIsOwnSense(j));
            }
        }
    }
    EXPECT_EQ(seen, 3);
}

}  // namespace
