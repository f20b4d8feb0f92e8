#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How the tokens are set on the page. Book sets them as print does: spaces only where
// the text has them, punctuation against its word, a hard-wrapped text's lines flowed
// into paragraphs with a gap between paragraphs. Original is the long-standing page: one
// space after every token and a source line per paragraph.
enum class PageLayout : std::int32_t {
    Book = 0,
    Original = 1,
};

// "book" and "original", as the command line and the settings file spell them.
constexpr std::string_view PageLayoutName(PageLayout layout) {
    return layout == PageLayout::Original ? "original" : "book";
}

constexpr std::optional<PageLayout> PageLayoutNamed(std::string_view name) {
    if (name == "book") {
        return PageLayout::Book;
    }
    if (name == "original") {
        return PageLayout::Original;
    }
    return std::nullopt;
}
