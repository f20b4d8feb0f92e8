// The part-of-speech tagger: the shipped data on sentences whose tags are certain, the
// compiled file's damage checks, and how a text's tokens become the tagger's words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CParagraphList.h"
#include "PosTagger.h"
#include "ReadFileBytes.h"
#include "TaggerData.h"
#include "TextTagging.h"

namespace {

const TaggerData& ShippedTagger() {
    static const TaggerData* data = [] {
        const auto bytes = ReadFileBytes(std::string(VELLUMWISE_BIN_DIR) + "/tagger.dat");
        EXPECT_TRUE(bytes.has_value());
        std::string error;
        auto loaded = TaggerData::FromCompiled(bytes.value_or(""), error);
        EXPECT_TRUE(loaded.has_value()) << error;
        return new TaggerData(loaded ? std::move(*loaded) : TaggerData());
    }();
    return *data;
}

// "word/TAG word/TAG ..." for every tagged word token of the text.
std::string Tagged(const std::string& text) {
    CParagraphList list;
    list.SetText(text);
    const PosTagger tagger(ShippedTagger());
    const std::vector<PosTag> tags = TagText(list.Store(), list.m_arrParagraphs, tagger);
    std::string out;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const PosTag tag = tags[paragraph.FirstToken() + j];
            if (tag != PosTag::None) {
                out += (out.empty() ? "" : " ") + std::string(paragraph.Word(j)) + "/" +
                       std::string(PosTagName(tag));
            }
        }
    }
    return out;
}

// The tag given to the `nth` (from 0) token spelled `word`.
PosTag TagOf(const std::string& text, std::string_view word, int nth = 0) {
    CParagraphList list;
    list.SetText(text);
    const PosTagger tagger(ShippedTagger());
    const std::vector<PosTag> tags = TagText(list.Store(), list.m_arrParagraphs, tagger);
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == word && nth-- == 0) {
                return tags[paragraph.FirstToken() + j];
            }
        }
    }
    return PosTag::None;
}

WordClass ClassIn(const std::string& text, std::string_view word, int nth = 0) {
    return ClassOf(TagOf(text, word, nth));
}

TEST(TaggerTest, ContentWordsOfPlainSentencesGetTheirClass) {
    struct Case {
        const char* text;
        const char* word;
        int nth;
        WordClass expected;
    };
    const Case cases[] = {
        {"The old man bore the pain without a word.", "bore", 0, WordClass::Verb},
        {"He was a terrible bore at dinner.", "bore", 0, WordClass::Noun},
        {"She wound the clock before bed.", "wound", 0, WordClass::Verb},
        {"The doctor dressed the wound carefully.", "wound", 0, WordClass::Noun},
        {"I want to book a room for tonight.", "book", 0, WordClass::Verb},
        {"She read the book in one evening.", "book", 0, WordClass::Noun},
        {"They will charge you for the call.", "charge", 0, WordClass::Verb},
        {"The room was clean and quiet.", "clean", 0, WordClass::Adjective},
        {"He ran quickly down the stairs.", "quickly", 0, WordClass::Adverb},
        {"It happened many years ago.", "ago", 0, WordClass::Adverb},
        {"Please let me know if you can come.", "know", 0, WordClass::Verb},
        {"They saw the light in the window.", "light", 0, WordClass::Noun},
        {"It was a light meal, and the wine was light.", "light", 1, WordClass::Adjective},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassIn(c.text, c.word, c.nth), c.expected)
            << c.text << " / " << c.word << ": " << Tagged(c.text);
    }
}

TEST(TaggerTest, CurlyAndStraightApostrophesTagAlike) {
    EXPECT_EQ(
        Tagged("I don't know what they're doing, it's late."),
        Tagged("I don\xE2\x80\x99t know what they\xE2\x80\x99re doing, it\xE2\x80\x99s late."));
    // The contraction is tagged as its two words: "do" and "n't", "they" and "'re".
    EXPECT_EQ(TagOf("I don't know.", "don"), PosTag::VBP);
    EXPECT_EQ(TagOf("I don't know.", "know"), PosTag::VB);
    EXPECT_EQ(TagOf("They're here.", "re"), PosTag::VBP);
    EXPECT_EQ(TagOf("John's dog barked.", "dog"), PosTag::NN);
    // An apostrophe that is no contraction leaves both words to be tagged alone.
    EXPECT_EQ(ClassIn("It was nine o'clock when he came.", "came"), WordClass::Verb);
}

