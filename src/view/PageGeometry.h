#pragma once

#include <cstddef>
#include <string>

class CParagraph;

// The strip is cut into pages of this many layout pixels; nothing keeps a line off a
// page boundary.
constexpr int kPageHeight = 1000;
// The first paragraph starts this far below the start of the strip.
constexpr int kFirstParagraphTop = 20;

// Where the page band and the text column stand in a window of outer size W x H,
// scrolled to `pos`. Recomputed from the window whenever it is needed, so it is never
// stale after a resize.
struct PageGeometry {
    int W = 0;    // window's outer width, scroll bar included
    int H = 0;    // window's outer height
    int P = 800;  // page width
    int pos = 0;  // layout y shown at the window's top edge

    int BandLeft() const { return (W - P) / 2; }                // L0
    int ColumnLeft() const { return BandLeft() + P / 20; }      // XL
    int ColumnRight() const { return ColumnLeft() + TextWidth(P); }  // XR
    static int TextWidth(int pageWidth) { return pageWidth - pageWidth / 10; }  // A
};

// A token's double line in window coordinates. `right` is the token's measured end
// (what a click hits); drawing lets the text run on to left + P.
struct WordBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

WordBox WordBoxOf(const CParagraph& paragraph, std::size_t token, const PageGeometry& geometry,
                  int lineUnit);

inline int CurrentPage(int scrollPos) { return scrollPos / kPageHeight + 1; }
inline int PageCount(int textHeight) { return textHeight / kPageHeight + 1; }

// "第%d页/共%d页" for the status bar.
std::string PageStatusText(int scrollPos, int textHeight);
// "第%d页" beside the page-break line: the page that ends at that line.
std::string PageLabelText(int scrollPos);
