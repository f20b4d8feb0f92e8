// Scores are written as the shortest text that reads back to the same double.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "FrequencyText.h"

namespace {

TEST(FrequencyText, WrittenLikeTheDataTools) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {1.0, "1.0"},
        {12.5, "12.5"},
        {100.0, "100.0"},
        {1e16, "1e+16"},
        {1e15, "1000000000000000.0"},
        {123456789012345.6, "123456789012345.6"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {1.5e-05, "1.5e-05"},
        {111.360763, "111.360763"},
        {0.128595482, "0.128595482"},
        {1e22, "1e+22"},
        {2.5e-300, "2.5e-300"},
        {1.0 / 3.0, "0.3333333333333333"},
        {-7.25, "-7.25"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFrequency(c.value), c.text);
        EXPECT_EQ(ParseFrequency(c.text), c.value) << c.text;
    }
}

TEST(FrequencyText, RoundTripsRandomDoubles) {
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
        const double value =
            std::ldexp(static_cast<double>(random() >> 11), -60 + static_cast<int>(random() % 100));
        const auto back = ParseFrequency(FormatFrequency(value));
        ASSERT_TRUE(back.has_value());
        ASSERT_EQ(*back, value) << FormatFrequency(value);
    }
}

TEST(FrequencyText, ParseRefusesAnythingButOneNumber) {
    for (const char* text : {"", " 1", "1 ", "1.5x", "x", "1,5", "--1"}) {
        EXPECT_FALSE(ParseFrequency(text).has_value()) << text;
    }
}

}  // namespace
