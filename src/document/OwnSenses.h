#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "OwnSenseFile.h"
#include "PrivateFolder.h"

class CDicMain;

// Where an own sense holds: in one book, or in every book.
struct OwnSenseChoice {
    std::string gloss;  // UTF-8
    bool everyBook = false;
};

// The reader's own senses, own-senses.txt beside the known and new lists. A sense
// belongs to the dictionary entry its word reaches, as a mark does: a sense given to
// "ran" is shown under "run" and "runs" too, and setting or clearing it for any of them
// replaces it for all. A sense for one book outranks the one for every book.
//
// Two windows and the tool may change the file at once: each change is made under the
// folder's lock to the senses as the file holds them then (re-read when another program
// replaced it), so nobody's sense is lost. A file that could not be read is never
// written this run.
class OwnSenses {
public:
    static constexpr const char* kFileName = "own-senses.txt";

    // An empty folder keeps the senses in memory only.
    explicit OwnSenses(std::string folder = {});

    // Reads the file; a missing one holds no sense. Answers the warning to show
    // (skipped lines, an unreadable file) or an empty string. Never writes.
    std::string Load();

    // Gives `word`'s entry `gloss` (UTF-8, IsOwnGloss) in `book` (a book key), or in
    // every book with `everyBook` or an empty book. The sense holds in memory even when
    // the save fails; then the answer is the message to show.
    std::string Set(const CDicMain& dic, std::string_view word, std::string_view gloss,
                    std::string_view book, bool everyBook);
    // Takes off the senses `word`'s entry has in `book` and in every book: it shows the
    // dictionary's own there again.
    std::string Clear(const CDicMain& dic, std::string_view word, std::string_view book);
    // The sense `word` shows in `book` (empty: a text of no book), if any.
    std::optional<OwnSenseChoice> Find(const CDicMain& dic, std::string_view word,
                                       std::string_view book) const;

    const OwnSenseText& Text() const { return m_text; }
    std::string Path() const { return m_folder + "/" + kFileName; }
    // Counts the changes to the senses held, read or set: an index made at one count
    // is good while it stays.
    std::uint64_t Generation() const { return m_generation; }

private:
    // Takes off `scope`'s senses of every word that reaches `word`'s entry.
    bool RemoveEntry(const CDicMain& dic, std::string_view lowerWord, std::string_view scope);
    template <typename Change>
    std::string ChangeFile(Change change);

    std::string m_folder;
    OwnSenseText m_text;
    std::optional<FileStamp> m_stamp;  // as last read or written; nullopt: missing
    bool m_unreadable = false;
    bool m_told = false;
    std::uint64_t m_generation = 0;
};

// The senses that hold in one book, resolved to entries once, so the glossing asks
// one hash lookup per word. The glosses are in the glosses' encoding (GBK).
class OwnSenseIndex {
public:
    OwnSenseIndex() = default;
    OwnSenseIndex(const CDicMain& dic, const OwnSenses& senses, std::string_view book);
    // The sense, or empty when the word has none.
    std::string_view Find(std::optional<std::size_t> entry, std::string_view lowerWord) const;
    bool Empty() const { return m_byEntry.empty() && m_byWord.empty(); }

private:
    std::unordered_map<std::size_t, std::string> m_byEntry;
    std::unordered_map<std::string, std::string> m_byWord;
};
