#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A malformed line of a tab-separated source file.
class TsvError : public std::runtime_error {
public:
    TsvError(std::size_t line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), m_nLine(line) {}
    std::size_t m_nLine;  // 1-based
};

struct TsvRow {
    std::size_t line;  // 1-based line number in the file
    std::vector<std::string_view> fields;
};

// The rows of the project's UTF-8 TSV files: lines end with LF (a CR before it is
// dropped), lines beginning with # and empty lines are skipped, every other line
// must have exactly `fieldCount` fields. The views point into `text`.
std::vector<TsvRow> ParseTsv(std::string_view text, std::size_t fieldCount);
