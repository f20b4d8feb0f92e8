// vellumwise-tool layout prints the reading window's own layout, run as a script runs it.
#include <gtest/gtest.h>

#include <QFont>
#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "EpubWriter.h"
#include "PagePainter.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "RunProgram.h"
#include "ViewOverDocument.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";

// A hard-wrapped passage, a letter's address block, dialogue and verse: every rule of
// the book layout has something to do here.
const std::string kText =
    "CHAPTER I.\n"
    "\n"
    "It is a truth universally acknowledged, that a single man in possession of a good\n"
    "fortune, must be in want of a wife. \"My dear Mr. Bennet,\" said his lady to him one\n"
    "day, \"have you heard that Netherfield Park is let at last?\" Mr. Bennet replied that\n"
    "he had not -- well-bred as he was -- and didn't (or wouldn't) say more.\n"
    "\n"
    "    Hunsford, near Westerham,\n"
    "    Kent, 15th October.\n"
    "\n"
    "The woods decay, the woods decay and fall,\n"
    "The vapours weep their burthen to the ground.\n";

// What the window laid out and draws, in the tool's form.
std::string WindowLayout(const CVellumwiseDoc& doc, const PageScene& scene) {
    std::ostringstream out;
    QtTextMeasurer measurer(scene.textFont, 20);
    const int space = measurer.TokenWidth({});
    const auto& paragraphs = doc.m_paragraphs.m_arrParagraphs;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const CParagraph& paragraph = paragraphs[i];
        const bool heading = scene.headings != nullptr &&
                             std::binary_search(scene.headings->begin(), scene.headings->end(), i);
        out << "P\t" << i << '\t' << paragraph.m_nTop << '\t' << paragraph.m_nHeight << '\t'
            << (heading ? "heading" : "text") << '\n';
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view word = paragraph.Word(j);
            int width = heading ? measurer.HeadingTokenWidth(word) : measurer.TokenWidth(word);
            // The book page shows "--" as one em dash, in the first hyphen's room.
            // (past the empty token the tokenizer puts between two marks).
            const bool dash =
                scene.breakAroundText && word == "-" && j + 2 < paragraph.TokenCount();
            if (dash && paragraph.Word(j + 2) == "-" && paragraph.Width(j + 2) == 0) {
                width = measurer.TokenWidth("\u2014");
            } else if (scene.breakAroundText && word == "-" && paragraph.Width(j) == 0) {
                width = space;
            }
            out << i << '\t' << paragraph.Line(j) << '\t' << paragraph.X(j) << '\t' << width - space
                << '\t' << word << '\n';
        }
    }
    return out.str();
}

class LayoutTool : public ViewOverDocument {
protected:
    LayoutTool() : ViewOverDocument(700) { WriteFile(m_dir.Path("text.txt"), kText); }

    ProgramResult Layout(const std::string& arguments) {
        return RunProgram(Quoted(kTool) + " layout " + arguments + " " +
                          Quoted(m_dir.Path("text.txt")) + " 2>/dev/null");
    }

    TempDir m_dir;
};

TEST_F(LayoutTool, PrintsWhatTheWindowLaysOutInEitherLayoutAndFont) {
    struct Case {
        PageLayout layout;
        std::string arguments;
        int pageWidth;
        std::optional<QFont> font;  // in points, as the font dialog gives it
    };
    QFont large(QStringLiteral("DejaVu Serif"));
    large.setPointSizeF(20);
    const Case cases[] = {
        {PageLayout::Book, "", 800, std::nullopt},
        {PageLayout::Original, "--original", 800, std::nullopt},
        {PageLayout::Book, "--width 500 --font 'DejaVu Serif,20'", 500, large},
        {PageLayout::Original, "--original --width 500 --font 'DejaVu Serif,20'", 500, large},
    };
    for (const Case& c : cases) {
        m_doc.SetPageLayout(c.layout);
        m_doc.SetPageWidth(c.pageWidth);
        if (c.font) {
            m_doc.SetReadingFont(ToReadingFont(*c.font, m_view.logicalDpiY()));
        }
        Paste(kText);
        const ProgramResult tool = Layout(c.arguments);
        EXPECT_EQ(tool.status, 0) << c.arguments;
        EXPECT_EQ(tool.out, WindowLayout(m_doc, m_view.Scene())) << c.arguments;
    }
}

// One token of the tool's output.
struct Placed {
    int paragraph;
    int line;
    int x;
    int width;
    std::string token;
};

std::vector<Placed> TokensOf(const std::string& out) {
    std::vector<Placed> tokens;
    std::istringstream lines(out);
    std::string row;
    while (std::getline(lines, row)) {
        if (row.starts_with("P\t")) {
            continue;
        }
        std::istringstream fields(row);
        Placed placed;
        char tab = 0;
        fields >> placed.paragraph >> placed.line >> placed.x >> placed.width;
        fields.get(tab);
        std::getline(fields, placed.token);
        if (!placed.token.empty()) {
            tokens.push_back(placed);
        }
    }
    return tokens;
}

