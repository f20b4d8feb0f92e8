#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The reader's own senses as own-senses.txt holds them: UTF-8 text, one sense a line,
// "word TAB gloss TAB scope", where scope is the book's key (its file name) or "*" for
// every book. Readers may edit the file by hand: a BOM, CR LF, blank lines and spaces
// around the fields are forgiven and the word may have capitals; a line that is not a
// sense (too few fields, no word, a gloss the page cannot show) is skipped, counted,
// and kept byte for byte at the next save. A word given two senses in one scope keeps
// the later line's.
constexpr std::string_view kEveryBook = "*";
// Longer glosses would not fit under any word; a longer book key is no file name.
constexpr std::size_t kLongestOwnGloss = 200;
constexpr std::size_t kLongestBookKey = 255;

struct OwnSenseText {
    // (lower-case word, scope) to its gloss (UTF-8).
    std::map<std::pair<std::string, std::string>, std::string> senses;
    std::vector<std::string> skippedLines;  // without their line ends
};

// Whether `gloss` (UTF-8, already trimmed) can be a gloss under a word: not empty, at
// most kLongestOwnGloss bytes, no tab or control character, and every character one the
// glosses' encoding (GBK) holds.
bool IsOwnGloss(std::string_view gloss);
// Whether `key` can name a book in the file: UTF-8, no tab or control character, not
// "*", not empty and not over kLongestBookKey bytes.
bool IsBookKey(std::string_view key);
// Spaces and tabs off both ends.
std::string_view TrimOwnSenseField(std::string_view text);

OwnSenseText ParseOwnSenses(std::string_view bytes);
// The file's bytes: the senses by word and scope, then the skipped lines as they were.
std::string FormatOwnSenses(const OwnSenseText& text);
