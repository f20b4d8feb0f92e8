// vellumwise-tool known, wordbook and gloss over the reader's own files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DictionaryFile.h"
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
    EXPECT_EQ(result.out,
              "took 4 rows: added 1, already there 0, not in dictionary 2, not words 0\n");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), "apple\n");
    EXPECT_EQ(Run("known import" + Dic() + Quoted(list)).out,
              "took 4 rows: added 0, already there 1, not in dictionary 2, not words 0\n");

    EXPECT_EQ(Run("gloss --format text" + Dic() + Quoted(text)).out, "An apple, a clock[钟].\n");
    // The word book's own CSV comes back without its header taken for a word.
    const std::string own =
        WriteText("own.csv", ExportCsv({{"clock", "钟", "A clock.", "t.txt", "2026-01-02"}}));
    EXPECT_EQ(Run("known import" + Dic() + Quoted(own)).out,
              "took 1 row (the header row skipped): added 1, already there 0, not in dictionary 0, "
              "not words 0\n");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), "apple\nclock\n");
    EXPECT_EQ(Run("known import" + Dic() + Quoted(list)).out.substr(0, 12), "took 4 rows:");
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
    // Tagged with the book and the exams whose lists have the word (中考 and 高考 for apple).
    EXPECT_EQ(*ReadFileBytes(m_dir.Path("out.txt")), ExportAnki(book.entries, [](std::string_view) {
        return std::vector<std::string>{"中考", "高考"};
    }));

    // An export that cannot be written fails and leaves the book as it was.
    EXPECT_EQ(Run("wordbook export --csv " + Quoted(m_dir.Path("no/such/dir/x.csv"))).status, 1);
    EXPECT_NE(ReadFile(m_dir.Path("err")).find("x.csv"), std::string::npos);
    EXPECT_EQ(*ReadFileBytes(Folder() + "/wordbook.tsv"), kept);
    EXPECT_EQ(Run("wordbook export --tsv x").status, 2);
}

// ---- The reader's files tried as a hostile user, a careless script and a second writer ----

namespace {

// A dictionary of `count` made-up words "waa", "wab", ..., written to `path`.
std::vector<std::string> WriteWordsDictionary(const std::string& path, int count) {
    std::vector<std::string> words;
    std::vector<DictionaryRow> rows;
    for (int i = 0; i < count; ++i) {
        words.push_back(
            std::string{'w', static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26)});
        rows.push_back({words.back(), "词", 1.0});
    }
    CDicMain dic;
    FillDictionary(dic, rows);
    EXPECT_TRUE(SaveDictionaryFile(dic, path).Ok());
    return words;
}

}  // namespace

TEST_F(PersonalTool, ALinkPlantedAtAListOrTheBookIsNeitherReadNorWrittenThrough) {
    std::filesystem::create_directories(Folder());
    WriteFile(m_dir.Path("secret"), "apple\npassword: hunter2\n");
    for (const char* name : {"known-words.txt", "wordbook.tsv"}) {
        std::filesystem::create_symlink(m_dir.Path("secret"), Folder() + "/" + name);
    }
    const std::string list = WriteText("list.txt", "clock\n");
    EXPECT_NE(Run("known import" + Dic() + Quoted(list)).status, 0);
    EXPECT_NE(ReadFile(m_dir.Path("err")).find("符号链接"), std::string::npos)
        << ReadFile(m_dir.Path("err"));
    EXPECT_NE(Run("wordbook export --csv " + Quoted(m_dir.Path("out.csv"))).status, 0);
    EXPECT_EQ(ReadFile(m_dir.Path("secret")), "apple\npassword: hunter2\n");
    EXPECT_TRUE(std::filesystem::is_symlink(Folder() + "/known-words.txt"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path("out.csv")));
}

TEST_F(PersonalTool, AFolderOthersMayWriteIsRefusedWithAClearMessage) {
    std::filesystem::create_directories(Folder());
    ::chmod(Folder().c_str(), 0777);
    const std::string list = WriteText("list.txt", "clock\n");
    EXPECT_NE(Run("known import" + Dic() + Quoted(list)).status, 0);
    EXPECT_NE(ReadFile(m_dir.Path("err")).find("别的用户也能写入"), std::string::npos)
        << ReadFile(m_dir.Path("err"));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "/known-words.txt"));
}

TEST_F(PersonalTool, AListThatCannotBeReadIsNeverWrittenAndTheToolFails) {
    // A list the tool cannot read, even as root: over the read limit (sparse).
    std::filesystem::create_directories(Folder());
    std::filesystem::resize_file(WriteText("data/vellumwise/known-words.txt", ""),
                                 std::uintmax_t{3} << 30);
    const std::string list = WriteText("list.txt", "clock\n");
    const ProgramResult result = Run("known import" + Dic() + Quoted(list));
    EXPECT_NE(result.status, 0);
    const std::string err = ReadFile(m_dir.Path("err"));
    EXPECT_NE(err.find("known-words.txt"), std::string::npos) << err;
    EXPECT_EQ(std::filesystem::file_size(Folder() + "/known-words.txt"), std::uintmax_t{3} << 30);
}

TEST_F(PersonalTool, TwoImportLoopsAtOnceKeepEveryWord) {
    const std::string dic = m_dir.Path("words.dic");
    const std::vector<std::string> words = WriteWordsDictionary(dic, 100);
    std::string loops[2];
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string file = WriteText(words[i] + ".txt", words[i] + "\n");
        loops[i % 2] += Quoted(kTool) + " known import --dic " + Quoted(dic) +
                        " --supplement none " + Quoted(file) + " >/dev/null || exit 1; ";
    }
    const ProgramResult result =
        RunProgram("export XDG_DATA_HOME=" + Quoted(m_dir.Path("data")) + "; (" + loops[0] +
                   ") & first=$!; (" + loops[1] + ") & second=$!; wait $first && wait $second");
    ASSERT_EQ(result.status, 0);
    const std::string expected = [&] {
        std::string all;
        for (const std::string& word : words) {
            all += word + "\n";
        }
        return all;
    }();
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), expected);
}

TEST_F(PersonalTool, ExportsGoToStandardOutputDevicesAndFilesButNotThroughLinks) {
    WordBook book;
    book.entries = {{"apple", "苹果", "=HYPERLINK(\"x\")", "t.txt", "2026-01-02"}};
    ASSERT_EQ(SaveWordBook(Folder(), book), "");
    const std::string csv = ExportCsv(book.entries);

    // `--csv /dev/stdout >> log` once replaced the log: a link is refused, "-" appends.
    const std::string log = WriteText("log", "earlier lines\n");
    EXPECT_NE(Run("wordbook export --csv /dev/stdout >> " + Quoted(log)).status, 0);
    EXPECT_EQ(ReadFile(log), "earlier lines\n");
    EXPECT_EQ(Run("wordbook export --csv - >> " + Quoted(log)).status, 0);
    EXPECT_EQ(ReadFile(log), "earlier lines\n" + csv);
    EXPECT_EQ(Run("wordbook export --csv -").out, csv);

    EXPECT_EQ(Run("wordbook export --csv /dev/null").status, 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    std::filesystem::create_symlink(log, m_dir.Path("link.csv"));
    EXPECT_NE(Run("wordbook export --csv " + Quoted(m_dir.Path("link.csv"))).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.Path("link.csv")));
}

}  // namespace
