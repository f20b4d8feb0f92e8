#include "ForeignRuns.h"

#include <array>

#include "ByteClass.h"
#include "CDicMain.h"

namespace {

enum class WordKind : std::uint8_t { NotCounted, Known, Unknown };

}  // namespace

std::vector<bool> FindForeignRuns(const TextStore& store, const CDicMain& dic,
                                  const std::function<bool(std::uint32_t)>& isName) {
    std::vector<bool> foreign(store.tokenWords.size(), false);
    if (dic.m_arrItems.size() < kForeignRunDictionary) {
        return foreign;
    }
    std::vector<WordKind> kindOfWord(store.words.Size(), WordKind::NotCounted);
    for (std::uint32_t id = 0; id < kindOfWord.size(); ++id) {
        const std::string_view word = store.words.Word(id);
        if (ClassifyFront(word).kind != ByteClass::Word) {
            continue;  // punctuation of more than one byte
        }
        kindOfWord[id] =
            isName(id) || dic.FindReachedEntry(word) ? WordKind::Known : WordKind::Unknown;
    }
    // The last kForeignRunLength counted tokens, as a ring.
    std::array<std::size_t, kForeignRunLength> window{};
    std::array<bool, kForeignRunLength> unknown{};
    std::size_t seen = 0;
    std::size_t unknownInWindow = 0;
    for (std::size_t k = 0; k < store.tokenWords.size(); ++k) {
        const std::uint32_t word = store.tokenWords[k];
        if (word >= kindOfWord.size() || kindOfWord[word] == WordKind::NotCounted) {
            continue;
        }
        const std::size_t slot = seen % kForeignRunLength;
        if (seen >= kForeignRunLength && unknown[slot]) {
            --unknownInWindow;
        }
        window[slot] = k;
        unknown[slot] = kindOfWord[word] == WordKind::Unknown;
        unknownInWindow += unknown[slot] ? 1 : 0;
        ++seen;
        if (seen >= kForeignRunLength && unknownInWindow >= kForeignRunUnknown) {
            for (const std::size_t token : window) {
                foreign[token] = true;
            }
        }
    }
    return foreign;
}
