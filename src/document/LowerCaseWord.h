#pragma once

#include <string>
#include <string_view>

// ASCII capitals made small, every other byte (UTF-8 included) left as it is: the
// one case folding of the dictionary, the text's words and the reader's lists.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAscii(std::string_view word) {
    std::string lower(word);
    for (char& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

// The copy of a token the dictionary is asked about: ASCII capitals made small,
// every other byte (UTF-8 included) left as it is. Reuses one buffer, so that
// lower-casing a whole text allocates only for its longest word.
class LowerCaseWord {
public:
    // Valid until the next call.
    std::string_view Of(std::string_view token) {
        m_buffer.assign(token);
        for (char& c : m_buffer) {
            c = LowerAscii(c);
        }
        return m_buffer;
    }

private:
    std::string m_buffer;
};
