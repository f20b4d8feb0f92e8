#pragma once

#include <string>
#include <vector>

#include "CDicMain.h"
#include "CodePage.h"
#include "DictionaryFile.h"

struct TestEntry {
    std::string word;
    std::string gloss;  // UTF-8 here, GBK in the dictionary
    double frequency;
};

// A few entries around the default threshold 18.96670773: a word is glossed when
// the threshold is greater than its frequency.
inline const std::vector<TestEntry>& TestEntries() {
    static const std::vector<TestEntry> entries = {
        {"apple", "苹果", 12.5},  {"book", "书", 50.0},   {"clock", "钟", 2.0},
        {"don", "穿上", 1.0},     {"fact", "事实", 3.0},  {"known", "已知的", 5.0},
        {"well", "好", 500.0},    {"it", "它", 900.0},   {"s", "s", 0.0},
    };
    return entries;
}

inline void FillDictionary(CDicMain& dic, const std::vector<TestEntry>& entries = TestEntries()) {
    dic.DeleteAllItems();
    for (const TestEntry& entry : entries) {
        CDicItem item;
        item.m_strWord = entry.word;
        item.m_strGloss = *codepage::Utf8ToGbk(entry.gloss);
        item.m_dFrequency = entry.frequency;
        dic.m_arrItems.push_back(item);
    }
    dic.RebuildLookupIndex();
}

// Writes a main.dic holding TestEntries() to path.
inline bool WriteTestDictionary(const std::string& path) {
    CDicMain dic;
    FillDictionary(dic);
    return SaveDictionaryFile(dic, path).Ok();
}

inline std::string Gbk(const std::string& utf8) { return *codepage::Utf8ToGbk(utf8); }
