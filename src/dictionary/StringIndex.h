#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// Maps a byte string to the first row that holds it. Looked up with string_view so
// that a lookup never allocates.
struct TransparentStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

using StringIndex =
    std::unordered_map<std::string, std::uint32_t, TransparentStringHash, std::equal_to<>>;

// Answered by the table lookups when a word is in no row.
inline constexpr std::string_view kUnknown = "Unknown";
// Answered by the exact lookup when the reader is expected to know the word.
inline constexpr std::string_view kIgnore = "Ignore";
