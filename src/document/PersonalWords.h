#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "PersonalWordList.h"
#include "PrivateFolder.h"

class CDicMain;

// A reader's own mark on a word: glossed never (Known) or always (New).
enum class WordMark { None, Known, New };

// What a mark is attached to: the entry's position for words the dictionary reaches,
// the lower-case word itself for the others.
struct MarkKey {
    std::optional<std::size_t> entry;
    std::string word;  // set only when there is no entry
    static MarkKey Of(const CDicMain& dic, std::string_view lowerWord);
    bool operator==(const MarkKey&) const = default;
};

// The reader's two lists, known-words.txt and new-words.txt, kept in one folder for
// every text. A mark belongs to the dictionary entry a word reaches (see MarkKey):
// marking "ran" known covers "run" and "runs" too, and unmarking any of them removes it.
//
// Two windows and the tool may change the lists at once: each change is made under the
// folder's lock to the lists as the files hold them then (re-read when another program
// replaced them), so no one's mark is lost. A list that could not be read is never
// written this run: its words are not known, and a save would drop them.
class PersonalWords {
public:
    // $XDG_DATA_HOME/vellumwise, or ~/.local/share/vellumwise without it; empty when
    // there is no home folder at all (then kNoHomeMessage says why nothing is kept).
    static std::string DefaultFolder();

    // An empty folder keeps the lists in memory only.
    explicit PersonalWords(std::string folder = {});

    // Reads both lists; a missing file is an empty list. Answers the warning to show
    // (skipped lines, an unreadable file, a folder others may write) or an empty
    // string. Never writes, but removes what a killed save left behind.
    std::string Load();

    // Gives `word` (any case) the mark, taking every other mark off its entry, and
    // saves the lists that changed. The mark holds in memory even when the save fails;
    // then the answer is the message to show and the files are as they were.
    std::string SetMark(const CDicMain& dic, std::string_view word, WordMark mark);
    // The same for several words in one change of the files.
    std::string SetMarks(const CDicMain& dic, const std::vector<std::string>& words, WordMark mark);

    struct ImportReport {
        std::size_t added = 0, alreadyThere = 0, notInDictionary = 0, skipped = 0;
        std::size_t rows = 0;        // the file's rows taken as words
        bool headerSkipped = false;  // its first line was the word book's CSV header
        std::string error;           // set when the known list could not be saved
    };
    // Marks known every word of an imported list that the dictionary has.
    ImportReport ImportKnown(const CDicMain& dic, std::string_view bytes);

    const WordListText& Known() const { return m_known; }
    const WordListText& New() const { return m_new; }
    const std::string& Folder() const { return m_folder; }
    std::string KnownPath() const;
    std::string NewPath() const;
    bool Empty() const { return m_known.words.empty() && m_new.words.empty(); }
    // Counts the times the lists were read from their files: while it stays the same,
    // a mark changes only what SetMark was told, and an index can follow by Apply.
    std::uint64_t Generation() const { return m_generation; }
    // Whether a list could not be read this run (and so is not written).
    bool Unreadable() const { return m_knownFile.unreadable || m_newFile.unreadable; }

private:
    // What is known of one list's file.
    struct FileState {
        std::optional<FileStamp> stamp;  // as last read or written; nullopt: missing
        bool unreadable = false;
        bool told = false;
    };
    struct Changed {
        bool known = false, newWords = false;
    };
    // One list's words by the entry they reach, worked out at the first mark after a
    // read: a mark then looks at its own entry's words, not at every line (a list of a
    // million lines cost 165 ms a mark).
    struct EntryWords {
        std::uint64_t revision = 0;  // the dictionary's when worked out; 0: not yet
        std::unordered_map<std::size_t, std::vector<std::string>> words;
    };
    // Takes off `list` every word that shares `key`; answers whether any went.
    static bool RemoveKey(const CDicMain& dic, WordListText& list, EntryWords& byEntry,
                          const MarkKey& key);
    static void AddWord(WordListText& list, EntryWords& byEntry, const MarkKey& key,
                        const std::string& lowerWord, bool& changed);
    // Applies `change` to the lists as the files hold them now and saves what it
    // changed; answers the message to show.
    std::string Change(const std::function<Changed()>& change);

    std::string m_folder;
    WordListText m_known;
    WordListText m_new;
    FileState m_knownFile;
    FileState m_newFile;
    EntryWords m_knownByEntry;
    EntryWords m_newByEntry;
    std::uint64_t m_generation = 0;
};

// Both lists resolved to entries once, so the glossing asks one hash lookup per word.
class MarkIndex {
public:
    MarkIndex() = default;
    MarkIndex(const CDicMain& dic, const PersonalWords& words);
    WordMark Find(std::optional<std::size_t> entry, std::string_view lowerWord) const;
    // What SetMark did to the lists, done to the index: `word`'s entry (or the word)
    // takes the mark, or loses every mark for None.
    void Apply(const CDicMain& dic, std::string_view word, WordMark mark);
    bool Empty() const { return m_byEntry.empty() && m_byWord.empty(); }

private:
    void Add(const CDicMain& dic, const std::string& word, WordMark mark);
    std::unordered_map<std::size_t, WordMark> m_byEntry;
    std::unordered_map<std::string, WordMark> m_byWord;
};
