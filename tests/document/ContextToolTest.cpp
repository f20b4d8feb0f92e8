// vellumwise-tool gloss and tag with the shipped main.dic, tagger.dat and senses.dat:
// the context switches and the column that says what chose a gloss.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RunProgram.h"
#include "TempDir.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";

ProgramResult Tool(const std::string& arguments, const std::string& text) {
    TempDir dir;
    WriteFile(dir.Path("in.txt"), text);
    return RunProgram(Quoted(kTool) + " " + arguments + " " + Quoted(dir.Path("in.txt")) + " 2>&1");
}

const std::string kText = "She wound the clock and then dressed the wound.\n";
// Words rarer than "wind", glossed at step 1: "heap" is glossed 堆积 (its verb) first.
const std::string kRare = "They heap the plates high, and the heap of stones fell.\n";

TEST(ContextTool, WhyNamesWhatChoseEachGlossAndNoContextGivesTheEntries) {
    const ProgramResult why = Tool("gloss --level 1 --no-personal --why", kRare);
    ASSERT_EQ(why.status, 0) << why.out;
    EXPECT_NE(why.out.find("\theap\t堆积，装满，许多\tentry\n"), std::string::npos) << why.out;
    EXPECT_NE(why.out.find("\theap\t堆，"), std::string::npos) << why.out;
    EXPECT_NE(why.out.find("\tpart of speech\n"), std::string::npos) << why.out;

    const ProgramResult plain = Tool("gloss --level 1 --no-personal --no-context --why", kRare);
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_EQ(plain.out.find("\tpart of speech\n"), std::string::npos) << plain.out;
    // Without --why the lines keep their four columns.
    const ProgramResult four = Tool("gloss --level 1 --no-personal", kRare);
    EXPECT_EQ(four.out.find("part of speech"), std::string::npos);
    EXPECT_EQ(four.out.find("\tentry"), std::string::npos);
}

TEST(ContextTool, OriginalTurnsOffEveryAdditionAtOnce) {
    const std::string text = "Then Apple came, and Apple said: she wound the clock.\n";
    const ProgramResult original = Tool("gloss --level 1 --original", text);
    const ProgramResult spelled =
        Tool("gloss --level 1 --names --supplement none --no-personal --no-context", text);
    ASSERT_EQ(original.status, 0) << original.out;
    EXPECT_EQ(original.out, spelled.out);
    EXPECT_NE(original.out, Tool("gloss --level 1", text).out);
}

TEST(ContextTool, TagPrintsEachWordsClass) {
    const ProgramResult tagged = Tool("tag", kText);
    ASSERT_EQ(tagged.status, 0) << tagged.out;
    EXPECT_NE(tagged.out.find("wound\tVBD\tVERB\n"), std::string::npos) << tagged.out;
    EXPECT_NE(tagged.out.find("wound\tNN\tNOUN\n"), std::string::npos) << tagged.out;
    // A damaged tagger file is refused with its name.
    TempDir dir;
    WriteFile(dir.Path("tagger.dat"), "VWTAGGER1\nbroken");
    const ProgramResult damaged = Tool("tag --tagger " + Quoted(dir.Path("tagger.dat")), kText);
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.out.find("tagger.dat"), std::string::npos) << damaged.out;
}

}  // namespace
