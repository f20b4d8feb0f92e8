// vellumwise-tool known, wordbook and gloss over the reader's own files.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "ReadFileBytes.h"
#include "RunProgram.h"
#include "WordBook.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";

class PersonalTool : public StartedDocument {
protected:
    ProgramResult Run(const std::string& arguments) {
        return RunProgram("XDG_DATA_HOME=" + Quoted(m_dir.Path("data")) + " " + Quoted(kTool) +
                          " " + arguments + " 2>" + Quoted(m_dir.Path("err")));
    }
    std::string Dic() const { return " --dic " + Quoted(m_dir.Path("main.dic")) + " "; }
    std::string Folder() const { return m_dir.Path("data/vellumwise"); }
};

TEST_F(PersonalTool, KnownImportReportsAndGlossAppliesTheListUnlessTold) {
    const std::string text = WriteText("t.txt", "An apple, a clock.");
    const std::string before = Run("gloss --format text" + Dic() + Quoted(text)).out;
    EXPECT_EQ(before, "An apple[苹果], a clock[钟].\n");

    const std::string list = WriteText("list.csv", "word,x\nApple,1\nzyzzyva,2\napple,3\n");
    ProgramResult result = Run("known import" + Dic() + Quoted(list));
    ASSERT_EQ(result.status, 0) << ReadFile(m_dir.Path("err"));
    EXPECT_EQ(result.out, "added 1, already there 0, not in dictionary 2, not words 0\n");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), "apple\n");
    EXPECT_EQ(Run("known import" + Dic() + Quoted(list)).out,
              "added 0, already there 1, not in dictionary 2, not words 0\n");

    EXPECT_EQ(Run("gloss --format text" + Dic() + Quoted(text)).out, "An apple, a clock[钟].\n");
    EXPECT_EQ(Run("gloss --no-personal --format text" + Dic() + Quoted(text)).out, before);
}

TEST_F(PersonalTool, WordbookExportWritesBothFormatsAndKeepsTheBook) {
    WordBook book;
    book.entries = {{"apple", "苹果", "An apple, \"red\".", "t.txt", "2026-01-02"}};
    ASSERT_EQ(SaveWordBook(Folder(), book), "");
    const std::string kept = *ReadFileBytes(Folder() + "/wordbook.tsv");

    ASSERT_EQ(Run("wordbook export --csv " + Quoted(m_dir.Path("out.csv"))).status, 0);
    EXPECT_EQ(*ReadFileBytes(m_dir.Path("out.csv")), ExportCsv(book.entries));
    ASSERT_EQ(Run("wordbook export --anki " + Quoted(m_dir.Path("out.txt"))).status, 0);
    EXPECT_EQ(*ReadFileBytes(m_dir.Path("out.txt")), ExportAnki(book.entries));

    // An export that cannot be written fails and leaves the book as it was.
    EXPECT_EQ(Run("wordbook export --csv " + Quoted(m_dir.Path("no/such/dir/x.csv"))).status, 1);
    EXPECT_NE(ReadFile(m_dir.Path("err")).find("x.csv"), std::string::npos);
    EXPECT_EQ(*ReadFileBytes(Folder() + "/wordbook.tsv"), kept);
    EXPECT_EQ(Run("wordbook export --tsv x").status, 2);
}

}  // namespace
