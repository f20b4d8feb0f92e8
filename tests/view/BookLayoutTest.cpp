// The book layout with a measurer where every character is one column (10 pixels) and
// a space one more: a laid-out line, drawn back as text, reads as it would in print.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "ITextMeasurer.h"
#include "TextLayout.h"

namespace {

constexpr int kColumn = 10;

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

class ColumnMeasurer : public ITextMeasurer {
public:
    int TokenWidth(std::string_view token) override {
        return static_cast<int>(CodePoints(token) + 1) * kColumn;
    }
    int LineUnit() const override { return 20; }
};

// Titles two columns a character, as a heavier face is wider.
class HeadingMeasurer : public ColumnMeasurer {
public:
    int HeadingTokenWidth(std::string_view token) override {
        return static_cast<int>(2 * CodePoints(token) + 1) * kColumn;
    }
};

// The page width whose text column is `columns` characters wide.
int PageWidthFor(int columns) { return columns * kColumn * 10 / 9; }

// Each line of each paragraph as the layout placed its tokens, one character a column;
// a token given no room is not drawn, and a hyphen whose room holds "--" is an em dash,
// as the page draws them.
std::vector<std::string> Drawn(const CParagraphList& text) {
    std::vector<std::string> drawn;
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        std::vector<std::vector<std::string>> lines;
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const auto lineIndex = static_cast<std::size_t>(paragraph.Line(j));
            if (lines.size() <= lineIndex) {
                lines.resize(lineIndex + 1);
            }
            std::vector<std::string>& line = lines[lineIndex];
            std::size_t column = static_cast<std::size_t>(paragraph.X(j) / kColumn);
            std::string_view token = paragraph.Word(j);
            if (token == "-" && paragraph.Width(j) == 0) {
                continue;
            }
            if (token == "-" && j + 2 < paragraph.TokenCount() && paragraph.Word(j + 2) == "-" &&
                paragraph.Width(j + 2) == 0) {
                token = "\u2014";
            }
            for (std::size_t i = 0; i < token.size();) {
                std::size_t length = 1;
                while (i + length < token.size() &&
                       (static_cast<unsigned char>(token[i + length]) & 0xC0) == 0x80) {
                    ++length;
                }
                if (line.size() <= column) {
                    line.resize(column + 1, " ");
                }
                line[column++] = std::string(token.substr(i, length));
                i += length;
            }
        }
        for (const auto& line : lines) {
            std::string joined;
            for (const std::string& cell : line) {
                joined += cell;
            }
            drawn.push_back(joined);
        }
    }
    return drawn;
}

std::vector<std::string> LaidOut(const std::string& line, int columns) {
    CParagraphList text;
    text.SetText(line + "\n");
    ColumnMeasurer measurer;
    LayoutText(text, measurer, PageWidthFor(columns), PageLayout::Book);
    return Drawn(text);
}

