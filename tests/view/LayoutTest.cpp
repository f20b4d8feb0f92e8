// Page layout and pagination with a fixed-width measurer: no fonts, no display.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "GlossedLines.h"
#include "ITextMeasurer.h"
#include "StripGeometry.h"
#include "TextLayout.h"

namespace {

// Every byte is 10 wide and the trailing space 10, unless a token's width is given.
class FixedMeasurer : public ITextMeasurer {
public:
    explicit FixedMeasurer(int lineUnit = 20, std::map<std::string, int> widths = {})
        : m_nLineUnit(lineUnit), m_widths(std::move(widths)) {}
    int TokenWidth(std::string_view token) override {
        const auto found = m_widths.find(std::string(token));
        return found != m_widths.end() ? found->second : static_cast<int>(token.size()) * 10 + 10;
    }
    int LineUnit() const override { return m_nLineUnit; }

private:
    int m_nLineUnit;
    std::map<std::string, int> m_widths;
};

// Lines as the document holds them, indexed like its paragraph list.
struct Text {
    std::unique_ptr<CParagraphList> list = std::make_unique<CParagraphList>();
    CParagraph& operator[](std::size_t i) { return list->m_arrParagraphs[i]; }
    std::size_t size() const { return list->m_arrParagraphs.size(); }
    operator const std::vector<CParagraph>&() const { return list->m_arrParagraphs; }
};

Text Paragraphs(const std::vector<std::string>& lines) {
    Text text;
    SetLines(*text.list, lines);
    return text;
}

std::int64_t LayoutText(Text& text, ITextMeasurer& measurer, int pageWidth) {
    return ::LayoutText(*text.list, measurer, pageWidth, PageLayout::Original);
}

// One of the layout's numbers for every token of a paragraph.
std::vector<std::int32_t> Each(const CParagraph& paragraph,
                               std::int32_t (CParagraph::*number)(std::size_t) const) {
    std::vector<std::int32_t> numbers;
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        numbers.push_back((paragraph.*number)(j));
    }
    return numbers;
}

std::string Repeat(const std::string& word, int count) {
    std::string line;
    for (int i = 0; i < count; ++i) {
        line += (i ? " " : "") + word;
    }
    return line;
}

TEST(Layout, EmptyTextIsTwentyHighOnOnePage) {
    Text none;
    FixedMeasurer measurer;
    const int height = LayoutText(none, measurer, 800);
    EXPECT_EQ(height, 20);
    EXPECT_EQ(PageCount(height), 1);
}

TEST(Layout, ParagraphsStackTwoLineUnitsPerLineFromTwenty) {
    // "aaaaaaaa" is 90 wide: eight fill the 720-pixel column, nine need a second line.
    auto paragraphs = Paragraphs({"one line", Repeat("aaaaaaaa", 17), "last"});
    FixedMeasurer measurer;
    const int height = LayoutText(paragraphs, measurer, 800);
    EXPECT_EQ(paragraphs[0].m_nTop, 20);
    EXPECT_EQ(paragraphs[0].m_nHeight, 40);
    EXPECT_EQ(paragraphs[1].m_nTop, 60);
    EXPECT_EQ(paragraphs[1].m_nHeight, 120);
    EXPECT_EQ(paragraphs[2].m_nTop, 180);
    EXPECT_EQ(height, 220);
    // Tokens follow each other by their measured widths, the space included.
    EXPECT_EQ(Each(paragraphs[0], &CParagraph::X), (std::vector<int32_t>{0, 40}));
    EXPECT_EQ(Each(paragraphs[0], &CParagraph::Width), (std::vector<int32_t>{40, 50}));
    EXPECT_EQ(paragraphs[1].Line(7), 0);
    EXPECT_EQ(paragraphs[1].Line(8), 1);
    EXPECT_EQ(paragraphs[1].X(8), 0);
    EXPECT_EQ(paragraphs[1].Line(16), 2);
}

