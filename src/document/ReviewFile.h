#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ReviewSchedule.h"

// The review's schedule, review.tsv beside the word book: one card a line, fields
// word TAB easiness TAB repetitions TAB interval TAB due TAB answers TAB last, easiness
// with two decimals (2.50), dates YYYY-MM-DD. One card a word, whichever texts it was
// collected from. A line that is not such a card, or a second line of a word, is kept
// aside as it was and written back after the cards, so that rewriting the file never drops what a
// reader or another program put there.
struct ReviewCards {
    std::map<std::string, ReviewCard> cards;
    std::vector<std::string> otherLines;
};

ReviewCards ParseReviewCards(std::string_view bytes);
std::string FormatReviewCards(const ReviewCards& cards);

std::string ReviewPath(const std::string& folder);
// The folder's cards; a missing file is none. False when it cannot be read.
bool LoadReviewCards(const std::string& folder, ReviewCards& cards);
// Answers `word` (lower case) with `grade` on `today`, to the card the file holds now,
// under the folder's lock: another window's answers meanwhile are kept, and two
// windows answering the same word both count. `after` receives the card as saved.
// An empty answer when it was saved, else the message to show; the file is then
// unchanged, and nothing is written when it cannot be read.
std::string RecordReviewAnswer(const std::string& folder, std::string_view word, int grade,
                               std::string_view today, ReviewCard* after = nullptr);
