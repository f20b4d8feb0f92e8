// Case folding of A-Z only: UTF-8 and other high bytes never change, so a word, a
// switch or a file name ending is matched the same under every locale.
#include <gtest/gtest.h>

#include "AsciiText.h"

namespace {

TEST(AsciiText, OnlyAsciiCapitalsFold) {
    EXPECT_EQ(LowerAscii("Caf\xC3\x89 ZEBRA-@[`{ \xFF"), "caf\xC3\x89 zebra-@[`{ \xFF");
    EXPECT_EQ(LowerAscii(std::string_view()), "");
    struct Case {
        std::string_view a, b;
        bool equal;
    };
    const Case cases[] = {
        {"Unregister", "UNREGISTER", true},
        {".EPUB", ".epub", true},
        {"", "", true},
        {"abc", "ab", false},
        {"\xC3\x89", "\xC3\xA9", false},  // É and é: not ASCII, not folded
        {"@", "`", false},                // 0x40 and 0x60 differ by the case bit only
        {"[", "{", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(EqualsIgnoringAsciiCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

}  // namespace