TEST(Layout, LineBreakCases) {
    struct Case {
        const char* name;
        int pageWidth;
        std::map<std::string, int> widths;
        std::string line;
        std::vector<int32_t> lines;
        std::vector<int32_t> xs;
        int height;
    };
    const Case cases[] = {
        {"exactly filling the rest of the line stays",
         800,
         {{"a", 700}, {"b", 20}},
         "a b",
         {0, 0},
         {0, 700},
         40},
        {"one pixel more moves on", 800, {{"a", 700}, {"b", 21}}, "a b", {0, 1}, {0, 0}, 80},
        {"a first token wider than the column leaves line 0 empty",
         800,
         {{"wide", 721}},
         "wide",
         {1},
         {0},
         80},
        {"a wide token later stands alone",
         800,
         {{"wide", 900}},
         "a wide b",
         {0, 1, 2},
         {0, 0, 0},
         120},
        {"the column is P - P/10", 100, {{"a", 90}, {"b", 1}}, "a b", {0, 1}, {0, 0}, 80},
        {"an empty token is one space wide", 800, {}, "a  b", {0, 0, 0}, {0, 20, 30}, 40},
    };
    for (const Case& c : cases) {
        auto paragraphs = Paragraphs({c.line});
        FixedMeasurer measurer(20, c.widths);
        const int height = LayoutText(paragraphs, measurer, c.pageWidth);
        EXPECT_EQ(Each(paragraphs[0], &CParagraph::Line), c.lines) << c.name;
        EXPECT_EQ(Each(paragraphs[0], &CParagraph::X), c.xs) << c.name;
        EXPECT_EQ(paragraphs[0].m_nHeight, c.height) << c.name;
        EXPECT_EQ(height, 20 + c.height) << c.name;
    }
}

TEST(Layout, NegativeFontHeightLaysOutLikeThePositive) {
    auto positive = Paragraphs({Repeat("word", 40), "x"});
    auto negative = Paragraphs({Repeat("word", 40), "x"});
    FixedMeasurer plus(16);
    FixedMeasurer minus(-16);
    EXPECT_EQ(LayoutText(positive, plus, 800), LayoutText(negative, minus, 800));
    EXPECT_EQ(positive[1].m_nTop, negative[1].m_nTop);
    // 40 tokens 50 wide: 14 to a 720-pixel line, so three lines of 2 x 16.
    EXPECT_EQ(positive[0].m_nHeight, 3 * 2 * 16);
}

TEST(Layout, LayingOutAgainReplacesThePositions) {
    auto paragraphs = Paragraphs({"a b c"});
    FixedMeasurer measurer;
    LayoutText(paragraphs, measurer, 800);
    LayoutText(paragraphs, measurer, 800);
    EXPECT_TRUE(paragraphs[0].LaidOut());
    EXPECT_EQ(paragraphs.list->Store().m_arrX.size(), 3u);
    EXPECT_EQ(paragraphs.list->Store().m_arrLine.size(), 3u);
    EXPECT_EQ(paragraphs.list->Store().m_arrWidth.size(), 3u);
}

// ---- Former bugs ----

// A large font over a long text is taller than 2^31 pixels: the height wrapped, the
// page count went negative and the end of the text could not be shown.
TEST(Layout, ATextTallerThanTwoToTheThirtyFirstKeepsItsPages) {
    // Every token is wider than the column and stands alone: 30,001 lines (the first
    // left empty) of 100,000 pixels.
    auto paragraphs = Paragraphs({Repeat("w", 30000)});
    FixedMeasurer measurer(50000, {{"w", 1000}});
    const std::int64_t height = LayoutText(paragraphs, measurer, 800);
    EXPECT_EQ(height, 20 + std::int64_t{30001} * 100000);
    EXPECT_EQ(paragraphs[0].m_nHeight, std::int64_t{30001} * 100000);
    EXPECT_EQ(PageCount(height), 3'000'101);
    EXPECT_EQ(PageStatusText(height, height), "第3000101页/共3000101页");
    // Scrolled to the last line: it stands at the window's top.
    const StripGeometry geometry = StripGeometry::ForWindow(1000, 700, 800, height - 100000);
    const WordBox box = WordBoxOf(paragraphs[0], 29999, geometry, 50000);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 100000);
    EXPECT_EQ(geometry.VisibleParagraphs(paragraphs, 0).last, 1u);
    EXPECT_EQ(geometry.PageBreakY(), 1000 - (height - 100000) % 1000);
}

TEST(Pagination, PagesAreThousandPixelsOfTheStrip) {
    struct Case {
        int value;
        int page;  // CurrentPage of a scroll position / PageCount of a text height
    };
    for (const Case& c : {Case{0, 1}, Case{999, 1}, Case{1000, 2}, Case{1999, 2}, Case{2000, 3}}) {
        EXPECT_EQ(CurrentPage(c.value), c.page) << c.value;
        EXPECT_EQ(PageCount(c.value), c.page) << c.value;
    }
    EXPECT_EQ(PageStatusText(0, 2500), "第1页/共3页");
    EXPECT_EQ(PageStatusText(1000, 2500), "第2页/共3页");
    EXPECT_EQ(PageLabelText(1000), "第2页");
}

