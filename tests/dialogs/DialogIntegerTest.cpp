#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "DialogInteger.h"

namespace {

struct ParseCase {
    std::string text;
    std::optional<int> expected;
};

const std::string k30Blanks(30, ' ');

const ParseCase kParseCases[] = {
    // Accepted, with blanks and tabs around the number.
    {"12 ", 12},
    {"  12  ", 12},
    {"\t12\t", 12},
    {" \t 7", 7},
    {"-3", -3},
    {"+5", 5},
    {"00012", 12},
    {"0", 0},
    {"  0  ", 0},
    {"000", 0},
    // Held at the 32-bit limits instead of wrapping.
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"99999999999", INT_MAX},
    {"-2147483648", INT_MIN},
    {"-2147483649", INT_MIN},
    {"-99999999999", INT_MIN},
    {"1234567890123456789012345678901", INT_MAX},
    // Refused: nothing typed, a zero that is not the digit 0, junk.
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"\t", std::nullopt},
    {"-0", std::nullopt},
    {"+0", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"abc", std::nullopt},
    {"12a", std::nullopt},
    {"a12", std::nullopt},
    {"1 2", std::nullopt},
    {"- 5", std::nullopt},
    {"+-5", std::nullopt},
    {"0x10", std::nullopt},
    {"1.5", std::nullopt},
    {"12\n", std::nullopt},
    {"\n12", std::nullopt},
    {"１２", std::nullopt},  // full-width digits are not a number
    // Only the first 31 characters count.
    {"1" + k30Blanks + "x", 1},
    {"7" + k30Blanks + "junkjunkj", 7},  // 40 characters
    {"1" + std::string(29, ' ') + "x", std::nullopt},
    {std::string(31, ' ') + "5", std::nullopt},
    {"-" + std::string(30, '0') + "5", std::nullopt},
    {"1" + std::string(29, ' ') + "中", std::nullopt},
    {"1" + k30Blanks + "中", 1},
};

TEST(DialogIntegerTest, ParsesLikeTheDialogField) {
    for (const ParseCase& c : kParseCases) {
        EXPECT_EQ(DialogInteger::Parse(c.text), c.expected) << "text: \"" << c.text << "\"";
    }
}

TEST(DialogIntegerTest, FormatsWhatParseReadsBack) {
    for (int value : {0, 1, -3, 2147483647, INT_MIN}) {
        const std::string text = DialogInteger::Format(value);
        EXPECT_EQ(DialogInteger::Parse(text), value) << text;
    }
    EXPECT_EQ(DialogInteger::Format(0), "0");
    EXPECT_EQ(DialogInteger::Format(-3), "-3");
    EXPECT_EQ(DialogInteger::Format(INT_MIN), "-2147483648");
}

}  // namespace
