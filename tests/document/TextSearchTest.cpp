// Finding a query in a text, and in the glosses shown under it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "CodePage.h"
#include "ColorScheme.h"
#include "TextSearch.h"

namespace {

// Each hit as the bytes it covers, from its first token to its last, paragraphs
// joined by " / ", with the first token's number after an @.
std::vector<std::string> Covered(const CParagraphList& text, const SearchResult& result) {
    std::vector<std::string> shown;
    for (const SearchHit& hit : result.hits) {
        std::string covered;
        for (std::size_t p = hit.first.paragraph; p <= hit.last.paragraph; ++p) {
            const CParagraph& paragraph = text.m_arrParagraphs[p];
            const std::size_t from = p == hit.first.paragraph
                                         ? paragraph.Span(hit.first.token).offset + hit.firstByte
                                         : 0;
            const std::size_t to = p == hit.last.paragraph
                                       ? paragraph.Span(hit.last.token).offset + hit.lastEnd
                                       : paragraph.m_strText.size();
            covered += (p == hit.first.paragraph ? "" : " / ") +
                       std::string(paragraph.m_strText.substr(from, to - from));
        }
        shown.push_back(covered + "@" + std::to_string(hit.first.token));
    }
    return shown;
}

struct WordCase {
    const char* what;
    std::string text;
    std::string query;
    bool wholeWord;
    std::vector<std::string> expected;
};

TEST(TextSearch, FindsQueriesLiterallyAndCaseBlind) {
    const std::string longRun(20000, 'a');
    const std::vector<WordCase> cases = {
        {"case-blind", "The cat saw THE dog; tHe end.", "the", false, {"The@0", "THE@3", "tHe@7"}},
        {"inside words",
         "there then the other",
         "the",
         false,
         {"the@0", "the@1", "the@2", "the@3"}},
        {"whole words only", "there then the other", "the", true, {"the@2"}},
        {"a whole word before punctuation and a possessive",
         "He said, \"Said it.\" Andrew's",
         "said",
         true,
         {"said@1", "Said@6"}},
        {"across punctuation", "Well, said he. Well said.", "well, said", false, {"Well, said@0"}},
        {"blanks run together", "a  big \t dog", "big   dog", false, {"big \t dog@2"}},
        {"across a hard-wrapped line",
         "the old\nprince was",
         "old prince",
         false,
         {"old / prince@1"}},
        {"never across an empty line", "the old\n\nprince was", "old prince", false, {}},
        {"regex characters are letters", "1+1 (x) [a] \\d .* a+b $^ a|b", ".*", false, {".*@17"}},
        {"a plus is a plus", "aab a+b", "a+b", false, {"a+b@1"}},
        {"brackets", "[a] (x) a", "(x)", false, {"(x)@6"}},
        {"a backslash", "\\d 9", "\\d", false, {"\\d@1"}},
        {"a dot matches only a dot", "abc", ".", false, {}},
        {"empty", "some text", "", false, {}},
        {"blank", "some  text", "  ", false, {}},
        {"not in the text", "some text", "zebra", false, {}},
        {"accented capitals", "Café CAFÉ cafe", "café", false, {"Café@0", "CAFÉ@1"}},
        {"Cyrillic capitals", "МОСКВА москва", "Москва", false, {"МОСКВА@0", "москва@1"}},
        {"curly quotes typed straight",
         "I don\xE2\x80\x99t know",
         "don't",
         false,
         {"don\xE2\x80\x99t@1"}},
        {"Chinese in the text", "He wrote 中文 twice", "中文", false, {"中文@2"}},
        {"a huge query, twice in a huge word",
         longRun,
         std::string(10000, 'a'),
         false,
         {longRun.substr(0, 10000) + "@0", longRun.substr(0, 10000) + "@0"}},
        {"a huge query that is not there", longRun, std::string(9999, 'a') + "b", false, {}},
    };
    for (const WordCase& c : cases) {
        CParagraphList text;
        text.SetText(c.text);
        TextSearch search;
        const SearchResult result =
            search.Find(text, 1, {c.query, SearchField::Words, c.wholeWord});
        std::vector<std::string> covered = Covered(text, result);
        // The huge cases compare by count and first hit only.
        if (c.query.size() > 100) {
            EXPECT_EQ(covered.size(), c.expected.size()) << c.what;
            continue;
        }
        EXPECT_EQ(covered, c.expected) << c.what;
    }
}

TEST(TextSearch, HitsOfAHugeQueryCoverItsBytes) {
    const std::string word(20000, 'a');
    CParagraphList text;
    text.SetText("x " + word);
    TextSearch search;
    const SearchResult result = search.Find(text, 1, {std::string(10000, 'A')});
    ASSERT_EQ(result.hits.size(), 2U);
    EXPECT_EQ(result.hits[0], (SearchHit{{0, 1}, {0, 1}, 0, 10000}));
    EXPECT_EQ(result.hits[1], (SearchHit{{0, 1}, {0, 1}, 10000, 20000}));
}

TEST(TextSearch, ANewTextIsFoldedAgain) {
    CParagraphList text;
    text.SetText("alpha beta");
    TextSearch search;
    EXPECT_EQ(search.Find(text, 1, {"beta"}).hits.size(), 1U);
    text.SetText("gamma");
    EXPECT_EQ(search.Find(text, 2, {"beta"}).hits.size(), 0U);
    EXPECT_EQ(search.Find(text, 2, {"GAMMA"}).hits.size(), 1U);
}

TEST(TextSearch, StopsAtTheMostHitsItKeeps) {
    CParagraphList text;
    text.SetText(std::string(TextSearch::kMostHits + 10, 'e'));
    TextSearch search;
    const SearchResult result = search.Find(text, 1, {"e"});
    EXPECT_TRUE(result.capped);
    EXPECT_EQ(result.hits.size(), TextSearch::kMostHits);
}

// Glosses by word, UTF-8 here, GBK in the text.
std::string Gbk(const char* utf8) { return *codepage::Utf8ToGbk(utf8); }

TEST(TextSearch, FindsTheWordsGlossedWithAQuery) {
    const std::map<std::string, std::string> glosses = {
        {"genus", Gbk("属")},    {"belongs", Gbk("属于")}, {"extinct", Gbk("灭绝的")},
        {"dodo", Gbk("渡渡鸟")}, {"aims", Gbk("的可")},
    };
    CParagraphList text;
    text.SetText("The dodo, an extinct genus, belongs here.\nIt aims high.");
    text.AnnotateWith([&](std::string_view word) -> std::string_view {
        const auto found = glosses.find(std::string(word));
        return found == glosses.end() ? std::string_view() : found->second;
    });
    struct GlossCase {
        const char* query;
        std::vector<std::string> expected;
    };
    const std::vector<GlossCase> cases = {
        {"属", {"genus@6", "belongs@9"}},
        {"灭绝", {"extinct@5"}},
        {" 灭绝 ", {"extinct@5"}},
        // 的可 is D5 C4 BF C9 in GBK, and 目 is C4 BF: bytes that straddle two characters.
        {"目", {}},
        {"可", {"aims@1"}},
        {"😀", {}},
        {"", {}},
    };
    TextSearch search;
    for (const GlossCase& c : cases) {
        EXPECT_EQ(Covered(text, search.Find(text, 1, {c.query, SearchField::Glosses})), c.expected)
            << c.query;
    }
}

TEST(TextSearch, FirstHitFromAPlace) {
    const std::vector<SearchHit> hits = {
        {{0, 2}, {0, 2}, 0, 1}, {{3, 0}, {3, 1}, 0, 1}, {{3, 5}, {3, 5}, 0, 1}};
    EXPECT_EQ(FirstHitFrom(hits, {0, 0}), 0U);
    EXPECT_EQ(FirstHitFrom(hits, {0, 3}), 1U);
    EXPECT_EQ(FirstHitFrom(hits, {3, 0}), 1U);
    EXPECT_EQ(FirstHitFrom(hits, {3, 1}), 2U);
    EXPECT_EQ(FirstHitFrom(hits, {4, 0}), 3U);
}

}  // namespace

namespace {

TEST(FindColors, KeepTheTextReadableAndStandOutInEveryScheme) {
    for (const ColorScheme scheme :
         {ColorScheme::Default, ColorScheme::Sepia, ColorScheme::Night, ColorScheme::Classic}) {
        const SchemeColors colors = ColorsOf(scheme);
        const FindColors find = FindColorsFor(colors.text);
        const ColorRef behind = BoxColor(scheme, colors.page);
        EXPECT_GE(ContrastRatio(colors.text, find.hit), 4.5) << static_cast<int>(scheme);
        EXPECT_GE(ContrastRatio(colors.text, find.current), 4.5) << static_cast<int>(scheme);
        EXPECT_GE(ContrastRatio(behind, find.hit), 1.15) << static_cast<int>(scheme);
        EXPECT_GE(ContrastRatio(find.hit, find.current), 1.3) << static_cast<int>(scheme);
    }
}

}  // namespace
