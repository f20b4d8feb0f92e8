#include "WordTable.h"

#include "LowerCaseWord.h"

std::uint32_t WordTable::LowerAndHash(std::string_view token, std::string& lower) {
    // FNV-1a over the lower-cased bytes, in the same pass.
    std::uint32_t hash = 2166136261u;
    lower.resize(token.size());
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = LowerAscii(token[i]);
        lower[i] = c;
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

std::uint32_t WordTable::IdOf(std::string_view token) {
    if (token.size() < 2) {
        return kNoWord;
    }
    const std::uint32_t hash = LowerAndHash(token, m_lower);
    if (2 * (m_arrWords.size() + 1) > m_slots.size()) {
        Grow();
    }
    Slot& slot = m_slots[SlotOf(m_lower, hash)];
    if (slot.id == kNoWord) {
        slot = {hash, static_cast<std::uint32_t>(m_arrWords.size())};
        m_arrWords.push_back(m_lower);
    }
    return slot.id;
}

std::uint32_t WordTable::Find(std::string_view token) const {
    if (token.size() < 2 || m_slots.empty()) {
        return kNoWord;
    }
    std::string lower;
    const std::uint32_t hash = LowerAndHash(token, lower);
    return m_slots[SlotOf(lower, hash)].id;
}

std::size_t WordTable::SlotOf(std::string_view lower, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.id == kNoWord || (slot.hash == hash && m_arrWords[slot.id] == lower)) {
            return i;
        }
    }
}

void WordTable::Grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 1024 : 2 * old.size(), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id == kNoWord) {
            continue;
        }
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id != kNoWord) {
            i = (i + 1) & mask;
        }
        m_slots[i] = slot;
    }
}

void WordTable::Clear() {
    m_arrWords.clear();
    m_slots.clear();
}

std::size_t WordTable::MemoryBytes() const {
    std::size_t bytes =
        m_slots.capacity() * sizeof(Slot) + m_arrWords.capacity() * sizeof(std::string);
    for (const std::string& word : m_arrWords) {
        if (word.capacity() > 15) {
            bytes += word.capacity() + 1;
        }
    }
    return bytes;
}
