#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ReviewFile.h"
#include "WordBook.h"

// One word of the word book as the review shows it: its newest entry (the sentence
// the reader collected it in last) and its schedule.
struct ReviewItem {
    WordBookEntry entry;
    ReviewCard card;
};

// Whether the reader has marked a word known: such words are out of the review.
using IsKnownWord = std::function<bool(std::string_view lowerWord)>;

// The book's words due on `today`, one a word: those answered before, the longest
// overdue first, then those never answered, oldest collected first.
std::vector<ReviewItem> DueItems(const WordBook& book, const ReviewCards& cards,
                                 std::string_view today, const IsKnownWord& known);
// The book's words (not yet known) the reader has answered known often enough
// (ReadyForKnownList), in the book's order.
std::vector<std::string> WordsReadyForKnownList(const WordBook& book, const ReviewCards& cards,
                                                const IsKnownWord& known);
// The earliest due date after `today` among the book's words, empty when none.
std::string NextDueDate(const WordBook& book, const ReviewCards& cards, std::string_view today,
                        const IsKnownWord& known);
