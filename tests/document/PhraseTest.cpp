// Phrases found in a tagged text, over the shipped main.dic and tagger with a small
// phrase table of the shipped file's kind: longest first, over reduced forms, hyphen and
// space alike, slots, a verb's particle after its object, and never across a sentence
// or paragraph end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "CParagraphList.h"
#include "CodePage.h"
#include "ContextSenses.h"
#include "ShippedDictionary.h"
#include "TempDir.h"
#include "VocabularyTable.h"

namespace {

constexpr const char* kPhrases =
    "# key, headword, gloss, opaque\n"
    "put up\tput up\t举起\t0\n"
    "put up with\tput up with\t忍受\t0\n"
    "give up\tgive up\t放弃\t0\n"
    "take umbrage\ttake umbrage\t生气\t0\n"
    "x ray\tx-ray\tX光\t0\n"
    "o clock\to'clock\t点钟\t0\n"
    "well bred\twell-bred\t有教养的\t0\n"
    "by no means\tby no means\t决不\t1\n"
    "make up one's mind\tmake up one's mind\t下决心\t0\n"
    "take sb in\ttake sb in\t欺骗\t0\n"
    "avail oneself of\tavail oneself of\t利用\t0\n"
    "in lieu of\tin lieu of\t代替\t0\n";

const ContextSenses& Context() {
    static const ContextSenses* context = [] {
        std::string problem;
        const std::string bin = VELLUMWISE_BIN_DIR;
        auto tagger = TaggerData::FromCompiled(ReadFile(bin + "/tagger.dat"), problem);
        auto senses = SenseTable::FromCompiled(ReadFile(bin + "/senses.dat"), problem);
        auto phrases = PhraseTable::FromTsv(kPhrases, problem);
        EXPECT_TRUE(tagger && senses && phrases) << problem;
        return new ContextSenses(std::move(*tagger), std::move(*senses), std::move(*phrases));
    }();
    return *context;
}

constexpr double kEveryWord = 1e9;

// The headword of the phrase the first token spelled `word` opens or lies in ("" for
// none), and the gloss of that token.
struct Found {
    std::string headword;
    std::string gloss;
};

Found Probe(CParagraphList& list, const std::string& text, std::string_view word,
            double threshold = kEveryWord, const ContextSenses* context = &Context()) {
    list.SetText(text);
    list.SetContext(context);
    list.Annotate(&ShippedDictionary(), threshold, false, false, false);
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == word) {
                const auto phrase = list.PhraseAt(paragraph, j);
                return {phrase ? std::string(phrase->headword) : std::string(),
                        codepage::GbkToUtf8Lossy(paragraph.Gloss(j))};
            }
        }
    }
    return {"(no such token)", ""};
}

TEST(PhraseTest, PhrasesAreFoundWhereTheirWordsStandTogether) {
    struct Case {
        const char* text;
        const char* word;
        const char* headword;  // "" where no phrase may be found
    };
    const Case cases[] = {
        // The longest phrase wins, over the words as written and as reduced.
        {"She would not put up with it.", "put", "put up with"},
        {"He puts up with the noise.", "puts", "put up with"},
        {"They took umbrage at it.", "took", "take umbrage"},
        // A hyphenated or apostrophe chain, and the same words spaced.
        {"The X-ray was clear.", "X", "x-ray"},
        {"The X-rays were clear.", "X", "x-ray"},
        {"The X ray was clear.", "X", "x-ray"},
        {"It is six o'clock.", "o", "o'clock"},
        {"It is six o\xE2\x80\x99"
         "clock.",
         "o", "o'clock"},
        {"A well-bred girl came in.", "well", "well-bred"},
        // A phrase never ends or starts inside a chain.
        {"A well-bred-looking girl came in.", "well", ""},
        {"It was a half-well bred horse.", "well", ""},
        // Slots: a possessive, a reflexive, a short noun phrase.
        {"She made up her mind at last.", "made", "make up one's mind"},
        {"He availed himself of the chance.", "availed", "avail oneself of"},
        {"They took the old man in completely.", "took", "take sb in"},
        // A verb's final particle after its object of up to three words.
        {"He gave it up.", "gave", "give up"},
        {"He gave the whole thing up.", "gave", "give up"},
        {"He gave the big old brown box up.", "gave", ""},
        // Only before a final particle, and not when a noun phrase follows it.
        {"She put it up with glue.", "put", "put up"},
        {"He gave them up the stairs.", "gave", ""},
        // A hard-wrapped line goes on; a sentence or paragraph end stops the phrase.
        {"He would not put up\nwith it.", "put", "put up with"},
        {"They put up. With luck it holds.", "put", "put up"},
        {"He would not put up\n\nwith it.", "put", "put up"},
        {"They put up; with luck it holds.", "put", "put up"},
    };
    CParagraphList list;
    for (const Case& c : cases) {
        EXPECT_EQ(Probe(list, c.text, c.word).headword, c.headword) << c.text;
    }
}