TEST(TaggerTest, SentencesRunOnAcrossWrappedLinesAndEndAtBlankLines) {
    // The same sentence hard-wrapped before its verb tags as it does on one line.
    EXPECT_EQ(Tagged("The old man\nbore the pain without a word."),
              Tagged("The old man bore the pain without a word."));
    EXPECT_EQ(Tagged("She read the\r\nbook slowly."), Tagged("She read the book slowly."));
    // A blank line ends the sentence: a heading is not read into the next line.
    EXPECT_EQ(TagOf("CHAPTER ONE\n\nLight came through the window.", "Light"),
              TagOf("Light came through the window.", "Light"));
    // "Mr." does not end a sentence.
    EXPECT_EQ(TagOf("Mr. Smith went home.", "went"), PosTag::VBD);
}

TEST(TaggerTest, TextThatIsNoEnglishIsTaggedWithoutHarm) {
    const std::string odd =
        "12 34 56 , ; :: ??? \xE2\x80\x94\xE2\x80\x94 l'\xC3\xA9t\xC3\xA9 "
        "\xE4\xB8\xAD\xE6\x96\x87 '''' --- a-b-c- -x x- ''s n't";
    EXPECT_NO_FATAL_FAILURE(Tagged(odd));
    std::string longRun;
    for (int i = 0; i < 2000; ++i) {
        longRun += "word ";
    }
    EXPECT_EQ(TagOf(longRun, "word", 1999), TagOf(longRun, "word", 0));
}

TEST(TaggerDataTest, CompiledFileRoundTripsAndRefusesDamage) {
    std::string error;
    const std::optional<TaggerData> source = TaggerData::FromTsv(
        "# comment\nthe\tDT\nbore\tVBD|NN|VBP\nwound\tNN|VBD\n",
        "NN\tVB\tPREVTAG\tTO\t\t\t0\t1\nVBD\tNN\tWDPREVTAG\tDT\twound\t\t1\t0\n", error);
    ASSERT_TRUE(source.has_value()) << error;
    const std::string bytes = source->Compile();
    const std::optional<TaggerData> back = TaggerData::FromCompiled(bytes, error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(back->LexiconSize(), 3u);
    ASSERT_NE(back->Find("bore"), nullptr);
    EXPECT_EQ(back->Find("bore")->count, 3);
    EXPECT_EQ(back->Find("bore")->tags[1], PosTag::NN);
    ASSERT_EQ(back->Rules().size(), 2u);
    EXPECT_EQ(back->Rules()[1].words[1], "wound");
    EXPECT_TRUE(back->Rules()[1].secondPassOnly);
    EXPECT_TRUE(back->Rules()[0].checkLexicon);
    EXPECT_EQ(back->Compile(), bytes);

    // Every cut and every flipped byte is refused, never read past.
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(TaggerData::FromCompiled(bytes.substr(0, cut), error).has_value()) << cut;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        EXPECT_FALSE(TaggerData::FromCompiled(damaged, error).has_value()) << at;
    }
    EXPECT_FALSE(TaggerData::FromCompiled("", error).has_value());
    EXPECT_FALSE(TaggerData::FromCompiled(bytes + "x", error).has_value());
}

TEST(TaggerDataTest, MalformedSourcesAreRefused) {
    std::string error;
    EXPECT_FALSE(TaggerData::FromTsv("word\tXX\n", "", error).has_value());
    EXPECT_FALSE(TaggerData::FromTsv("word\t\n", "", error).has_value());
    EXPECT_FALSE(TaggerData::FromTsv("word\tNN\textra\n", "", error).has_value());
    EXPECT_FALSE(TaggerData::FromTsv("", "NN\tVB\tNOSUCH\tTO\t\t\t0\t0\n", error).has_value());
    EXPECT_FALSE(
        TaggerData::FromTsv("", "NN\tVB\tPREVTAG\tnotatag\t\t\t0\t0\n", error).has_value());
    EXPECT_FALSE(TaggerData::FromTsv("", "NN\tVB\tPREVWORD\t\t\t\t0\t0\n", error).has_value());
    EXPECT_FALSE(TaggerData::FromTsv("", "NN\tVB\tPREVTAG\tTO\t\t\t2\t0\n", error).has_value());
}

}  // namespace
