#include "ColorScheme.h"

#include <algorithm>
#include <cmath>

SchemeColors ColorsOf(ColorScheme scheme) {
    switch (scheme) {
        case ColorScheme::Sepia:
            return {Rgb(244, 236, 216), Rgb(91, 70, 54), Rgb(40, 80, 150), Rgb(226, 218, 198),
                    false};
        case ColorScheme::Night:
            return {Rgb(30, 30, 30), Rgb(220, 220, 220), Rgb(150, 170, 255), Rgb(18, 18, 18),
                    false};
        case ColorScheme::Classic:
            return {Rgb(239, 239, 239), Rgb(39, 39, 20), Rgb(128, 128, 255), Rgb(239, 239, 252),
                    true};
        case ColorScheme::Default:
            break;
    }
    // Text at 15:1 and glosses at 6:1 on the page, so no box is needed behind either.
    return {Rgb(251, 250, 246), Rgb(34, 34, 38), Rgb(40, 90, 180), Rgb(226, 226, 220), false};
}

ColorRef BoxColor(ColorScheme scheme, ColorRef page) {
    return ColorsOf(scheme).whiteBoxes ? Rgb(255, 255, 255) : page;
}

namespace {

constexpr ColorScheme kSchemes[] = {ColorScheme::Default, ColorScheme::Sepia, ColorScheme::Night,
                                    ColorScheme::Classic};

}  // namespace

std::string_view ColorSchemeName(ColorScheme scheme) {
    switch (scheme) {
        case ColorScheme::Sepia:
            return "eyecare";
        case ColorScheme::Night:
            return "night";
        case ColorScheme::Classic:
            return "classic";
        case ColorScheme::Default:
            break;
    }
    return "default";
}

std::optional<ColorScheme> ColorSchemeNamed(std::string_view name) {
    for (const ColorScheme scheme : kSchemes) {
        if (ColorSchemeName(scheme) == name) {
            return scheme;
        }
    }
    return std::nullopt;
}

std::optional<ColorScheme> SchemeWithColors(ColorRef page, ColorRef text, ColorRef gloss) {
    for (const ColorScheme scheme : kSchemes) {
        const SchemeColors colors = ColorsOf(scheme);
        if (colors.page == page && colors.text == text && colors.gloss == gloss) {
            return scheme;
        }
    }
    return std::nullopt;
}

namespace {

double Linear(unsigned channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(ColorRef color) {
    return 0.2126 * Linear(color & 0xFF) + 0.7152 * Linear((color >> 8) & 0xFF) +
           0.0722 * Linear((color >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(ColorRef a, ColorRef b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

FindColors FindColorsFor(ColorRef text) {
    constexpr FindColors kLight{Rgb(255, 214, 64), Rgb(255, 166, 80)};
    constexpr FindColors kDark{Rgb(70, 62, 10), Rgb(150, 70, 0)};
    return ContrastRatio(text, kLight.current) >= ContrastRatio(text, kDark.current) ? kLight
                                                                                     : kDark;
}
