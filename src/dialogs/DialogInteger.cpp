#include "DialogInteger.h"

#include <climits>
#include <cstdint>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> DialogInteger::Parse(std::string_view text) {
    text = text.substr(0, kMaxCharacters);
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t start = i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and saturate, so a long run of digits lands on the
    // nearest 32-bit limit instead of wrapping.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    while (i < text.size() && IsDigit(text[i])) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
        ++i;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;

    // A zero is only a number when the reader typed it as the digit 0: this
    // refuses an empty field, a lone sign and a signed zero alike.
    if (value == 0 && (start >= text.size() || text[start] != '0')) return std::nullopt;
    for (; i < text.size(); ++i) {
        if (!IsBlank(text[i])) return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string DialogInteger::Format(int value) { return std::to_string(value); }
