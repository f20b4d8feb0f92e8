#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CParagraph;

// The strip is cut into pages of this many layout pixels; nothing keeps a line off a
// page boundary.
constexpr int kPageHeight = 1000;
// The first paragraph starts this far below the start of the strip.
constexpr int kFirstParagraphTop = 20;
// The page label stands this far above its page-break line; going to a page puts the
// label at the window's top.
constexpr int kLabelAbovePageBreak = 20;
// Space between the end of the page-break line and the label.
constexpr int kLabelGap = 5;
// Lines this far outside the window are still drawn, so that a line the edge cuts is
// drawn whole; paragraphs as far beyond the window are still looked at.
constexpr int kDrawMargin = 50;
// A paragraph counts as wholly above the window only when it ends this much higher
// still.
constexpr int kSkipSlack = 10;

// The paragraphs first … last - 1 of the text.
struct ParagraphRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Where the page band, the text column, the page-break line and its label stand in a
// window scrolled to `scrollPos`, and which paragraphs it shows. Made afresh from the
// window whenever it is needed, so it is never stale after a resize or a scroll.
struct StripGeometry {
    int windowWidth = 0;   // outer width, scroll bar included
    int windowHeight = 0;  // outer height
    int pageWidth = 800;
    std::int64_t scrollPos = 0;  // layout y shown at the window's top edge

    static StripGeometry ForWindow(int windowWidth, int windowHeight, int pageWidth,
                                   std::int64_t scrollPos) {
        return {windowWidth, windowHeight, pageWidth, scrollPos};
    }
    // One printed sheet: page `page` (0-based) of the strip, as a window one page high
    // with the band at its left edge.
    static StripGeometry ForPrintedPage(std::int64_t page, int pageWidth) {
        return {pageWidth, kPageHeight, pageWidth, page * kPageHeight};
    }

    // The page band: centred, so a window narrower than the page cuts it at both sides.
    int BandLeft() const { return (windowWidth - pageWidth) / 2; }
    int BandRight() const { return BandLeft() + pageWidth; }
    // The text column inside the band.
    int ColumnLeft() const { return BandLeft() + ColumnMargin(pageWidth); }
    int ColumnRight() const { return ColumnLeft() + TextWidth(pageWidth); }
    // The page-break line runs over the column and its margins; its end is exclusive.
    int BreakLineLeft() const { return ColumnLeft() - ColumnMargin(pageWidth); }
    int BreakLineEnd() const { return ColumnRight() + ColumnMargin(pageWidth); }
    // Window y of the first page break below the window's top edge.
    int PageBreakY() const { return kPageHeight - static_cast<int>(scrollPos % kPageHeight); }
    // Top-left of the label naming the page that ends at that break.
    int LabelLeft() const { return BreakLineEnd() + kLabelGap; }
    int LabelTop() const { return PageBreakY() - kLabelAbovePageBreak; }

    static int ColumnMargin(int pageWidth) { return pageWidth / 20; }
    static int TextWidth(int pageWidth) { return pageWidth - pageWidth / 10; }

    // The paragraphs a window has to look at: from the first one not wholly above a
    // window height (plus `margin`) above the window, up to the last one starting
    // within a window height (plus `margin`) below its top. Tops never decrease, so
    // both ends are found by binary search.
    ParagraphRange VisibleParagraphs(const std::vector<CParagraph>& paragraphs, int margin) const;
};

// A token's double line in window coordinates. `right` is the token's measured end
// (what a click hits); drawing lets the text run on to left + page width. In 64 bits:
// a paragraph in the window may reach 2^31 pixels beyond it.
struct WordBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// The one reader of the layout's per-token positions.
WordBox WordBoxOf(const CParagraph& paragraph, std::size_t token, const StripGeometry& geometry,
                  int lineUnit);
// How many of the paragraph's tokens have a word box: none before its first layout.
std::size_t LaidOutTokenCount(const CParagraph& paragraph);

inline std::int64_t CurrentPage(std::int64_t scrollPos) { return scrollPos / kPageHeight + 1; }
inline std::int64_t PageCount(std::int64_t textHeight) { return textHeight / kPageHeight + 1; }

// "第%d页/共%d页" for the status bar.
std::string PageStatusText(std::int64_t scrollPos, std::int64_t textHeight);
// How far through the text the window's top is, in whole percent (0 … 100); the
// percentage the go-to-page box takes back.
int PercentThrough(std::int64_t scrollPos, std::int64_t textHeight);
// "第%d页" beside the page-break line: the page that ends at that line.
std::string PageLabelText(std::int64_t scrollPos);
