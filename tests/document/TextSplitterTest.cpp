// A long text is split on several threads and the stretches joined; the join must
// give exactly what one pass gives, down to the word numbers and the name counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "TextSplitter.h"

namespace {

// About `bytes` of text that exercises what the split and the name rule look at:
// capitals inside sentences, articles, titles, CR LF and LF, blank lines, UTF-8
// punctuation, one-byte tokens, and words first seen far into the text.
std::string MixedText(std::size_t bytes) {
    const char* const pieces[] = {
        "the",    "Stein", "said",    "Mr.",          "Holt",  ",",
        "and",    "a",     "house",   "House",        "HOUSE", "\xE2\x80\x9CYes\xE2\x80\x9D",
        "d'Arcy", "-",     "Emperor", "the Emperor",  "x",     ";",
        "?",      "stein", "I",       "\xE2\x80\x94",
    };
    constexpr std::size_t kPieces = sizeof(pieces) / sizeof(pieces[0]);
    std::string text;
    std::uint32_t state = 12345;
    std::size_t line = 0;
    while (text.size() < bytes) {
        state = state * 1103515245u + 12345u;
        const std::size_t pick = (state >> 8) % (kPieces + 3);
        if (pick < kPieces) {
            text += pieces[pick];
        } else {
            // Words met only once, so that later stretches number words of their own.
            text += "Word" + std::to_string(text.size() % 100000);
        }
        text += ' ';
        if ((state >> 20) % 9 == 0) {
            text += ++line % 3 == 0 ? "\r\n" : (line % 7 == 0 ? "\n\n" : "\n");
        }
    }
    return text;
}

TEST(TextSplitter, StretchesOnThreadsJoinToTheSinglePass) {
    const std::string text = MixedText(1300 * 1024);
    SplitText single;
    ASSERT_TRUE(SplitLines(text, 1, {}, single));
    for (const unsigned threads : {2u, 3u, 8u}) {
        SCOPED_TRACE(threads);
        SplitText joined;
        ASSERT_TRUE(SplitLines(text, threads, {}, joined));
        EXPECT_EQ(joined.tokenOffsets, single.tokenOffsets);
        EXPECT_EQ(joined.tokenWords, single.tokenWords);
        ASSERT_EQ(joined.lines.size(), single.lines.size());
        for (std::size_t i = 0; i < single.lines.size(); ++i) {
            ASSERT_EQ(joined.lines[i].text.data(), single.lines[i].text.data()) << i;
            ASSERT_EQ(joined.lines[i].text.size(), single.lines[i].text.size()) << i;
            ASSERT_EQ(joined.lines[i].firstToken, single.lines[i].firstToken) << i;
            ASSERT_EQ(joined.lines[i].tokenCount, single.lines[i].tokenCount) << i;
        }
        ASSERT_EQ(joined.words.Size(), single.words.Size());
        ASSERT_EQ(joined.evidence.Size(), single.words.Size());
        for (std::uint32_t id = 0; id < single.words.Size(); ++id) {
            ASSERT_EQ(joined.words.Word(id), single.words.Word(id)) << id;
            const WordUses& a = joined.evidence.Uses(id);
            const WordUses& b = single.evidence.Uses(id);
            ASSERT_EQ(a.lowerCase, b.lowerCase) << single.words.Word(id);
            ASSERT_EQ(a.capitalised, b.capitalised) << single.words.Word(id);
            ASSERT_EQ(a.afterArticle, b.afterArticle) << single.words.Word(id);
        }
    }
}

TEST(TextSplitter, StoppingOneStretchStopsThemAllAndLeavesNothing) {
    const std::string text = MixedText(1300 * 1024);
    SplitText out;
    int asked = 0;
    EXPECT_FALSE(SplitLines(
        text, 4, [&](double) { return ++asked > 1; }, out));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(out.lines.empty());
    EXPECT_TRUE(out.tokenWords.empty());
    EXPECT_EQ(out.words.Size(), 0u);
}

TEST(TextSplitter, ShortTextsAndTextsWithoutLineEndsStayWhole) {
    for (const std::string& text :
         {std::string(), std::string("one line, no end"), std::string(600 * 1024, 'a')}) {
        SplitText out;
        ASSERT_TRUE(SplitLines(text, 4, {}, out));
        EXPECT_EQ(out.lines.size(), text.empty() ? 0u : 1u);
    }
}

}  // namespace
