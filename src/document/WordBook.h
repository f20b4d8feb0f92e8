#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TextPlace.h"

// One word the reader collected while reading. Every field is UTF-8.
struct WordBookEntry {
    std::string word;
    std::string gloss;
    std::string sentence;  // the sentence around the word, cut to about 300 characters
    std::string source;    // the text's file name, empty for a pasted text
    std::string date;      // YYYY-MM-DD
    // Kept since entries could take the reader back; older entries have none of these.
    std::string path{};                      // the text as it was opened, empty for a pasted one
    std::optional<WordPlace> place{};        // the word in that text
    std::size_t wordAt = std::string::npos;  // the word's first byte in `sentence`
    std::string phonetic{};                  // from the word's card, when there is one

    bool operator==(const WordBookEntry&) const = default;
};

// What a word's card says of it in one sentence: its phonetic and the sense that
// sentence calls for (UTF-8, either may be empty).
struct WordCardFacts {
    std::string phonetic;
    std::string sense;
};

// Whether two entries are the same word collected from the same text: the book keeps
// one of them. A path only one of them knows (an older entry's) does not tell them apart.
bool SameWordAndText(const WordBookEntry& a, const WordBookEntry& b);

// The word book file, wordbook.tsv: one entry a line, oldest first, fields
// word TAB gloss TAB sentence TAB source TAB date TAB path TAB place TAB word-at TAB
// phonetic, with backslash, TAB, CR and LF written \\ \t \r \n; place is
// "paragraph:token", word-at a byte offset, either empty when unknown. Lines of the
// first five fields alone (the book's first form) are read as entries without a place.
// Lines that hold neither are kept aside so rewriting the file never drops what a
// reader or another program put there.
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
// The same cut, with where the word's first byte is in it.
struct MarkedSentence {
    std::string text;
    std::size_t wordAt = 0;
};
MarkedSentence CutSentenceMarked(std::string_view paragraph, std::size_t offset, std::size_t length,
                                 std::size_t around = 300);

// Comma-separated values as spreadsheet programs read them: a UTF-8 BOM, a header
// row (word, phonetic, gloss, sentence, book, date), CR LF line ends, fields quoted when
// they hold a comma, quote, CR or LF, and an apostrophe before a field beginning = + - or
// @, which would otherwise run as a formula.
std::string ExportCsv(const std::vector<WordBookEntry>& entries);
// Whether a line is the header row of a CSV file the word book exported (this form's or
// the first one's), so that importing such a file does not take "word" for a word.
bool IsWordBookCsvHeader(std::string_view line);
// Tab-separated notes for Anki, one a word, with header lines naming the separator, the
// fields and the tags column. Fields (HTML): word, phonetic, gloss, sentence with the
// word in bold, book, date, tags: the book's name and the word's exam tags, as
// `examTags` gives them (none when it is not set).
using ExamTagsOf = std::function<std::vector<std::string>(std::string_view word)>;
std::string ExportAnki(const std::vector<WordBookEntry>& entries, const ExamTagsOf& examTags = {});
// A word's exam tags as the whole entries give them, by their Chinese names (四级, 雅思),
// which a reader filters Anki's cards by; none when the entries are unavailable.
class EntryDatabase;
ExamTagsOf ExamTagsFrom(EntryDatabase& entries);

// Today's date in the local time zone, as the word book records it.
std::string TodayIso();

// An entry taken out of the book, with the place it had there.
struct RemovedEntry {
    std::size_t index = 0;
    WordBookEntry entry;
};

// The word book file of a personal folder.
std::string WordBookPath(const std::string& folder);
// Each change below is made under the folder's lock to the file as it is then, so that
// another window's or the tool's change made meanwhile is kept; nothing is written
// when the file cannot be read.
// Appends the entry, in place of any entry of the same word and text (SameWordAndText),
// whose sentence and date it renews; `replaced` tells whether there was one. An empty
// answer when it was saved, else the message to show; the file is then unchanged.
std::string AppendToWordBook(const std::string& folder, const WordBookEntry& entry,
                             bool* replaced = nullptr);
// Puts entries RemoveFromWordBook took (in the order it gave them) back where they
// were, as near as the book now allows, except
// those whose word and text the book holds again meanwhile; message as above.
std::string RestoreToWordBook(const std::string& folder, const std::vector<RemovedEntry>& removed);
// Removes one entry equal to each of `removed` (by content: entries added or removed
// meanwhile do not shift which go); message as above.
// `taken`, when given, receives what went with the places it had, for an undo.
std::string RemoveFromWordBook(const std::string& folder, const std::vector<WordBookEntry>& removed,
                               std::vector<RemovedEntry>* taken = nullptr);
// Writes the book whole atomically; message as above.
std::string SaveWordBook(const std::string& folder, const WordBook& book);
// The file's entries; a missing file is an empty book. False when it cannot be read.
bool LoadWordBook(const std::string& folder, WordBook& book);
