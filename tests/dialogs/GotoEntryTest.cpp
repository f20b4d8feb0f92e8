#include <gtest/gtest.h>

#include <string>

#include "GotoEntry.h"

namespace {

TEST(GotoEntry, PagesAndPercentagesAsTheReaderTypesThem) {
    struct Case {
        std::string text;
        std::optional<GotoEntry> expected;
    };
    const Case cases[] = {
        {" 12 ", GotoEntry{12, std::nullopt}},
        {"0", GotoEntry{0, std::nullopt}},
        {"50%", GotoEntry{0, 50.0}},
        {" 12.5 % ", GotoEntry{0, 12.5}},
        {"0%", GotoEntry{0, 0.0}},
        {"250%", GotoEntry{0, 100.0}},  // held at the end
        // A Chinese input method's full-width digits and sign.
        {"５０％", GotoEntry{0, 50.0}},
        {"１２", GotoEntry{12, std::nullopt}},
        {"12a", std::nullopt},
        {"%", std::nullopt},
        {"-5%", std::nullopt},
        {"5%%", std::nullopt},
        {"1e2%", std::nullopt},
        {"nan%", std::nullopt},
        {"inf%", std::nullopt},
        {"", std::nullopt},
        {std::string(10000, '9') + "%", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseGotoEntry(c.text), c.expected) << c.text.substr(0, 40);
    }
}

}  // namespace
