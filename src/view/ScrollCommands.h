#pragma once

// The arithmetic of every way the reader moves through the text. Each function
// takes the current scroll position and returns the new one; the view stores it
// in the document and repaints.
//
// A step clamps only at the bound it moves toward: a position left outside
// 0 … textHeight (−20 after going to page 0, or beyond a text that shrank with a
// new layout) stays there until a move toward the range brings it back.
namespace ScrollCommands {

constexpr int kLineStep = 10;

// The half-window step of Page Up/Down and the scroll bar's channel: half the
// window's outer height, truncated (601 gives 300).
constexpr int HalfWindow(int windowHeight) { return windowHeight / 2; }

int StepDown(int pos, int step, int textHeight);
int StepUp(int pos, int step);

// Go-to-page: the page number held to 0 … textHeight / 1000, then 20 pixels above
// the end of that page, so the page's label stands at the window's top.
int GotoPage(int page, int textHeight);

// The wheel, in eighths of a degree (120 a notch). With Shift alone a notch moves
// 150 pixels, otherwise 15; the result is held to 0 … textHeight. A delta of 0
// (some touchpads end a gesture with one) changes nothing.
int Wheel(int pos, int delta, bool shiftAlone, int textHeight);

}  // namespace ScrollCommands
