#include "LevelTestWords.h"

#include <algorithm>
#include <numeric>

#include "CDicMain.h"
#include "CodePage.h"

std::vector<RankedWord> FrequencyOrder(const CDicMain& dic) {
    const std::vector<CDicItem>& items = dic.m_arrItems;
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return items[a].m_dFrequency > items[b].m_dFrequency;
    });
    std::vector<RankedWord> words;
    words.reserve(order.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        const CDicItem& item = items[order[position]];
        words.push_back({item.m_strWord, static_cast<std::uint32_t>(position),
                         codepage::GbkToUtf8Lossy(item.m_strGloss)});
    }
    return words;
}

bool IsDictionaryWord(const CDicMain& dic, std::string_view text) {
    return dic.FindEntry(text) != nullptr || dic.FindReachedEntry(text).has_value();
}
