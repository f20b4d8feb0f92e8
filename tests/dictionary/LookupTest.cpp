// Exact lookup, the prefix table and the two table lookups.
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "CDicMain.h"
#include "EntryIndex.h"
#include "FixtureWordLists.h"
#include "PrefixTable.h"
#include "TestDictionary.h"

namespace {

TEST(LookupExact, Outcomes) {
    const auto dicPtr = MakeDictionary({{"apple", "APPLE-GLOSS", 12.5},
                                        {"zero", "ZERO-GLOSS", 0.0},
                                        {"twice", "FIRST", 5.0},
                                        {"twice", "SECOND", 100.0},
                                        {"oclock", "OC-SECOND-STRETCH", 1.0},
                                        {"x", "ONE-LETTER", 1.0}});
    const CDicMain& dic = *dicPtr;
    struct Case {
        const char* word;
        double threshold;
        const char* expected;
    };
    const Case cases[] = {
        {"", 100.0, ""},
        {"x", 100.0, ""},           // one-character words never reach the list
        {"apple", 12.5, "Ignore"},  // equal is known
        {"apple", 12.500000000000002, "APPLE-GLOSS"},
        {"apple", 100.0, "APPLE-GLOSS"},
        {"zero", 0.0, "Ignore"},
        {"Apple", 100.0, "Unknown"},  // callers lower-case first
        {"apples", 100.0, "Unknown"},
        {"ap", 100.0, "Unknown"},
        {"twice", 50.0, "FIRST"},  // the first equal entry decides
        {"twice", 1.0, "Ignore"},
        {"oclock", 100.0, "OC-SECOND-STRETCH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(dic.LookupExact(c.word, c.threshold), c.expected);
    }
}

TEST(LookupExact, EmptyListKnowsNothing) {
    CDicMain dic(FixtureWordLists());
    EXPECT_EQ(dic.LookupExact("apple", 100.0), "Unknown");
    EXPECT_EQ(dic.LookupExact("a", 100.0), "");
}

TEST(LookupExact, FollowsEveryChangeOfTheList) {
    const auto dicPtr = MakeDictionary({{"apple", "OLD", 1.0}});
    CDicMain& dic = *dicPtr;
    dic.DeleteAllItems();
    EXPECT_EQ(dic.LookupExact("apple", 100.0), "Unknown");
    // An imported list is found word for word, whatever its order or prefixes.
    std::vector<CDicItem> items;
    for (const char* word : {"zebra", "aardvark", "o'clock", "x-ray", "Caps"}) {
        CDicItem item;
        item.m_strWord = word;
        item.m_strGloss = std::string("G-") + word;
        items.push_back(item);
    }
    dic.ReplaceItems(std::move(items));
    EXPECT_EQ(dic.LookupExact("aardvark", 1.0), "G-aardvark");
    EXPECT_EQ(dic.LookupExact("o'clock", 1.0), "G-o'clock");
    EXPECT_EQ(dic.LookupExact("x-ray", 1.0), "G-x-ray");
    EXPECT_EQ(dic.LookupExact("Caps", 1.0), "G-Caps");

    // An appended list (a supplement after main.dic) adds its new words; a word
    // already there keeps its first entry.
    CDicItem again;
    again.m_strWord = "zebra";
    again.m_strGloss = "LATER";
    CDicItem added;
    added.m_strWord = "yak";
    added.m_strGloss = "G-yak";
    dic.AppendItems({again, added});
    EXPECT_EQ(dic.m_arrItems.size(), 7u);
    EXPECT_EQ(dic.LookupExact("zebra", 1.0), "G-zebra");
    EXPECT_EQ(dic.LookupExact("yak", 1.0), "G-yak");
}

// The list is written only through the operations that keep the index right.
static_assert(
    std::is_const_v<std::remove_reference_t<decltype(std::declval<CDicMain&>().m_arrItems)>>);

TEST(EntryIndex, NeverReadsPastTheListItIsGiven) {
    std::vector<CDicItem> items(1000);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].m_strWord = "word" + std::to_string(i);
    }
    EntryIndex index;
    index.Build(items);
    ASSERT_EQ(index.Find("word999", items), 999u);
    // Asked with a shorter list than it was built for, every probe stays inside it.
    const std::vector<CDicItem> shorter(items.begin(), items.begin() + 1);
    for (std::size_t i = 0; i < items.size(); i += 7) {
        const auto found = index.Find(items[i].m_strWord, shorter);
        EXPECT_TRUE(!found || *found < shorter.size());
    }
}