TEST_F(LayoutTool, RealFontsSetPunctuationAgainstItsWordAndNeverAtALinesStart) {
    for (const std::string arguments : {"", "--width 420 --font 'DejaVu Serif,20'"}) {
        const std::vector<Placed> tokens = TokensOf(Layout(arguments).out);
        ASSERT_GT(tokens.size(), 100u) << arguments;
        int glued = 0;
        for (std::size_t i = 1; i < tokens.size(); ++i) {
            const Placed& before = tokens[i - 1];
            const Placed& token = tokens[i];
            const bool closing = token.token == "," || token.token == "." || token.token == "?" ||
                                 token.token == ")" || token.token == ";";
            const bool sameLine = before.paragraph == token.paragraph && before.line == token.line;
            if (closing) {
                // Against the token before it, on its line: never first on a line.
                EXPECT_TRUE(sameLine) << arguments << ": " << before.token << token.token;
                EXPECT_EQ(token.x, before.x + before.width) << arguments << ": " << token.token;
                ++glued;
            }
            if (before.token == "'" && token.token == "t") {  // didn't, wouldn't
                EXPECT_EQ(token.x, before.x + before.width) << arguments;
            }
            if (before.token == "(" || (before.token == "-" && token.token == "bred")) {
                EXPECT_TRUE(sameLine) << arguments;
                EXPECT_EQ(token.x, before.x + before.width) << arguments << ": " << token.token;
            }
        }
        EXPECT_GT(glued, 10) << arguments;
    }
}

// The paragraphs the tool says it sets as titles, and the widths it gives "Chapter".
struct Titles {
    std::vector<int> paragraphs;
    std::vector<int> chapterWidths;  // in titles, then in the text
};

Titles TitlesOf(const std::string& out) {
    Titles titles;
    std::vector<int> inText;
    std::istringstream lines(out);
    std::string row;
    bool inTitle = false;
    while (std::getline(lines, row)) {
        if (row.starts_with("P\t")) {
            inTitle = row.ends_with("\theading");
            if (inTitle) {
                titles.paragraphs.push_back(std::stoi(row.substr(2)));
            }
            continue;
        }
        std::istringstream fields(row);
        Placed placed;
        char tab = 0;
        fields >> placed.paragraph >> placed.line >> placed.x >> placed.width;
        fields.get(tab);
        std::getline(fields, placed.token);
        if (placed.token == "Chapter") {
            (inTitle ? titles.chapterWidths : inText).push_back(placed.width);
        }
    }
    titles.chapterWidths.insert(titles.chapterWidths.end(), inText.begin(), inText.end());
    return titles;
}

TEST_F(LayoutTool, TitlesOfTextsAndBooksAreSetInTheHeadingFaceAsTheWindowSetsThem) {
    const std::string book = m_dir.Path("book.epub");
    WriteFile(book, EpubWriter()
                        .Chapter("one.xhtml",
                                 "<h1>Chapter One</h1><p>Chapter and verse were read.</p>"
                                 "<h4>Chapter note</h4><h2>Chapter Two</h2><p>More.</p>")
                        .Bytes());
    const std::string text = m_dir.Path("plain.txt");
    WriteFile(text, "CHAPTER I.\n\nChapter and verse were read\nby all.\n\nChapter 2\n\nMore.\n");
    struct Case {
        std::string file;
        PageLayout layout;
        std::vector<int> titles;
    };
    const Case cases[] = {
        {book, PageLayout::Book, {0, 3}},
        {book, PageLayout::Original, {}},
        {text, PageLayout::Book, {0, 3}},
        {text, PageLayout::Original, {}},
    };
    for (const Case& c : cases) {
        const bool original = c.layout == PageLayout::Original;
        SCOPED_TRACE(c.file + (original ? " original" : " book"));
        const ProgramResult tool = RunProgram(Quoted(kTool) + " layout " +
                                              (original ? "--original " : "") + Quoted(c.file));
        ASSERT_EQ(tool.status, 0);
        const Titles titles = TitlesOf(tool.out);
        EXPECT_EQ(titles.paragraphs, c.titles);
        // Bold is wider: "Chapter" in a title against "Chapter" in the text.
        ASSERT_GE(titles.chapterWidths.size(), 2u);
        if (!c.titles.empty()) {
            EXPECT_GT(titles.chapterWidths.front(), titles.chapterWidths.back());
        }
        m_doc.SetPageLayout(c.layout);
        ASSERT_TRUE(m_doc.OpenTextFile(c.file));
        EXPECT_EQ(tool.out, WindowLayout(m_doc, m_view.Scene()));
    }
}

TEST_F(LayoutTool, RefusesWhatItCannotUse) {
    for (const std::string arguments : {"--width", "--width 12", "--width wide", "--font DejaVu",
                                        "--font 'DejaVu,0'", "--sideways"}) {
        EXPECT_EQ(Layout(arguments).status, 2) << arguments;
    }
    EXPECT_EQ(
        RunProgram(Quoted(kTool) + " layout " + Quoted(m_dir.Path("absent.txt")) + " 2>/dev/null")
            .status,
        1);
}

}  // namespace
