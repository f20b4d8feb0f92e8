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
        case ColorScheme::Default:
            break;
    }
    return {Rgb(239, 239, 239), Rgb(39, 39, 20), Rgb(128, 128, 255), Rgb(239, 239, 252), true};
}

ColorRef BoxColor(ColorScheme scheme, ColorRef page) {
    return ColorsOf(scheme).whiteBoxes ? Rgb(255, 255, 255) : page;
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
