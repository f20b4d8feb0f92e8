#pragma once

#include <optional>
#include <string>
#include <vector>

#include "EntryDatabase.h"

// What the word card shows, UTF-8, in order: the word, its phonetic, the gloss shown under
// this occurrence, then the entry's lines with the one that gloss came from first and
// marked, the forms and the marks. The same content is `vellumwise-tool define`'s output.
struct WordCardContent {
    std::string word;       // the headword, or the token when the database has no entry
    std::string asked;      // the token as the text writes it
    std::string phonetic;   // without slashes; "" when none
    std::string shown;      // the gloss under this occurrence; "" when none
    bool ownSense = false;  // `shown` is the reader's own sense of the word
    struct Line {
        std::string label;
        std::string senses;
        bool chosen = false;  // the line the shown gloss comes from
    };
    std::vector<Line> lines;
    std::vector<std::string> definitions;
    std::string forms;       // "过去式 went，过去分词 gone"
    std::string tags;        // "中考 高考 四级 · 柯林斯 5 · 牛津 3000"
    bool full = false;       // false: only the short gloss was at hand
    bool occurrence = true;  // false: looked up, not held in the text; `shown` is main.dic's
    // The phrase the held word is a piece of, its gloss and its words, each with its own
    // short gloss: filled by the caller for a piece of a phrase, empty otherwise.
    std::string phrase;
    std::string phraseGloss;
    std::vector<std::pair<std::string, std::string>> phraseWords;
};

// The card for `entry` (none: only the shown gloss), the line that holds the shown
// gloss's first sense moved first and marked.
WordCardContent ComposeWordCard(const std::string& asked, const std::string& shown,
                                const std::optional<FullEntry>& entry);

// The forms and the marks as the card writes them.
std::string FormsText(const FullEntry& entry);
std::string TagsText(const FullEntry& entry);
