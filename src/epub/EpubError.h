#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "CodePage.h"
#include "EpubBook.h"

// Thrown inside the reader by the first fault found; ReadEpub turns it into a result.
// The reason is made valid UTF-8: it names members, and a zip member's name is any
// bytes the book's maker chose.
class EpubError : public std::runtime_error {
public:
    EpubError(EpubFault fault, const std::string& reason)
        : std::runtime_error(ValidUtf8(reason)), m_fault(fault) {}

    // Every byte that begins no well-formed sequence becomes U+FFFD.
    static std::string ValidUtf8(std::string_view text) {
        std::string out;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t length = codepage::Utf8SequenceAt(text, at);
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++at;
            } else {
                out.append(text.substr(at, length));
                at += length;
            }
        }
        return out;
    }
    EpubFault Fault() const { return m_fault; }

private:
    EpubFault m_fault;
};
