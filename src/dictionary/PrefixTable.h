#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct PrefixRow {
    std::string_view prefix;
    std::uint32_t start;  // 1-based position of the row's first entry
};

constexpr std::size_t kPrefixRowCount = 265;
// One past the last entry of the delivered dictionary (22,892 entries).
constexpr std::uint32_t kPrefixEndSentinel = 22893;

extern const std::array<PrefixRow, kPrefixRowCount> kPrefixRows;
