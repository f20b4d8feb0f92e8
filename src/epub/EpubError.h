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
        : std::runtime_error(codepage::ValidUtf8(reason)), m_fault(fault) {}

    EpubFault Fault() const { return m_fault; }

private:
    EpubFault m_fault;
};
