// Books the tests write, read for their paragraphs and chapters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EpubBook.h"
#include "EpubWriter.h"

namespace {

using Paragraphs = std::vector<std::string>;

struct Chapter {
    std::string title;
    std::size_t paragraph;
    int depth;
    bool operator==(const Chapter&) const = default;
};

std::vector<Chapter> Chapters(const EpubBook& book) {
    std::vector<Chapter> chapters;
    for (const BookChapter& c : book.chapters) {
        chapters.push_back({c.title, c.paragraph, c.depth});
    }
    return chapters;
}

void PrintTo(const Chapter& c, std::ostream* out) {
    *out << "{" << c.title << ", " << c.paragraph << ", " << c.depth << "}";
}

EpubBook Read(const std::string& bytes) {
    EpubResult result = ReadEpub(bytes);
    EXPECT_TRUE(result.Ok()) << result.reason;
    return result.Ok() ? std::move(*result.book) : EpubBook{};
}

// An EPUB 3 book: parts with nested chapters, a note kept out of the reading line.
std::string Epub3Book() {
    return EpubWriter()
        .Chapter("title.xhtml", "<h1>The <em>Long</em> Road</h1><p>A tale.</p>")
        .Chapter("part1.xhtml",
                 "<section id=\"part-one\"><h1>Part One</h1>"
                 "<section id=\"ch1\"><h2>Chapter 1</h2>"
                 "<p>It was&nbsp;late&mdash;very late. <a href=\"notes.xhtml#n1\">1</a></p>"
                 "<p>She said: &ldquo;Go&rdquo;<br/>and he went.</p>"
                 "<div>Loose text in a div <span>with a span</span></div>"
                 "</section>"
                 "<section id=\"ch2\"><h2>Chapter 2</h2>"
                 "<blockquote><p>Quoted words.</p></blockquote>"
                 "<ul><li>one</li><li>two <b>bold</b></li></ul>"
                 "<dl><dt>Term</dt><dd>Meaning &amp; more</dd></dl>"
                 "<table><tr><td>cell a</td><td>cell b</td></tr><tr><th>x</th></tr></table>"
                 "</section></section>")
        .Chapter("notes.xhtml", "<aside id=\"n1\"><p>1. A note.</p></aside>", false)
        .Chapter("part2.xhtml",
                 "<h1 id=\"p2\">Part   Two</h1>\n<p>\n  Words\n  across   lines.\n</p>"
                 "<script>var x = 1;</script><style>p { color: red }</style>"
                 "<nav hidden=\"\"><ol><li>hidden nav</li></ol></nav>"
                 "<p style=\"display: none\">invisible</p>"
                 "<p>Page<span epub:type=\"pagebreak\" title=\"7\">7</span> break.</p>"
                 "<pre>line one\nline two</pre>")
        .Nav(
            "<ol><li><a href=\"text/title.xhtml\">Title</a></li>"
            "<li><a href=\"text/part1.xhtml#part-one\">Part One</a><ol>"
            "<li><a href=\"text/part1.xhtml#ch1\">Chapter 1</a></li>"
            "<li><a href=\"text/part1.xhtml#ch2\">Chapter\n 2</a></li></ol></li>"
            "<li><span>Part Two</span><ol><li><a href=\"text/part2.xhtml#p2\">Two "
            "begins</a></li></ol></li>"
            "<li><a href=\"text/notes.xhtml#n1\">Notes</a></li>"
            "<li><a href=\"text/missing.xhtml\">Nowhere</a></li></ol>")
        .Bytes();
}

TEST(EpubReader, Epub3BlocksBecomeParagraphsInSpineOrderWithNonLinearItemsLast) {
    const EpubBook book = Read(Epub3Book());
    EXPECT_EQ(book.paragraphs, (Paragraphs{
                                   "The Long Road",
                                   "A tale.",
                                   "Part One",
                                   "Chapter 1",
                                   "It was\u00A0late\u2014very late. 1",
                                   "She said: \u201CGo\u201D",
                                   "and he went.",
                                   "Loose text in a div with a span",
                                   "Chapter 2",
                                   "Quoted words.",
                                   "one",
                                   "two bold",
                                   "Term",
                                   "Meaning & more",
                                   "cell a cell b",
                                   "x",
                                   "Part Two",
                                   "Words across lines.",
                                   "Page break.",
                                   "line one",
                                   "line two",
                                   "1. A note.",
                               }));
    EXPECT_EQ(Chapters(book), (std::vector<Chapter>{
                                  {"Title", 0, 0},
                                  {"Part One", 2, 0},
                                  {"Chapter 1", 3, 1},
                                  {"Chapter 2", 8, 1},
                                  {"Part Two", 16, 0},
                                  {"Two begins", 16, 1},
                                  {"Notes", 21, 0},
                              }));
}

TEST(EpubReader, TextSplitsBackIntoTheSameParagraphs) {
    const EpubBook book = Read(Epub3Book());
    const std::string text = book.Text();
    Paragraphs lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(lines, book.paragraphs);
}

TEST(EpubReader, Epub2NcxGivesNestedChaptersAndAnchors) {
    const std::string bytes =
        EpubWriter()
            .Chapter("one.xhtml",
                     "<h2>One</h2><p>First <a name=\"mid\"/>words.</p><p id=\"later\">Later.</p>")
            .Chapter("two.xhtml", "<p>Second file.</p><div id=\"end\"></div>")
            .Ncx(
                "<navPoint id=\"a\" playOrder=\"1\"><navLabel><text>One</text></navLabel>"
                "<content src=\"text/one.xhtml\"/>"
                "<navPoint id=\"b\" playOrder=\"2\"><navLabel><text>Later &amp; "
                "on</text></navLabel>"
                "<content src=\"text/one.xhtml#later\"/></navPoint></navPoint>"
                "<navPoint id=\"c\" playOrder=\"3\"><navLabel><text>Two</text></navLabel>"
                "<content src=\"text/two.xhtml#nosuchid\"/>"
                "<navPoint id=\"d\" playOrder=\"4\"><navLabel><text>The end</text></navLabel>"
                "<content src=\"text/two.xhtml#end\"/></navPoint></navPoint>")
            .Bytes();
    const EpubBook book = Read(bytes);
    EXPECT_EQ(book.paragraphs, (Paragraphs{"One", "First words.", "Later.", "Second file."}));
    // An unknown anchor means the file's start; an anchor after the last text, the last paragraph.
    EXPECT_EQ(Chapters(book),
              (std::vector<Chapter>{
                  {"One", 0, 0}, {"Later & on", 2, 1}, {"Two", 3, 0}, {"The end", 3, 1}}));
}

TEST(EpubReader, UndeclaredEntitiesAndBrokenMarkupAreReadTolerantly) {
    struct Case {
        const char* what;
        std::string document;
        Paragraphs paragraphs;
    };
    const Case cases[] = {
        {"HTML entities in well-formed XHTML",
         Xhtml("<p>caf&eacute; &hellip; &pound;5 &#x41;&#66;</p>"),
         {"caf\u00E9 \u2026 \u00A35 AB"}},
        {"an entity no one knows, so not XML",
         Xhtml("<p>a &bogus; b &mdash; c</p>"),
         {"a &bogus; b \u2014 c"}},
        {"unclosed elements", Xhtml("<p>one<p>two <b>bold<p>three"), {"one", "two bold", "three"}},
        {"no XML declaration, upper-case tags",
         "<HTML><BODY><P>Shout</P><P>again</BODY></HTML>",
         {"Shout", "again"}},
        {"Windows-1252 declared",
         "<?xml version=\"1.0\" "
         "encoding=\"windows-1252\"?><html><body><p>na\xEFve</p></body></html>",
         {"na\u00EFve"}},
        {"byte-order mark and zero-width no-break space",
         "\xEF\xBB\xBF" + Xhtml("<p>\xEF\xBB\xBFword</p>"),
         {"word"}},
        {"soft hyphens", Xhtml("<p>won&shy;der&#173;ful\u00ADly</p>"), {"wonderfully"}},
        {"blank-only paragraphs dropped",
         Xhtml("<p>&nbsp;</p><p> \t </p><p>&nbsp;kept&nbsp;</p>"),
         {"kept"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EpubBook book = Read(EpubWriter().Document("a.xhtml", c.document).Bytes());
        EXPECT_EQ(book.paragraphs, c.paragraphs);
    }
}

TEST(EpubReader, NamesTheParagraphsSetAsTitles) {
    struct Case {
        const char* what;
        std::string body;
        Paragraphs paragraphs;
        std::vector<std::size_t> headings;
    };
    const Case cases[] = {
        {"h1 to h3 are titles, h4 and below are not",
         "<h1>Part One</h1><h2>Chapter 1</h2><p>Text.</p><h3>A section</h3><h4>Small</h4>"
         "<p>More.</p>",
         {"Part One", "Chapter 1", "Text.", "A section", "Small", "More."},
         {0, 1, 3}},
        {"a title broken by <br> and one with inline markup",
         "<h2>Chapter<br/>The <i>Storm</i></h2><p>Rain.</p>",
         {"Chapter", "The Storm", "Rain."},
         {0, 1}},
        {"empty and hidden titles name nothing, and nothing after them",
         "<h1></h1><h2 hidden=\"\">Gone</h2><p>Body.</p><h3> </h3><p>End.</p>",
         {"Body.", "End."},
         {}},
        {"a block inside a title is still the title",
         "<h1><span>Book</span><div>the First</div></h1><p>Words.</p>",
         {"Book", "the First", "Words."},
         {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EpubBook book = Read(EpubWriter().Chapter("a.xhtml", c.body).Bytes());
        EXPECT_EQ(book.paragraphs, c.paragraphs);
        EXPECT_EQ(book.headings, c.headings);
    }
    // Numbered through the whole book, across its documents.
    const EpubBook two = Read(EpubWriter()
                                  .Chapter("a.xhtml", "<h1>One</h1><p>a</p>")
                                  .Chapter("b.xhtml", "<p>b</p><h2>Two</h2>")
                                  .Bytes());
    EXPECT_EQ(two.headings, (std::vector<std::size_t>{0, 3}));
}

TEST(EpubReader, BooksWithoutANameAreRecognisedByTheirFirstBytes) {
    EXPECT_TRUE(LooksLikeEpub(EpubWriter().Chapter("a.xhtml", "<p>x</p>").Bytes()));
    EXPECT_FALSE(LooksLikeEpub(MakeZip({{"a.txt", "hello"}})));
    EXPECT_FALSE(LooksLikeEpub("PK"));
}

}  // namespace
