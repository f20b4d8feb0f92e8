#include <gtest/gtest.h>

#include "TsvFile.h"

namespace {

TEST(TsvFile, SkipsCommentsAndEmptyLinesAndCountsLines) {
    const auto rows = ParseTsv("# header\n\nab\tc\r\n#x\ny\tz", 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 3u);
    EXPECT_EQ(rows[0].fields[0], "ab");
    EXPECT_EQ(rows[0].fields[1], "c");  // the CR of a CR LF line end is not data
    EXPECT_EQ(rows[1].line, 5u);
    EXPECT_EQ(rows[1].fields[1], "z");  // last line without a line end
}

TEST(TsvFile, WrongFieldCountNamesTheLine) {
    try {
        ParseTsv("a\tb\tc\nd\te\n", 3);
        FAIL() << "no error";
    } catch (const TsvError& e) {
        EXPECT_EQ(e.m_nLine, 2u);
        EXPECT_STREQ(e.what(), "line 2: expected 3 tab-separated fields, found 2");
    }
    EXPECT_THROW(ParseTsv("a\tb\tc\td\n", 3), TsvError);
    EXPECT_EQ(ParseTsv("a\t\t\n", 3)[0].fields[2], "");  // empty fields are fields
}

}  // namespace
