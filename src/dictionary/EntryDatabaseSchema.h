#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The layout of dictionary.sqlite, shared by its build-time generator and its reader.
// The format string changes whenever the tables do, so an older file is refused rather
// than misread.
inline constexpr const char* kEntryFormat = "vellumwise-entries-1";
inline constexpr std::string_view kEntryDatabaseFileName = "dictionary.sqlite";

// `lines` and `definitions` hold several lines joined by kEntryLineBreak; `forms` is
// ECDICT's exchange field (p:went/d:gone). Chinese search runs over `lines` through a
// trigram index, so any run of three characters or more is found inside a sense.
inline constexpr const char* kEntrySchema =
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "CREATE TABLE entry(id INTEGER PRIMARY KEY, word TEXT NOT NULL, folded TEXT NOT NULL,"
    " phonetic TEXT NOT NULL, lines TEXT NOT NULL, definitions TEXT NOT NULL, forms TEXT NOT NULL,"
    " tags TEXT NOT NULL, collins INTEGER NOT NULL, oxford INTEGER NOT NULL);"
    "CREATE INDEX entry_folded ON entry(folded);"
    "CREATE TABLE form(form TEXT NOT NULL, id INTEGER NOT NULL);"
    "CREATE INDEX form_form ON form(form);"
    "CREATE VIRTUAL TABLE entry_text USING fts5(lines, content='entry', content_rowid='id',"
    " tokenize='trigram');";

inline constexpr std::string_view kEntryLineBreak = " | ";

// Words are matched with ASCII letters folded to lower case; other bytes as they are.
inline std::string FoldEntryWord(std::string_view word) {
    std::string folded(word);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

// The code and form of each part of an exchange field ("p:went/d:gone"), in order.
inline std::vector<std::pair<char, std::string>> SplitForms(std::string_view forms) {
    std::vector<std::pair<char, std::string>> result;
    while (!forms.empty()) {
        const auto end = forms.find('/');
        const auto part = forms.substr(0, end);
        if (part.size() > 2 && part[1] == ':') {
            result.emplace_back(part[0], std::string(part.substr(2)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        forms.remove_prefix(end + 1);
    }
    return result;
}

// The text split at kEntryLineBreak, empty parts dropped.
inline std::vector<std::string> SplitEntryLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find(kEntryLineBreak);
        if (end != 0) {
            lines.emplace_back(text.substr(0, end));
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + kEntryLineBreak.size());
    }
    return lines;
}
