// Build-time generator: turns data/entries.tsv (UTF-8) into dictionary.sqlite, the whole
// entries the word card and `vellumwise-tool define` read.
//   vellumwise-entrydb-gen ENTRIES.tsv OUT.sqlite
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "../EntryDatabaseSchema.h"
#include "../TsvFile.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot read");
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string what = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(std::string(sql).substr(0, 60) + ": " + what);
    }
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db));
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Text(int index, std::string_view text) {
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Integer(int index, long long value) {
        sqlite3_bind_int64(m_statement, index, value);
        return *this;
    }
    void Run(sqlite3* db) {
        if (sqlite3_step(m_statement) != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db));
        }
        sqlite3_reset(m_statement);
    }

private:
    sqlite3_stmt* m_statement = nullptr;
};

long long Number(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

void Build(const std::string& source, const std::string& target) {
    const std::string text = ReadFile(source);
    const auto rows = ParseTsv(text, 8);
    std::remove(target.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(target.c_str(), &db) != SQLITE_OK) {
        throw std::runtime_error(target + ": cannot create");
    }
    try {
        Execute(db, "PRAGMA journal_mode=OFF");
        Execute(db, "PRAGMA page_size=4096");
        Execute(db, kEntrySchema);
        Execute(db, "BEGIN");
        Statement meta(db, "INSERT INTO meta(key, value) VALUES(?, ?)");
        meta.Text(1, "format").Text(2, kEntryFormat).Run(db);
        Statement entry(
            db,
            "INSERT INTO entry(id, word, folded, phonetic, lines, definitions, forms, tags, "
            "collins, oxford) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        Statement form(db, "INSERT INTO form(form, id) VALUES(?, ?)");
        long long id = 0;
        for (const auto& row : rows) {
            ++id;
            const auto& f = row.fields;
            entry.Integer(1, id)
                .Text(2, f[0])
                .Text(3, FoldEntryWord(f[0]))
                .Text(4, f[1])
                .Text(5, f[2]);
            entry.Text(6, f[3])
                .Text(7, f[4])
                .Text(8, f[5])
                .Integer(9, Number(f[6]))
                .Integer(10, Number(f[7]));
            entry.Run(db);
            for (const auto& item : SplitForms(f[4])) {
                form.Text(1, FoldEntryWord(item.second)).Integer(2, id).Run(db);
            }
        }
        Execute(db, "INSERT INTO entry_text(entry_text) VALUES('rebuild')");
        Execute(db, "INSERT INTO entry_text(entry_text) VALUES('optimize')");
        Execute(db, "COMMIT");
        Execute(db, "VACUUM");
    } catch (...) {
        sqlite3_close(db);
        std::remove(target.c_str());
        throw;
    }
    sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vellumwise-entrydb-gen ENTRIES.tsv OUT.sqlite\n";
        return 2;
    }
    try {
        Build(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "vellumwise-entrydb-gen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
