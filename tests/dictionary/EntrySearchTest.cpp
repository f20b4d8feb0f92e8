// The dictionary panel's search over the shipped entries and main.dic: English words in
// any form, Chinese text inside the senses, and queries that try to be query syntax.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "CDicMain.h"
#include "DictionaryFile.h"
#include "EntryDatabaseSchema.h"
#include "EntrySearch.h"
#include "TempDir.h"

namespace {

const std::string kBin = VELLUMWISE_BIN_DIR;

class EntrySearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dic = new CDicMain;
        LoadMainAndSupplement(*s_dic, kBin + "/main.dic");
    }
    static void TearDownTestSuite() {
        delete s_dic;
        s_dic = nullptr;
    }
    static std::size_t Rank(const EntrySearchResult& found, const std::string& word) {
        return static_cast<std::size_t>(std::find(found.words.begin(), found.words.end(), word) -
                                        found.words.begin());
    }
    static CDicMain* s_dic;
    EntryDatabase m_entries{kBin + "/dictionary.sqlite"};
};
CDicMain* EntrySearchTest::s_dic = nullptr;

TEST_F(EntrySearchTest, EnglishWordsInAnyFormFindTheirEntryFirst) {
    ASSERT_FALSE(s_dic->m_arrItems.empty());
    struct Case {
        const char* query;
        const char* first;
    };
    const Case cases[] = {
        {"book", "book"},
        {"  Book\t", "book"},
        {"BOOKS", "book"},
        {"went", "go"},
        {"happier", "happier"},
        {"wound", "wind"},
        {"restrictions", "restriction"},
        {"whatsoever", "whatsoever"},
        {"ran", "run"},
        {"quickly", "quickly"},
    };
    for (const Case& c : cases) {
        const EntrySearchResult found = SearchEntries(*s_dic, m_entries, c.query, 50);
        EXPECT_TRUE(found.english) << c.query;
        ASSERT_FALSE(found.words.empty()) << c.query;
        EXPECT_EQ(found.words.front(), c.first) << c.query;
        EXPECT_LE(found.words.size(), 50u);
        EXPECT_EQ(std::count(found.words.begin(), found.words.end(), found.words.front()), 1)
            << c.query << ": listed twice";
    }
    // After the word, headwords beginning with it.
    const EntrySearchResult happ = SearchEntries(*s_dic, m_entries, "happ", 10);
    ASSERT_FALSE(happ.words.empty());
    for (const std::string& word : happ.words) {
        EXPECT_EQ(FoldEntryWord(word).rfind("happ", 0), 0u) << word;
    }
    EXPECT_LT(Rank(happ, "happy"), happ.words.size());
}

TEST_F(EntrySearchTest, ChineseTextFindsWholeSensesFirst) {
    struct Case {
        const char* query;
        const char* word;  // found among the first `within`
        std::size_t within;
    };
    const Case cases[] = {
        {"书", "book", 5},        // one character: looked for row by row
        {"斑马", "zebra", 5},     // two
        {"银行家", "banker", 3},  // three or more: the trigram index
        {"工作簿", "book", 10},  {" 斑马 ", "zebra", 5},
    };
    for (const Case& c : cases) {
        const EntrySearchResult found = SearchEntries(*s_dic, m_entries, c.query, 50);
        EXPECT_FALSE(found.english) << c.query;
        EXPECT_LT(Rank(found, c.word), c.within) << c.query;
    }
    EXPECT_TRUE(m_entries.Available()) << m_entries.Problem();
}

TEST_F(EntrySearchTest, AnyBytesAreSearchedAsText) {
    const std::string tenThousand(10000, 'x');
    std::string chineseLong;
    while (chineseLong.size() < 30000) {
        chineseLong += "书";
    }
    const std::string queries[] = {
        "\"",
        "'",
        "\"书\" OR \"的\"",
        "书*",
        "NEAR(书 斑马)",
        "lines:书",
        "%",
        "%书%",
        "_",
        "book' OR '1'='1",
        "go; DROP TABLE entry;--",
        "\\",
        "\xFF\xFE\xE4",
        std::string("书\0书", 7),
        tenThousand,
        chineseLong,
        "(",
        ")",
        "^书",
        "-书",
        "{lines}: 书",
    };
    for (const std::string& query : queries) {
        const EntrySearchResult found = SearchEntries(*s_dic, m_entries, query, 50);
        EXPECT_TRUE(m_entries.Available()) << query.substr(0, 30) << ": " << m_entries.Problem();
        // Syntax would find something: a quote or an operator matches no sense as text.
        for (const std::string& word : found.words) {
            EXPECT_NE(word, "") << query.substr(0, 30);
        }
    }
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, "\"书\" OR \"的\"", 50).words.empty());
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, "%", 50).words.empty());
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, tenThousand, 50).words.empty());
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, "", 50).words.empty());
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, "   ", 50).words.empty());
    EXPECT_TRUE(SearchEntries(*s_dic, m_entries, "book", 0).words.empty());
}

TEST_F(EntrySearchTest, WithoutTheEntriesEnglishStillFindsMainDic) {
    TempDir dir;
    EntryDatabase missing(dir.Path("dictionary.sqlite"));
    const EntrySearchResult went = SearchEntries(*s_dic, missing, "went", 50);
    ASSERT_EQ(went.words.size(), 1u);
    EXPECT_EQ(went.words.front(), "go");
    EXPECT_TRUE(SearchEntries(*s_dic, missing, "书", 50).words.empty());
    EXPECT_FALSE(missing.Available());
    const WordCardContent card = CardForWord(*s_dic, missing, "went");
    EXPECT_FALSE(card.full);
    EXPECT_FALSE(card.occurrence);
    EXPECT_FALSE(card.shown.empty()) << "the short gloss stands in for the entry";
    EXPECT_TRUE(std::filesystem::is_empty(dir.Root())) << "nothing written";
}

TEST_F(EntrySearchTest, PickedHeadwordCardMarksMainDicsGloss) {
    const WordCardContent card = CardForWord(*s_dic, m_entries, "book");
    ASSERT_TRUE(card.full);
    EXPECT_FALSE(card.occurrence);
    EXPECT_EQ(card.word, "book");
    EXPECT_FALSE(card.shown.empty());
    ASSERT_FALSE(card.lines.empty());
    EXPECT_TRUE(card.lines.front().chosen) << card.shown;
    // A form finds its headword's card.
    EXPECT_EQ(CardForWord(*s_dic, m_entries, "went").word, "go");
}

TEST(EnglishQuery, LatinLettersWithInnerMarksOnly) {
    for (const char* english : {"go", "Mother-in-law", "o'clock", "give up", " e.g. ", "U.S."}) {
        EXPECT_TRUE(IsEnglishQuery(english)) << english;
    }
    for (const char* other :
         {"", " ", "书", "go书", "'go", "-go", "go%", "go\"", "42", "café", "go*", "go:"}) {
        EXPECT_FALSE(IsEnglishQuery(other)) << other;
    }
}

}  // namespace
