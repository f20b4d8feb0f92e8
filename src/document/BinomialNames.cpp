#include "BinomialNames.h"

#include <string_view>

#include "CDicMain.h"
#include "ForeignRuns.h"
#include "FurtherReductions.h"

namespace {

constexpr double kAnyThreshold = 1e9;  // every entry counts, known or not

bool IsSmall(char c) { return c >= 'a' && c <= 'z'; }

bool AllSmall(std::string_view word) {
    for (const char c : word) {
        if (!IsSmall(c)) {
            return false;
        }
    }
    return true;
}

bool HasLatinEnding(std::string_view word) {
    static constexpr std::string_view kEndings[] = {"us", "um", "ae", "is", "ii", "i", "a"};
    for (const std::string_view ending : kEndings) {
        if (word.ends_with(ending)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::uint8_t> FindBinomialNames(const TextStore& store,
                                            const std::vector<CParagraph>& paragraphs,
                                            const CDicMain& dic) {
    std::vector<std::uint8_t> names(store.words.Size(), 0);
    if (dic.m_arrItems.size() < kForeignRunDictionary) {
        return names;
    }
    // Whether each word reaches an entry, asked once a word and only where needed.
    std::vector<std::uint8_t> reaches(store.words.Size(), 2);  // 2: not asked yet
    auto reachesEntry = [&](std::uint32_t id) {
        if (reaches[id] == 2) {
            reaches[id] = dic.FindReachedEntry(store.words.Word(id)) ? 1 : 0;
        }
        return reaches[id] == 1;
    };
    for (const CParagraph& paragraph : paragraphs) {
        for (std::size_t j = 0; j + 1 < paragraph.TokenCount(); ++j) {
            const std::string_view first = paragraph.Word(j);
            const std::string_view second = paragraph.Word(j + 1);
            const std::uint32_t genus = paragraph.WordId(j);
            const std::uint32_t species = paragraph.WordId(j + 1);
            if (genus >= names.size() || species >= names.size() || first.size() < 3 ||
                second.size() < 4 || first[0] < 'A' || first[0] > 'Z' ||
                !AllSmall(first.substr(1)) || !AllSmall(second)) {
                continue;
            }
            // The species: no word of the dictionary, not even through a suffix
            // ("timidly", "mildness" after a name are English).
            if (!HasLatinEnding(second) || reachesEntry(species) ||
                TranslateFurther(dic, second, kAnyThreshold)) {
                continue;
            }
            {
                names[genus] = 1;
                names[species] = 1;
            }
        }
    }
    return names;
}
