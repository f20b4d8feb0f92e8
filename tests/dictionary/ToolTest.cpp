// vellumwise-tool dic2tsv / tsv2dic, run as the maintainer runs them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "RunProgram.h"
#include "TempDir.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";

// Standard error goes to a file of this process's own, so parallel test runs never mix.
const std::string kErrorFile = std::filesystem::temp_directory_path() /
                               ("vellumwise-tool-test-" + std::to_string(::getpid()) + ".err");

ProgramResult Tool(const std::string& arguments) {
    return RunProgram(Quoted(kTool) + " " + arguments + " 2>" + Quoted(kErrorFile));
}

std::string LastError() { return ReadFile(kErrorFile); }

TEST(Tool, Tsv2DicThenDic2TsvReproducesTheList) {
    TempDir dir;
    const std::string tsv =
        "a\t\t1000.0\n"
        "apple\t苹果，苹果树\t12.5\n"
        "book\t书\t0.128595482\n"
        "o'clock\t点钟\t1e-05\n"
        "x-ray\tX光\t-3.0\n"
        "zoo\t动物园\t111.360763\n";
    WriteFile(dir.Path("in.tsv"), "# a comment line\n\n" + tsv);
    ASSERT_EQ(
        Tool("tsv2dic " + Quoted(dir.Path("in.tsv")) + " " + Quoted(dir.Path("out.dic"))).status, 0)
        << LastError();
    const ProgramResult back = Tool("dic2tsv " + Quoted(dir.Path("out.dic")));
    EXPECT_EQ(back.status, 0) << LastError();
    EXPECT_EQ(back.out, tsv);
}

TEST(Tool, BadInputWritesNothing) {
    TempDir dir;
    WriteFile(dir.Path("out.dic"), "old");
    struct Case {
        const char* name;
        std::string tsv;
        const char* error;
    };
    const Case cases[] = {
        {"two fields", "apple\t苹果\t1.0\nbook\t书\n", "line 2:"},
        {"bad number", "apple\t苹果\t1.0x\n", "line 1:"},
        {"empty word", "# c\n\t苹果\t1.0\n", "line 2:"},
        {"no GBK for it", "apple\t苹果\t1.0\nsmile\t\xF0\x9F\x98\x80\t2.0\n", "line 2: \"smile\""},
        {"no TAB", "apple\t苹果\t1.0\nbook\n", "line 2: expected 3 tab-separated fields, found 1"},
        {"GBK, not UTF-8", "apple\t\xC6\xBB\xB9\xFB\t1.0\n", "line 1: not valid UTF-8"},
        {"a NUL byte", std::string("apple\t苹果\t1.0\nb\0ok\t书\t2\n", 28), "line 2: a NUL byte"},
        {"nothing but comments", "# header\n\n", "the file holds no entries"},
        {"empty", "", "the file holds no entries"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.Path("in.tsv"), c.tsv);
        EXPECT_EQ(Tool("tsv2dic " + Quoted(dir.Path("in.tsv")) + " " + Quoted(dir.Path("out.dic")))
                      .status,
                  1);
        EXPECT_NE(LastError().find(c.error), std::string::npos) << LastError();
        EXPECT_EQ(ReadFile(dir.Path("out.dic")), "old");
    }
    EXPECT_EQ(
        Tool("tsv2dic " + Quoted(dir.Path("missing.tsv")) + " " + Quoted(dir.Path("x.dic"))).status,
        1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.dic")));
    EXPECT_EQ(Tool("dic2tsv " + Quoted(dir.Path("in.tsv"))).status, 1);  // not a dictionary
}

TEST(Tool, Tsv2DicNeverWritesItsOutputOverItsInput) {
    TempDir dir;
    const std::string tsv = "apple\t苹果\t12.5\n";
    WriteFile(dir.Path("x.tsv"), tsv);
    std::filesystem::create_symlink(dir.Path("x.tsv"), dir.Path("link.dic"));
    for (const std::string& out : {dir.Path("x.tsv"), dir.Path("link.dic"),
                                   dir.Path("../" + dir.Root().filename().string() + "/x.tsv")}) {
        EXPECT_EQ(Tool("tsv2dic " + Quoted(dir.Path("x.tsv")) + " " + Quoted(out)).status, 2)
            << out;
        EXPECT_NE(LastError().find("is the input file"), std::string::npos) << LastError();
        EXPECT_EQ(ReadFile(dir.Path("x.tsv")), tsv);
    }
}

// A save cut short by the file-size limit fails like a full disk: a message, status 1,
// the old file whole and no temporary left, where SIGXFSZ would kill the tool mid-save.
TEST(Tool, Tsv2DicUnderAFileSizeLimitFailsCleanly) {
    TempDir dir;
    std::string tsv;
    for (int i = 0; i < 200; ++i) {
        tsv += "word" + std::to_string(i) + "\t词\t1.0\n";
    }
    WriteFile(dir.Path("in.tsv"), tsv);
    WriteFile(dir.Path("out.dic"), "old");
    // ulimit -f counts 512-byte blocks: the dictionary needs several.
    const ProgramResult result =
        RunProgram("ulimit -f 1; " + Quoted(kTool) + " tsv2dic " + Quoted(dir.Path("in.tsv")) +
                   " " + Quoted(dir.Path("out.dic")) + " 2>" + Quoted(kErrorFile));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(LastError().find("File too large"), std::string::npos) << LastError();
    EXPECT_EQ(ReadFile(dir.Path("out.dic")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 2);
}

TEST(Tool, Usage) {
    EXPECT_EQ(Tool("").status, 2);
    EXPECT_EQ(Tool("frobnicate").status, 2);
    EXPECT_EQ(Tool("dic2tsv").status, 2);
    EXPECT_EQ(Tool("tsv2dic only-one").status, 2);
    const ProgramResult help = Tool("dic2tsv --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: vellumwise-tool dic2tsv"), std::string::npos);
    EXPECT_EQ(Tool("tsv2dic --help").status, 0);
    EXPECT_EQ(Tool("--help").status, 0);
}

}  // namespace
