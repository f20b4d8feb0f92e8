#include "DictionaryTsv.h"

#include <stdexcept>
#include <vector>

#include "CDicMain.h"
#include "CodePage.h"
#include "FrequencyText.h"
#include "TsvFile.h"

std::string DictionaryToTsv(const CDicMain& dic) {
    std::string out;
    out.reserve(dic.m_arrItems.size() * 32);
    for (std::size_t i = 0; i < dic.m_arrItems.size(); ++i) {
        const CDicItem& item = dic.m_arrItems[i];
        std::size_t bad = 0;
        const auto gloss = codepage::GbkToUtf8(item.m_strGloss, &bad);
        if (!gloss) {
            throw std::runtime_error("entry " + std::to_string(i + 1) + " (\"" + item.m_strWord +
                                     "\"): the gloss is not valid GBK at byte " +
                                     std::to_string(bad));
        }
        out.append(item.m_strWord).append("\t").append(*gloss).append("\t");
        out.append(FormatFrequency(item.m_dFrequency)).append("\n");
    }
    return out;
}

void AppendEntriesFromTsv(CDicMain& dic, std::string_view tsv) {
    std::vector<CDicItem> entries;
    for (const TsvRow& row : ParseTsv(tsv, 3)) {
        const std::string_view word = row.fields[0];
        if (word.empty()) {
            throw TsvError(row.line, "the word is empty");
        }
        const auto frequency = ParseFrequency(row.fields[2]);
        if (!frequency) {
            throw TsvError(row.line, "\"" + std::string(word) + "\": the frequency \"" +
                                         std::string(row.fields[2]) + "\" is not a number");
        }
        std::size_t bad = 0;
        auto gloss = codepage::Utf8ToGbk(row.fields[1], &bad);
        if (!gloss) {
            throw TsvError(row.line, "\"" + std::string(word) +
                                         "\": the gloss has a character GBK cannot hold at byte " +
                                         std::to_string(bad));
        }
        CDicItem item;
        item.m_strWord = word;
        item.m_strGloss = std::move(*gloss);
        item.m_dFrequency = *frequency;
        entries.push_back(std::move(item));
    }
    for (CDicItem& item : entries) {
        dic.m_arrItems.push_back(std::move(item));
    }
    dic.RebuildLookupIndex();
}
