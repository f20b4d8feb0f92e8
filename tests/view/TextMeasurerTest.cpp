// The reading font's measurer shares a large batch of new tokens between threads;
// every width must be the one it gives a token measured alone.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "QtReadingFont.h"
#include "QtTextMeasurer.h"

namespace {

// Thousands of distinct tokens of the kinds a book holds: words in three spellings,
// ligature pairs, punctuation, Chinese, the empty token and one unbroken 20 KB word.
std::vector<std::string> ManyTokens() {
    std::vector<std::string> tokens = {"",
                                       "office",
                                       "fluffy",
                                       "AVATAR",
                                       "\xe2\x80\x9c",
                                       "\xe4\xbd\xa0\xe5\xa5\xbd",
                                       std::string(20000, 'w')};
    const char* const stems[] = {"word", "Word", "WORD", "fin", "Tea", "wave"};
    for (int i = 0; tokens.size() < 6000; ++i) {
        tokens.push_back(stems[i % 6] + std::to_string(i));
    }
    return tokens;
}

TEST(TextMeasurer, ABatchOnThreadsMeasuresAsOneAtATime) {
    const QFont font = ToQFont(ReadingFont{});
    const std::vector<std::string> tokens = ManyTokens();

    QtTextMeasurer alone(font, 20);
    std::vector<int> expected;
    for (const std::string& token : tokens) {
        expected.push_back(alone.TokenWidth(token));
    }

    QtTextMeasurer batched(font, 20);
    // Some tokens known before the batch, and every token asked twice in it.
    for (std::size_t i = 0; i < tokens.size(); i += 7) {
        batched.TokenWidth(tokens[i]);
    }
    std::vector<std::string_view> batch;
    for (int round = 0; round < 2; ++round) {
        batch.insert(batch.end(), tokens.begin(), tokens.end());
    }
    std::vector<int> widths(batch.size(), -1);
    batched.TokenWidths(batch, widths);
    for (std::size_t i = 0; i < batch.size(); ++i) {
        ASSERT_EQ(widths[i], expected[i % tokens.size()]) << batch[i].substr(0, 20);
    }
    EXPECT_EQ(batched.DistinctTokens(), tokens.size());
    // And the widths stay known afterwards.
    EXPECT_EQ(batched.TokenWidth(tokens[1]), expected[1]);
    EXPECT_EQ(batched.DistinctTokens(), tokens.size());
}

}  // namespace
