#include "EntryDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>

#include "CodePage.h"
#include "EntryDatabaseSchema.h"

namespace {

// A file shorter than this cannot hold the tables; SQLite's own header is 100 bytes.
constexpr long long kSmallestDatabase = 4096;

// The file name as a URI path: `immutable` tells SQLite that nothing else writes the
// file, so it creates no journal or lock files beside it and never writes it.
std::string ReadOnlyUri(const std::string& path) {
    std::string uri = "file:";
    static const char* kHex = "0123456789ABCDEF";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x21 || c >= 0x7F) {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?mode=ro&immutable=1";
}

class Query {
public:
    Query(sqlite3* db, const char* sql) {
        m_ok = sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) == SQLITE_OK;
    }
    ~Query() { sqlite3_finalize(m_statement); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Text(int index, std::string_view text) {
        if (m_ok) {
            m_ok = sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT) == SQLITE_OK;
        }
        return *this;
    }
    Query& Integer(int index, long long value) {
        if (m_ok) {
            m_ok = sqlite3_bind_int64(m_statement, index, value) == SQLITE_OK;
        }
        return *this;
    }
    // True for each row; false at the end or on an error (then Failed()).
    bool Next() {
        if (!m_ok) {
            return false;
        }
        const int result = sqlite3_step(m_statement);
        if (result == SQLITE_ROW) {
            return true;
        }
        m_ok = result == SQLITE_DONE;
        return false;
    }
    bool Failed() const { return !m_ok; }
    std::string Column(int index) const {
        const auto* text = sqlite3_column_text(m_statement, index);
        const int size = sqlite3_column_bytes(m_statement, index);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(size))
                    : "";
    }
    long long Number(int index) const { return sqlite3_column_int64(m_statement, index); }

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_ok = false;
};

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

// The text as one FTS5 string: inside double quotes every character is literal, a
// double quote written twice.
std::string Phrase(std::string_view text) {
    std::string phrase = "\"";
    for (char c : text) {
        phrase += c;
        if (c == '"') {
            phrase += '"';
        }
    }
    return phrase + '"';
}

std::vector<std::string> SplitTags(std::string_view text) {
    std::vector<std::string> tags;
    while (!text.empty()) {
        const auto end = text.find(' ');
        if (end != 0) {
            tags.emplace_back(text.substr(0, end));
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return tags;
}

}  // namespace

std::string_view FormName(char code) {
    switch (code) {
        case 'p':
            return "过去式";
        case 'd':
            return "过去分词";
        case 'i':
            return "现在分词";
        case '3':
            return "第三人称单数";
        case 's':
            return "复数";
        case 'r':
            return "比较级";
        case 't':
            return "最高级";
        default:
            return "";
    }
}

std::string_view TagName(std::string_view tag) {
    static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
        {"zk", "中考"}, {"gk", "高考"},    {"cet4", "四级"},  {"cet6", "六级"},
        {"ky", "考研"}, {"toefl", "托福"}, {"ielts", "雅思"}, {"gre", "GRE"},
    };
    for (const auto& [code, name] : kNames) {
        if (code == tag) {
            return name;
        }
    }
    return "";
}

EntryDatabase::EntryDatabase(std::string path) : m_path(std::move(path)) {}

EntryDatabase::~EntryDatabase() {
    if (m_db) {
        sqlite3_close_v2(m_db);
    }
}

bool EntryDatabase::Available() {
    if (!m_tried) {
        m_tried = true;
        Open();
    }
    return m_db != nullptr;
}

