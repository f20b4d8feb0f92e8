#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "CDicItem.h"

// Finds the first entry of a word in the dictionary's list. Most words a text asks
// for are not entries (every reduced form of every word is tried), so a miss must
// be cheap: the table is a flat array of (hash, position) probed linearly, and a
// miss usually ends at the first slot, without touching an entry.
class EntryIndex {
public:
    // Indexes `items`; the earliest entry of a repeated word wins.
    void Build(const std::vector<CDicItem>& items);
    void Clear();
    // The first entry of `word`; never reads outside `items`, even when they are not
    // the list the index was built for.
    std::optional<std::uint32_t> Find(std::string_view word,
                                      const std::vector<CDicItem>& items) const;

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t position = kFree;
    };
    static constexpr std::uint32_t kFree = UINT32_MAX;
    static std::uint32_t Hash(std::string_view word);

    std::vector<Slot> m_slots;  // a power of two, at most half full
};
