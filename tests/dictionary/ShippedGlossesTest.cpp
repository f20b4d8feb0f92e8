// What readers see from the shipped main.dic and supplement.dic: the sense that
// leads, clean glosses, derived forms known with their base, no prefix pieces, and
// the supplement's words glossed at every step.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CDicMain.h"
#include "CodePage.h"
#include "DictionaryFile.h"
#include "ShippedDictionary.h"

namespace {

constexpr std::array<double, 11> kThresholds = {111.360763,  39.04262172, 18.96670773, 10.47903619,
                                                6.142363749, 3.677666117, 2.079185981, 1.141791663,
                                                0.75879347,  0.447185898, 0.128595482};

std::string Utf8(std::string_view gbk) { return codepage::GbkToUtf8(gbk).value_or("<not GBK>"); }

// main.dic, then supplement.dic appended, as the reading window loads them.
const CDicMain& BothFiles() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain();
        const std::string dir = VELLUMWISE_BIN_DIR;
        EXPECT_TRUE(LoadDictionaryFile(*loaded, dir + "/main.dic").Ok());
        const DicFileResult supplement = LoadDictionaryFile(*loaded, dir + "/supplement.dic");
        EXPECT_TRUE(supplement.Ok()) << supplement.detail;
        return loaded;
    }();
    return *dic;
}

std::string FirstSense(const CDicMain& dic, std::string_view word) {
    const std::string gloss = Utf8(dic.LookupExact(word, 1e9));
    return gloss.substr(0, gloss.find("，"));
}

TEST(ShippedGlosses, TheSenseReadersMeetLeadsWhereEcdictsFirstLineMisleads) {
    // ECDICT's first line: terrestrial n. 地球上的人, universally adv. 宇宙, secular
    // 修道院外的教士, encode 把(电文)译成密码. Within a line ECDICT's first sense stays first
    // unless two sources agree on another (universally 普遍), or CC-CEDICT translates another
    // back to the word itself while ECDICT's first has no source (terrestrial 陆生的, sensible
    // 明智的, vain 徒然的).
    const struct {
        const char* word;
        const char* first;
    } cases[] = {
        {"terrestrial", "陆生的"}, {"universally", "普遍"}, {"secular", "世俗的"},
        {"sensible", "明智的"},    {"vain", "徒然的"},      {"encode", "编码"},
        {"empty", "空的"},
    };
    const CDicMain& dic = ShippedDictionary();
    for (const auto& c : cases) {
        EXPECT_EQ(FirstSense(dic, c.word), c.first) << c.word;
    }
}

TEST(ShippedGlosses, NoLabelsNoBrokenBracketsInEitherFile) {
    for (const CDicItem& item : BothFiles().m_arrItems) {
        const std::string gloss = Utf8(item.m_strGloss);
        int depth = 0;
        for (const std::string_view open : {"(", "（", "[", "【"}) {
            for (std::size_t at = gloss.find(open); at != std::string::npos;
                 at = gloss.find(open, at + 1)) {
                ++depth;
            }
        }
        for (const std::string_view close : {")", "）", "]", "】"}) {
            for (std::size_t at = gloss.find(close); at != std::string::npos;
                 at = gloss.find(close, at + 1)) {
                --depth;
            }
        }
        EXPECT_EQ(depth, 0) << item.m_strWord << " " << gloss;
        EXPECT_EQ(gloss.find('&'), std::string::npos) << item.m_strWord << " " << gloss;
        EXPECT_EQ(gloss.find("()"), std::string::npos) << item.m_strWord << " " << gloss;
        EXPECT_EQ(gloss.find("（）"), std::string::npos) << item.m_strWord << " " << gloss;
        EXPECT_LE(item.m_strGloss.size(), 32u) << item.m_strWord;
    }
}

TEST(ShippedGlosses, TransparentDerivationsAreKnownWheneverTheirBaseIs) {
    const CDicMain& dic = ShippedDictionary();
    const std::pair<const char*, const char*> pairs[] = {{"angry", "angrily"},
                                                         {"silent", "silently"},
                                                         {"strong", "stronger"},
                                                         {"happy", "happily"},
                                                         {"hurried", "hurriedly"}};
    for (const auto& [base, derived] : pairs) {
        for (std::size_t step = 0; step < kThresholds.size(); ++step) {
            if (dic.Translate(base, kThresholds[step], false, false).empty()) {
                EXPECT_EQ(dic.Translate(derived, kThresholds[step], false, false), "")
                    << derived << " at step " << step + 1;
            }
        }
    }
}

TEST(ShippedGlosses, WordsOfTheirOwnKeepTheirOwnScore) {
    // lately is not late, uneasy is not easy: known at step 1 without them.
    const CDicMain& dic = ShippedDictionary();
    for (const auto& [base, own] : {std::pair{"late", "lately"}, std::pair{"easy", "uneasy"}}) {
        EXPECT_EQ(dic.Translate(base, kThresholds[0], false, false), "") << base;
        EXPECT_NE(dic.Translate(own, kThresholds[0], false, false), "") << own;
    }
}

TEST(ShippedGlosses, PrefixPiecesOfHyphenatedWordsAreNoEntries) {
    for (const char* piece : {"sub", "pre", "non", "co", "anti", "semi", "multi"}) {
        EXPECT_FALSE(BothFiles().FindReachedEntry(piece).has_value()) << piece;
    }
    EXPECT_TRUE(BothFiles().FindReachedEntry("post").has_value());  // a word learners meet
}

TEST(ShippedGlosses, TheSupplementAddsWordsMainDicLacksGlossedAtEveryStep) {
    const CDicMain& dic = BothFiles();
    const std::size_t mainEntries = ShippedDictionary().m_arrItems.size();
    const std::size_t added = dic.m_arrItems.size() - mainEntries;
    EXPECT_GE(added, 20000u);
    EXPECT_LE(added, 40000u);
    for (std::size_t i = mainEntries; i < dic.m_arrItems.size(); ++i) {
        const CDicItem& item = dic.m_arrItems[i];
        ASSERT_LT(item.m_dFrequency, kThresholds.back()) << item.m_strWord;
        // Never shadowing main.dic: its words reach their own entries.
        ASSERT_EQ(*dic.FindReachedEntry(item.m_strWord), i) << item.m_strWord;
    }
    for (const char* word :
         {"fastidious", "impertinent", "civilise", "armourer", "larvæ", "encyclopædia"}) {
        EXPECT_FALSE(ShippedDictionary().FindReachedEntry(word).has_value()) << word;
        EXPECT_NE(dic.Translate(word, kThresholds.back(), false, false), "") << word;
        EXPECT_NE(dic.Translate(word, kThresholds.front(), false, false), "") << word;
    }
}

}  // namespace