TEST(Geometry, BandAndColumnFollowTheWindowWidthOnly) {
    struct Case {
        int W;
        int bandLeft, columnLeft, columnRight;
    };
    // A window narrower than the page cuts the band equally at both sides.
    for (const Case& c :
         {Case{1000, 100, 140, 860}, Case{1001, 100, 140, 860}, Case{600, -100, -60, 660}}) {
        const StripGeometry geometry = StripGeometry::ForWindow(c.W, 700, 800, 0);
        EXPECT_EQ(geometry.BandLeft(), c.bandLeft) << c.W;
        EXPECT_EQ(geometry.ColumnLeft(), c.columnLeft) << c.W;
        EXPECT_EQ(geometry.ColumnRight(), c.columnRight) << c.W;
    }
}

TEST(Geometry, WordBoxesAreDoubleLinesInWindowCoordinates) {
    auto paragraphs = Paragraphs({"first", Repeat("aaaaaaaa", 9)});
    FixedMeasurer measurer;
    LayoutText(paragraphs, measurer, 800);
    const StripGeometry geometry = StripGeometry::ForWindow(1000, 700, 800, 30);
    const WordBox box = WordBoxOf(paragraphs[1], 8, geometry, 20);  // line 1 of the paragraph at 60
    EXPECT_EQ(box.left, 140);
    EXPECT_EQ(box.top, 60 - 30 + 40);
    EXPECT_EQ(box.bottom, 60 - 30 + 80);
    EXPECT_EQ(box.right, 140 + 90);
    // A resize moves the boxes, never the layout.
    const WordBox wider =
        WordBoxOf(paragraphs[1], 8, StripGeometry::ForWindow(1200, 700, 800, 30), 20);
    EXPECT_EQ(wider.left, 240);
    EXPECT_EQ(wider.top, box.top);
}

TEST(Geometry, BreakLineAndLabelFollowTheScrollPosition) {
    struct Case {
        StripGeometry geometry;
        int breakLeft, breakEnd, breakY, labelLeft, labelTop;
    };
    const Case cases[] = {
        // The column's margins are P/20 and the column P - P/10: both truncate.
        {StripGeometry::ForWindow(1000, 700, 800, 0), 100, 900, 1000, 905, 980},
        {StripGeometry::ForWindow(1000, 700, 800, 1234), 100, 900, 766, 905, 746},
        {StripGeometry::ForWindow(1000, 700, 810, 0), 95, 904, 1000, 909, 980},
        // Above page 1 after going to page 0: the break is below the window's first page.
        {StripGeometry::ForWindow(1000, 700, 800, -20), 100, 900, 1020, 905, 1000},
        // A printed sheet is a window one page high with the band at its left edge.
        {StripGeometry::ForPrintedPage(0, 800), 0, 800, 1000, 805, 980},
        {StripGeometry::ForPrintedPage(3, 800), 0, 800, 1000, 805, 980},
    };
    for (const Case& c : cases) {
        const StripGeometry& g = c.geometry;
        SCOPED_TRACE(testing::Message() << g.windowWidth << "x" << g.windowHeight
                                        << " P=" << g.pageWidth << " pos=" << g.scrollPos);
        EXPECT_EQ(g.BreakLineLeft(), c.breakLeft);
        EXPECT_EQ(g.BreakLineEnd(), c.breakEnd);
        EXPECT_EQ(g.PageBreakY(), c.breakY);
        EXPECT_EQ(g.LabelLeft(), c.labelLeft);
        EXPECT_EQ(g.LabelTop(), c.labelTop);
    }
    EXPECT_EQ(StripGeometry::ForPrintedPage(3, 800).scrollPos, 3000);
    EXPECT_EQ(StripGeometry::ForPrintedPage(3, 800).windowHeight, 1000);
}

TEST(Geometry, VisibleParagraphsMatchTheLinearSkipAndStop) {
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) {
        lines.push_back(Repeat("word", i % 7 * 9 + 1));
    }
    auto paragraphs = Paragraphs(lines);
    FixedMeasurer measurer;
    const int height = LayoutText(paragraphs, measurer, 800);
    for (int pos : {0, 1, 500, 1234, 5000, height / 2, height - 1, height, height + 5000}) {
        for (int windowHeight : {1, 600, 1080}) {
            for (int margin : {0, 50}) {
                const int upper = pos - windowHeight - margin;
                const int lower = pos + windowHeight + margin;
                std::size_t first = 0;
                while (first < paragraphs.size() &&
                       paragraphs[first].m_nTop < upper - paragraphs[first].m_nHeight - 10) {
                    ++first;
                }
                std::size_t last = first;
                while (last < paragraphs.size() && paragraphs[last].m_nTop <= lower) {
                    ++last;
                }
                const ParagraphRange range = StripGeometry::ForWindow(1000, windowHeight, 800, pos)
                                                 .VisibleParagraphs(paragraphs, margin);
                EXPECT_EQ(range.first, first) << pos << " " << windowHeight << " " << margin;
                EXPECT_EQ(range.last, last) << pos << " " << windowHeight << " " << margin;
            }
        }
    }
}

}  // namespace
