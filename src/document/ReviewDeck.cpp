#include "ReviewDeck.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Each word's newest entry, in the order the words were first collected.
std::vector<const WordBookEntry*> NewestEntries(const WordBook& book, const IsKnownWord& known) {
    std::vector<const WordBookEntry*> newest;
    std::unordered_map<std::string_view, std::size_t> at;
    for (const WordBookEntry& entry : book.entries) {
        if (known && known(entry.word)) {
            continue;
        }
        const auto [it, fresh] = at.emplace(entry.word, newest.size());
        if (fresh) {
            newest.push_back(&entry);
        } else {
            newest[it->second] = &entry;  // the book is oldest first
        }
    }
    return newest;
}

ReviewCard CardOf(const ReviewCards& cards, const std::string& word) {
    const auto it = cards.cards.find(word);
    return it == cards.cards.end() ? ReviewCard{} : it->second;
}

}  // namespace

std::vector<ReviewItem> DueItems(const WordBook& book, const ReviewCards& cards,
                                 std::string_view today, const IsKnownWord& known) {
    std::vector<ReviewItem> answered;
    std::vector<ReviewItem> fresh;
    for (const WordBookEntry* entry : NewestEntries(book, known)) {
        ReviewCard card = CardOf(cards, entry->word);
        if (!IsDue(card, today)) {
            continue;
        }
        (card.answers == 0 ? fresh : answered).push_back({*entry, std::move(card)});
    }
    // Dates as YYYY-MM-DD sort as text.
    std::stable_sort(
        answered.begin(), answered.end(),
        [](const ReviewItem& a, const ReviewItem& b) { return a.card.due < b.card.due; });
    answered.insert(answered.end(), std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
    return answered;
}

std::vector<std::string> WordsReadyForKnownList(const WordBook& book, const ReviewCards& cards,
                                                const IsKnownWord& known) {
    std::vector<std::string> words;
    for (const WordBookEntry* entry : NewestEntries(book, known)) {
        if (ReadyForKnownList(CardOf(cards, entry->word))) {
            words.push_back(entry->word);
        }
    }
    return words;
}

std::string NextDueDate(const WordBook& book, const ReviewCards& cards, std::string_view today,
                        const IsKnownWord& known) {
    std::string next;
    for (const WordBookEntry* entry : NewestEntries(book, known)) {
        const ReviewCard card = CardOf(cards, entry->word);
        if (!IsDue(card, today) && (next.empty() || card.due < next)) {
            next = card.due;
        }
    }
    return next;
}
