#include "PersonalWords.h"

#include <cstdlib>
#include <filesystem>

#include "AtomicFile.h"
#include "CDicMain.h"
#include "LowerCaseWord.h"
#include "ReadFileBytes.h"

namespace {

// Takes off `list` every word that shares `key`; answers whether any went.
bool RemoveKey(const CDicMain& dic, WordListText& list, const MarkKey& key) {
    return std::erase_if(list.words, [&](const std::string& word) {
               return MarkKey::Of(dic, word) == key;
           }) > 0;
}

}  // namespace

std::string PersonalWords::DefaultFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/vellumwise";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/vellumwise";
}

PersonalWords::PersonalWords(std::string folder) : m_folder(std::move(folder)) {}

std::string PersonalWords::KnownPath() const { return m_folder + "/known-words.txt"; }
std::string PersonalWords::NewPath() const { return m_folder + "/new-words.txt"; }

std::string PersonalWords::Load() {
    m_known = {};
    m_new = {};
    if (m_folder.empty()) {
        return {};
    }
    std::string warning;
    auto read = [&](const std::string& path, WordListText& into) {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            return;
        }
        const std::optional<std::string> bytes = ReadFileBytes(path);
        if (!bytes) {
            warning += "无法读取词表：" + path + "\n";
            return;
        }
        into = ParseWordList(*bytes);
        if (!into.skippedLines.empty()) {
            warning += "词表 " + path + " 中有 " + std::to_string(into.skippedLines.size()) +
                       " 行不是单词，已跳过。\n";
        }
    };
    read(KnownPath(), m_known);
    read(NewPath(), m_new);
    return warning;
}

std::string PersonalWords::Save(bool known, bool fresh) {
    if (m_folder.empty() || !fresh) {
        return {};
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);
    const std::string path = known ? KnownPath() : NewPath();
    const AtomicWriteResult written =
        WriteFileAtomically(path, FormatWordList(known ? m_known : m_new), 0644);
    if (written.Ok()) {
        return {};
    }
    return "无法保存词表 " + path + "：" + written.detail + "\n这个标记在程序关闭前仍然有效。";
}

std::string PersonalWords::SetMark(const CDicMain& dic, std::string_view word, WordMark mark) {
    const std::string lower = LowerAscii(word);
    const MarkKey key = MarkKey::Of(dic, lower);
    bool knownChanged = RemoveKey(dic, m_known, key);
    bool newChanged = RemoveKey(dic, m_new, key);
    if (mark == WordMark::Known) {
        knownChanged = m_known.words.insert(lower).second || knownChanged;
    } else if (mark == WordMark::New) {
        newChanged = m_new.words.insert(lower).second || newChanged;
    }
    std::string message = Save(true, knownChanged);
    const std::string second = Save(false, newChanged);
    if (!second.empty()) {
        message += (message.empty() ? "" : "\n") + second;
    }
    return message;
}

PersonalWords::ImportReport PersonalWords::ImportKnown(const CDicMain& dic,
                                                       std::string_view bytes) {
    ImportReport report;
    const ImportedWords imported = ParseImportList(bytes);
    report.skipped = imported.skipped;
    const MarkIndex before(dic, *this);
    bool knownChanged = false;
    bool newChanged = false;
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
        newChanged = RemoveKey(dic, m_new, MarkKey{entry, {}}) || newChanged;
        m_known.words.insert(word);
        knownChanged = true;
        ++report.added;
    }
    report.error = Save(true, knownChanged);
    const std::string second = Save(false, newChanged);
    if (!second.empty()) {
        report.error += (report.error.empty() ? "" : "\n") + second;
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
    // New goes in last: a word a reader wrote into both files by hand stays glossed,
    // the safer reading of a contradiction.
    for (const std::string& word : words.Known().words) {
        Add(dic, word, WordMark::Known);
    }
    for (const std::string& word : words.New().words) {
        Add(dic, word, WordMark::New);
    }
}

void MarkIndex::Add(const CDicMain& dic, const std::string& word, WordMark mark) {
    if (const auto entry = dic.FindReachedEntry(word)) {
        m_byEntry[*entry] = mark;
    } else {
        m_byWord[word] = mark;
    }
}

WordMark MarkIndex::Find(std::optional<std::size_t> entry, std::string_view lowerWord) const {
    if (entry) {
        const auto it = m_byEntry.find(*entry);
        return it == m_byEntry.end() ? WordMark::None : it->second;
    }
    if (m_byWord.empty()) {
        return WordMark::None;
    }
    const auto it = m_byWord.find(std::string(lowerWord));
    return it == m_byWord.end() ? WordMark::None : it->second;
}
