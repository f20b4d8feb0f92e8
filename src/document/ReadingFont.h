#pragma once

#include <cstdint>
#include <string>

// The reading font as the document records it; the view turns it into a real font.
// A positive height asks for that cell height, a negative one for that character
// height, in pixels.
struct ReadingFont {
    std::int32_t lfHeight = 20;
    std::int32_t lfWidth = 0;
    std::int32_t lfWeight = 400;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    std::uint8_t lfCharSet = 0;         // ANSI_CHARSET
    std::uint8_t lfQuality = 4;         // ANTIALIASED_QUALITY
    std::uint8_t lfPitchAndFamily = 0;  // DEFAULT_PITCH | FF_DONTCARE
    std::string lfFaceName = "MS Serif";

    bool operator==(const ReadingFont&) const = default;
};

// The heights, in pixels, a page is laid out readably at: larger letters leave no
// room for a line and its gloss strip (about 200 pixels gave blank pages). The font
// dialog refuses others, and a saved font outside them is not a reader's choice.
constexpr std::int32_t kMinFontPixels = 4;
constexpr std::int32_t kMaxFontPixels = 120;
constexpr bool IsReadableFontHeight(std::int32_t lfHeight) {
    const std::int64_t pixels = lfHeight < 0 ? -std::int64_t{lfHeight} : lfHeight;
    return pixels >= kMinFontPixels && pixels <= kMaxFontPixels;
}
