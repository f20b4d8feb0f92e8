#pragma once

#include <optional>
#include <string>
#include <string_view>

// When a collected word comes back for review, by SuperMemo's SM-2 rule (Woźniak,
// 1990): an easiness factor that starts at 2.5 and never falls below 1.3, intervals of
// 1 day, then 6, then the last one times the easiness, rounded up.
//
// The easiness is kept in hundredths: every change the rule makes to it is a multiple
// of 0.02, so whole numbers hold it exactly and two machines schedule alike.
struct ReviewCard {
    int easiness = 250;   // the E-Factor × 100
    int repetitions = 0;  // answers of 3 or more since the last failed one
    int interval = 0;     // days from the last answer to `due`
    std::string due;      // YYYY-MM-DD; empty: never answered, due now
    int answers = 0;      // every recorded answer, failed ones included
    std::string last;     // the date of the last recorded answer

    bool operator==(const ReviewCard&) const = default;
};

// The grades of the rule: 5 perfect, 4 correct after a hesitation, 3 correct with
// serious difficulty, 2 and 1 wrong but the answer looked familiar, 0 blackout.
constexpr int kMinGrade = 0;
constexpr int kMaxGrade = 5;
constexpr int kLowestPassingGrade = 3;

// The card after an answer of `grade` on `today` (YYYY-MM-DD). A passing grade changes
// the easiness by 0.1 − (5 − q)(0.08 + (5 − q)·0.02) and lengthens the interval with the
// new easiness; a failing one starts the repetitions again with the easiness kept.
// A grade outside 0…5 or a date that is not one leaves the card as it was.
ReviewCard AnswerCard(ReviewCard card, int grade, std::string_view today);

// Whether the card is to be reviewed on `today`.
bool IsDue(const ReviewCard& card, std::string_view today);

// Whether the reader has shown a word known long enough to leave the review for the
// known list: three passing answers in a row, the last giving three weeks or more.
constexpr int kRepetitionsToKnow = 3;
constexpr int kIntervalToKnow = 21;
bool ReadyForKnownList(const ReviewCard& card);

// Days since 1970-01-01 of a YYYY-MM-DD date, nullopt when it is none (2026-02-30).
std::optional<int> DayNumber(std::string_view iso);
// The date `days` after a day number, as YYYY-MM-DD.
std::string IsoDate(int dayNumber);
