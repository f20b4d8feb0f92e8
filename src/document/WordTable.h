#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The distinct lower-case words of a text, numbered in order of first sight.
// A gloss depends only on the lower-case word, so glossing a whole text asks the
// dictionary once per number rather than once per token.
//
// Every token of a text passes through IdOf once when the text is split, so it
// lower-cases and hashes in one pass into a flat open-addressing table instead
// of building a key string for a node-based map.
class WordTable {
public:
    static constexpr std::uint32_t kNoWord = UINT32_MAX;

    // The number of the token's lower-case form (ASCII capitals made small);
    // kNoWord for tokens shorter than two bytes, which are never glossed.
    std::uint32_t IdOf(std::string_view token);
    // The number of the token's lower-case form if the table holds it, else kNoWord.
    std::uint32_t Find(std::string_view token) const;
    std::string_view Word(std::uint32_t id) const { return m_arrWords[id]; }
    std::size_t Size() const { return m_arrWords.size(); }
    void Clear();
    // Heap bytes held, roughly.
    std::size_t MemoryBytes() const;

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = kNoWord;  // kNoWord: the slot is free
    };
    void Grow();
    // Writes the token with ASCII capitals made small into `lower`; returns its hash.
    static std::uint32_t LowerAndHash(std::string_view token, std::string& lower);
    // The slot holding `lower` (hashed to `hash`), or the free slot where it would go.
    std::size_t SlotOf(std::string_view lower, std::uint32_t hash) const;

    std::vector<std::string> m_arrWords;  // number -> lower-case word
    std::vector<Slot> m_slots;            // size a power of two, at most half full
    std::string m_lower;                  // the token being looked up, lower-cased
};
