#include "Bookmarks.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "LockedFileChange.h"
#include "PrivateFolder.h"
#include "TabFields.h"
#include "TextLines.h"

namespace {

constexpr const char* kFileName = "bookmarks.tsv";
constexpr std::size_t kFields = 6;

std::optional<std::size_t> Number(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<WordPlace> ParsePlace(std::string_view field) {
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto paragraph = Number(field.substr(0, colon));
    const auto token = Number(field.substr(colon + 1));
    if (!paragraph || !token) {
        return std::nullopt;
    }
    return WordPlace{*paragraph, *token};
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(UnescapeField(line.substr(start, tab - start)));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool SamePlace(const Bookmark& a, const Bookmark& b) {
    return a.path == b.path && a.place == b.place;
}

// Applies `change` to the bookmarks as the file holds them now, under the folder's lock.
std::string ChangeBookmarks(const std::string& folder,
                            const std::function<void(BookmarkFile&)>& change) {
    return ChangeLockedFile(folder, kFileName, "书签", [&](std::string_view bytes) {
        BookmarkFile file = ParseBookmarks(bytes);
        change(file);
        return FormatBookmarks(file);
    });
}

}  // namespace

BookmarkFile ParseBookmarks(std::string_view bytes) {
    BookmarkFile file;
    ForEachTextLine(bytes, [&file](std::string_view line) {
        if (line.empty()) {
            return;
        }
        std::vector<std::string> fields = SplitFields(line);
        const std::optional<WordPlace> place =
            fields.size() == kFields ? ParsePlace(fields[1]) : std::nullopt;
        if (!place || fields[0].empty()) {
            file.otherLines.emplace_back(line);
            return;
        }
        file.bookmarks.push_back({std::move(fields[0]), *place, std::move(fields[2]),
                                  std::move(fields[3]), std::move(fields[4]),
                                  std::move(fields[5])});
    });
    return file;
}

std::string FormatBookmarks(const BookmarkFile& file) {
    std::string bytes;
    for (const std::string& line : file.otherLines) {
        bytes += line + "\n";
    }
    for (const Bookmark& b : file.bookmarks) {
        bytes += EscapeField(b.path) + "\t" + std::to_string(b.place.paragraph) + ":" +
                 std::to_string(b.place.token) + "\t" + EscapeField(b.name) + "\t" +
                 EscapeField(b.snippet) + "\t" + EscapeField(b.chapter) + "\t" +
                 EscapeField(b.date) + "\n";
    }
    return bytes;
}

std::vector<Bookmark> BookmarksOf(const BookmarkFile& file, const std::string& path) {
    std::vector<Bookmark> found;
    for (const Bookmark& bookmark : file.bookmarks) {
        if (bookmark.path == path) {
            found.push_back(bookmark);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Bookmark& a, const Bookmark& b) {
        return a.place.paragraph != b.place.paragraph ? a.place.paragraph < b.place.paragraph
                                                      : a.place.token < b.place.token;
    });
    return found;
}

std::string BookmarkPathOf(const std::string& textPath) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(textPath, error);
    return error ? textPath : canonical.string();
}

std::string BookmarksFilePath(const std::string& folder) { return folder + "/" + kFileName; }

bool LoadBookmarks(const std::string& folder, BookmarkFile& file) {
    file = {};
    std::error_code error;
    if (folder.empty() || !std::filesystem::exists(folder, error)) {
        return !folder.empty() && !error;  // nothing kept yet
    }
    std::string problem;
    const std::optional<std::string> checked = OpenPrivateFolder(folder, false, &problem);
    if (!checked) {
        return false;
    }
    const PrivateFile read = ReadPrivateFile(*checked, kFileName);
    if (read.status == PrivateFile::Status::Failed) {
        return false;
    }
    file = ParseBookmarks(read.bytes);
    return true;
}

std::string AddBookmark(const std::string& folder, const Bookmark& bookmark) {
    return ChangeBookmarks(folder, [&](BookmarkFile& file) {
        const auto same = std::find_if(file.bookmarks.begin(), file.bookmarks.end(),
                                       [&](const Bookmark& b) { return SamePlace(b, bookmark); });
        if (same == file.bookmarks.end()) {
            file.bookmarks.push_back(bookmark);
            return;
        }
        const std::string name = same->name;
        *same = bookmark;
        if (same->name.empty()) {
            same->name = name;
        }
    });
}

std::string RenameBookmark(const std::string& folder, const Bookmark& bookmark,
                           const std::string& name) {
    return ChangeBookmarks(folder, [&](BookmarkFile& file) {
        const auto it = std::find(file.bookmarks.begin(), file.bookmarks.end(), bookmark);
        if (it != file.bookmarks.end()) {
            it->name = name;
        }
    });
}

std::string RemoveBookmark(const std::string& folder, const Bookmark& bookmark) {
    return ChangeBookmarks(folder, [&](BookmarkFile& file) {
        const auto it = std::find(file.bookmarks.begin(), file.bookmarks.end(), bookmark);
        if (it != file.bookmarks.end()) {
            file.bookmarks.erase(it);
        }
    });
}

std::string SnippetFrom(std::string_view paragraph, std::size_t offset, std::size_t characters) {
    offset = std::min(offset, paragraph.size());
    // Never start inside a character.
    while (offset < paragraph.size() && IsContinuation(paragraph[offset])) {
        ++offset;
    }
    std::string snippet;
    std::size_t count = 0;
    std::size_t lastSpace = std::string::npos;
    std::size_t i = offset;
    for (; i < paragraph.size() && count < characters; ++count) {
        const char c = paragraph[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!snippet.empty() && snippet.back() != ' ') {
                lastSpace = snippet.size();
                snippet += ' ';
            }
            ++i;
            continue;
        }
        do {
            snippet += paragraph[i++];
        } while (i < paragraph.size() && IsContinuation(paragraph[i]));
    }
    const bool cut = i < paragraph.size();
    // Cut at the last space when it keeps most of the snippet, so no word is broken.
    if (cut && lastSpace != std::string::npos && lastSpace * 2 >= snippet.size()) {
        snippet.resize(lastSpace);
    }
    while (!snippet.empty() && snippet.back() == ' ') {
        snippet.pop_back();
    }
    return cut ? snippet + "…" : snippet;
}
