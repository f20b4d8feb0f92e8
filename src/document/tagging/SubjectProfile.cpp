#include "SubjectProfile.h"

#include <algorithm>

#include "CDicMain.h"
#include "VocabularyTable.h"
#include "WordTable.h"

namespace {

// The step whose glossed words are counted: the middle of the common ones, where a
// text's specialist words are glossed and its everyday words are not.
constexpr int kProfileLevel = 3;

}  // namespace

std::vector<std::uint8_t> SubjectProfile::Passing() const {
    std::vector<std::uint8_t> passing;
    for (std::size_t s = 0; s < wordsOf.size(); ++s) {
        if (wordsOf[s] >= kFewestWords &&
            static_cast<double>(wordsOf[s]) >= kShare * static_cast<double>(glossedWords)) {
            passing.push_back(static_cast<std::uint8_t>(s));
        }
    }
    std::stable_sort(passing.begin(), passing.end(),
                     [&](std::uint8_t a, std::uint8_t b) { return wordsOf[a] > wordsOf[b]; });
    return passing;
}

SubjectProfile ProfileText(const WordTable& words, const CDicMain& dic, const SubjectTable& table,
                           const std::function<bool(std::uint32_t)>& isName) {
    SubjectProfile profile;
    if (table.Empty()) {
        return profile;
    }
    const double threshold = ThresholdForLevel(kProfileLevel);
    for (std::uint32_t id = 0; id < words.Size(); ++id) {
        if (isName(id)) {
            continue;
        }
        const std::string_view word = words.Word(id);
        if (dic.TranslateView(word, threshold, false, false).empty()) {
            continue;
        }
        const std::optional<std::uint32_t> entry = dic.FindReachedEntry(word);
        if (!entry) {
            continue;
        }
        ++profile.glossedWords;
        const SubjectTable::Subjects subjects = table.SubjectsOf(dic.m_arrItems[*entry].m_strWord);
        for (std::size_t s = 0; s < profile.wordsOf.size(); ++s) {
            if ((subjects >> s) & 1U) {
                ++profile.wordsOf[s];
            }
        }
    }
    return profile;
}
