#include "ReviewFile.h"

#include <charconv>
#include <filesystem>
#include <optional>

#include "LockedFileChange.h"
#include "PrivateFolder.h"
#include "TextLines.h"

namespace {

constexpr const char* kReviewName = "review.tsv";
constexpr std::size_t kFields = 7;

std::optional<int> Count(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// "2.50" as 250; nothing but a digit, a point and two digits, at least 1.30.
std::optional<int> Easiness(std::string_view text) {
    if (text.size() < 4 || text[text.size() - 3] != '.') {
        return std::nullopt;
    }
    const auto whole = Count(text.substr(0, text.size() - 3));
    const auto hundredths = Count(text.substr(text.size() - 2));
    if (!whole || !hundredths || *whole > 100) {
        return std::nullopt;
    }
    const int value = *whole * 100 + *hundredths;
    return value >= 130 ? std::optional<int>(value) : std::nullopt;
}

std::string EasinessText(int easiness) {
    const int hundredths = easiness % 100;
    return std::to_string(easiness / 100) + "." + (hundredths < 10 ? "0" : "") +
           std::to_string(hundredths);
}

bool IsDateOrEmpty(std::string_view text) { return text.empty() || DayNumber(text).has_value(); }

std::optional<std::pair<std::string, ReviewCard>> ParseCard(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() <= kFields) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    if (fields.size() != kFields || fields[0].empty()) {
        return std::nullopt;
    }
    ReviewCard card;
    const auto easiness = Easiness(fields[1]);
    const auto repetitions = Count(fields[2]);
    const auto interval = Count(fields[3]);
    const auto answers = Count(fields[5]);
    if (!easiness || !repetitions || !interval || !answers || !IsDateOrEmpty(fields[4]) ||
        !IsDateOrEmpty(fields[6])) {
        return std::nullopt;
    }
    card.easiness = *easiness;
    card.repetitions = *repetitions;
    card.interval = *interval;
    card.due = std::string(fields[4]);
    card.answers = *answers;
    card.last = std::string(fields[6]);
    return std::make_pair(std::string(fields[0]), card);
}

}  // namespace

ReviewCards ParseReviewCards(std::string_view bytes) {
    ReviewCards cards;
    ForEachTextLine(bytes, [&cards](std::string_view line) {
        if (line.empty()) {
            return;
        }
        auto card = ParseCard(line);
        if (!card || !cards.cards.emplace(std::move(*card)).second) {
            cards.otherLines.emplace_back(line);
        }
    });
    return cards;
}

std::string FormatReviewCards(const ReviewCards& cards) {
    // The cards first: a kept second line of a word must stay behind its card, or the
    // next read would take it for the card.
    std::string bytes;
    for (const auto& [word, card] : cards.cards) {
        bytes += word + "\t" + EasinessText(card.easiness) + "\t" +
                 std::to_string(card.repetitions) + "\t" + std::to_string(card.interval) + "\t" +
                 card.due + "\t" + std::to_string(card.answers) + "\t" + card.last + "\n";
    }
    for (const std::string& line : cards.otherLines) {
        bytes += line + "\n";
    }
    return bytes;
}

std::string ReviewPath(const std::string& folder) { return folder + "/" + kReviewName; }

bool LoadReviewCards(const std::string& folder, ReviewCards& cards) {
    cards = {};
    std::string problem;
    const std::optional<std::string> checked = OpenPrivateFolder(folder, false, &problem);
    if (!checked) {
        std::error_code error;
        // Nothing answered yet (no folder) is an empty schedule; a refused folder is not.
        return !folder.empty() && !std::filesystem::exists(folder, error) && !error;
    }
    const PrivateFile file = ReadPrivateFile(*checked, kReviewName);
    if (file.status == PrivateFile::Status::Failed) {
        return false;
    }
    cards = ParseReviewCards(file.bytes);
    return true;
}

std::string RecordReviewAnswer(const std::string& folder, std::string_view word, int grade,
                               std::string_view today, ReviewCard* after) {
    return ChangeLockedFile(folder, kReviewName, "复习记录", [&](std::string_view bytes) {
        ReviewCards cards = ParseReviewCards(bytes);
        ReviewCard& card = cards.cards[std::string(word)];
        card = AnswerCard(card, grade, today);
        if (after != nullptr) {
            *after = card;
        }
        return FormatReviewCards(cards);
    });
}
