#include <gtest/gtest.h>

#include "BookPath.h"

namespace {

TEST(BookPath, ReferencesResolveAgainstTheFileTheyAreWrittenIn) {
    struct Case {
        const char* base;
        const char* href;
        const char* member;  // nullptr: not in the book
        const char* fragment;
    };
    const Case cases[] = {
        {"OEBPS/content.opf", "text/ch1.xhtml", "OEBPS/text/ch1.xhtml", ""},
        {"OEBPS/nav.xhtml", "text/ch1.xhtml#sec%202", "OEBPS/text/ch1.xhtml", "sec 2"},
        {"OEBPS/text/ch1.xhtml", "../images/../text/./ch2.xhtml", "OEBPS/text/ch2.xhtml", ""},
        {"OEBPS/text/ch1.xhtml", "#note", "OEBPS/text/ch1.xhtml", "note"},
        {"content.opf", "My%20Book%C3%A9.xhtml?x=1", "My Booké.xhtml", ""},
        {"OEBPS/toc.ncx", "/top.xhtml", "top.xhtml", ""},
        {"OEBPS/content.opf", "../../etc/passwd", nullptr, ""},
        {"OEBPS/content.opf", "http://example.org/ch1.xhtml", nullptr, ""},
        {"OEBPS/content.opf", "mailto:someone", nullptr, ""},
        {"OEBPS/content.opf", "", "OEBPS/content.opf", ""},
        {"OEBPS/content.opf", "100%.xhtml", "OEBPS/100%.xhtml", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " + " + c.href);
        const auto target = ResolveHref(c.base, c.href);
        if (c.member == nullptr) {
            EXPECT_FALSE(target.has_value());
            continue;
        }
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->member, c.member);
        EXPECT_EQ(target->fragment, c.fragment);
    }
}

TEST(BookPath, MemberNamesThatLeaveTheArchiveAreUnsafe) {
    for (const char* name : {"OEBPS/ch1.xhtml", "a..b/c", "mimetype", "..hidden"}) {
        EXPECT_TRUE(IsSafeMemberName(name)) << name;
    }
    for (const char* name : {"../evil.xhtml", "OEBPS/../../evil", "/etc/passwd", "\\evil",
                             "C:/evil", "a\\..\\..\\evil", "OEBPS/.."}) {
        EXPECT_FALSE(IsSafeMemberName(name)) << name;
    }
}

}  // namespace
