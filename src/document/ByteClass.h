#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// How the tokenizer sees the bytes of a paragraph. ASCII punctuation and the
// blanks (space, TAB, no-break space) are read as single bytes; the UTF-8
// punctuation the tokenizer knows (U+2010–U+2027, « and ») is read as one
// separator of its 2 or 3 bytes, so that curly quotes and dashes cut words the
// way their ASCII look-alikes do. Every other byte belongs to a word.
enum class ByteClass { Blank, Separator, Word };

struct ClassifiedRun {
    ByteClass kind;
    std::size_t length;  // bytes taken from the front of the text, at least 1
};

constexpr bool IsAsciiSeparator(unsigned char c) {
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
           (c >= 123 && c <= 126);
}

// Bytes that can start a blank or a separator; every other byte is a word byte
// whatever follows it, which lets the tokenizer skip through words quickly.
inline constexpr auto kMayEndWord = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 128; ++c) {
        table[c] = c == ' ' || c == '\t' || IsAsciiSeparator(static_cast<unsigned char>(c));
    }
    table[0xC2] = true;
    table[0xE2] = true;
    return table;
}();

// Classifies the character at the front of `rest`, which must not be empty.
inline ClassifiedRun ClassifyFront(std::string_view rest) {
    const auto c = static_cast<unsigned char>(rest[0]);
    if (!kMayEndWord[c]) {
        return {ByteClass::Word, 1};
    }
    if (c < 0x80) {
        if (c == ' ' || c == '\t') {
            return {ByteClass::Blank, 1};
        }
        return {ByteClass::Separator, 1};
    }
    if (c == 0xC2 && rest.size() >= 2) {
        const auto d = static_cast<unsigned char>(rest[1]);
        if (d == 0xA0) {
            return {ByteClass::Blank, 2};  // U+00A0 no-break space
        }
        if (d == 0xAB || d == 0xBB) {
            return {ByteClass::Separator, 2};  // « »
        }
    }
    // U+2010..U+2027 are E2 80 90 .. E2 80 A7.
    if (c == 0xE2 && rest.size() >= 3 && static_cast<unsigned char>(rest[1]) == 0x80) {
        const auto e = static_cast<unsigned char>(rest[2]);
        if (e >= 0x90 && e <= 0xA7) {
            return {ByteClass::Separator, 3};
        }
    }
    return {ByteClass::Word, 1};
}
