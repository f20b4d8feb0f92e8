#pragma once

#include <string>
#include <string_view>

// Byte-wise helpers for text whose meaningful parts are ASCII: switches, file name
// endings, markup names, the words of the dictionary and the reader's lists. Only
// A-Z change; every other byte, UTF-8 included, is left as it is, whatever the
// locale.

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

// Whether `a` and `b` differ at most in the case of ASCII letters.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The byte order mark some editors write before UTF-8 text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