TEST(BookLayout, SpacesStandOnlyWhereTheTextHasThemAndPunctuationHoldsToItsWord) {
    struct Case {
        std::string line;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {"Mr. Bingley didn't go to bed.", {"Mr. Bingley didn't go to bed."}},
        {"“Well,” said she (quietly)… ‘Yes’!", {"“Well,” said she (quietly)… ‘Yes’!"}},
        {"A well-bred X-ray -- or not; Bennet’s.", {"A well-bred X-ray — or not; Bennet’s."}},
        {"\"Quoted,\" he said, 'so.'", {"\"Quoted,\" he said, 'so.'"}},
        // Closing marks never stand apart from their word, opening ones from theirs,
        // whatever the text's spacing; runs of blanks are one space.
        {"Spaced out : like this . Or ( this ) !", {"Spaced out: like this. Or (this)!"}},
        {"  two   spaces\tand a tab", {"two spaces and a tab"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LaidOut(c.line, 72), c.drawn) << c.line;
    }
}

TEST(BookLayout, TokensTheTextJoinsBreakAsOneUnit) {
    struct Case {
        std::string line;
        std::vector<std::string> drawn;  // in a column 18 characters wide
    };
    const Case cases[] = {
        {"aaaa bbbb cccc dddd", {"aaaa bbbb cccc", "dddd"}},
        {"aaaa bbbb cccc dd.", {"aaaa bbbb cccc dd."}},  // exactly full
        // A closing mark never starts a line, even where the text spaced it off.
        {"aaaa bbbb cccc ddd .", {"aaaa bbbb cccc", "ddd."}},
        // An opening one never ends a line.
        {"aaaa bbbb cccc ( ddd", {"aaaa bbbb cccc", "(ddd"}},
        {"aaaa bbbb cccc didn't", {"aaaa bbbb cccc", "didn't"}},
        {"aaaa bbbb “cccc,” dd", {"aaaa bbbb “cccc,”", "dd"}},
        // A unit wider than the whole column breaks between its tokens after all.
        {"aaaaaaaaaa-bbbbbbbbbb", {"aaaaaaaaaa-", "bbbbbbbbbb"}},
        {"aaaaaaaaaaaaaaaaaaaaaa b", {"aaaaaaaaaaaaaaaaaaaaaa", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LaidOut(c.line, 18), c.drawn) << c.line;
    }
}

TEST(BookLayout, WidthsAreTheTokensOwnAndEmptyTokensTakeNoRoom) {
    CParagraphList text;
    text.SetText("Oh, no.\n");
    ColumnMeasurer measurer;
    LayoutText(text, measurer, 800, PageLayout::Book);
    const CParagraph& paragraph = text.m_arrParagraphs[0];
    ASSERT_EQ(paragraph.TokenCount(), 5u);  // "Oh" "," "" "no" "."
    const std::vector<int> widths = {20, 10, 0, 20, 10};
    const std::vector<int> xs = {0, 20, 30, 40, 60};
    for (std::size_t j = 0; j < widths.size(); ++j) {
        EXPECT_EQ(paragraph.Width(j), widths[j]) << j;
        EXPECT_EQ(paragraph.X(j), xs[j]) << j;
    }
}

TEST(BookLayout, TwoHyphensAreShownAsOneEmDashInTheFirstOnesRoom) {
    struct Case {
        std::string line;
        std::vector<int> widths;  // of the tokens in columns; the em dash is one
        std::vector<int> xs;
    };
    const Case cases[] = {
        // The tokenizer puts an empty token between two marks.
        {"a--b", {1, 1, 0, 0, 1}, {0, 1, 2, 2, 2}},
        {"a---b", {1, 1, 0, 0, 0, 1, 1}, {0, 1, 2, 2, 2, 2, 3}},
        {"a----b", {1, 1, 0, 0, 0, 1, 0, 0, 1}, {0, 1, 2, 2, 2, 2, 3, 3, 3}},
        {"a-b", {1, 1, 1}, {0, 1, 2}},
        // Spaced apart they are two hyphens: the text did not join them.
        {"a - -b", {1, 0, 1, 0, 0, 1, 1}, {0, 1, 2, 3, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        CParagraphList text;
        text.SetText(c.line + "\n");
        ColumnMeasurer measurer;
        LayoutText(text, measurer, 800, PageLayout::Book);
        const CParagraph& paragraph = text.m_arrParagraphs[0];
        std::vector<int> widths;
        std::vector<int> xs;
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            widths.push_back(paragraph.Width(j) / kColumn);
            xs.push_back(paragraph.X(j) / kColumn);
        }
        EXPECT_EQ(widths, c.widths) << c.line;
        EXPECT_EQ(xs, c.xs) << c.line;
        // The original layout keeps its hyphens.
        LayoutText(text, measurer, 800, PageLayout::Original);
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            EXPECT_EQ(paragraph.Width(j), measurer.TokenWidth(paragraph.Word(j))) << c.line;
        }
    }
}

TEST(BookLayout, TitlesAreSetInTheHeadingFaceWithRoomAroundThem) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::size_t> marked;  // as an EPUB's loader marks its titles
        std::vector<std::int64_t> tops;   // of the first three paragraphs
    };
    // One line (40) and the half-line paragraph gap (20), and half a line more above a
    // title and below it.
    const Case cases[] = {
        {"a plain text's heading line",
         "CHAPTER I\n\nSome text\nrunning on.\n\nMore text.\n",
         {},
         {20, 100, 140}},
        {"a title the source marked", "Part One\nSome text.\nMore text.\n", {0}, {20, 100, 160}},
        {"a marked title inside the text",
         "Some text.\nPart Two\nMore text.\n",
         {1},
         {20, 100, 180}},
        {"a mark past the text is dropped",
         "Some text.\nPart Two\nMore text.\n",
         {9},
         {20, 80, 140}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CParagraphList text;
        text.SetText(c.text);
        text.SetHeadings(c.marked);
        HeadingMeasurer measurer;
        LayoutText(text, measurer, 800, PageLayout::Book);
        const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
        std::vector<std::int64_t> tops;
        for (const CParagraph& paragraph : paragraphs) {
            if (paragraph.TokenCount() > 0 && tops.size() < 3) {
                tops.push_back(paragraph.m_nTop);
            }
        }
        EXPECT_EQ(tops, c.tops);
        for (std::size_t i = 0; i < paragraphs.size(); ++i) {
            const CParagraph& paragraph = paragraphs[i];
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                const auto columns = static_cast<int>(CodePoints(paragraph.Word(j)));
                const bool title = c.marked.empty() ? paragraph.m_strText.starts_with("CHAPTER")
                                                    : std::find(c.marked.begin(), c.marked.end(),
                                                                i) != c.marked.end();
                EXPECT_EQ(paragraph.Width(j), (title ? 2 : 1) * columns * kColumn)
                    << paragraph.m_strText << " token " << j;
            }
        }
        // The original layout knows no titles: every token at the reading face's width.
        LayoutText(text, measurer, 800, PageLayout::Original);
        for (const CParagraph& paragraph : paragraphs) {
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                EXPECT_EQ(paragraph.Width(j), measurer.TokenWidth(paragraph.Word(j)));
            }
        }
    }
    // A new text forgets the marks of the one before.
    CParagraphList text;
    text.SetText("Part One\nSome text.\n");
    text.SetHeadings({0, 0, 7});
    EXPECT_EQ(text.Headings(), std::vector<std::size_t>{0});
    text.SetText("Part One\nSome text.\n");
    EXPECT_TRUE(text.Headings().empty());
}

}  // namespace
