#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// Measures tokens in the reading font for the layout. The layout never draws, so a
// fixed-width measurer in a test and font metrics in the window give the same
// arithmetic.
class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // Width of the token followed by one space (an empty token is one space wide).
    virtual int TokenWidth(std::string_view token) = 0;
    // The widths of many tokens at once: widths[i] is TokenWidth(tokens[i]). A
    // measurer that can share the work between processors overrides it; the answers
    // are the same either way.
    virtual void TokenWidths(std::span<const std::string_view> tokens, std::span<int> widths) {
        for (std::size_t i = 0; i < tokens.size() && i < widths.size(); ++i) {
            widths[i] = TokenWidth(tokens[i]);
        }
    }
    // The line unit U: the magnitude of the reading font's height. A line is 2U high,
    // the token in the upper half and its gloss in the lower.
    virtual int LineUnit() const = 0;
    // The same as TokenWidth in the face the book layout sets titles in (the reading
    // font in bold, HeadingFontOf); a measurer with one face answers TokenWidth's width.
    virtual int HeadingTokenWidth(std::string_view token) { return TokenWidth(token); }
};
