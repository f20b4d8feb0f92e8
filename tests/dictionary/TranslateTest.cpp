// Word lookup: the step order of the reductions, the glossaries and their switches.
#include <gtest/gtest.h>

#include <memory>

#include "CDicMain.h"
#include "TestDictionary.h"

namespace {

constexpr double kRare = 1.0;      // below the test threshold: glossed
constexpr double kCommon = 100.0;  // above it: known
constexpr double kThreshold = 10.0;

class TranslateTest : public ::testing::Test {
protected:
    void SetUp() override {
        dic = MakeDictionary({
            {"walk", "WALK", kRare},
            {"make", "MAKE", kRare},
            {"book", "BOOK", kRare},
            {"use", "USE", kRare},
            {"hop", "HOP", kRare},
            {"hope", "HOPE", kRare},
            {"carry", "CARRY", kRare},
            {"box", "BOX", kRare},
            {"city", "CITY", kRare},
            {"go", "GO", kCommon},
            {"swim", "SWIM", kRare},
            {"lie", "LIE", kRare},
            {"abdomen", "ABDOMEN", kCommon},
            {"sing", "SING", kRare},
            {"s", "S", kRare},
            {"bus", "BUS", kCommon},
            {"zircons", "", kRare},  // an entry with an empty gloss
        });
    }
    std::string Translate(const char* word, bool medical = false, bool science = false) {
        return dic->Translate(word, kThreshold, medical, science);
    }
    std::unique_ptr<CDicMain> dic;
};

TEST_F(TranslateTest, StepOrder) {
    struct Case {
        const char* word;
        const char* gloss;
    };
    const Case cases[] = {
        {"", ""},
        {"w", ""},
        {"walk", "WALK"},      // 1: the word itself
        {"went", ""},          // 2: irregular base "go" is known
        {"swam", "SWIM"},      // 2: irregular base is rare
        {"lay", "LIE"},        // 2: the past of lie, not the verb lay
        {"walking", "WALK"},   // 3
        {"making", "MAKE"},    // 4
        {"singing", "SING"},   // 3 finds sing
        {"books", "BOOK"},     // 5
        {"walked", "WALK"},    // 6
        {"used", "USE"},       // 7
        {"hoped", "HOP"},      // 6 before 7, though hope fits better: the rules keep their order
        {"carried", "CARRY"},  // 8
        {"boxes", "BOX"},      // 9 after "boxe" (5) and "box" (6 does not apply)
        {"cities", "CITY"},    // 10 after citie (5) and citi (9)
        {"xs", ""},            // 5 with the candidate "x": empty, no glossary
        {"ed", ""},            // 6 with the empty candidate
        {"ing", ""},           // 3 with the empty candidate
        {"buses", ""},         // 5 "buse" unknown, 9 "bus" known
        {"zircons", ""},       // found with an empty gloss: that is the answer
        {"unheard", ""},
        {"Walk", ""},  // upper case is never found
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(Translate(c.word), c.gloss);
    }
}

TEST_F(TranslateTest, Glossaries) {
    // Only an enabled glossary answers, whatever the threshold.
    EXPECT_EQ(Translate("zirconium"), "");
    EXPECT_EQ(Translate("zirconium", false, true), "\357\257");
    EXPECT_EQ(dic->Translate("zirconium", 0.0, false, true), "\357\257");
    EXPECT_EQ(Translate("zirconium", true, false), "");
    // Science is consulted before medical.
    EXPECT_EQ(Translate("zircon", true, true), "science zircon");
    EXPECT_EQ(Translate("zircon", true, false), "medical zircon");
    EXPECT_EQ(Translate("morning-glory", true, true), "\307\243\305\243\273\250");
    // A dictionary word the reader knows is never glossed from a glossary.
    EXPECT_EQ(Translate("abdomen", true, true), "");
    // Glossaries are asked with the unreduced word.
    EXPECT_EQ(Translate("zirconiums", true, true), "");
    // Duplicate term: the earlier row.
    EXPECT_EQ(Translate("abrasion", true, false), "\262\301\311\313");
}

TEST_F(TranslateTest, ThresholdAppliesToTheEntryFound) {
    EXPECT_EQ(dic->Translate("walked", kRare, false, false), "");  // equal: known
    EXPECT_EQ(dic->Translate("walked", 1.0000000000000002, false, false), "WALK");
    // "going" reaches "go" by dropping "ing"; its score decides, not the word's.
    EXPECT_EQ(dic->Translate("going", kThreshold, false, false), "");
    EXPECT_EQ(dic->Translate("going", kCommon + 1, false, false), "GO");
}

}  // namespace
