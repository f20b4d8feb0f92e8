// The reductions tried after Translate's own: each rule on a small table, with the
// words it must leave alone.
#include <gtest/gtest.h>

#include <memory>

#include "CodePage.h"
#include "FurtherReductions.h"
#include "TestDictionary.h"

namespace {

constexpr double kRare = 1.0;
constexpr double kCommon = 100.0;
constexpr double kThreshold = 10.0;

class FurtherReductions : public ::testing::Test {
protected:
    void SetUp() override {
        dic = MakeDictionary({
            {"timid", "胆小的，羞怯的", kRare},
            {"happy", "快乐的，幸福的", kCommon},  // known: its forms are known too
            {"probable", "很可能的", kRare},
            {"tragic", "悲惨的，悲剧的", kRare},
            {"vacant", "空的，空白的", kRare},
            {"dim", "暗淡的，模糊的", kRare},
            {"pale", "苍白的", kRare},
            {"meek", "温顺的", kRare},
            {"shady", "成荫的", kRare},
            {"realize", "实现，认识到", kRare},
            {"analyze", "分析", kRare},
            {"aesthetic", "美学的", kRare},
            {"foetus", "胎儿", kRare},
            {"radius", "半径", kRare},
            {"stratum", "地层", kRare},
            {"larva", "幼虫", kRare},
            {"corn", "玉米", kRare},  // no adjective: -er and -ly find nothing
            {"hold", "握住", kRare},
            {"ju", "柔术的", kRare},   // too short to be a base
            {"ind", "独立的", kRare},  // India is no Latin plural without indum
        });
    }
    std::string Gloss(const char* word) {
        const auto answer = TranslateFurther(*dic, word, kThreshold);
        return answer ? codepage::GbkToUtf8Lossy(answer->gloss) : std::string("none");
    }
    std::unique_ptr<CDicMain> dic;
};

TEST_F(FurtherReductions, EachRuleAndWhereItMustNotFire) {
    struct Case {
        const char* word;
        const char* gloss;
    };
    const Case cases[] = {
        {"timidly", "胆小地，羞怯地"},     // -ly: the adjective's items with 地
        {"happily", ""},                   // -ily: reaches happy, known at this step
        {"probably", "很可能地"},          // -ably
        {"tragically", "悲惨地，悲剧地"},  // -ally
        {"vacantly", "空白地"},            // a one-character stem + 地 is another word
        {"timidness", "胆小，羞怯"},       // -ness: without 的
        {"happiness", ""},
        {"dimmer", "更暗淡的，更模糊的"},  // -er, doubled consonant
        {"paler", "更苍白的"},
        {"meekest", "最温顺的"},  // -est
        {"shadiest", "最成荫的"},
        {"realised", "实现，认识到"},   // -ise spellings go to -ize, then the usual steps
        {"realisation", "none"},        // realization is no entry
        {"analysed", "分析"},           // -yse to -yze
        {"\xC3\xA6sthetic", "美学的"},  // æ
        {"f\xC5\x93tus", "胎儿"},       // œ
        {"radii", "半径"},              // Latin plurals with their singular
        {"strata", "地层"},
        {"larvae", "幼虫"},
        {"india", "none"},
        {"july", "none"},    // ju + ly: too short a base
        {"corner", "none"},  // corn is no adjective
        {"holder", "none"},
        {"holdly", "none"},
        {"pander", "none"},  // no doubled consonant to cut
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Gloss(c.word), c.gloss) << c.word;
    }
}

}  // namespace
