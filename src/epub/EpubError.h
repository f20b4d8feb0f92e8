#pragma once

#include <stdexcept>
#include <string>

#include "EpubBook.h"

// Thrown inside the reader by the first fault found; ReadEpub turns it into a result.
class EpubError : public std::runtime_error {
public:
    EpubError(EpubFault fault, const std::string& reason)
        : std::runtime_error(reason), m_fault(fault) {}
    EpubFault Fault() const { return m_fault; }

private:
    EpubFault m_fault;
};
