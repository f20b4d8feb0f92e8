#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CDicMain.h"
#include "CodePage.h"
#include "DictionaryFile.h"
#include "FixtureWordLists.h"

// The one way tests build a dictionary from rows.
struct DictionaryRow {
    std::string word;
    std::string gloss;  // UTF-8 here, GBK in the dictionary
    double frequency;
};

inline std::string Gbk(const std::string& utf8) { return *codepage::Utf8ToGbk(utf8); }

// Replaces the dictionary's entries with rows, in order.
inline std::vector<CDicItem> DictionaryItems(const std::vector<DictionaryRow>& rows) {
    std::vector<CDicItem> items;
    for (const DictionaryRow& row : rows) {
        CDicItem item;
        item.m_strWord = row.word;
        item.m_strGloss = Gbk(row.gloss);
        item.m_dFrequency = row.frequency;
        items.push_back(item);
    }
    return items;
}

inline void FillDictionary(CDicMain& dic, const std::vector<DictionaryRow>& rows) {
    dic.ReplaceItems(DictionaryItems(rows));
}

// A dictionary of rows over the small fixture word lists.
inline std::unique_ptr<CDicMain> MakeDictionary(const std::vector<DictionaryRow>& rows) {
    auto dic = std::make_unique<CDicMain>(FixtureWordLists());
    FillDictionary(*dic, rows);
    return dic;
}

// A few entries around the default threshold 18.96670773: a word is glossed when
// the threshold is greater than its frequency.
inline const std::vector<DictionaryRow>& TestEntries() {
    static const std::vector<DictionaryRow> entries = {
        {"apple", "苹果", 12.5}, {"book", "书", 50.0},  {"clock", "钟", 2.0},
        {"don", "穿上", 1.0},    {"fact", "事实", 3.0}, {"known", "已知的", 5.0},
        {"well", "好", 500.0},   {"it", "它", 900.0},   {"s", "s", 0.0},
    };
    return entries;
}

inline void FillDictionary(CDicMain& dic) { FillDictionary(dic, TestEntries()); }

// Writes a main.dic holding TestEntries() to path.
inline bool WriteTestDictionary(const std::string& path) {
    CDicMain dic;
    FillDictionary(dic);
    return SaveDictionaryFile(dic, path).Ok();
}
