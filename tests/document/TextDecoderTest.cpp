// What the text of a file or of the clipboard becomes before it is split.
#include <gtest/gtest.h>

#include <string>

#include "TestBytes.h"
#include "TextDecoder.h"

namespace {

using namespace std::string_literals;

TEST(TextDecoder, DecodesToUtf8) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"UTF-8 passes unchanged", "caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d",
         "caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d"},
        {"UTF-8 byte-order mark dropped", "\xef\xbb\xbfHello", "Hello"},
        {"only the leading mark is dropped", "a\xef\xbb\xbf" "b", "a\xef\xbb\xbf" "b"},
        {"UTF-16 LE with mark", "\xff\xfeH\0i\0\r\0\n\0"s, "Hi\r\n"},
        {"UTF-16 BE with mark", "\xfe\xff\0H\0i"s, "Hi"},
        {"UTF-16 LE beyond the BMP", "\xff\xfe=\xd8\0\xde"s, "\xf0\x9f\x98\x80"},
        {"UTF-16 U+0000 ends the text", "\xff\xfeH\0\0\0i\0"s, "H"},
        {"cut at the first NUL", "Hello\0world"s, "Hello"},
        {"UTF-16 LE without a mark is cut", "H\0i\0"s, "H"},
        {"NUL first gives nothing", "\0abc"s, ""},
        {"Windows-1252 curly quotes", "\x93Well,\x94 he\x92s", "\xe2\x80\x9cWell,\xe2\x80\x9d he\xe2\x80\x99s"},
        {"Windows-1252 accent", "caf\xe9", "caf\xc3\xa9"},
        {"undefined Windows-1252 byte", "a\x81" "b", "a\xef\xbf\xbd" "b"},
        {"invalid UTF-8 after the NUL does not matter", "ok\0\x93"s, "ok"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToHex(TextDecoder::Decode(c.bytes)), ToHex(c.text));
    }
}

}  // namespace
