#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

// One line of an entry's senses: its label (n., vt., [计]) and the senses.
struct SenseLine {
    std::string label;
    std::string senses;
};

// A word's whole dictionary entry, as the word card and `vellumwise-tool define` show it.
struct FullEntry {
    std::string word;
    std::string phonetic;
    std::vector<SenseLine> lines;
    std::vector<std::string> definitions;
    std::vector<std::pair<char, std::string>> forms;  // ECDICT's codes: p d i 3 s r t
    std::vector<std::string> tags;                    // zk gk cet4 cet6 ky toefl ielts gre
    int collins = 0;
    bool oxford = false;
};

// The Chinese name of a form code (p: 过去式) or an exam tag (cet4: 四级); "" when unknown.
std::string_view FormName(char code);
std::string_view TagName(std::string_view tag);

// dictionary.sqlite, opened read-only on the first question and never written: start-up does
// not wait for it, and a file that is missing, no regular file, not a database of this
// format or damaged anywhere makes it unavailable (Problem() says why) rather than
// failing the caller. Every search string is bound as text, never read as query syntax.
class EntryDatabase {
public:
    explicit EntryDatabase(std::string path);
    ~EntryDatabase();
    EntryDatabase(const EntryDatabase&) = delete;
    EntryDatabase& operator=(const EntryDatabase&) = delete;

    // The entry whose headword is `word` (ASCII case folded), else the entry that lists
    // `word` among its forms (went: go).
    std::optional<FullEntry> Find(std::string_view word);
    // Headwords whose senses hold `text`, best known first, at most `limit`.
    std::vector<std::string> SearchSenses(std::string_view text, std::size_t limit);
    // Headwords beginning with `prefix` (ASCII case folded), alphabetical, at most `limit`.
    std::vector<std::string> WordsStartingWith(std::string_view prefix, std::size_t limit);

    // False once opening or a question failed; opens the file if it was not yet tried.
    bool Available();
    bool Opened() const { return m_tried; }
    const std::string& Problem() const { return m_problem; }
    const std::string& Path() const { return m_path; }

private:
    bool Open();
    void Fail(std::string problem);
    std::optional<FullEntry> EntryById(long long id);

    std::string m_path;
    sqlite3* m_db = nullptr;
    bool m_tried = false;
    std::string m_problem;
};
