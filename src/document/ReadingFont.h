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
