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
        {"only the leading mark is dropped",
         "a\xef\xbb\xbf"
         "b",
         "a\xef\xbb\xbf"
         "b"},
        {"UTF-16 LE with mark", "\xff\xfeH\0i\0\r\0\n\0"s, "Hi\r\n"},
        {"UTF-16 BE with mark", "\xfe\xff\0H\0i"s, "Hi"},
        {"UTF-16 LE beyond the BMP", "\xff\xfe=\xd8\0\xde"s, "\xf0\x9f\x98\x80"},
        {"UTF-16 U+0000 ends the text", "\xff\xfeH\0\0\0i\0"s, "H"},
        {"cut at the first NUL", "Hello\0world"s, "Hello"},
        {"UTF-16 LE without a mark", "H\0i\0!\0"s, "Hi!"},
        {"UTF-16 BE without a mark", "\0H\0i\0!"s, "Hi!"},
        {"UTF-16 LE without a mark, mostly Chinese", "\x60\x4f\x7d\x59 \0a\0b\0"s,
         "\xe4\xbd\xa0\xe5\xa5\xbd ab"},
        {"UTF-32 LE with mark", "\xff\xfe\0\0H\0\0\0i\0\0\0"s, "Hi"},
        {"UTF-32 BE with mark", "\0\0\xfe\xff\0\0\0H\0\0\0i"s, "Hi"},
        {"UTF-32 LE without a mark", "H\0\0\0i\0\0\0=\xf6\x01\0"s, "Hi\xf0\x9f\x98\xbd"},
        {"UTF-32 BE without a mark", "\0\0\0H\0\0\0i"s, "Hi"},
        {"UTF-32 beyond U+10FFFF", "\xff\xfe\0\0H\0\0\0\0\0\x11\0"s, "H\xef\xbf\xbd"},
        {"a lone NUL is no pattern", "Hello\0world"s, "Hello"},
        {"zeros everywhere are no pattern", "\0\0\0\0ab\0\0"s, ""},
        {"NUL first gives nothing", "\0abc"s, ""},
        {"Windows-1252 curly quotes", "\x93Well,\x94 he\x92s",
         "\xe2\x80\x9cWell,\xe2\x80\x9d he\xe2\x80\x99s"},
        {"Windows-1252 accent", "caf\xe9", "caf\xc3\xa9"},
        {"undefined Windows-1252 byte",
         "a\x81"
         "b",
         "a\xef\xbf\xbd"
         "b"},
        {"invalid UTF-8 after the NUL does not matter", "ok\0\x93"s, "ok"},
        // One bad byte in a UTF-8 book spoils only itself.
        {"UTF-8 with one stray byte", "don\xe2\x80\x99t \xe2\x80\x9cgo\xe2\x80\x9d\x93",
         "don\xe2\x80\x99t \xe2\x80\x9cgo\xe2\x80\x9d\xe2\x80\x9c"},
        // Long ASCII runs are skipped eight bytes at a time; what follows them still counts.
        {"ASCII runs around a sequence and a stray byte",
         "It was a dark and stormy night, abcdefg\xc3\xa9 and then some more words\x93",
         "It was a dark and stormy night, abcdefg\xc3\xa9 and then some more words\xe2\x80\x9c"},
        {"a long ASCII run before Windows-1252", "Sixteen bytes!!!\x93no\x94",
         "Sixteen bytes!!!\xe2\x80\x9cno\xe2\x80\x9d"},
        {"a cut sequence at the end", "caf\xc3\xa9 \xe2\x80", "caf\xc3\xa9 \xc3\xa2\xe2\x82\xac"},
        // Windows-1252 that happens to hold a valid pair is still Windows-1252.
        {"mostly invalid: all Windows-1252",
         "\x93"
         "a\x94 \xc3\xa9 \x92s \x85",
         "\xe2\x80\x9c"
         "a\xe2\x80\x9d \xc3\x83\xc2\xa9 \xe2\x80\x99s \xe2\x80\xa6"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToHex(TextDecoder::Decode(c.bytes)), ToHex(c.text));
    }
}

}  // namespace
