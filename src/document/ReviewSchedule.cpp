#include "ReviewSchedule.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int kLowestEasiness = 130;
// A century: the product of many perfect answers would overflow, and no reader waits longer.
constexpr int kLongestInterval = 36500;

int Digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<int> DayNumber(std::string_view iso) {
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') {
        return std::nullopt;
    }
    const int year = Digits(iso.substr(0, 4));
    const int month = Digits(iso.substr(5, 2));
    const int day = Digits(iso.substr(8, 2));
    if (year < 0 || month < 0 || day < 0) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return static_cast<int>(std::chrono::sys_days(date).time_since_epoch().count());
}

std::string IsoDate(int dayNumber) {
    const std::chrono::year_month_day date{std::chrono::sys_days(std::chrono::days(dayNumber))};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

ReviewCard AnswerCard(ReviewCard card, int grade, std::string_view today) {
    const std::optional<int> day = DayNumber(today);
    if (grade < kMinGrade || grade > kMaxGrade || !day) {
        return card;
    }
    if (grade >= kLowestPassingGrade) {
        const int fromPerfect = kMaxGrade - grade;
        // 0.1 − (5 − q)(0.08 + (5 − q)·0.02), in hundredths.
        card.easiness =
            std::max(kLowestEasiness, card.easiness + 10 - fromPerfect * (8 + fromPerfect * 2));
        ++card.repetitions;
        if (card.repetitions == 1) {
            card.interval = 1;
        } else if (card.repetitions == 2) {
            card.interval = 6;
        } else {
            // I(n) = I(n−1) × EF, a fraction rounded up.
            card.interval = std::min(kLongestInterval, (card.interval * card.easiness + 99) / 100);
        }
    } else {
        // Learnt anew: I(1), I(2)… again, with the easiness it had.
        card.repetitions = 0;
        card.interval = 1;
    }
    ++card.answers;
    card.last = std::string(today);
    card.due = IsoDate(*day + card.interval);
    return card;
}

bool IsDue(const ReviewCard& card, std::string_view today) {
    const std::optional<int> due = DayNumber(card.due);
    const std::optional<int> now = DayNumber(today);
    return !due || !now || *due <= *now;
}

bool ReadyForKnownList(const ReviewCard& card) {
    return card.repetitions >= kRepetitionsToKnow && card.interval >= kIntervalToKnow;
}
