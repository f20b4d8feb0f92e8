#include "VocabularyThresholds.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace {

TEST(VocabularyThresholdsTest, DefaultThresholdHasTheDocumentedBits)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(VocabularyThresholds::kDefaultThreshold),
              0x4032F77A286523F1ULL);
    EXPECT_EQ(VocabularyThresholds::Threshold(VocabularyThresholds::kDefaultStep),
              VocabularyThresholds::kDefaultThreshold);
}

TEST(VocabularyThresholdsTest, TableEndsAndOrder)
{
    EXPECT_EQ(VocabularyThresholds::Threshold(0), 0.0);
    EXPECT_EQ(VocabularyThresholds::Threshold(1), 111.360763);
    EXPECT_EQ(VocabularyThresholds::Threshold(5), 6.142363749);
    EXPECT_EQ(VocabularyThresholds::Threshold(11), 0.128595482);
    // A bigger vocabulary must gloss fewer words: every step lowers the threshold.
    for (int step = 2; step <= VocabularyThresholds::kLastStep; ++step)
        EXPECT_LT(VocabularyThresholds::Threshold(step), VocabularyThresholds::Threshold(step - 1));
    // Steps outside the slider never read past the table.
    EXPECT_EQ(VocabularyThresholds::Threshold(12), 0.128595482);
    EXPECT_EQ(VocabularyThresholds::Threshold(-1), 0.0);
}

TEST(VocabularyThresholdsTest, LabelCountsTwoThousandWordsAStep)
{
    EXPECT_EQ(VocabularyThresholds::LabelText(1), "当前已经记忆的单词量：2000个");
    EXPECT_EQ(VocabularyThresholds::LabelText(3), "当前已经记忆的单词量：6000个");
    EXPECT_EQ(VocabularyThresholds::LabelText(11), "当前已经记忆的单词量：22000个");
}

}  // namespace
