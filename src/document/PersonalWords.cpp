#include "PersonalWords.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "CDicMain.h"
#include "LowerCaseWord.h"

namespace {

constexpr const char* kKnownName = "known-words.txt";
constexpr const char* kNewName = "new-words.txt";

}  // namespace

bool PersonalWords::RemoveKey(const CDicMain& dic, WordListText& list, EntryWords& byEntry,
                              const MarkKey& key) {
    if (!key.entry) {
        return list.words.erase(key.word) > 0;  // only the word itself has its key
    }
    if (byEntry.revision != dic.Revision()) {
        byEntry.words.clear();
        for (const std::string& word : list.words) {
            if (const auto entry = dic.FindReachedEntry(word)) {
                byEntry.words[*entry].push_back(word);
            }
        }
        byEntry.revision = dic.Revision();
    }
    const auto found = byEntry.words.find(*key.entry);
    if (found == byEntry.words.end()) {
        return false;
    }
    bool removed = false;
    for (const std::string& word : found->second) {
        removed = list.words.erase(word) > 0 || removed;
    }
    byEntry.words.erase(found);
    return removed;
}

void PersonalWords::AddWord(WordListText& list, EntryWords& byEntry, const MarkKey& key,
                            const std::string& lowerWord, bool& changed) {
    if (!list.words.insert(lowerWord).second) {
        return;
    }
    changed = true;
    if (key.entry && byEntry.revision != 0) {
        byEntry.words[*key.entry].push_back(lowerWord);
    }
}

std::string PersonalWords::DefaultFolder() {
    const std::optional<std::string> data = DataHome();
    return data ? *data + "/vellumwise" : std::string();
}

PersonalWords::PersonalWords(std::string folder) : m_folder(std::move(folder)) {}

std::string PersonalWords::KnownPath() const { return m_folder + "/" + kKnownName; }
std::string PersonalWords::NewPath() const { return m_folder + "/" + kNewName; }

std::string PersonalWords::Load() {
    m_known = {};
    m_new = {};
    m_knownFile = {};
    m_newFile = {};
    m_knownByEntry = {};
    m_newByEntry = {};
    if (m_folder.empty()) {
        return {};
    }
    const KeptFolder kept = OpenKeptFolder(m_folder);
    if (kept.missing) {
        return {};  // nothing kept yet; made at the first mark
    }
    if (!kept.path) {
        m_knownFile.unreadable = m_newFile.unreadable = true;
        m_knownFile.told = m_newFile.told = true;
        return kept.problem + "\n词表本次不会保存。\n";
    }
    const std::string& folder = *kept.path;
    RemoveStaleTemporaries(folder, {kKnownName, kNewName, "wordbook.tsv", "review.tsv"});
    std::string warning;
    auto read = [&](const char* name, WordListText& into, FileState& state) {
        const PrivateFile file = ReadPrivateFile(folder, name);
        if (file.status == PrivateFile::Status::Failed) {
            state.unreadable = state.told = true;
            warning += file.problem + "\n这个词表本次不会改写。\n";
            return;
        }
        if (file.status == PrivateFile::Status::Missing) {
            return;
        }
        state.stamp = file.stamp;
        into = ParseWordList(file.bytes);
        if (!into.skippedLines.empty()) {
            warning += "词表 " + m_folder + "/" + name + " 中有 " +
                       std::to_string(into.skippedLines.size()) + " 行不是单词，已跳过。\n";
        }
    };
    read(kKnownName, m_known, m_knownFile);
    read(kNewName, m_new, m_newFile);
    ++m_generation;
    return warning;
}

std::string PersonalWords::Change(const std::function<Changed()>& change) {
    // No folder, or one refused at the start (the reader was told then): memory only.
    if (m_folder.empty() || (m_knownFile.unreadable && m_newFile.unreadable)) {
        change();
        return {};
    }
    const FolderChange folder(m_folder);
    if (!folder.Ok()) {
        change();
        return "无法保存词表：" + folder.Problem() + "\n这个标记在程序关闭前仍然有效。";
    }
    std::string message;
    auto add = [&message](const std::string& line) {
        if (!line.empty()) {
            message += (message.empty() ? "" : "\n") + line;
        }
    };
    // Another window or the tool may have saved since: its words are taken in first.
    auto refresh = [&](const char* name, WordListText& list, FileState& state,
                       EntryWords& byEntry) {
        if (state.unreadable || folder.Stamp(name) == state.stamp) {
            return;
        }
        byEntry = {};
        const PrivateFile file = folder.Read(name);
        if (file.status == PrivateFile::Status::Failed) {
            state.unreadable = true;
            if (!std::exchange(state.told, true)) {
                add(file.problem + "\n这个词表本次不会改写。");
            }
            return;
        }
        list =
            file.status == PrivateFile::Status::Read ? ParseWordList(file.bytes) : WordListText{};
        ++m_generation;
        state.stamp = file.status == PrivateFile::Status::Read
                          ? std::optional<FileStamp>(file.stamp)
                          : std::nullopt;
    };
    refresh(kKnownName, m_known, m_knownFile, m_knownByEntry);
    refresh(kNewName, m_new, m_newFile, m_newByEntry);
    const Changed changed = change();
    auto save = [&](bool fresh, const char* name, const WordListText& list, FileState& state) {
        if (!fresh || state.unreadable) {
            return;
        }
        const std::string problem = folder.Write(name, FormatWordList(list));
        if (!problem.empty()) {
            add("无法保存词表 " + m_folder + "/" + name + "：" + problem +
                "\n这个标记在程序关闭前仍然有效。");
        }
        state.stamp = folder.Stamp(name);
    };
    save(changed.known, kKnownName, m_known, m_knownFile);
    save(changed.newWords, kNewName, m_new, m_newFile);
    return message;
}

