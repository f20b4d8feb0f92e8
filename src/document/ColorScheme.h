#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
           (static_cast<ColorRef>(b) << 16);
}

// The reading colours as a set the reader picks at once. A scheme only sets the
// starting colours: the colour dialogs still change each of them afterwards.
enum class ColorScheme : std::int32_t {
    Default = 0,  // "默认": near-black text and dark blue glosses on a plain light page
    Sepia = 1,    // "护眼": dark brown on warm paper
    Night = 2,    // "夜间": light text on a dark page, and a dark window around it
    Classic = 3,  // "经典配色": the long-standing colours, every word and gloss on a white box
};

struct SchemeColors {
    ColorRef page;
    ColorRef text;
    ColorRef gloss;
    ColorRef window;  // around the page band
    // White boxes behind words and glosses were how the long-standing page kept a gloss
    // that runs under the next word legible on its grey page; the other schemes paint
    // them in the page colour, so that nothing but the ink shows.
    bool whiteBoxes;
};

SchemeColors ColorsOf(ColorScheme scheme);

// The colour behind words and glosses: white in the classic scheme, the page colour
// otherwise (so that it follows the page colour dialog too).
ColorRef BoxColor(ColorScheme scheme, ColorRef page);

// "default", "eyecare", "night" and "classic", as the command line and the settings
// file spell them.
std::string_view ColorSchemeName(ColorScheme scheme);
std::optional<ColorScheme> ColorSchemeNamed(std::string_view name);
// The scheme whose three colours these are, if any: what a settings file written before
// the scheme was kept meant.
std::optional<ColorScheme> SchemeWithColors(ColorRef page, ColorRef text, ColorRef gloss);

// The contrast ratio of two colours as readability guidelines define it, from
// 1 (the same) to 21 (black on white); text wants at least 4.5.
double ContrastRatio(ColorRef a, ColorRef b);

// What the find bar paints behind its matches, and behind the one it stands on.
struct FindColors {
    ColorRef hit;
    ColorRef current;
};

// A light marker under dark text and a dark one under light text, whichever keeps
// the text colour the more readable: the schemes and any page the colour dialogs make.
FindColors FindColorsFor(ColorRef text);
