#pragma once

#include <string>
#include <string_view>

#include "AsciiText.h"

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
