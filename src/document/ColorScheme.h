#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
           (static_cast<ColorRef>(b) << 16);
}

// The reading colours as a set the reader picks at once. A scheme only sets the
// starting colours: the colour dialogs still change each of them afterwards.
enum class ColorScheme : std::int32_t {
    Default = 0,  // the long-standing colours, every word and gloss on a white box
    Sepia = 1,    // "护眼": dark brown on warm paper
    Night = 2,    // "夜间": light text on a dark page
};

struct SchemeColors {
    ColorRef page;
    ColorRef text;
    ColorRef gloss;
    ColorRef window;  // around the page band
    // White boxes behind words and glosses keep a gloss that runs under the next
    // word legible on a light page; on a dark page they would be glaring patches,
    // so the other schemes paint them in the page colour.
    bool whiteBoxes;
};

SchemeColors ColorsOf(ColorScheme scheme);

// The colour behind words and glosses: white in the default scheme, the page
// colour otherwise (so that it follows the page colour dialog too).
ColorRef BoxColor(ColorScheme scheme, ColorRef page);

// The contrast ratio of two colours as readability guidelines define it, from
// 1 (the same) to 21 (black on white); text wants at least 4.5.
double ContrastRatio(ColorRef a, ColorRef b);
