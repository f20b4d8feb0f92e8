#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// One of the reader's own word lists as a file holds it: UTF-8 text, one lower-case
// word a line. Readers edit these files by hand, so reading forgives a BOM, CR LF,
// blank lines, spaces around a word and capitals; a line that is not a word (binary
// junk, a phrase, letters outside a-z, which no dictionary entry is spelt with) is
// skipped, counted, and kept as it was for the next save, so nothing a reader wrote is lost.
struct WordListText {
    std::set<std::string> words;
    std::vector<std::string> skippedLines;  // without their line ends
};

// The word a line stands for (lower-cased, trimmed), or nullopt when it is no word.
std::optional<std::string> ListWordOf(std::string_view line);
WordListText ParseWordList(std::string_view bytes);
// The file's bytes: the words in order, then the skipped lines as they were read.
std::string FormatWordList(const WordListText& list);

// The words of a list to import: one a line, or the first column of a CSV file
// (quoted or not); lines whose first field is no word are counted in `skipped`.
// A first line that is the header of the word book's own CSV export is no row.
struct ImportedWords {
    std::vector<std::string> words;  // in file order, without repeats
    std::size_t rows = 0;            // lines taken as words, repeats included
    std::size_t skipped = 0;
    bool headerSkipped = false;
};
ImportedWords ParseImportList(std::string_view bytes);
