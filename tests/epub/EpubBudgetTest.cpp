// Books made to exhaust the reader: entities that multiply, markup that makes a tree
// many times its size, tables of contents without end, names that are not UTF-8. Each
// is read or refused without the parser holding more than its budget. (How long they
// take and how much memory: bench/HostileEpubBench.cpp.)
#include <gtest/gtest.h>

#include "CodePage.h"
#include "EpubBook.h"
#include "EpubWriter.h"
#include "HostileBooks.h"
#include "Markup.h"

namespace {

// A zip whose member "../QQ.xhtml" is renamed "../\xFF\xFE.xhtml" in its bytes: libzip
// writes no name that is not UTF-8, but makers of books do.
std::string ZipWithNonUtf8Name() {
    std::string zip = MakeZip({{"mimetype", "application/epub+zip", true}, {"../QQ.xhtml", "x"}});
    for (std::size_t at = 0; (at = zip.find("../QQ", at)) != std::string::npos; at += 5) {
        zip.replace(at + 3, 2, "\xFF\xFE");
    }
    return zip;
}

TEST(EpubBudget, InternalSubsetsAreIgnoredSoEntitiesNeverMultiply) {
    const EpubResult result = ReadEpub(EntityBombBook(3 << 20));
    ASSERT_TRUE(result.Ok()) << result.reason;
    std::size_t text = 0;
    for (const std::string& paragraph : result.book->paragraphs) {
        text += paragraph.size();
        EXPECT_EQ(paragraph.find("laugh"), std::string::npos) << paragraph.substr(0, 80);
    }
    EXPECT_LT(text, 1000u);
    for (const BookChapter& chapter : result.book->chapters) {
        EXPECT_EQ(chapter.title.find("laugh"), std::string::npos);
    }
}

TEST(EpubBudget, InternalSubsetsAreCutAndNothingElse) {
    struct Case {
        std::string in;
        std::string out;  // empty: unchanged
    } cases[] = {
        {"<?xml version=\"1.0\"?><!DOCTYPE html><html/>", ""},
        {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\"><html/>", ""},
        {"<!DOCTYPE x [<!ENTITY a \"b\">]><x>&a;</x>", "<!DOCTYPE x  ><x>&a;</x>"},
        {"<!doctype x [ <!ENTITY a \"]\"> ] ><x/>", "<!doctype x   ><x/>"},
        // What is left of a subset cut early is outside any DTD: it declares nothing.
        {"<!DOCTYPE x [<!ENTITY a \"]>\">]><x/>", "<!DOCTYPE x  >\">]><x/>"},
        {"<!DOCTYPE x [<!ENTITY a \"b\">", "<!DOCTYPE x  >"},  // never closed
        {"<!DOC[]>TYPE x [<!ENTITY a \"b\">]>", ""},
        {"<!DOCTYPE a [ ]><!DOCTYPE b [<!ENTITY c \"d\">]>", "<!DOCTYPE a  ><!DOCTYPE b  >"},
    };
    for (const Case& c : cases) {
        std::string out;
        const bool changed = WithoutInternalSubset(c.in, out);
        EXPECT_EQ(changed, !c.out.empty()) << c.in;
        if (changed) {
            EXPECT_EQ(out, c.out) << c.in;
        }
    }
}

TEST(EpubBudget, MarkupWhoseTreeWouldPassTheBudgetIsRefused) {
    // Three million elements: 24 MB inflated, within 20 times the 3 MB archive, but a
    // tree of several hundred megabytes.
    const EpubResult result = ReadEpub(DenseMarkupBook(3 << 20, 3'000'000));
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.fault, EpubFault::TooLarge);
    EXPECT_NE(result.reason.find("内存上限"), std::string::npos) << result.reason;
    // The same markup in a measure real books have reads.
    const EpubResult modest = ReadEpub(DenseMarkupBook(1 << 20, 50'000));
    EXPECT_TRUE(modest.Ok()) << modest.reason;
}

TEST(EpubBudget, TheTableOfContentsAndItsTitlesAreCapped) {
    const EpubResult result = ReadEpub(LongTocBook(kMaxChapters + 2000, 1000));
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.book->chapters.size(), kMaxChapters);
    const std::string& title = result.book->chapters.front().title;
    EXPECT_LE(title.size(), kMaxTitleBytes);
    EXPECT_TRUE(title.ends_with("…"));
    EXPECT_TRUE(codepage::IsValidUtf8(title));
}

TEST(EpubBudget, MessagesSayWhatHappenedInValidUtf8) {
    const std::string book = EpubWriter().Chapter("one.xhtml", "<p>The apple fell.</p>").Bytes();
    struct Case {
        const char* what;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"a download cut short", book.substr(0, book.size() / 2), "不完整"},
        {"a member name that is not UTF-8", ZipWithNonUtf8Name(), "指向书外"},
        {"a text file", "Chapter 1\n", "不是 ZIP"},
    };
    for (const Case& c : cases) {
        const EpubResult result = ReadEpub(c.bytes);
        ASSERT_FALSE(result.Ok()) << c.what;
        EXPECT_NE(result.reason.find(c.says), std::string::npos) << c.what << ": " << result.reason;
        EXPECT_TRUE(codepage::IsValidUtf8(result.reason)) << c.what;
    }
}

}  // namespace