TEST(PhraseTest, TheGlossStandsUnderTheFirstWordGlossedAtTheStep) {
    struct Case {
        const char* text;
        const char* word;
        double threshold;
        const char* gloss;
    };
    const double step3 = ThresholdForLevel(3);
    const Case cases[] = {
        // Every word glossed: the first piece shows the phrase, the others nothing.
        {"She would not put up with it.", "put", kEveryWord, "忍受"},
        {"She would not put up with it.", "up", kEveryWord, ""},
        {"She would not put up with it.", "with", kEveryWord, ""},
        // At a step that glosses none of its words, no phrase; an opaque one still.
        {"She would not put up with it.", "put", step3, ""},
        {"He was by no means rich.", "by", step3, "决不"},
        // The first word the step glosses: "lieu", not "in".
        {"He came in lieu of his brother.", "in", step3, ""},
        {"He came in lieu of his brother.", "lieu", step3, "代替"},
        {"He came in lieu of his brother.", "of", step3, ""},
        // A chain that is an entry of its own is glossed where the entry is.
        {"The X-ray was clear.", "X", step3, "X光"},
        {"The X-ray was clear.", "ray", step3, ""},
    };
    CParagraphList list;
    for (const Case& c : cases) {
        EXPECT_EQ(Probe(list, c.text, c.word, c.threshold).gloss, c.gloss)
            << c.text << " / " << c.word;
    }
    // Without context, no phrase and the words' own glosses.
    EXPECT_EQ(Probe(list, "He was by no means rich.", "by", step3, nullptr).gloss, "");
    EXPECT_EQ(Probe(list, "He came in lieu of his brother.", "lieu", step3, nullptr).gloss, "场所");
}

TEST(PhraseTest, TheTableCompilesAndRefusesBadRowsAndDamage) {
    std::string error;
    const auto table = PhraseTable::FromTsv(kPhrases, error);
    ASSERT_TRUE(table.has_value()) << error;
    const std::string bytes = table->Compile();
    const auto back = PhraseTable::FromCompiled(bytes, error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(back->Compile(), bytes);
    ASSERT_TRUE(back->Find("put up").has_value());
    EXPECT_TRUE(back->Find("put up")->longer);
    EXPECT_NE(back->Find("put up")->row, PhraseTable::kNoRow);
    EXPECT_EQ(back->Find("put")->row, PhraseTable::kNoRow);
    EXPECT_FALSE(back->Find("put down").has_value());
    for (const char* bad :
         {"put\tput\t放\t0\n", "Put up\tput up\t举起\t0\n", "sb up\tsb up\t举起\t0\n",
          "put up\tput up\t\t0\n", "put up\tput up\t举起\t2\n",
          "put up\tput up\t举起\t0\nput up\tx\t举\t0\n", "put up\tput up\t举起\n"}) {
        EXPECT_FALSE(PhraseTable::FromTsv(bad, error).has_value()) << bad;
    }
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{5}, bytes.size() / 2, bytes.size() - 1}) {
        EXPECT_FALSE(PhraseTable::FromCompiled(bytes.substr(0, cut), error).has_value()) << cut;
    }
    std::string flipped = bytes;
    flipped[bytes.size() / 2] = static_cast<char>(flipped[bytes.size() / 2] ^ 1);
    EXPECT_FALSE(PhraseTable::FromCompiled(flipped, error).has_value());
}

TEST(PhraseTest, AMissingOrDamagedPhraseFileLeavesTheSensesChosen) {
    const std::string bin = VELLUMWISE_BIN_DIR;
    for (const bool present : {false, true}) {
        TempDir dir;
        std::filesystem::copy_file(bin + "/tagger.dat", dir.Path("tagger.dat"));
        std::filesystem::copy_file(bin + "/senses.dat", dir.Path("senses.dat"));
        if (present) {
            std::string phrases = ReadFile(bin + "/phrases.dat");
            phrases.resize(phrases.size() - 3);
            WriteFile(dir.Path("phrases.dat"), phrases);
        }
        std::string problem;
        const auto context = ContextSenses::Load(dir.Root().string(), problem);
        ASSERT_NE(context, nullptr) << problem;
        EXPECT_NE(context->PhraseProblem().find("phrases.dat"), std::string::npos);
        EXPECT_EQ(context->Phrases().Size(), 0u);
        CParagraphList list;
        // The verb line of "bore" is still chosen; no phrase is found.
        EXPECT_EQ(Probe(list, "The old man bore the pain.", "bore", kEveryWord, context.get())
                      .gloss.substr(0, 6),
                  "忍受");
        EXPECT_EQ(Probe(list, "He was by no means rich.", "by", kEveryWord, context.get()).headword,
                  "");
    }
    std::string problem;
    const auto shipped = ContextSenses::Load(bin, problem);
    ASSERT_NE(shipped, nullptr) << problem;
    EXPECT_EQ(shipped->PhraseProblem(), "");
    EXPECT_GT(shipped->Phrases().Size(), 1000u);
}

}  // namespace