std::string PersonalWords::SetMark(const CDicMain& dic, std::string_view word, WordMark mark) {
    return SetMarks(dic, {std::string(word)}, mark);
}

std::string PersonalWords::SetMarks(const CDicMain& dic, const std::vector<std::string>& words,
                                    WordMark mark) {
    return Change([&] {
        Changed changed;
        for (const std::string& word : words) {
            const std::string lower = LowerAscii(word);
            const MarkKey key = MarkKey::Of(dic, lower);
            changed.known = RemoveKey(dic, m_known, m_knownByEntry, key) || changed.known;
            changed.newWords = RemoveKey(dic, m_new, m_newByEntry, key) || changed.newWords;
            if (mark == WordMark::Known) {
                AddWord(m_known, m_knownByEntry, key, lower, changed.known);
            } else if (mark == WordMark::New) {
                AddWord(m_new, m_newByEntry, key, lower, changed.newWords);
            }
        }
        return changed;
    });
}

PersonalWords::ImportReport PersonalWords::ImportKnown(const CDicMain& dic,
                                                       std::string_view bytes) {
    ImportReport report;
    const ImportedWords imported = ParseImportList(bytes);
    report.skipped = imported.skipped;
    report.rows = imported.rows;
    report.headerSkipped = imported.headerSkipped;
    report.error = Change([&] {
        const MarkIndex before(dic, *this);
        Changed changed;
        for (const std::string& word : imported.words) {
            const std::optional<std::size_t> entry = dic.FindReachedEntry(word);
            if (!entry) {
                ++report.notInDictionary;
                continue;
            }
            if (before.Find(entry, word) == WordMark::Known || m_known.words.contains(word)) {
                ++report.alreadyThere;
                continue;
            }
            // A word the reader had marked new is known now: the import says so.
            const MarkKey key{entry, {}};
            changed.newWords = RemoveKey(dic, m_new, m_newByEntry, key) || changed.newWords;
            AddWord(m_known, m_knownByEntry, key, word, changed.known);
            ++report.added;
        }
        return changed;
    });
    if (m_knownFile.unreadable && report.added > 0) {
        report.error += (report.error.empty() ? "" : "\n") + std::string("无法读取词表 ") +
                        KnownPath() + "，导入的词没有保存。";
    }
    return report;
}

MarkKey MarkKey::Of(const CDicMain& dic, std::string_view lowerWord) {
    if (const auto entry = dic.FindReachedEntry(lowerWord)) {
        return {entry, {}};
    }
    return {std::nullopt, std::string(lowerWord)};
}

MarkIndex::MarkIndex(const CDicMain& dic, const PersonalWords& words) {
    // Room for every word at once: a list of a million lines rehashed a dozen times.
    const std::size_t listed = words.Known().words.size() + words.New().words.size();
    m_byEntry.reserve(std::min(listed, dic.m_arrItems.size()));
    // New goes in last: a word a reader wrote into both files by hand stays glossed,
    // the safer reading of a contradiction.
    WordMarks known;
    WordMarks added;
    known.reserve(words.Known().words.size());
    added.reserve(words.New().words.size());
    AddAll(dic, words.Known().words, WordMark::Known, known);
    AddAll(dic, words.New().words, WordMark::New, added);
    m_byWord.reserve(known.size() + added.size());
    auto k = known.begin();
    for (auto& word : added) {
        for (; k != known.end() && k->first < word.first; ++k) {
            m_byWord.push_back(std::move(*k));
        }
        if (k != known.end() && k->first == word.first) {
            ++k;
        }
        m_byWord.push_back(std::move(word));
    }
    std::move(k, known.end(), std::back_inserter(m_byWord));
}

void MarkIndex::AddAll(const CDicMain& dic, const std::set<std::string>& words, WordMark mark,
                       WordMarks& unreached) {
    for (const std::string& word : words) {
        if (const auto entry = dic.FindReachedEntry(word)) {
            m_byEntry[*entry] = mark;
        } else {
            unreached.emplace_back(word, mark);
        }
    }
}

void MarkIndex::Apply(const CDicMain& dic, std::string_view word, WordMark mark) {
    const std::string lower = LowerAscii(word);
    const MarkKey key = MarkKey::Of(dic, lower);
    if (key.entry) {
        mark == WordMark::None ? void(m_byEntry.erase(*key.entry))
                               : void(m_byEntry[*key.entry] = mark);
        return;
    }
    const auto it = std::lower_bound(
        m_byWord.begin(), m_byWord.end(), key.word,
        [](const auto& listed, const std::string& wanted) { return listed.first < wanted; });
    const bool there = it != m_byWord.end() && it->first == key.word;
    if (mark == WordMark::None) {
        if (there) {
            m_byWord.erase(it);
        }
    } else if (there) {
        it->second = mark;
    } else {
        m_byWord.emplace(it, key.word, mark);
    }
}

WordMark MarkIndex::Find(std::optional<std::size_t> entry, std::string_view lowerWord) const {
    if (entry) {
        const auto it = m_byEntry.find(*entry);
        return it == m_byEntry.end() ? WordMark::None : it->second;
    }
    const auto it = std::lower_bound(
        m_byWord.begin(), m_byWord.end(), lowerWord,
        [](const auto& listed, std::string_view wanted) { return listed.first < wanted; });
    return it != m_byWord.end() && it->first == lowerWord ? it->second : WordMark::None;
}
