// vellumwise-tool gloss and tag with the shipped main.dic, tagger.dat and senses.dat:
// the context switches and the column that says what chose a gloss.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ReadFileBytes.h"
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
// Words rarer than "wind", glossed at step 1: "heap" is glossed 堆积 (its verb) first, then
// the first sense of its noun line.
const std::string kRare = "They heap the plates high, and the heap of stones fell.\n";

TEST(ContextTool, WhyNamesWhatChoseEachGlossAndNoContextGivesTheEntries) {
    const ProgramResult why = Tool("gloss --level 1 --no-personal --why", kRare);
    ASSERT_EQ(why.status, 0) << why.out;
    EXPECT_NE(why.out.find("\theap\t堆积，装满，堆\tentry\n"), std::string::npos) << why.out;
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

// A text about chemistry (a passage written for the tests, and one sentence more):
// "condensation" leads with its chemistry sense, and says so; the switches that turn
// the context off turn the subject off with it.
TEST(ContextTool, WhySaysSubjectInATextOfOneAndTheSwitchesTurnItOff) {
    const auto passage =
        ReadFileBytes(std::string(VELLUMWISE_FIXTURES_DIR) + "/subjects/chemistry.txt");
    ASSERT_TRUE(passage);
    const std::string text =
        *passage + "\nThe condensation of steam on a cold flask gives drops.\n";
    const ProgramResult why = Tool("gloss --no-personal --why", text);
    ASSERT_EQ(why.status, 0) << why.out;
    EXPECT_NE(why.out.find("\tcondensation\t冷凝，压缩，凝缩\tsubject\n"), std::string::npos)
        << why.out;
    for (const char* off : {"--no-context", "--original"}) {
        const ProgramResult plain = Tool(std::string("gloss --no-personal --why ") + off, text);
        ASSERT_EQ(plain.status, 0) << plain.out;
        EXPECT_EQ(plain.out.find("\tsubject\n"), std::string::npos) << off;
    }
    // The sentence alone is about no subject: glossed as ever.
    const ProgramResult alone = Tool("gloss --no-personal --why",
                                     "The condensation of steam on a cold flask gives drops.\n");
    EXPECT_EQ(alone.out.find("\tsubject\n"), std::string::npos) << alone.out;
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

TEST(ContextTool, PhrasesAreGlossedAsOneAndEverySwitchTurnsThemOff) {
    // "by no means" is glossed whatever the step; "lieu" is glossed at step 3.
    const std::string text = "He was by no means rich, and came in lieu of his brother.\n";
    const ProgramResult why = Tool("gloss --level 3 --no-personal --why", text);
    ASSERT_EQ(why.status, 0) << why.out;
    EXPECT_NE(why.out.find("\tby\t决不\tphrase\n"), std::string::npos) << why.out;
    EXPECT_NE(why.out.find("\tlieu\t作为…的替代，代替\tphrase\n"), std::string::npos) << why.out;
    for (const char* off : {"--no-context", "--original"}) {
        const ProgramResult plain = Tool(std::string("gloss --level 3 --why ") + off, text);
        ASSERT_EQ(plain.status, 0) << plain.out;
        EXPECT_EQ(plain.out.find("phrase"), std::string::npos) << off << plain.out;
        EXPECT_NE(plain.out.find("\tlieu\t场所\tentry\n"), std::string::npos) << off << plain.out;
    }
}

TEST(ContextTool, ADamagedPhraseFileIsSaidOnceAndTheSensesStillChosen) {
    const std::string bin = VELLUMWISE_BIN_DIR;
    TempDir dir;
    for (const char* file : {"main.dic", "tagger.dat", "senses.dat"}) {
        std::filesystem::copy_file(bin + "/" + file, dir.Path(file));
    }
    std::string phrases = ReadFile(bin + "/phrases.dat");
    phrases[phrases.size() / 3] = static_cast<char>(phrases[phrases.size() / 3] ^ 0x20);
    WriteFile(dir.Path("phrases.dat"), phrases);
    const ProgramResult damaged =
        Tool("gloss --level 1 --no-personal --why --dic " + Quoted(dir.Path("main.dic")),
             kRare + "He was by no means rich.\n");
    ASSERT_EQ(damaged.status, 0) << damaged.out;
    const std::size_t said = damaged.out.find("phrases.dat");
    EXPECT_NE(said, std::string::npos) << damaged.out;
    EXPECT_EQ(said, damaged.out.rfind("phrases.dat")) << damaged.out;
    EXPECT_NE(damaged.out.find("\tpart of speech\n"), std::string::npos) << damaged.out;
    EXPECT_EQ(damaged.out.find("\tphrase\n"), std::string::npos) << damaged.out;
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
