#pragma once

#include <cstdint>

// The arithmetic of every way the reader moves through the text. Each function
// takes the current scroll position and returns the new one; the view hands it to
// the document, which repaints every view.
//
// A step clamps only at the bound it moves toward: a position left outside
// 0 … textHeight (−20 after going to page 0, or beyond a text that shrank with a
// new layout) stays there until a move toward the range brings it back.
//
// Positions are 64-bit: a large font over a long text is taller than 2^31 pixels.
namespace ScrollCommands {

constexpr int kLineStep = 10;

// The half-window step of Page Up/Down and the scroll bar's channel: half the
// window's outer height, truncated (601 gives 300).
constexpr int HalfWindow(int windowHeight) { return windowHeight / 2; }

std::int64_t StepDown(std::int64_t pos, int step, std::int64_t textHeight);
std::int64_t StepUp(std::int64_t pos, int step);

// Go-to-page: the page number held to 0 … textHeight / 1000, then 20 pixels above
// the end of that page, so the page's label stands at the window's top.
std::int64_t GotoPage(int page, std::int64_t textHeight);
// Go-to a percentage ("50%"): that fraction of the text's height, held to 0 … 100.
std::int64_t AtPercent(double percent, std::int64_t textHeight);

// The wheel, in eighths of a degree (120 a notch). With Shift alone a notch moves
// 150 pixels, otherwise 15; the result is held to 0 … textHeight. A delta of 0
// (some touchpads end a gesture with one) changes nothing.
std::int64_t Wheel(std::int64_t pos, int delta, bool shiftAlone, std::int64_t textHeight);

// The scroll bar counts in ints. A text up to 2^31 - 1 pixels high is on it pixel
// for pixel; a taller one in units of the fewest pixels that make it fit.
struct ScrollBarScale {
    std::int64_t unit = 1;

    static ScrollBarScale ForTextHeight(std::int64_t textHeight);
    // A position as a bar value, held to the int range.
    int ToBar(std::int64_t pos) const;
    std::int64_t FromBar(int value) const { return value * unit; }
};

}  // namespace ScrollCommands
