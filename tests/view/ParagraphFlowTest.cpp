// Which source lines the book layout flows together, on texts of several shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "ParagraphFlow.h"

namespace {

using enum LineStart;

// Prose of `words` words wrapped at `width` characters, as a wrapping tool writes it.
std::string Wrapped(int words, std::size_t width, int seed) {
    static const char* const kWords[] = {"the",     "morning", "was",     "grey",   "and",
                                         "she",     "walked",  "slowly",  "toward", "an",
                                         "village", "beyond",  "river's", "edge,",  "thinking",
                                         "of",      "nothing", "at",      "all.",   "Perhaps"};
    std::string text;
    std::string line;
    for (int i = 0; i < words; ++i) {
        const std::string word = kWords[(i * 7 + seed * 3 + i / 5) % 20];
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return text + line + "\n";
}

std::vector<LineStart> Flow(const std::string& text) {
    CParagraphList list;
    list.SetText(text);
    return FlowOf(list);
}

// The flow of the lines of `block` as the last lines of `flow`.
std::vector<LineStart> Tail(const std::vector<LineStart>& flow, std::size_t lines) {
    return {flow.end() - static_cast<std::ptrdiff_t>(lines), flow.end()};
}

// What the book layout makes of one wrapped paragraph: a paragraph flowed line after line.
std::vector<LineStart> OneParagraph(const std::string& block) {
    std::vector<LineStart> flow(
        static_cast<std::size_t>(std::count(block.begin(), block.end(), '\n')), Continues);
    flow.front() = Paragraph;
    return flow;
}

// A hard-wrapped novel's opening: enough wrapped paragraphs to show the width.
std::string Novel() {
    std::string text = "CHAPTER I\n\n";
    for (int i = 0; i < 12; ++i) {
        text += Wrapped(60 + i * 5, 70, i) + "\n";
    }
    return text;
}

TEST(ParagraphFlow, AHardWrappedTextFlowsEachBlockIntoOneParagraph) {
    const std::string paragraph = Wrapped(40, 70, 99);
    const std::vector<LineStart> flow = Flow(Novel() + paragraph);
    EXPECT_EQ(flow[0], Paragraph);  // the heading
    EXPECT_EQ(flow[1], Paragraph);
    ASSERT_GE(OneParagraph(paragraph).size(), 3u);
    EXPECT_EQ(Tail(flow, OneParagraph(paragraph).size()), OneParagraph(paragraph));
}

TEST(ParagraphFlow, VerseLettersTablesAndQuotationsKeepTheirLines) {
    struct Case {
        const char* shape;
        std::string block;
        std::vector<LineStart> flow;
    };
    const Case cases[] = {
        {"verse",
         "The woods decay, the woods decay and fall,\n"
         "The vapours weep their burthen to the ground,\n"
         "Man comes and tills the field and lies beneath,\n"
         "And after many a summer dies the swan.\n",
         {Paragraph, Line, Line, Line}},
        // Lines as long as the prose's, but each starting with a capital.
        {"long verse",
         "Of Man's first disobedience, and the fruit of that forbidden tree whose\n"
         "Mortal taste brought death into the World, and all our woe, with loss\n"
         "Of Eden, till one greater Man restore us, and regain the blissful seat,\n"
         "Sing, Heavenly Muse, that, on the secret top of Oreb, or of Sinai, didst\n",
         {Paragraph, Line, Line, Line}},
        {"a letter's address",
         "Hunsford, near Westerham,\n"
         "Kent, 15th October.\n",
         {Paragraph, Line}},
        {"a play's speech",
         "HAMLET. To be, or not to be, that is the question:\n"
         "Whether 'tis nobler in the mind to suffer\n"
         "The slings and arrows of outrageous fortune,\n"
         "Or to take arms against a sea of troubles\n",
         {Paragraph, Line, Line, Line}},
        {"an indented quotation",
         "    and this, which ran on over two long lines of the quoted book, as the\n"
         "    quoting writer set it off from the text around it by its indentation.\n",
         {Paragraph, Line}},
        {"a table",
         "   I.     A Scandal in Bohemia\n"
         "   II.    The Red-Headed League\n",
         {Paragraph, Line}},
        // A paragraph whose first line alone is indented still flows.
        {"an indented first line",
         "  the morning was grey and she walked slowly toward an village beyond the\n"
         "river's edge, thinking of nothing at all.\n",
         {Paragraph, Continues}},
    };
    for (const Case& c : cases) {
        const std::string after = Wrapped(50, 70, 7);
        const std::size_t afterLines = OneParagraph(after).size();
        const std::vector<LineStart> flow = Flow(Novel() + c.block + "\n" + after);
        const std::vector<LineStart> kept(
            flow.end() - static_cast<std::ptrdiff_t>(c.flow.size() + afterLines),
            flow.end() - static_cast<std::ptrdiff_t>(afterLines));
        EXPECT_EQ(kept, c.flow) << c.shape;
        // The prose after it flows as before.
        EXPECT_EQ(Tail(flow, afterLines), OneParagraph(after)) << c.shape;
    }
}

TEST(ParagraphFlow, TextsThatAreNotHardWrappedKeepEveryLine) {
    std::string perLine;    // a paragraph a line, as an EPUB's text or an article
    std::string spacedOut;  // the same with blank lines between
    std::string poem;       // stanzas of short lines
    for (int i = 0; i < 30; ++i) {
        std::string paragraph = Wrapped(30 + i * 7 % 60, 100000, i);
        paragraph.pop_back();
        perLine += paragraph + "\n";
        spacedOut += paragraph + "\n\n";
        poem +=
            "The woods decay, the woods decay and fall,\nAnd after many a summer\n"
            "the vapours weep their burthen\nto the ground.\n\n";
    }
    for (const LineStart start : Flow(perLine)) {
        EXPECT_EQ(start, Paragraph);
    }
    for (const LineStart start : Flow(spacedOut)) {
        EXPECT_EQ(start, Paragraph);
    }
    const std::vector<LineStart> stanzas = Flow(poem);
    EXPECT_EQ(Tail(stanzas, 4), (std::vector<LineStart>{Paragraph, Line, Line, Line}));
    // A text narrower than prose is ever wrapped at, lines of about one length: verse.
    std::string narrow;
    for (int i = 0; i < 20; ++i) {
        narrow += Wrapped(30, 40, i) + "\n";
    }
    for (const LineStart start : Flow(narrow)) {
        EXPECT_NE(start, Continues);
    }
}

TEST(ParagraphFlow, LinesOfBlanksAreBlankLinesAndCrLfCounts) {
    std::string text = Novel();
    std::string crlf;
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(Flow(crlf), Flow(text));
    std::string blanks;
    for (std::size_t i = 0; i < text.size(); ++i) {
        blanks += text[i];
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') {
            blanks += "   ";  // a "blank" line of spaces
        }
    }
    const std::vector<LineStart> flow = Flow(blanks);
    std::vector<LineStart> withoutBlankLines;
    CParagraphList list;
    list.SetText(blanks);
    for (std::size_t i = 0; i < flow.size(); ++i) {
        if (list.m_arrParagraphs[i].m_strText.find_first_not_of(' ') != std::string_view::npos) {
            withoutBlankLines.push_back(flow[i]);
        } else {
            EXPECT_EQ(flow[i], Continues) << i;
        }
    }
    EXPECT_EQ(withoutBlankLines, Flow(text));
    EXPECT_TRUE(Flow("").empty());
}

TEST(ParagraphFlow, HeadingsAreShortLinesAloneThatNameAPartOrAreCapitals) {
    const std::string prose = Wrapped(60, 70, 3);
    struct Case {
        std::string line;
        bool heading;
    };
    const Case cases[] = {
        {"CHAPTER I", true},
        {"Chapter 12", true},
        {"BOOK ONE: 1805", true},
        {"PART THE SECOND", true},
        {"IX.", true},
        {"XIV", true},
        {"I. A SCANDAL IN BOHEMIA", true},
        {"Yes.", false},
        {"The End of it all", false},
        {"Partly so.", false},
        {"A", false},
        {"“BALLARAT.”", false},
        {"\"HELP!\"", false},
    };
    for (const Case& c : cases) {
        CParagraphList list;
        list.SetText(Novel() + c.line + "\n\n" + prose);
        const std::vector<std::size_t> headings = HeadingsOf(list, FlowOf(list));
        const std::size_t index = list.m_arrParagraphs.size() - OneParagraph(prose).size() - 1;
        EXPECT_EQ(std::find(headings.begin(), headings.end(), index) != headings.end(), c.heading)
            << c.line;
        EXPECT_EQ(headings.front(), 0u);  // the novel's "CHAPTER I"
    }
    // A capital line inside a block is no heading, nor is any line of an EPUB's text.
    CParagraphList block;
    block.SetText(Novel() + "THE END\nof the matter\n");
    EXPECT_EQ(HeadingsOf(block, FlowOf(block)).size(), 1u);
    CParagraphList perLine;
    perLine.SetText("CHAPTER I\nIt was a dark night.\nCHAPTER II\n");
    EXPECT_TRUE(HeadingsOf(perLine, FlowOf(perLine)).empty());
}

}  // namespace
