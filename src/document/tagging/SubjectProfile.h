#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "SubjectTable.h"

class CDicMain;
class WordTable;

// How many of a text's glossed words have dictionary lines of each subject. The
// words are counted once each, glossed at a fixed step whatever the reader's, so a
// slider move never changes what the text is about.
struct SubjectProfile {
    std::uint32_t glossedWords = 0;
    std::array<std::uint32_t, SubjectTable::kMostSubjects> wordsOf{};

    // The subjects the text is about, the strongest first: those of which a fifth of
    // the glossed words or more have lines, and at least kFewestWords words. A novel
    // stays well under the share for every subject (its medical and legal words are
    // a few in a hundred); a science text's own subject is a third or more.
    std::vector<std::uint8_t> Passing() const;

    static constexpr double kShare = 0.2;
    static constexpr std::uint32_t kFewestWords = 10;
};

// The profile of the distinct words of a text, leaving out those `isName` says the
// text uses as names (called with the word's number).
SubjectProfile ProfileText(const WordTable& words, const CDicMain& dic, const SubjectTable& table,
                           const std::function<bool(std::uint32_t)>& isName);
