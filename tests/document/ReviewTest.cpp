// The review: SM-2 against its published formulas, the schedule file under damage and
// two writers, which words are due, and marking many words at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "DocumentFixture.h"
#include "ReadFileBytes.h"
#include "ReviewDeck.h"
#include "ReviewFile.h"
#include "ReviewSchedule.h"

namespace {

struct Step {
    int grade;
    int easiness;  // hundredths
    int repetitions;
    int interval;
};

// Worked by hand from EF' = EF + (0.1 − (5 − q)(0.08 + (5 − q)·0.02)), EF ≥ 1.3,
// I(1) = 1, I(2) = 6, I(n) = I(n−1)·EF rounded up, and q < 3 starting again with EF kept.
struct Sequence {
    const char* name;
    std::vector<Step> steps;
};
const Sequence kSequences[] = {
    {"perfect", {{5, 260, 1, 1}, {5, 270, 2, 6}, {5, 280, 3, 17}, {5, 290, 4, 50}}},
    {"hesitant", {{4, 250, 1, 1}, {4, 250, 2, 6}, {4, 250, 3, 15}, {4, 250, 4, 38}}},
    {"hard", {{3, 236, 1, 1}, {3, 222, 2, 6}, {3, 208, 3, 13}, {3, 194, 4, 26}}},
    {"lapse keeps the easiness",
     {{5, 260, 1, 1}, {5, 270, 2, 6}, {1, 270, 0, 1}, {4, 270, 1, 1}, {4, 270, 2, 6}}},
    {"blackout first", {{0, 250, 0, 1}, {2, 250, 0, 1}, {5, 260, 1, 1}}},
    {"easiness floor",
     {{3, 236, 1, 1},
      {3, 222, 2, 6},
      {3, 208, 3, 13},
      {3, 194, 4, 26},
      {3, 180, 5, 47},
      {3, 166, 6, 79},
      {3, 152, 7, 121},
      {3, 138, 8, 167},
      {3, 130, 9, 218},
      {3, 130, 10, 284}}},
};

TEST(ReviewSchedule, FollowsTheSm2FormulasStepByStep) {
    for (const Sequence& sequence : kSequences) {
        ReviewCard card;
        int day = *DayNumber("2026-01-01");
        for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
            const Step& step = sequence.steps[i];
            card = AnswerCard(card, step.grade, IsoDate(day));
            const std::string where = std::string(sequence.name) + " step " + std::to_string(i);
            EXPECT_EQ(card.easiness, step.easiness) << where;
            EXPECT_EQ(card.repetitions, step.repetitions) << where;
            EXPECT_EQ(card.interval, step.interval) << where;
            EXPECT_EQ(card.due, IsoDate(day + step.interval)) << where;
            EXPECT_EQ(card.answers, static_cast<int>(i + 1)) << where;
            EXPECT_EQ(card.last, IsoDate(day)) << where;
            day += step.interval;  // answered on the day it is due
        }
    }
}

// The formulas once more in floating point, over many random answer sequences.
TEST(ReviewSchedule, AgreesWithAFloatingPointSm2OverRandomAnswers) {
    std::mt19937 random(28);
    std::uniform_int_distribution<int> grades(0, 5);
    for (int run = 0; run < 300; ++run) {
        ReviewCard card;
        double easiness = 2.5;
        int repetitions = 0;
        long interval = 0;
        for (int answer = 0; answer < 12; ++answer) {
            const int q = grades(random);
            card = AnswerCard(card, q, "2026-03-01");
            if (q >= 3) {
                easiness = std::max(1.3, easiness + (0.1 - (5 - q) * (0.08 + (5 - q) * 0.02)));
                ++repetitions;
                interval = repetitions == 1 ? 1
                           : repetitions == 2
                               ? 6
                               : static_cast<long>(std::ceil(interval * easiness - 1e-9));
                interval = std::min(interval, 36500L);
            } else {
                repetitions = 0;
                interval = 1;
            }
            ASSERT_NEAR(card.easiness / 100.0, easiness, 1e-9) << run << ":" << answer;
            ASSERT_EQ(card.repetitions, repetitions) << run << ":" << answer;
            ASSERT_EQ(card.interval, interval) << run << ":" << answer;
        }
    }
}

