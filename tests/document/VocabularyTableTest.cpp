// The one vocabulary table: the document's defaults, the dialog's steps and label.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "VocabularyTable.h"

namespace {

TEST(VocabularyTableTest, DefaultThresholdKeepsItsExactBits) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(kDefaultThreshold), 0x4032F77A286523F1ULL);
    EXPECT_EQ(ThresholdForLevel(kDefaultVocabLevel), kDefaultThreshold);
}

TEST(VocabularyTableTest, TableEndsAndOrder) {
    EXPECT_EQ(ThresholdForLevel(0), 0.0);
    EXPECT_EQ(ThresholdForLevel(1), 111.360763);
    EXPECT_EQ(ThresholdForLevel(5), 6.142363749);
    EXPECT_EQ(ThresholdForLevel(11), 0.128595482);
    // A bigger vocabulary must gloss fewer words: every step lowers the threshold.
    for (int step = 2; step <= kMaxVocabLevel; ++step) {
        EXPECT_LT(ThresholdForLevel(step), ThresholdForLevel(step - 1));
    }
    // Steps outside the slider never read past the table.
    EXPECT_EQ(ThresholdForLevel(12), 0.128595482);
    EXPECT_EQ(ThresholdForLevel(-1), 0.0);
}

TEST(VocabularyTableTest, LabelCountsTwoThousandWordsAStep) {
    EXPECT_EQ(VocabularyLabelText(1), "当前已经记忆的单词量：2000个");
    EXPECT_EQ(VocabularyLabelText(3), "当前已经记忆的单词量：6000个");
    EXPECT_EQ(VocabularyLabelText(11), "当前已经记忆的单词量：22000个");
}

}  // namespace
