#pragma once

#include <cstdint>
#include <string_view>

// How print sets punctuation against its words, for the book layout: a closing mark
// follows its word with no space and never begins a line, an opening one precedes its
// word with no space and never ends a line. Quotation marks that look the same at
// both ends (' and ") are neither: the text's own spacing says which they are.
enum class Punctuation : std::uint8_t {
    None,
    Closing,  // , . ; : ! ? ) ] } ” ’ … »
    Opening,  // “ ‘ ( [ { «
};

// The punctuation of a token starting with a two- or three-byte character.
Punctuation WidePunctuationAt(std::string_view rest);

// The punctuation a token is, from the text at the token's start (`rest` runs on past
// the token: the tokenizer cuts every punctuation mark as a token of its own, so its
// first character decides). Inline: the layout asks it of every token.
inline Punctuation PunctuationAt(std::string_view rest) {
    if (rest.empty()) {
        return Punctuation::None;
    }
    switch (rest[0]) {
        case ',':
        case '.':
        case ';':
        case ':':
        case '!':
        case '?':
        case ')':
        case ']':
        case '}':
            return Punctuation::Closing;
        case '(':
        case '[':
        case '{':
            return Punctuation::Opening;
        case '\xC2':
        case '\xE2':
            return WidePunctuationAt(rest);
        default:
            return Punctuation::None;
    }
}
