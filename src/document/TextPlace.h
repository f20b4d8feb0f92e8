#pragma once

#include <cstddef>

#include "VocabularyTable.h"

// A word of the text by its paragraph and token number: a place that survives a new
// font, page width or gloss, where a pixel offset would not.
struct WordPlace {
    std::size_t paragraph = 0;
    std::size_t token = 0;

    bool operator==(const WordPlace&) const = default;
};

// Where a reader left a text: the word at the top of the window and the vocabulary
// step the text was read with.
struct ReadingPlace {
    WordPlace topWord;
    int vocabLevel = kDefaultVocabLevel;

    bool operator==(const ReadingPlace&) const = default;
};
