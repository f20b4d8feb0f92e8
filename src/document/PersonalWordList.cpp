#include "PersonalWordList.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "AsciiText.h"
#include "LowerCaseWord.h"
#include "TextLines.h"
#include "WordBook.h"

namespace {

constexpr std::size_t kLongestWord = 64;

template <typename Take>
void ForEachLine(std::string_view bytes, Take take) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    ForEachTextLine(bytes, take);
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The first field of a CSV line, its quotes undone; a field that runs on past the
// line (a quoted newline) is cut at the line end, which leaves no word anyway.
std::string FirstCsvField(std::string_view line) {
    line = Trim(line);
    if (!line.starts_with('"')) {
        return std::string(line.substr(0, line.find(',')));
    }
    std::string field;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
                continue;
            }
            break;
        }
        field += line[i];
    }
    return field;
}

}  // namespace

std::optional<std::string> ListWordOf(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.size() > kLongestWord) {
        return std::nullopt;
    }
    std::string word = LowerAscii(line);
    if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return std::nullopt;
    }
    return word;
}

WordListText ParseWordList(std::string_view bytes) {
    WordListText list;
    ForEachLine(bytes, [&](std::string_view line) {
        if (Trim(line).empty()) {
            return;
        }
        if (auto word = ListWordOf(line)) {
            // Our own saves are sorted: the hint makes each insert constant time.
            list.words.insert(list.words.end(), std::move(*word));
        } else {
            list.skippedLines.emplace_back(line);
        }
    });
    return list;
}

std::string FormatWordList(const WordListText& list) {
    std::string bytes;
    for (const std::string& word : list.words) {
        bytes.append(word).push_back('\n');
    }
    for (const std::string& line : list.skippedLines) {
        bytes.append(line).push_back('\n');
    }
    return bytes;
}

ImportedWords ParseImportList(std::string_view bytes) {
    ImportedWords imported;
    std::unordered_set<std::string> seen;
    bool first = true;
    ForEachLine(bytes, [&](std::string_view line) {
        if (Trim(line).empty()) {
            return;
        }
        if (std::exchange(first, false) && IsWordBookCsvHeader(line)) {
            imported.headerSkipped = true;
            return;
        }
        auto word = ListWordOf(FirstCsvField(line));
        if (!word) {
            ++imported.skipped;
            return;
        }
        ++imported.rows;
        if (seen.insert(*word).second) {
            imported.words.push_back(std::move(*word));
        }
    });
    return imported;
}