TEST(ReviewSchedule, RefusesGradesAndDatesThatAreNone) {
    const ReviewCard fresh;
    EXPECT_EQ(AnswerCard(fresh, 6, "2026-01-01"), fresh);
    EXPECT_EQ(AnswerCard(fresh, -1, "2026-01-01"), fresh);
    for (const char* date :
         {"", "2026-02-30", "2026-1-01", "20260101", "abcd-ef-gh", "2026-13-01"}) {
        EXPECT_FALSE(DayNumber(date).has_value()) << date;
        EXPECT_EQ(AnswerCard(fresh, 5, date), fresh) << date;
    }
    // Month and year ends, leap years.
    const std::pair<const char*, const char*> nextDays[] = {{"2024-02-28", "2024-02-29"},
                                                            {"2023-02-28", "2023-03-01"},
                                                            {"2026-12-31", "2027-01-01"},
                                                            {"2000-02-28", "2000-02-29"},
                                                            {"2100-02-28", "2100-03-01"}};
    for (const auto& [day, next] : nextDays) {
        EXPECT_EQ(IsoDate(*DayNumber(day) + 1), next) << day;
    }
}

TEST(ReviewSchedule, AWordIsReadyForTheKnownListAfterThreeWeeksOfKnowingIt) {
    ReviewCard card;
    card.repetitions = 3;
    card.interval = 17;
    EXPECT_FALSE(ReadyForKnownList(card));
    card.interval = 21;
    EXPECT_TRUE(ReadyForKnownList(card));
    card.repetitions = 2;
    card.interval = 40;
    EXPECT_FALSE(ReadyForKnownList(card));
    EXPECT_TRUE(IsDue(ReviewCard{}, "2026-01-01"));  // never answered
    card.due = "2026-01-02";
    EXPECT_FALSE(IsDue(card, "2026-01-01"));
    EXPECT_TRUE(IsDue(card, "2026-01-02"));
}

class ReviewFolder : public StartedDocument {
protected:
    std::string Folder() const { return m_doc.m_strPersonalDir; }
    std::string File() const { return *ReadFileBytes(ReviewPath(Folder())); }
};

TEST_F(ReviewFolder, DamagedLinesAreKeptAndGoodCardsStillCount) {
    const std::string damaged =
        "apple\t2.60\t1\t1\t2026-01-02\t1\t2026-01-01\n"
        "clock\t2.5\t1\t1\t2026-01-02\t1\t2026-01-01\n"  // easiness without two decimals
        "fact\t1.00\t1\t1\t2026-01-02\t1\t2026-01-01\n"  // below the rule's floor
        "book\t2.50\t-1\t1\t2026-01-02\t1\t2026-01-01\n"
        "don\t2.50\t1\t1\t2026-02-30\t1\t2026-01-01\n"
        "apple\t2.50\t0\t0\t\t0\t\n"  // a second line of a word
        "\xff\xfe binary \x01\n"
        "well\t2.50\t1\n"
        "\n";
    std::filesystem::create_directories(Folder());
    WriteFile(ReviewPath(Folder()), damaged);
    ReviewCards cards;
    ASSERT_TRUE(LoadReviewCards(Folder(), cards));
    ASSERT_EQ(cards.cards.size(), 1u);
    EXPECT_EQ(cards.cards.at("apple").easiness, 260);
    EXPECT_EQ(cards.otherLines.size(), 7u);

    ASSERT_EQ(RecordReviewAnswer(Folder(), "known", 5, "2026-01-03"), "");
    const std::string after = File();
    for (const std::string& line : cards.otherLines) {
        EXPECT_NE(after.find(line + "\n"), std::string::npos) << line;
    }
    EXPECT_NE(after.find("apple\t2.60\t1\t1\t2026-01-02\t1\t2026-01-01\n"), std::string::npos);
    EXPECT_NE(after.find("known\t2.60\t1\t1\t2026-01-04\t1\t2026-01-03\n"), std::string::npos);
    EXPECT_EQ(FormatReviewCards(ParseReviewCards(after)), after);
}

