// The shipped main.dic and word lists: layout, scores, glosses, rows readers rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>

#include "CDicMain.h"
#include "CodePage.h"
#include "DictionaryFile.h"
#include "DictionaryText.h"
#include "PrefixTable.h"
#include "ReadFileBytes.h"
#include "ShippedDictionary.h"

namespace {

// The vocabulary slider's thresholds, steps 1..11.
constexpr std::array<double, 11> kThresholds = {111.360763,  39.04262172, 18.96670773, 10.47903619,
                                                6.142363749, 3.677666117, 2.079185981, 1.141791663,
                                                0.75879347,  0.447185898, 0.128595482};

std::string Utf8(std::string_view gbk) { return codepage::GbkToUtf8(gbk).value_or("<not GBK>"); }

// Sort key inside a stretch: apostrophes and hyphens do not count.
std::string SortKey(std::string_view word) {
    std::string key;
    for (char c : word) {
        if (c != '\'' && c != '-') {
            key.push_back(c);
        }
    }
    return key;
}

class ShippedData : public ::testing::Test {
protected:
    const CDicMain* dic = &ShippedDictionary();
};

// The window's import and tsv2dic read the project's own list alike: its comment
// lines are no entries, and every entry comes out as in the main.dic built from it.
TEST_F(ShippedData, TheWindowsImportReadsTheSourceListAsTsv2DicDid) {
    const std::optional<std::string> tsv =
        ReadFileBytes(std::string(VELLUMWISE_DATA_DIR) + "/dictionary.tsv");
    ASSERT_TRUE(tsv);
    for (const auto reader :
         {DictionaryText::Reader::WindowImport, DictionaryText::Reader::Tsv2Dic}) {
        DictionaryText parsed = DictionaryText::Parse(*tsv, reader);
        ASSERT_TRUE(parsed.Ok()) << parsed.Problem();
        const std::vector<CDicItem> items = parsed.TakeItems();
        ASSERT_EQ(items.size(), 22892u);
        ASSERT_EQ(items.size(), dic->m_arrItems.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const CDicItem& shipped = dic->m_arrItems[i];
            ASSERT_TRUE(items[i].m_strWord == shipped.m_strWord &&
                        items[i].m_strGloss == shipped.m_strGloss &&
                        items[i].m_dFrequency == shipped.m_dFrequency)
                << "entry " << i + 1 << " " << shipped.m_strWord;
        }
    }
}

TEST_F(ShippedData, LayoutMatchesTheConstantPrefixTable) {
    const auto& items = dic->m_arrItems;
    ASSERT_EQ(items.size(), 22892u);
    for (std::size_t row = 0; row < kPrefixRows.size(); ++row) {
        const std::string_view prefix = kPrefixRows[row].prefix;
        const std::size_t begin = kPrefixRows[row].start;
        const std::size_t end =
            row + 1 < kPrefixRows.size() ? kPrefixRows[row + 1].start : kPrefixEndSentinel;
        for (std::size_t p = begin; p < end; ++p) {
            const std::string& word = items[p - 1].m_strWord;
            EXPECT_TRUE(word.starts_with(prefix)) << "position " << p << " " << word;
            if (p > begin) {
                EXPECT_LT(SortKey(items[p - 2].m_strWord), SortKey(word)) << "position " << p;
            }
        }
    }
    EXPECT_EQ(items[1 - 1].m_strWord, "a");
    EXPECT_EQ(items[9970 - 1].m_strWord, "i");
    EXPECT_EQ(items[13907 - 1].m_strWord, "o'clock");
    EXPECT_EQ(items[22807 - 1].m_strWord, "x-ray");
}

TEST_F(ShippedData, EveryWordIsFoundAndDistinct) {
    std::set<std::string> words;
    for (const CDicItem& item : dic->m_arrItems) {
        EXPECT_TRUE(words.insert(item.m_strWord).second) << item.m_strWord;
        if (item.m_strWord.size() >= 2) {
            EXPECT_NE(dic->LookupExact(item.m_strWord, 1e9), "Unknown") << item.m_strWord;
        }
        EXPECT_EQ(item.m_nFlag, 1);
    }
}

TEST_F(ShippedData, ExactlyTwoThousandMoreKnownAtEveryStep) {
    std::vector<double> scores;
    for (const CDicItem& item : dic->m_arrItems) {
        scores.push_back(item.m_dFrequency);
    }
    std::sort(scores.begin(), scores.end(), std::greater<>());
    EXPECT_EQ(std::adjacent_find(scores.begin(), scores.end()), scores.end())
        << "scores must strictly decrease with rank";
    for (std::size_t step = 1; step <= kThresholds.size(); ++step) {
        const auto known = std::count_if(scores.begin(), scores.end(),
                                         [&](double s) { return s >= kThresholds[step - 1]; });
        EXPECT_EQ(known, static_cast<long>(step * 2000)) << "step " << step;
    }
}

TEST_F(ShippedData, GlossesAreShortCleanGbk) {
    for (const CDicItem& item : dic->m_arrItems) {
        SCOPED_TRACE(item.m_strWord);
        if (item.m_strWord == "a" || item.m_strWord == "i") {
            continue;
        }
        ASSERT_FALSE(item.m_strGloss.empty());
        // Three senses within 32 bytes (tools/derive_data/gloss.py): the view shows those that fit.
        EXPECT_LE(item.m_strGloss.size(), 32u);
        const auto utf8 = codepage::GbkToUtf8(item.m_strGloss);
        ASSERT_TRUE(utf8.has_value());
        for (const char* banned :
             {"[", "人名", "的过去式", "的复数", "的现在分词", "n.", "v.", "adj."}) {
            EXPECT_EQ(utf8->find(banned), std::string::npos) << *utf8;
        }
        for (const char* ending : {"，", "。", ",", ";", "；", "、"}) {
            EXPECT_FALSE(utf8->ends_with(ending)) << *utf8;
        }
    }
}

TEST_F(ShippedData, FormsAReductionWouldMisreadAreEntries) {
    // Each would otherwise reach a wrong word: ha, hi, doe, the noun felt.
    for (const char* word : {"has", "his", "does"}) {
        EXPECT_NE(dic->LookupExact(word, 0.0), "Unknown") << word;
    }
    // "felt" is the past of feel as readers meet it, not the rare noun.
    EXPECT_EQ(dic->Translate("felt", kThresholds[2], false, false), "");
    EXPECT_EQ(dic->Translate("felt", 1e9, false, false), dic->Translate("feel", 1e9, false, false));
}

TEST_F(ShippedData, WordLists) {
    const CIrregularVerbTable& verbs = dic->m_irregularVerbs;
    EXPECT_EQ(verbs.m_arrBase.size(), 447u);
    // About 350 verbs, several rows for those with variant forms.
    const auto bases = std::set<std::string>(verbs.m_arrBase.begin(), verbs.m_arrBase.end()).size();
    EXPECT_GE(bases, 340u);
    EXPECT_LE(bases, 360u);
    EXPECT_TRUE(std::is_sorted(verbs.m_arrBase.begin(), verbs.m_arrBase.end()));
    EXPECT_EQ(verbs.FindBase("lay"), "lie");
    EXPECT_EQ(verbs.FindBase("was"), "be");
    EXPECT_EQ(verbs.FindBase("were"), "be");
    EXPECT_EQ(verbs.FindBase("be"), "Unknown");
    EXPECT_EQ(verbs.FindBase("would"), "will");
    EXPECT_EQ(verbs.FindBase("might"), "may");
    EXPECT_EQ(verbs.FindBase("should"), "shall");
    EXPECT_EQ(std::count(verbs.m_arrBase.begin(), verbs.m_arrBase.end(), "cleave"), 4);

    const CGlossaryTable& medical = dic->m_medicalGlossary;
    ASSERT_EQ(medical.m_arrEnglish.size(), 1660u);
    EXPECT_EQ(
        std::set<std::string>(medical.m_arrEnglish.begin(), medical.m_arrEnglish.end()).size(),
        1660u);
    EXPECT_TRUE(std::is_sorted(medical.m_arrEnglish.begin(), medical.m_arrEnglish.end()));
    EXPECT_EQ(medical.m_arrEnglish.front(), "abdomen");
    EXPECT_EQ(medical.m_arrEnglish.back(), "xerophthalmia");
    EXPECT_EQ(Utf8(medical.Lookup("abdomen")), "腹部");
    EXPECT_EQ(Utf8(medical.Lookup("abrasion")), "擦伤，擦破，脓肿");
    EXPECT_EQ(Utf8(medical.Lookup("absorption")), "吸收,吸收作用");
    EXPECT_EQ(Utf8(medical.Lookup("cobalamine")), "钴胺素(维生素B12)");
    EXPECT_EQ(Utf8(medical.Lookup("xerophthalmia")), "眼干燥症");
    for (const std::string& gloss : medical.m_arrChinese) {
        EXPECT_LE(gloss.size(), 55u);
    }

    const CGlossaryTable& science = dic->m_scienceGlossary;
    ASSERT_EQ(science.m_arrEnglish.size(), 1037u);
    EXPECT_TRUE(std::is_sorted(science.m_arrEnglish.begin(), science.m_arrEnglish.end()));
    EXPECT_EQ(science.m_arrEnglish.front(), "abdomen");
    EXPECT_EQ(science.m_arrEnglish.back(), "zirconium");
    EXPECT_EQ(Utf8(science.Lookup("achernar")), "水委一(位于波江座)");
    EXPECT_EQ(Utf8(science.Lookup("morning-glory")), "牵牛花");
    EXPECT_EQ(Utf8(science.Lookup("zirconium")), "锆");
    for (const std::string& gloss : science.m_arrChinese) {
        EXPECT_LE(gloss.size(), 32u);
    }
}

}  // namespace
