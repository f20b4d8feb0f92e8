#include "DictionaryTsv.h"

#include <stdexcept>
#include <vector>

#include "CDicMain.h"
#include "CodePage.h"
#include "DictionaryText.h"
#include "FrequencyText.h"

std::string DictionaryToTsv(const CDicMain& dic) {
    std::string out;
    out.reserve(dic.m_arrItems.size() * 32);
    for (std::size_t i = 0; i < dic.m_arrItems.size(); ++i) {
        const CDicItem& item = dic.m_arrItems[i];
        std::size_t bad = 0;
        const auto gloss = codepage::GbkToUtf8(item.m_strGloss, &bad);
        if (!gloss) {
            throw std::runtime_error(
                "entry " + std::to_string(i + 1) + " (\"" + QuoteForMessage(item.m_strWord) +
                "\"): the gloss is not valid GBK at byte " + std::to_string(bad));
        }
        out.append(item.m_strWord).append("\t").append(*gloss).append("\t");
        out.append(FormatFrequency(item.m_dFrequency)).append("\n");
    }
    return out;
}

void AppendEntriesFromTsv(CDicMain& dic, std::string_view tsv) {
    DictionaryText parsed = DictionaryText::Parse(tsv, DictionaryText::Reader::Tsv2Dic);
    if (!parsed.Ok()) {
        throw std::runtime_error(parsed.Problem());
    }
    dic.AppendItems(parsed.TakeItems());
}
