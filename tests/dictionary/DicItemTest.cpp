// One entry: scrambling and the text line constructor.
#include <gtest/gtest.h>

#include <cmath>

#include "CDicItem.h"
#include "TestBytes.h"

namespace {

TEST(Scramble, WorkedExampleAndRanges) {
    EXPECT_EQ(ToHex(CDicItem::Scramble("abc")), "8E 06 9F 06 B0 06");
    EXPECT_EQ(CDicItem::Scramble(""), "");
    for (int b = 0; b <= 255; ++b) {
        const std::string pair = CDicItem::Scramble(std::string(1, static_cast<char>(b)));
        ASSERT_EQ(pair.size(), 2u);
        const int lo = static_cast<unsigned char>(pair[0]);
        const int hi = static_cast<unsigned char>(pair[1]);
        EXPECT_GE(lo, 6);
        EXPECT_LE(lo, 244);
        EXPECT_LE(hi, 17);
        EXPECT_EQ(hi == 0, b <= 13) << b;
        EXPECT_EQ(CDicItem::Unscramble(pair), std::string(1, static_cast<char>(b)));
    }
}

TEST(Scramble, UnscrambleOfOddLengthTakesMissingHighByteAsZero) {
    // 0x8E alone: (142 - 23) / 17 = 7.
    EXPECT_EQ(CDicItem::Unscramble(Hex("8E 06 8E")), std::string("a\x07"));
    // Below 23 the division truncates toward zero: (16 - 23) / 17 = 0, (6 - 23) / 17 = -1.
    EXPECT_EQ(CDicItem::Unscramble(Hex("10")), std::string(1, '\0'));
    EXPECT_EQ(CDicItem::Unscramble(Hex("06")), std::string(1, '\xFF'));
}

TEST(LineConstructor, FieldsAndFrequency) {
    struct Case {
        std::string line;
        std::string word;
        std::string gloss;
        double frequency;
    };
    const Case cases[] = {
        {"apple\t\xC6\xBB\xB9\xFB\t12.5", "apple", "\xC6\xBB\xB9\xFB", 12.5},
        {"apple\tgloss", "apple", "", 0.0},  // one tab: the text after it is no field
        {"a\tb\tc\td", "a", "b", 0.0},       // a third tab: the text after it is dropped
        {"no tab at all", "", "", 0.0},
        {"w\tg\t  \t", "w", "g", 0.0},
        // atof: leading blanks, the longest valid prefix, 0.0 when there is none.
        {"w\tg\t  3.25xyz", "w", "g", 3.25},
        {"w\tg\t-1e3", "w", "g", -1000.0},
        {"w\tg\t+.5", "w", "g", 0.5},
        {"w\tg\tabc", "w", "g", 0.0},
        {"w\tg\t", "w", "g", 0.0},
        {"w\tg\t0x10", "w", "g", 16.0},
        {"w\tg\t1,5", "w", "g", 1.0},  // a comma is never a decimal point
        {"\t\t7", "", "", 7.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CDicItem item(c.line);
        EXPECT_EQ(item.m_strWord, c.word);
        EXPECT_EQ(item.m_strGloss, c.gloss);
        EXPECT_EQ(item.m_dFrequency, c.frequency);
        EXPECT_EQ(item.m_nFlag, 1);
    }
}

TEST(LineConstructor, DefaultEntry) {
    const CDicItem item;
    EXPECT_EQ(item.m_strWord, "");
    EXPECT_EQ(item.m_strGloss, "");
    EXPECT_EQ(item.m_dFrequency, 0.0);
    EXPECT_EQ(item.m_nFlag, 1);
}

TEST(LineConstructor, AtofIgnoresTheUserLocale) {
    // The GUI toolkit adopts the user's locale; a German one would read "12.5" as 12.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale on this machine";
    }
    EXPECT_EQ(CDicItem("w\tg\t12.5").m_dFrequency, 12.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
