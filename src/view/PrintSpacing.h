#pragma once

#include <array>
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

// What the first byte of a token says: its punctuation, or (kWideLead) that the
// character it starts decides. A table rather than a switch: the layout asks it of every
// token, and a chain of compares mispredicts on prose.
inline constexpr std::uint8_t kWideLead = 3;
inline constexpr auto kLeadPunctuation = [] {
    std::array<std::uint8_t, 256> table{};
    for (const unsigned char c : {',', '.', ';', ':', '!', '?', ')', ']', '}'}) {
        table[c] = static_cast<std::uint8_t>(Punctuation::Closing);
    }
    for (const unsigned char c : {'(', '[', '{'}) {
        table[c] = static_cast<std::uint8_t>(Punctuation::Opening);
    }
    table[0xC2] = kWideLead;
    table[0xE2] = kWideLead;
    return table;
}();

// The punctuation a token is, from the text at the token's start (`rest` runs on past
// the token: the tokenizer cuts every punctuation mark as a token of its own, so its
// first character decides). Inline: the layout asks it of every token.
inline Punctuation PunctuationAt(std::string_view rest) {
    if (rest.empty()) {
        return Punctuation::None;
    }
    const std::uint8_t lead = kLeadPunctuation[static_cast<unsigned char>(rest[0])];
    return lead == kWideLead ? WidePunctuationAt(rest) : static_cast<Punctuation>(lead);
}
