#include "EntrySearch.h"

#include <algorithm>
#include <limits>

#include "CDicMain.h"
#include "CodePage.h"
#include "EntryDatabaseSchema.h"

namespace {

bool IsLatinLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string Lower(std::string_view word) { return FoldEntryWord(word); }

// The headword main.dic's reductions reach from the word, "" when none.
std::string ReachedHeadword(const CDicMain& dic, std::string_view word) {
    if (const auto position = dic.FindReachedEntry(Lower(word))) {
        return dic.m_arrItems[*position].m_strWord;
    }
    return {};
}

}  // namespace

bool IsEnglishQuery(std::string_view query) {
    query = Trimmed(query);
    if (query.empty() || !IsLatinLetter(query.front())) {
        return false;
    }
    return std::all_of(query.begin(), query.end(), [](char c) {
        return IsLatinLetter(c) || c == '\'' || c == '-' || c == '.' || c == ' ';
    });
}

std::string ShortGloss(const CDicMain& dic, std::string_view word) {
    const std::string_view gloss =
        dic.TranslateView(Lower(word), std::numeric_limits<double>::infinity(), false, false);
    return codepage::GbkToUtf8Lossy(gloss);
}

EntrySearchResult SearchEntries(const CDicMain& dic, EntryDatabase& entries, std::string_view query,
                                std::size_t limit) {
    EntrySearchResult result;
    query = Trimmed(query);
    if (query.empty() || limit == 0) {
        return result;
    }
    auto add = [&result, limit](const std::string& word) {
        if (!word.empty() && result.words.size() < limit &&
            std::find(result.words.begin(), result.words.end(), word) == result.words.end()) {
            result.words.push_back(word);
        }
    };
    if (!IsEnglishQuery(query)) {
        for (const std::string& word : entries.SearchSenses(query, limit)) {
            add(word);
        }
        return result;
    }
    result.english = true;
    if (const auto entry = entries.Find(query)) {
        add(entry->word);
    }
    const std::string reached = ReachedHeadword(dic, query);
    if (!reached.empty()) {
        // The entries write the headword main.dic reaches, or list it as a form.
        const auto entry = entries.Find(reached);
        add(entry ? entry->word : reached);
    }
    for (const std::string& word : entries.WordsStartingWith(query, limit)) {
        add(word);
    }
    return result;
}

WordCardContent CardForWord(const CDicMain& dic, EntryDatabase& entries, std::string_view word) {
    const std::string asked(word);
    std::optional<FullEntry> entry = entries.Find(asked);
    if (!entry) {
        if (const std::string reached = ReachedHeadword(dic, asked); !reached.empty()) {
            entry = entries.Find(reached);
        }
    }
    WordCardContent card = ComposeWordCard(asked, ShortGloss(dic, asked), entry);
    card.occurrence = false;
    return card;
}
