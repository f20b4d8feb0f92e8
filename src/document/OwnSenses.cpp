#include "OwnSenses.h"

#include <utility>

#include "AsciiText.h"
#include "CDicMain.h"
#include "CodePage.h"

namespace {

// What a sense is attached to, as a mark is: the entry, else the word itself.
struct SenseKey {
    std::optional<std::uint32_t> entry;
    std::string word;
    static SenseKey Of(const CDicMain& dic, std::string_view lowerWord) {
        return {dic.FindReachedEntry(lowerWord), std::string(lowerWord)};
    }
    bool Covers(const CDicMain& dic, const std::string& other) const {
        return entry ? dic.FindReachedEntry(other) == entry : other == word;
    }
};

std::string_view ScopeOf(std::string_view book, bool everyBook) {
    return everyBook || book.empty() ? kEveryBook : book;
}

}  // namespace

OwnSenses::OwnSenses(std::string folder) : m_folder(std::move(folder)) {}

std::string OwnSenses::Load() {
    m_text = {};
    m_stamp.reset();
    m_unreadable = m_told = false;
    ++m_generation;
    if (m_folder.empty()) {
        return {};
    }
    const KeptFolder kept = OpenKeptFolder(m_folder);
    if (kept.missing) {
        return {};  // nothing kept yet; made at the first sense
    }
    if (!kept.path) {
        m_unreadable = m_told = true;
        return kept.problem + "\n自定义释义本次不会保存。\n";
    }
    const std::string& folder = *kept.path;
    RemoveStaleTemporaries(folder, {kFileName});
    const PrivateFile file = ReadPrivateFile(folder, kFileName);
    if (file.status == PrivateFile::Status::Failed) {
        m_unreadable = m_told = true;
        return file.problem + "\n自定义释义本次不会改写。\n";
    }
    if (file.status == PrivateFile::Status::Missing) {
        return {};
    }
    m_stamp = file.stamp;
    m_text = ParseOwnSenses(file.bytes);
    if (!m_text.skippedLines.empty()) {
        return "自定义释义 " + Path() + " 中有 " + std::to_string(m_text.skippedLines.size()) +
               " 行无法读懂，已跳过（保存时原样保留）。\n";
    }
    return {};
}

template <typename Change>
std::string OwnSenses::ChangeFile(Change change) {
    if (m_folder.empty() || m_unreadable) {
        if (change()) {
            ++m_generation;
        }
        return {};
    }
    const FolderChange folder(m_folder);
    if (!folder.Ok()) {
        if (change()) {
            ++m_generation;
        }
        return "无法保存自定义释义：" + folder.Problem() + "\n这个释义在程序关闭前仍然有效。";
    }
    // Another window or the tool may have saved since: its senses are taken in first.
    if (folder.Stamp(kFileName) != m_stamp) {
        const PrivateFile file = folder.Read(kFileName);
        if (file.status == PrivateFile::Status::Failed) {
            m_unreadable = true;
            change();
            ++m_generation;
            return std::exchange(m_told, true) ? std::string()
                                               : file.problem + "\n自定义释义本次不会改写。";
        }
        m_text =
            file.status == PrivateFile::Status::Read ? ParseOwnSenses(file.bytes) : OwnSenseText{};
        m_stamp = file.status == PrivateFile::Status::Read ? std::optional<FileStamp>(file.stamp)
                                                           : std::nullopt;
        ++m_generation;
    }
    if (!change()) {
        return {};
    }
    ++m_generation;
    const std::string problem = folder.Write(kFileName, FormatOwnSenses(m_text));
    m_stamp = folder.Stamp(kFileName);
    if (!problem.empty()) {
        return "无法保存自定义释义 " + Path() + "：" + problem + "\n这个释义在程序关闭前仍然有效。";
    }
    return {};
}

bool OwnSenses::RemoveEntry(const CDicMain& dic, std::string_view lowerWord,
                            std::string_view scope) {
    const SenseKey key = SenseKey::Of(dic, lowerWord);
    return std::erase_if(m_text.senses, [&](const auto& sense) {
               return sense.first.second == scope && key.Covers(dic, sense.first.first);
           }) > 0;
}

std::string OwnSenses::Set(const CDicMain& dic, std::string_view word, std::string_view gloss,
                           std::string_view book, bool everyBook) {
    const std::string lower = LowerAscii(word);
    const std::string scope(ScopeOf(book, everyBook));
    const std::string text(TrimOwnSenseField(gloss));
    return ChangeFile([&] {
        RemoveEntry(dic, lower, scope);
        m_text.senses[{lower, scope}] = text;
        return true;
    });
}

std::string OwnSenses::Clear(const CDicMain& dic, std::string_view word, std::string_view book) {
    const std::string lower = LowerAscii(word);
    return ChangeFile([&] {
        bool removed = RemoveEntry(dic, lower, kEveryBook);
        if (!book.empty()) {
            removed = RemoveEntry(dic, lower, book) || removed;
        }
        return removed;
    });
}

std::optional<OwnSenseChoice> OwnSenses::Find(const CDicMain& dic, std::string_view word,
                                              std::string_view book) const {
    const SenseKey key = SenseKey::Of(dic, LowerAscii(word));
    std::optional<OwnSenseChoice> found;
    for (const auto& [where, gloss] : m_text.senses) {
        if (!key.Covers(dic, where.first)) {
            continue;
        }
        if (!book.empty() && where.second == book) {
            return OwnSenseChoice{gloss, false};
        }
        if (where.second == kEveryBook) {
            found = OwnSenseChoice{gloss, true};
        }
    }
    return found;
}

OwnSenseIndex::OwnSenseIndex(const CDicMain& dic, const OwnSenses& senses, std::string_view book) {
    // Every book's first, so that the book's own sense replaces it.
    for (const bool bookPass : {false, true}) {
        for (const auto& [where, gloss] : senses.Text().senses) {
            const bool inBook = !book.empty() && where.second == book;
            if (bookPass ? !inBook : where.second != kEveryBook) {
                continue;
            }
            std::optional<std::string> gbk = codepage::Utf8ToGbk(gloss);
            if (!gbk) {
                continue;  // the file's reader let no such gloss in
            }
            if (const auto entry = dic.FindReachedEntry(where.first)) {
                m_byEntry[*entry] = std::move(*gbk);
            } else {
                m_byWord[where.first] = std::move(*gbk);
            }
        }
    }
}

std::string_view OwnSenseIndex::Find(std::optional<std::size_t> entry,
                                     std::string_view lowerWord) const {
    if (entry) {
        const auto it = m_byEntry.find(*entry);
        return it == m_byEntry.end() ? std::string_view() : std::string_view(it->second);
    }
    if (m_byWord.empty()) {
        return {};
    }
    const auto it = m_byWord.find(std::string(lowerWord));
    return it == m_byWord.end() ? std::string_view() : std::string_view(it->second);
}
