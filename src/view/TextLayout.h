#pragma once

#include <cstdint>

#include "PageLayout.h"
#include "ParagraphFlow.h"

class CParagraphList;
class ITextMeasurer;

// Places every token of every paragraph: its x within the text column, its width and
// its line, and each paragraph's top and height. Returns the text height (the scroll
// range), in 64 bits: a large font over a long text is taller than 2^31 pixels. Called after every
// text, gloss or font change; never on a resize, a scroll or a colour change, since the positions
// depend only on the tokens, the font and the page width.
//
// The book layout reads the text's lines and tokens as `flow` says (BookFlow::Of(text),
// which a caller laying out the same text again keeps; without one it is found here).
std::int64_t LayoutText(CParagraphList& text, ITextMeasurer& measurer, int pageWidth,
                        PageLayout layout, const BookFlow* flow = nullptr);
