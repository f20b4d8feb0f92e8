// vellumwise-tool define: the card's content on the command line, from dictionary.sqlite.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "RunProgram.h"
#include "TempDir.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";
const std::string kErrorFile = std::filesystem::temp_directory_path() /
                               ("vellumwise-define-test-" + std::to_string(::getpid()) + ".err");

ProgramResult Tool(const std::string& arguments) {
    return RunProgram(Quoted(kTool) + " " + arguments + " 2>" + Quoted(kErrorFile));
}

TEST(DefineTool, PrintsTheEntryOfAnyFormInEachFormat) {
    struct Case {
        const char* arguments;
        const char* expected;  // a line (or part of one) of the output
    };
    for (const Case& c : {
             Case{"define go", "go /gou/\n  vi. 去，走，"},
             Case{"define went", "go /gou/ (went)\n"},
             Case{"define restrictions", "  复数 restrictions\n"},
             Case{"define go", "  中考 高考 雅思 · 柯林斯 ***** · 牛津 3000\n"},
             Case{"define --format tsv go", "go\tgo\tgou\tvi. 去，走，"},
             Case{"define --format json go went", "{\"asked\":\"went\",\"word\":\"go\""},
             Case{"define --format json go", "\"forms\":{\"过去式\":\"went\""},
             Case{"define --format json qzxqzx", "[]\n"},
         }) {
        const ProgramResult result = Tool(c.arguments);
        EXPECT_NE(result.out.find(c.expected), std::string::npos) << c.arguments << "\n"
                                                                  << result.out;
    }
    // Standard input, blanks between the words.
    const ProgramResult piped =
        RunProgram("printf 'mice\\n  happier ' | " + Quoted(kTool) + " define --format tsv -");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(std::count(piped.out.begin(), piped.out.end(), '\n'), 2);
}

TEST(DefineTool, UnknownWordsAndUnreadableDatabasesFailCleanly) {
    TempDir dir;
    const ProgramResult missing = Tool("define qzxqzx go");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("go /gou/"), std::string::npos) << "the known word is still printed";
    EXPECT_NE(ReadFile(kErrorFile).find("qzxqzx: no entry"), std::string::npos);
    for (const std::string& db :
         {dir.Path("none.sqlite"), std::string("/dev/zero"), dir.Root().string()}) {
        const ProgramResult result = Tool("define --db " + Quoted(db) + " go");
        EXPECT_EQ(result.status, 1) << db;
        EXPECT_TRUE(result.out.empty()) << db;
        EXPECT_NE(ReadFile(kErrorFile).find("完整词条不可用"), std::string::npos) << db;
    }
    EXPECT_EQ(Tool("define --format xml go").status, 2);
    EXPECT_EQ(Tool("define --bogus").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("none.sqlite")));
    std::filesystem::remove(kErrorFile);
}

}  // namespace
