#include "EntryIndex.h"

#include <bit>

std::uint32_t EntryIndex::Hash(std::string_view word) {
    // FNV-1a: words are short, so a byte loop beats heavier hashes here.
    std::uint32_t hash = 2166136261u;
    for (char c : word) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

void EntryIndex::Clear() { m_slots.clear(); }

void EntryIndex::Build(const std::vector<CDicItem>& items) {
    m_slots.assign(std::bit_ceil(items.size() * 2 + 2), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view word = items[i].m_strWord;
        const std::uint32_t hash = Hash(word);
        for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
            Slot& slot = m_slots[s];
            if (slot.position == kFree) {
                slot = {hash, static_cast<std::uint32_t>(i)};
                break;
            }
            if (slot.hash == hash && items[slot.position].m_strWord == word) {
                break;  // an earlier entry of the same word keeps its place
            }
        }
    }
}

std::optional<std::uint32_t> EntryIndex::Find(std::string_view word,
                                              const std::vector<CDicItem>& items) const {
    if (m_slots.empty()) {
        return std::nullopt;
    }
    const std::uint32_t hash = Hash(word);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
        const Slot& slot = m_slots[s];
        if (slot.position == kFree) {
            return std::nullopt;
        }
        // A position past the list means the index was built for another list:
        // answer "not found" rather than read outside it.
        if (slot.position >= items.size()) {
            return std::nullopt;
        }
        if (slot.hash == hash && items[slot.position].m_strWord == word) {
            return slot.position;
        }
    }
}
