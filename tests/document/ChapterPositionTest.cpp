// Where a paragraph stands among its text's chapters, and the reader's pace.
#include <gtest/gtest.h>

#include "ChapterPosition.h"
#include "ReadingPace.h"

namespace {

// A part at paragraph 10 whose first chapter starts there too, chapters at 10, 40, 90.
const std::vector<BookChapter> kBook = {
    {"PART ONE", 10, 0}, {"I", 10, 1}, {"II", 40, 1}, {"III", 90, 1}};

TEST(ChapterPosition, ChapterNextAndPreviousAroundEachStart) {
    struct Case {
        std::size_t paragraph;
        std::optional<std::size_t> at, next, previous;
    };
    const Case cases[] = {
        {0, std::nullopt, 0, std::nullopt},  // before the first chapter
        {9, std::nullopt, 0, std::nullopt},
        {10, 1, 2, std::nullopt},  // a part and its first chapter: the chapter
        {11, 1, 2, 1},             // inside a chapter, back goes to its start
        {40, 2, 3, 1},             // at a start, back goes to the chapter before
        {41, 2, 3, 2},
        {90, 3, std::nullopt, 2},
        {5000, 3, std::nullopt, 3},  // past the end of a changed text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paragraph);
        EXPECT_EQ(ChapterAt(kBook, c.paragraph), c.at);
        EXPECT_EQ(NextChapter(kBook, c.paragraph), c.next);
        EXPECT_EQ(PreviousChapter(kBook, c.paragraph), c.previous);
    }
    EXPECT_EQ(ChapterAt({}, 3), std::nullopt);
    EXPECT_EQ(NextChapter({}, 3), std::nullopt);
}

TEST(ChapterPosition, AChapterEndsWhereALaterOneStarts) {
    EXPECT_EQ(ChapterEnd(kBook, 0, 120), 40u);  // the part's entry ends with its first chapter
    EXPECT_EQ(ChapterEnd(kBook, 1, 120), 40u);
    EXPECT_EQ(ChapterEnd(kBook, 3, 120), 120u);
    // A table of contents out of reading order still finds the nearest start.
    const std::vector<BookChapter> shuffled = {{"B", 50, 0}, {"A", 5, 0}, {"C", 80, 0}};
    EXPECT_EQ(ChapterAt(shuffled, 60), 0u);
    EXPECT_EQ(ChapterAt(shuffled, 20), 1u);
    EXPECT_EQ(ChapterEnd(shuffled, 1, 100), 50u);
}

TEST(ReadingPace, CountsReadingAndLeavesOutPausesJumpsAndGoingBack) {
    ReadingPace pace;
    std::int64_t now = 0;
    std::size_t token = 1000;
    // Half a page (100 tokens) every 30 seconds for a minute and a half: not enough yet.
    for (int i = 0; i < 3; ++i) {
        pace.Moved(now, token);
        now += 30000;
        token += 100;
    }
    EXPECT_EQ(pace.TokensPerMinute(), std::nullopt);
    EXPECT_EQ(pace.MinutesFor(1000), std::nullopt);
    // A jump to a chapter far on, a coffee break, a look back: none of it is reading.
    pace.Moved(now, token);  // 300 tokens in 90 s so far
    pace.Moved(now + 2000, token + 20000);
    now += 2000;
    token += 20000;
    pace.Moved(now + 600000, token + 100);
    now += 600000;
    token += 100;
    pace.Moved(now + 5000, token - 500);
    now += 5000;
    token -= 500;
    EXPECT_EQ(pace.ReadingMs(), 90000);
    EXPECT_EQ(pace.TokensRead(), 300u);
    // Two more half pages at the same pace: two and a half minutes, 500 tokens in all.
    for (int i = 0; i < 2; ++i) {
        now += 30000;
        token += 100;
        pace.Moved(now, token);
    }
    ASSERT_TRUE(pace.TokensPerMinute().has_value());
    EXPECT_DOUBLE_EQ(*pace.TokensPerMinute(), 200.0);
    EXPECT_EQ(pace.MinutesFor(1000), 5);
    EXPECT_EQ(pace.MinutesFor(1001), 6);  // rounded up
    // A new text keeps the pace but does not count the move into it.
    pace.Restart();
    pace.Moved(now + 1000, 5);
    EXPECT_EQ(pace.TokensRead(), 500u);
}

TEST(ReadingPace, DurationsForTheStatusBar) {
    EXPECT_EQ(DurationText(0), "不到 1 分钟");
    EXPECT_EQ(DurationText(1), "约 1 分钟");
    EXPECT_EQ(DurationText(59), "约 59 分钟");
    EXPECT_EQ(DurationText(60), "约 1 小时");
    EXPECT_EQ(DurationText(125), "约 2 小时 5 分钟");
}

}  // namespace
