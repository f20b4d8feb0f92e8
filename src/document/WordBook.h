#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One word the reader collected while reading. Every field is UTF-8.
struct WordBookEntry {
    std::string word;
    std::string gloss;
    std::string sentence;  // the paragraph around the word, cut to about 300 characters
    std::string source;    // the text's file name, empty for a pasted text
    std::string date;      // YYYY-MM-DD

    bool operator==(const WordBookEntry&) const = default;
};

// The word book file, wordbook.tsv: one entry a line, oldest first, fields
// word TAB gloss TAB sentence TAB source TAB date, with backslash, TAB, CR and LF
// written \\ \t \r \n. Lines that do not hold five fields are kept aside so
// rewriting the file never drops what a reader or another program put there.
struct WordBook {
    std::vector<WordBookEntry> entries;
    std::vector<std::string> otherLines;
};

WordBook ParseWordBook(std::string_view bytes);
std::string FormatWordBook(const WordBook& book);

// The paragraph around the word at byte `offset` (length `length`): whole when it is
// at most `around` characters, otherwise about `around` characters centred on the
// word, cut at spaces and marked "…" where it was cut. Never splits a UTF-8 character.
std::string CutSentence(std::string_view paragraph, std::size_t offset, std::size_t length,
                        std::size_t around = 300);

// Comma-separated values as spreadsheet programs read them: a UTF-8 BOM, a header
// row, CR LF line ends, fields quoted when they hold a comma, quote, CR or LF, and an
// apostrophe before a field beginning = + - or @, which would otherwise run as a formula.
std::string ExportCsv(const std::vector<WordBookEntry>& entries);
// Tab-separated notes for Anki: front is the word, then the sentence with every
// occurrence of the word in bold; back is the gloss. Fields are HTML.
std::string ExportAnki(const std::vector<WordBookEntry>& entries);

// Today's date in the local time zone, as the word book records it.
std::string TodayIso();

// The word book file of a personal folder.
std::string WordBookPath(const std::string& folder);
// Each change below is made under the folder's lock to the file as it is then, so that
// another window's or the tool's change made meanwhile is kept; nothing is written
// when the file cannot be read.
// Appends the entry. An empty answer when it was saved, else the message to show; the
// file is then unchanged.
std::string AppendToWordBook(const std::string& folder, const WordBookEntry& entry);
// Removes one entry equal to each of `removed` (by content: entries added or removed
// meanwhile do not shift which go); message as above.
std::string RemoveFromWordBook(const std::string& folder,
                               const std::vector<WordBookEntry>& removed);
// Writes the book whole atomically; message as above.
std::string SaveWordBook(const std::string& folder, const WordBook& book);
// The file's entries; a missing file is an empty book. False when it cannot be read.
bool LoadWordBook(const std::string& folder, WordBook& book);