void EntryDatabase::Fail(std::string problem) {
    if (m_db) {
        // A check may fail while its statement is still open: close_v2 lets the
        // connection go once that statement is finalized, where close would refuse
        // and leave it allocated.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    // SQLite's messages quote names from the file itself, which may be any bytes.
    m_problem = codepage::ValidUtf8(problem);
}

bool EntryDatabase::Open() {
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0) {
        Fail(m_path + ": " + std::strerror(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(m_path + ": not a regular file");
        return false;
    }
    if (info.st_size < kSmallestDatabase) {
        Fail(m_path + ": too short to be the dictionary");
        return false;
    }
    const std::string uri = ReadOnlyUri(m_path);
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(uri.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        Fail(m_path + ": " + (m_db ? sqlite3_errmsg(m_db) : "cannot open"));
        return false;
    }
    // A file whose size is not the sum of its pages was cut short: its last pages, and the
    // rows in them, are gone.
    Query pages(m_db, "PRAGMA page_count");
    Query pageSize(m_db, "PRAGMA page_size");
    if (!pages.Next() || !pageSize.Next() || pages.Number(0) * pageSize.Number(0) != info.st_size) {
        Fail(m_path + ": not a whole dictionary database");
        return false;
    }
    Query format(m_db, "SELECT value FROM meta WHERE key = 'format'");
    if (!format.Next() || format.Column(0) != kEntryFormat) {
        Fail(m_path + ": not a dictionary database of this version");
        return false;
    }
    return true;
}

std::optional<FullEntry> EntryDatabase::EntryById(long long id) {
    Query query(m_db,
                "SELECT word, phonetic, lines, definitions, forms, tags, collins, oxford FROM "
                "entry WHERE id = ?");
    query.Integer(1, id);
    if (!query.Next()) {
        if (query.Failed()) {
            Fail(m_path + ": " + sqlite3_errmsg(m_db));
        }
        return std::nullopt;
    }
    FullEntry entry;
    entry.word = query.Column(0);
    entry.phonetic = query.Column(1);
    for (auto& line : SplitEntryLines(query.Column(2))) {
        // The senses hold no space, so one space ends the label (n., vt., [计]).
        const auto space = line.find(' ');
        if (space == std::string::npos) {
            entry.lines.push_back({"", line});
        } else {
            entry.lines.push_back({line.substr(0, space), line.substr(space + 1)});
        }
    }
    entry.definitions = SplitEntryLines(query.Column(3));
    entry.forms = SplitForms(query.Column(4));
    entry.tags = SplitTags(query.Column(5));
    entry.collins = static_cast<int>(query.Number(6));
    entry.oxford = query.Number(7) != 0;
    return entry;
}

std::optional<FullEntry> EntryDatabase::Find(std::string_view word) {
    if (word.empty() || !Available()) {
        return std::nullopt;
    }
    const std::string folded = FoldEntryWord(word);
    // The headword written as asked wins over one that differs only in case (May, may).
    Query headword(m_db,
                   "SELECT id FROM entry WHERE folded = ?1 ORDER BY word = ?2 DESC, id LIMIT 1");
    headword.Text(1, folded).Text(2, word);
    Query form(m_db, "SELECT id FROM form WHERE form = ? ORDER BY id LIMIT 1");
    form.Text(1, folded);
    for (Query* query : {&headword, &form}) {
        if (query->Next()) {
            return EntryById(query->Number(0));
        }
        if (query->Failed()) {
            Fail(m_path + ": " + sqlite3_errmsg(m_db));
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<std::string> EntryDatabase::SearchSenses(std::string_view text, std::size_t limit) {
    std::vector<std::string> words;
    // No sense holds a NUL, and the full-text parser would stop at one.
    if (text.empty() || limit == 0 || text.find('\0') != std::string_view::npos || !Available()) {
        return words;
    }
    // The trigram index finds runs of three characters or more; shorter ones are looked
    // for row by row, which over the whole table still takes a few milliseconds.
    const bool indexed = CodePoints(text) >= 3;
    // An entry that has the text as one whole sense (书 in "书，书籍") comes before one
    // that only holds it inside a sense (书包): senses hold no blank, so with the breaks
    // between senses, labels and lines made blanks a whole sense is " text ".
    const char* sql =
        indexed ? "SELECT e.word FROM entry_text JOIN entry e ON e.id = entry_text.rowid "
                  "WHERE entry_text MATCH ?1 ORDER BY instr(replace(replace(' ' || e.lines || "
                  "' ', '，', ' '), '；', ' '), ' ' || ?3 || ' ') = 0, e.collins DESC, "
                  "e.oxford DESC, length(e.word), e.word LIMIT ?2"
                : "SELECT word FROM entry WHERE instr(lines, ?1) > 0 ORDER BY "
                  "instr(replace(replace(' ' || lines || ' ', '，', ' '), '；', ' '), ' ' || ?3 "
                  "|| ' ') = 0, collins DESC, oxford DESC, length(word), word LIMIT ?2";
    Query query(m_db, sql);
    query.Text(1, indexed ? Phrase(text) : std::string(text))
        .Integer(2, static_cast<long long>(limit))
        .Text(3, text);
    while (query.Next()) {
        words.push_back(query.Column(0));
    }
    if (query.Failed()) {
        Fail(m_path + ": " + sqlite3_errmsg(m_db));
        words.clear();
    }
    return words;
}

std::vector<std::string> EntryDatabase::WordsStartingWith(std::string_view prefix,
                                                          std::size_t limit) {
    std::vector<std::string> words;
    if (prefix.empty() || limit == 0 || !Available()) {
        return words;
    }
    const std::string low = FoldEntryWord(prefix);
    std::string high = low;
    high += '\xFF';
    Query query(
        m_db,
        "SELECT word FROM entry WHERE folded >= ? AND folded < ? ORDER BY folded, word LIMIT ?");
    query.Text(1, low).Text(2, high).Integer(3, static_cast<long long>(limit));
    while (query.Next()) {
        words.push_back(query.Column(0));
    }
    if (query.Failed()) {
        Fail(m_path + ": " + sqlite3_errmsg(m_db));
        words.clear();
    }
    return words;
}