TEST_F(ReviewFolder, AScheduleThatCannotBeReadIsNeverWritten) {
    std::filesystem::create_directories(ReviewPath(Folder()));  // unreadable as a file
    ReviewCards cards;
    EXPECT_FALSE(LoadReviewCards(Folder(), cards));
    const std::string problem = RecordReviewAnswer(Folder(), "apple", 5, "2026-01-01");
    EXPECT_NE(problem.find("复习记录没有改动"), std::string::npos) << problem;
    EXPECT_TRUE(std::filesystem::is_directory(ReviewPath(Folder())));
}

TEST_F(ReviewFolder, TwoWindowsAnsweringAtOnceLoseNoAnswer) {
    constexpr int kWords = 30;
    pid_t children[2];
    for (int process = 0; process < 2; ++process) {
        children[process] = ::fork();
        if (children[process] == 0) {
            bool ok = true;
            for (int i = 0; i < kWords; ++i) {
                const std::string own = "w" + std::to_string(process * 100 + i);
                ok = RecordReviewAnswer(Folder(), own, 4, "2026-01-01").empty() && ok;
                ok = RecordReviewAnswer(Folder(), "shared", 4, "2026-01-01").empty() && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ReviewCards cards;
    ASSERT_TRUE(LoadReviewCards(Folder(), cards));
    EXPECT_EQ(cards.cards.size(), 2u * kWords + 1);
    EXPECT_EQ(cards.cards.at("shared").answers, 2 * kWords);
    EXPECT_EQ(cards.cards.at("shared").repetitions, 2 * kWords);
}

TEST(ReviewDeck, OneCardAWordOverdueFirstKnownWordsLeft) {
    WordBook book;
    book.entries = {{"apple", "苹果", "An apple.", "a.txt", "2026-01-01"},
                    {"clock", "钟", "A clock.", "a.txt", "2026-01-01"},
                    {"dog", "狗", "A dog.", "a.txt", "2026-01-01"},
                    {"fact", "事实", "A fact.", "a.txt", "2026-01-01"},
                    {"apple", "苹果", "Another apple.", "b.txt", "2026-01-05"},
                    {"book", "书", "A book.", "b.txt", "2026-01-05"}};
    ReviewCards cards;
    cards.cards["clock"] = {250, 1, 1, "2026-01-09", 1, "2026-01-08"};  // not yet
    cards.cards["fact"] = {250, 2, 6, "2026-01-07", 2, "2026-01-01"};   // overdue
    cards.cards["book"] = {280, 4, 30, "2026-01-08", 4, "2025-12-09"};  // due today, ready
    const IsKnownWord known = [](std::string_view word) { return word == "dog"; };
    const std::vector<ReviewItem> due = DueItems(book, cards, "2026-01-08", known);
    std::vector<std::string> words;
    for (const ReviewItem& item : due) {
        words.push_back(item.entry.word);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"fact", "book", "apple"}));
    EXPECT_EQ(due[2].entry.sentence, "Another apple.");  // its newest entry
    EXPECT_EQ(WordsReadyForKnownList(book, cards, known), std::vector<std::string>{"book"});
    EXPECT_EQ(NextDueDate(book, cards, "2026-01-08", known), "2026-01-09");
    EXPECT_TRUE(DueItems(book, cards, "2026-01-08", [](std::string_view) { return true; }).empty());
}

TEST_F(ReviewFolder, ManyWordsAreMarkedInOneChangeAndOneNotice) {
    m_doc.ReplaceText("An apple and a clock.");
    ASSERT_NE(Glossed().find("apple=苹果"), std::string::npos) << Glossed();
    m_view.m_hints.clear();
    m_doc.MarkWords({"apple", "clock", "not a word!"}, WordMark::Known);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Glosses});
    EXPECT_EQ(Glossed().find("apple="), std::string::npos) << Glossed();
    EXPECT_EQ(m_doc.Personal().Known().words, (std::set<std::string>{"apple", "clock"}));
    EXPECT_EQ(*ReadFileBytes(m_doc.Personal().KnownPath()), "apple\nclock\n");
    m_doc.MarkWords({"apple"}, WordMark::None);
    EXPECT_NE(Glossed().find("apple=苹果"), std::string::npos) << Glossed();
    EXPECT_EQ(m_doc.Personal().Known().words, std::set<std::string>{"clock"});
}

}  // namespace