TEST(PrefixTable, DescribesTheDeliveredFile) {
    CDicMain dic(FixtureWordLists());
    ASSERT_EQ(dic.m_arrPrefixes.size(), 265u);
    ASSERT_EQ(dic.m_arrPrefixStarts.size(), 265u);
    EXPECT_EQ(dic.m_arrPrefixes.front(), "a");
    EXPECT_EQ(dic.m_arrPrefixStarts.front(), 1u);
    EXPECT_EQ(dic.m_arrPrefixes.back(), "zy");
    EXPECT_EQ(dic.m_arrPrefixStarts.back(), 22892u);
    EXPECT_EQ(kPrefixEndSentinel, 22893u);
    for (std::size_t i = 1; i < dic.m_arrPrefixStarts.size(); ++i) {
        EXPECT_LT(dic.m_arrPrefixStarts[i - 1], dic.m_arrPrefixStarts[i]) << dic.m_arrPrefixes[i];
    }
    const auto at = [&](std::size_t row) {
        return dic.m_arrPrefixes[row] + " " + std::to_string(dic.m_arrPrefixStarts[row]);
    };
    // The rows the lookup rules single out.
    EXPECT_EQ(at(dic.m_arrPrefixes.size() - 1), "zy 22892");
    std::vector<std::string> oRows;
    for (std::size_t i = 0; i < dic.m_arrPrefixes.size(); ++i) {
        const std::string& p = dic.m_arrPrefixes[i];
        if (p == "oc" || p == "o'" || p == "x-" || p == "i" || p == "co" || p == "in") {
            oRows.push_back(at(i));
        }
    }
    EXPECT_EQ(oRows, (std::vector<std::string>{"co 3634", "i 9970", "in 10254", "oc 13885",
                                               "o' 13907", "oc 13908", "x- 22807"}));
}

TEST(IrregularVerbs, FindBaseSearchesPastAndParticipleOnly) {
    CDicMain dic(FixtureWordLists());
    struct Case {
        const char* word;
        const char* base;
    };
    const Case cases[] = {
        {"lay", "lie"},    {"laid", "lay"}, {"was", "be"},       {"were", "be"},
        {"been", "be"},    {"went", "go"},  {"read", "read"},    {"be", "Unknown"},
        {"go", "Unknown"}, {"", "Unknown"}, {"Went", "Unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(dic.m_irregularVerbs.FindBase(c.word), c.base);
    }
}

TEST(Glossary, FirstRowWins) {
    CDicMain dic(FixtureWordLists());
    EXPECT_EQ(dic.m_medicalGlossary.Lookup("abrasion"), "\262\301\311\313");
    EXPECT_EQ(dic.m_medicalGlossary.Lookup("zirconium"), "Unknown");
    EXPECT_EQ(dic.m_scienceGlossary.Lookup("zirconium"), "\357\257");
    EXPECT_EQ(dic.m_scienceGlossary.Lookup("Zirconium"), "Unknown");
    // Rows are kept verbatim, duplicates included.
    EXPECT_EQ(dic.m_medicalGlossary.m_arrEnglish.size(), 5u);
    EXPECT_EQ(dic.m_irregularVerbs.m_arrBase.size(), 8u);
}

}  // namespace
