// vellumwise-tool lookup: why a word is or is not glossed, and the supplement
// options gloss and lookup share.
#include <gtest/gtest.h>

#include <string>

#include "CArchive.h"
#include "DocumentFixture.h"
#include "RunProgram.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";

class LookupTool : public StartedDocument {
protected:
    LookupTool() {
        CDicMain supplement;
        FillDictionary(supplement, {{"fastidious", "挑剔的", 0.05}, {"apple", "另一个", 0.01}});
        EXPECT_TRUE(SaveDictionaryFile(supplement, m_dir.Path("supplement.dic")).Ok());
    }
    ProgramResult Run(const std::string& command, const std::string& arguments) {
        return RunProgram(Quoted(kTool) + " " + command + " --dic " +
                          Quoted(m_dir.Path("main.dic")) + " " + arguments + " 2>" +
                          Quoted(m_dir.Path("err")));
    }
    std::string LastError() { return ReadFile(m_dir.Path("err")); }
};

TEST_F(LookupTool, PrintsTheEntryReachedItsFileScoreGlossAndWhetherTheStepGlossesIt) {
    const ProgramResult result = Run("lookup", "Apple books fastidious xyz well");
    ASSERT_EQ(result.status, 0) << LastError();
    EXPECT_EQ(result.out,
              "Apple\tapple\tmain\t12.5\t苹果\tyes\n"
              "books\tbook\tmain\t50.0\t书\tno\n"
              "fastidious\tfastidious\tsupplement\t0.05\t挑剔的\tyes\n"
              "xyz\t\t\t\t\tno\n"
              "well\twell\tmain\t500.0\t好\tno\n");
}

TEST_F(LookupTool, AFormTheFurtherReductionsReachShowsItsBaseAndTheDerivedGloss) {
    EXPECT_EQ(Run("lookup", "fastidiously fastidiousness july").out,
              "fastidiously\tfastidious\tsupplement\t0.05\t挑剔地\tyes\n"
              "fastidiousness\tfastidious\tsupplement\t0.05\t挑剔\tyes\n"
              "july\t\t\t\t\tno\n");
}

TEST_F(LookupTool, LevelDecidesTheLastColumn) {
    EXPECT_EQ(Run("lookup", "--level 1 clock").out, "clock\tclock\tmain\t2.0\t钟\tyes\n");
    EXPECT_EQ(Run("lookup", "--level 11 clock").out, "clock\tclock\tmain\t2.0\t钟\tno\n");
}

TEST_F(LookupTool, ReadsStandardInputWithoutWordsOrWithADash) {
    const std::string input = Quoted(WriteText("words.txt", "clock\n  apple\tfact\n"));
    for (const std::string& arguments : {"< " + input, "- < " + input}) {
        SCOPED_TRACE(arguments);
        const ProgramResult result = Run("lookup", arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out,
                  "clock\tclock\tmain\t2.0\t钟\tyes\n"
                  "apple\tapple\tmain\t12.5\t苹果\tyes\n"
                  "fact\tfact\tmain\t3.0\t事实\tyes\n");
    }
}

TEST_F(LookupTool, SupplementOptionNamesAnotherFileOrNone) {
    EXPECT_EQ(Run("lookup", "--supplement none fastidious").out, "fastidious\t\t\t\t\tno\n");
    CDicMain other;
    FillDictionary(other, {{"impertinent", "无礼的", 0.04}});
    ASSERT_TRUE(SaveDictionaryFile(other, m_dir.Path("other.dic")).Ok());
    EXPECT_EQ(
        Run("lookup", "--supplement " + Quoted(m_dir.Path("other.dic")) + " impertinent fastidious")
            .out,
        "impertinent\timpertinent\tsupplement\t0.04\t无礼的\tyes\n"
        "fastidious\t\t\t\t\tno\n");
    // gloss loads it the same way.
    const std::string text = Quoted(WriteText("in.txt", "fastidious"));
    EXPECT_EQ(Run("gloss", text).out, "0\t0\tfastidious\t挑剔的\n");
    EXPECT_EQ(Run("gloss", "--supplement none " + text).out, "0\t0\tfastidious\t\n");
}

TEST_F(LookupTool, ADamagedSupplementIsReportedAndMainDicStillAnswers) {
    WriteFile(m_dir.Path("supplement.dic"), "not a dictionary");
    const ProgramResult result = Run("lookup", "apple fastidious");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "apple\tapple\tmain\t12.5\t苹果\tyes\nfastidious\t\t\t\t\tno\n");
    EXPECT_NE(LastError().find(m_dir.Path("supplement.dic")), std::string::npos) << LastError();
    // A supplement named but absent is reported too; the default one may be absent.
    EXPECT_EQ(Run("lookup", "--supplement " + Quoted(m_dir.Path("none.dic")) + " apple").status, 0);
    EXPECT_NE(LastError().find("none.dic"), std::string::npos);
}

TEST_F(LookupTool, BadUsageExitsTwoWithTheUsage) {
    for (const std::string& arguments :
         {std::string("--fast apple"), std::string("apple --level"), std::string("--supplement")}) {
        SCOPED_TRACE(arguments);
        const ProgramResult result = Run("lookup", arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(LastError().find("usage: vellumwise-tool lookup"), std::string::npos);
    }
    const ProgramResult level = Run("lookup", "--level 0 apple");
    EXPECT_EQ(level.status, 1);
    EXPECT_NE(LastError().find("level"), std::string::npos);
}

}  // namespace
