// How a text becomes paragraphs and tokens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CParagraphList.h"

namespace {

// Tokens joined by a middle dot, an empty token shown as ∅.
std::string Tokens(const CParagraph& paragraph) {
    std::string joined;
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        if (j > 0) {
            joined += "·";
        }
        joined += paragraph.Word(j).empty() ? std::string("∅") : std::string(paragraph.Word(j));
    }
    return joined;
}

// The tokens of a one-line text, read back through the list's shared arrays.
std::string TokensOf(const std::string& line) {
    CParagraphList list;
    list.SetText(line);
    return list.m_arrParagraphs.empty() ? std::string() : Tokens(list.m_arrParagraphs[0]);
}

std::vector<std::string> Paragraphs(std::string_view text) {
    CParagraphList list;
    list.SetText(text);
    std::vector<std::string> texts;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        texts.emplace_back(paragraph.m_strText);
    }
    return texts;
}

struct TokenCase {
    const char* name;
    std::string line;
    std::string tokens;
};

TEST(Tokenizer, SplitsAtBlanksAndPunctuation) {
    const TokenCase cases[] = {
        {"apostrophe and digits", "It's 5 o'clock.", "It·'·s·5·o·'·clock·."},
        {"ellipsis", "Wait... no", "Wait·.·∅·.·∅·.·∅·no"},
        {"hyphen and two blanks", "a well-known  fact", "a·well·-·known·∅·fact"},
        {"separator after a blank", "(see below)", "∅·(·see·below·)"},
        {"plain words", "Chapter One", "Chapter·One"},
        {"last byte a full stop", "Hello world.", "Hello·world·."},
        {"digits stay in words", "the 1990s", "the·1990s"},
        {"every ASCII separator", "a!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~b",
         "a·!·∅·\"·∅·#·∅·$·∅·%·∅·&·∅·'·∅·(·∅·)·∅·*·∅·+·∅·,·∅·-·∅·.·∅·/·∅·:·∅·;·∅·<·∅·=·∅·>·∅·?·∅·"
         "@·∅·[·∅·\\·∅·]·∅·^·∅·_·∅·`·∅·{·∅·|·∅·}·∅·~·b"},
        {"trailing blank adds no token", "end ", "end"},
        {"only blanks", "   ", "∅·∅·∅"},
        {"a lone CR is a word byte", "end\rStart", "end\rStart"},
        {"control bytes are word bytes",
         "a\x01\x7f"
         "b",
         "a\x01\x7f"
         "b"},
        {"accented letters are word bytes", "café au lait", "café·au·lait"},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TokensOf(c.line), c.tokens);
    }
}

TEST(Tokenizer, TabAndNoBreakSpaceAreBlanks) {
    const TokenCase cases[] = {
        {"TAB", "known\tfact", "known·fact"},
        {"no-break space", "known\u00a0fact", "known·fact"},
        {"TAB then space", "a\t b", "a·∅·b"},
        {"other C2 characters stay in words", "1\u00b0C", "1\u00b0C"},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TokensOf(c.line), c.tokens);
    }
}

TEST(Tokenizer, UnicodePunctuationIsOneSeparatorToken) {
    const TokenCase cases[] = {
        {"curly double quotes", "\u201cWell,\u201d he", "∅·\u201c·Well·,·∅·\u201d·∅·he"},
        {"curly apostrophe", "don\u2019t Pierre\u2019s", "don·\u2019·t·Pierre·\u2019·s"},
        {"em dash", "yes\u2014no", "yes·\u2014·no"},
        {"ellipsis character", "so\u2026", "so·\u2026"},
        {"first of the range, U+2010", "a\u2010b", "a·\u2010·b"},
        {"last of the range, U+2027", "a\u2027b", "a·\u2027·b"},
        {"just past the range, U+2028 and U+200F", "a\u2028b\u200fc", "a\u2028b\u200fc"},
        {"guillemets", "\u00abbook\u00bb", "∅·\u00ab·book·\u00bb"},
        {"a cut-off sequence stays in the word", "a\xe2\x80", "a\xe2\x80"},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TokensOf(c.line), c.tokens);
    }
}

TEST(ParagraphSplit, EndsParagraphsAtLineEnds) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> paragraphs;
    };
    const Case cases[] = {
        {"no line end", "Hello world.", {"Hello world."}},
        {"CR LF", "Chapter One\r\nNext line", {"Chapter One", "Next line"}},
        {"LF alone", "end\nStart", {"end", "Start"}},
        {"mixed ends", "a\r\nb\nc", {"a", "b", "c"}},
        {"empty lines make no paragraph", "a\r\n\r\n\n\nb\r\n", {"a", "b"}},
        {"only line ends", "\r\n\r\n\n", {}},
        {"empty text", "", {}},
        {"lone CR stays inside", "end\rStart\r\n", {"end\rStart"}},
        {"CR CR LF keeps the first CR", "a\r\r\nb", {"a\r", "b"}},
        {"final CR without LF", "a\r", {"a\r"}},
        {"a line of blanks is a paragraph", "a\n  \nb", {"a", "  ", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Paragraphs(c.text), c.paragraphs);
    }
}

TEST(ParagraphSplit, SetTextReplacesTheOldParagraphs) {
    CParagraphList list;
    list.SetText("one\ntwo\nthree");
    list.SetText("four");
    ASSERT_EQ(list.m_arrParagraphs.size(), 1u);
    EXPECT_EQ(Tokens(list.m_arrParagraphs[0]), "four");
    list.RemoveAll();
    EXPECT_TRUE(list.m_arrParagraphs.empty());
}

TEST(ParagraphSplit, TokensPointIntoTheirOwnParagraph) {
    // Paragraphs move when the list grows; short texts live inside the string
    // object itself, so a token must be found again from its offset.
    CParagraphList list;
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "w" + std::to_string(i) + " x\n";
    }
    list.SetText(text);
    ASSERT_EQ(list.m_arrParagraphs.size(), 100u);
    EXPECT_EQ(list.m_arrParagraphs[0].Word(0), "w0");
    EXPECT_EQ(list.m_arrParagraphs[99].Word(0), "w99");
    EXPECT_EQ(list.m_arrParagraphs[99].Word(1), "x");
}

}  // namespace
