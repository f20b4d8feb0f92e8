// The word book: appending from the page, cutting the sentence, and both exports.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "DocumentFixture.h"
#include "ReadFileBytes.h"
#include "WordBook.h"

namespace {

const WordBookEntry kTricky{"apple", "苹果", "He said, \"an apple\"\nthen left.", "a,b.txt",
                            "2026-01-02"};

TEST(WordBookFile, RoundTripsTabsNewlinesAndBackslashesAndKeepsOddLines) {
    WordBook book;
    book.entries = {kTricky, {"fact", "事\t实", "a \\n b\r", "", "2026-01-03"}};
    book.otherLines = {"not an entry"};
    const std::string bytes = FormatWordBook(book);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);
    const WordBook read = ParseWordBook(bytes);
    EXPECT_EQ(read.entries, book.entries);
    EXPECT_EQ(read.otherLines, book.otherLines);
}

TEST(WordBookExport, CsvQuotesCommasQuotesAndNewlines) {
    EXPECT_EQ(ExportCsv({kTricky}),
              "\xEF\xBB\xBF"
              "word,gloss,sentence,source,date\r\n"
              "apple,苹果,\"He said, \"\"an apple\"\"\nthen left.\",\"a,b.txt\",2026-01-02\r\n");
}

TEST(WordBookExport, CsvCellsThatASpreadsheetWouldRunAsFormulasAreText) {
    const WordBookEntry entry{"-ish", "=1+1", "@SUM(A1), then", "+x.txt", "2026-01-02"};
    EXPECT_EQ(ExportCsv({entry}),
              "\xEF\xBB\xBF"
              "word,gloss,sentence,source,date\r\n"
              "'-ish,'=1+1,\"'@SUM(A1), then\",'+x.txt,2026-01-02\r\n");
}

TEST(WordBookExport, AnkiFrontHasTheWordAndTheSentenceWithTheWordInBold) {
    const WordBookEntry entry{"run", "跑 <v.>", "Run, he runs & rerun: RUN\tnow", "", ""};
    EXPECT_EQ(ExportAnki({entry}),
              "#separator:tab\n#html:true\n"
              "<b>run</b><br><br><b>Run</b>, he runs &amp; rerun: <b>RUN</b> now\t跑 &lt;v.&gt;\n");
}

TEST(WordBookSentence, CutsLongParagraphsAroundTheWordAtSpaces) {
    EXPECT_EQ(CutSentence("short one", 6, 3), "short one");
    std::string paragraph;
    for (int i = 0; i < 100; ++i) {
        paragraph += "word" + std::to_string(i) + " ";
    }
    const std::size_t at = paragraph.find("word50 ");
    const std::string cut = CutSentence(paragraph, at, 6, 60);
    EXPECT_NE(cut.find("word50"), std::string::npos);
    EXPECT_TRUE(cut.starts_with("…word")) << cut;
    EXPECT_TRUE(cut.ends_with("…")) << cut;
    EXPECT_LE(cut.size(), 60u + 2 * 3);
    // At the start the window slides right instead of shrinking.
    const std::string start = CutSentence(paragraph, 0, 5, 60);
    EXPECT_TRUE(start.starts_with("word0 ")) << start;
    EXPECT_GE(start.size(), 50u);
    // Never through a UTF-8 character.
    const std::string chinese =
        std::string(300, 'x') + " 中文中文中文 apple " + std::string(300, 'y');
    const std::string around = CutSentence(chinese, chinese.find("apple"), 5, 11);
    EXPECT_NE(around.find("apple"), std::string::npos);
    EXPECT_TRUE(codepage::IsValidUtf8(around)) << around;
}

class WordBookDocument : public StartedDocument {
protected:
    std::size_t TokenOf(std::size_t paragraph, std::string_view word) const {
        const CParagraph& p = m_doc.m_paragraphs.m_arrParagraphs.at(paragraph);
        for (std::size_t j = 0; j < p.TokenCount(); ++j) {
            if (p.Word(j) == word) {
                return j;
            }
        }
        ADD_FAILURE() << word;
        return 0;
    }
    std::string Book() const { return *ReadFileBytes(m_doc.m_strPersonalDir + "/wordbook.tsv"); }
};

TEST_F(WordBookDocument, AppendsWordGlossSentenceFileAndDate) {
    m_doc.OpenTextFile(WriteText("story.txt", "An apple fell.\nIt was well known."));
    m_view.m_hints.clear();
    ASSERT_TRUE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));
    // Hidden by the step, and glossed in the book all the same.
    ASSERT_TRUE(m_doc.AddToWordBook(1, TokenOf(1, "well")));
    EXPECT_FALSE(m_doc.AddToWordBook(1, TokenOf(1, ".")));
    EXPECT_FALSE(m_doc.AddToWordBook(9, 0));
    WordBook book;
    ASSERT_TRUE(LoadWordBook(m_doc.m_strPersonalDir, book));
    ASSERT_EQ(book.entries.size(), 2u);
    EXPECT_EQ(book.entries[0],
              (WordBookEntry{"apple", "苹果", "An apple fell.", "story.txt", TodayIso()}));
    EXPECT_EQ(book.entries[1].word, "well");
    EXPECT_EQ(book.entries[1].gloss, "好");
    EXPECT_TRUE(m_view.m_hints.empty());
}

TEST_F(WordBookDocument, FailedAppendKeepsTheBookByteForByte) {
    m_doc.ReplaceText("An apple fell.");
    ASSERT_TRUE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));
    const std::string before = Book();
    const std::string path = m_doc.m_strPersonalDir + "/wordbook.tsv";
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));
    EXPECT_EQ(Book(), before);
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_NE(m_platform.m_messages[0].find("无法保存单词本"), std::string::npos);
}

TEST_F(WordBookDocument, TwoWritersAtOnceKeepEveryEntryAndDeletesGoByContent) {
    constexpr int kEntries = 40;
    const std::string folder = m_doc.m_strPersonalDir;
    ASSERT_EQ(AppendToWordBook(folder, {"first", "", "", "", "2026-01-01"}), "");
    WordBook shown;  // what a dialog showed before the others wrote
    ASSERT_TRUE(LoadWordBook(folder, shown));
    pid_t children[2];
    for (int process = 0; process < 2; ++process) {
        children[process] = ::fork();
        if (children[process] == 0) {
            bool ok = true;
            for (int i = 0; i < kEntries; ++i) {
                ok = AppendToWordBook(folder, {"w" + std::to_string(process * 100 + i), "", "", "",
                                               "2026-01-01"})
                         .empty() &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(RemoveFromWordBook(folder, {shown.entries[0]}), "");
    WordBook book;
    ASSERT_TRUE(LoadWordBook(folder, book));
    ASSERT_EQ(book.entries.size(), 2u * kEntries);
    for (const WordBookEntry& entry : book.entries) {
        EXPECT_NE(entry.word, "first");
    }
}

TEST_F(WordBookDocument, ABookThatCannotBeReadIsNeverWritten) {
    const std::string path = m_doc.m_strPersonalDir + "/wordbook.tsv";
    std::filesystem::create_directories(path);  // unreadable as a file, even to root
    m_doc.ReplaceText("An apple fell.");
    EXPECT_FALSE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_NE(m_platform.m_messages[0].find("单词本没有改动"), std::string::npos)
        << m_platform.m_messages[0];
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
