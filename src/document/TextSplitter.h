#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "NameEvidence.h"
#include "WordTable.h"

// A paragraph as the splitter found it: its line and where its tokens lie.
struct SplitLine {
    std::string_view text;
    std::size_t firstToken;
    std::uint32_t tokenCount;
};

// The tokens of whole lines of a text, their words numbered and counted for the name
// rule. A long text is split in stretches on several threads, each into a SplitText
// of its own, and the stretches are joined in text order; the joined result is the
// one a single pass gives, word numbers included.
struct SplitText {
    // In tokenWords: a token too short to be a word. Its length is the number's distance
    // from kNoWord, so that a token's length never needs storing: a word's is its entry's.
    static constexpr std::uint32_t kEmptyToken = WordTable::kNoWord;
    static constexpr std::uint32_t kOneByteToken = WordTable::kNoWord - 1;

    std::vector<std::uint32_t> tokenOffsets;  // from the paragraph's first byte
    std::vector<std::uint32_t> tokenWords;    // number in `words`, or a short token
    std::vector<SplitLine> lines;
    WordTable words;  // the distinct lower-case words
    NameEvidence evidence;

    // Appends `later`, a split of the lines that follow, renumbering its words.
    void Join(SplitText&& later);
};

// Told the fraction of the first stretch done now and then; answering false stops
// every stretch.
using SplitProgress = std::function<bool(double fraction)>;

// Splits the non-empty lines of `text` (LF ends a line, with or without a CR before
// it) into `out`, on up to `threads` threads; `progress` is asked on the calling
// thread only. False, and `out` empty, when stopped.
bool SplitLines(std::string_view text, std::size_t threads, const SplitProgress& progress,
                SplitText& out);
