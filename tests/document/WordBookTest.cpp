// The word book: appending from the page, cutting the sentence, and both exports.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "DocumentFixture.h"
#include "ReadFileBytes.h"
#include "SentenceAround.h"
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
              "word,phonetic,gloss,sentence,book,date\r\n"
              "apple,,苹果,\"He said, \"\"an apple\"\"\nthen left.\",\"a,b.txt\",2026-01-02\r\n");
}

TEST(WordBookExport, CsvCellsThatASpreadsheetWouldRunAsFormulasAreText) {
    const WordBookEntry entry{"-ish", "=1+1", "@SUM(A1), then", "+x.txt", "2026-01-02"};
    EXPECT_EQ(ExportCsv({entry}),
              "\xEF\xBB\xBF"
              "word,phonetic,gloss,sentence,book,date\r\n"
              "'-ish,,'=1+1,\"'@SUM(A1), then\",'+x.txt,2026-01-02\r\n");
}

TEST(WordBookExport, AnkiNotesHaveNamedFieldsTheWordInBoldAndTags) {
    const WordBookEntry unplaced{"run", "跑 <v.>", "Run, he runs & rerun: RUN\tnow", "", ""};
    // With its place known only that occurrence is bold; the book and exams are tags.
    const WordBookEntry placed{"run",        "跑",     "Run, I run.",   "My Book.txt",
                               "2026-01-02", "/b.txt", WordPlace{1, 2}, 7,
                               "rʌn"};
    const auto exams = [](std::string_view word) {
        return word == "run" ? std::vector<std::string>{"CET-4", "考研"}
                             : std::vector<std::string>{};
    };
    EXPECT_EQ(
        ExportAnki({unplaced, placed}, exams),
        "#separator:tab\n#html:true\n"
        "#columns:word\tphonetic\tgloss\tsentence\tbook\tdate\ttags\n#tags column:7\n"
        "run\t\t跑 &lt;v.&gt;\t<b>Run</b>, he runs &amp; rerun: <b>RUN</b> now\t\t\tCET-4 考研\n"
        "run\trʌn\t跑\tRun, I <b>run</b>.\tMy Book.txt\t2026-01-02\tMy_Book CET-4 考研\n");
    for (const char* header : {"\xEF\xBB\xBFword,phonetic,gloss,sentence,book,date\r",
                               "word,gloss,sentence,source,date"}) {
        EXPECT_TRUE(IsWordBookCsvHeader(header)) << header;
    }
    EXPECT_FALSE(IsWordBookCsvHeader("word,x"));
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
    const std::string path = m_dir.Path("story.txt");
    EXPECT_EQ(book.entries[0], (WordBookEntry{"apple", "苹果", "An apple fell.", "story.txt",
                                              TodayIso(), path, WordPlace{0, 1}, 3}));
    EXPECT_EQ(book.entries[1].word, "well");
    EXPECT_EQ(book.entries[1].gloss, "好");
    EXPECT_TRUE(m_view.m_hints.empty());
}

TEST_F(WordBookDocument, AnEntryTakesItsWordsPhoneticFromTheWholeEntriesWhenThereAreAny) {
    m_doc.OpenTextFile(WriteText("story.txt", "An apple fell."));
    ASSERT_TRUE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));  // no dictionary.sqlite yet
    std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/dictionary.sqlite",
                               m_dir.Path("dictionary.sqlite"));
    CVellumwiseDoc later(m_platform);
    later.SetProgramDir(m_dir.Root().string());
    later.SetPersonalDir(m_doc.m_strPersonalDir);
    ASSERT_TRUE(later.OnNewDocument());
    later.OpenTextFile(m_dir.Path("story.txt"));
    ASSERT_TRUE(later.AddToWordBook(0, TokenOf(0, "apple")));
    WordBook book;
    ASSERT_TRUE(LoadWordBook(m_doc.m_strPersonalDir, book));
    ASSERT_EQ(book.entries.size(), 1u);
    EXPECT_FALSE(book.entries[0].phonetic.empty());
    EXPECT_EQ(book.entries[0].gloss, "苹果");  // still this occurrence's gloss
}

TEST_F(WordBookDocument, TheSentenceIsFoundAcrossHardWrappedLinesWithTheWordMarked) {
    struct Case {
        const char* text;
        std::size_t line;
        const char* word;
        const char* sentence;
    };
    const Case cases[] = {
        {"It was late. The old clock\n  struck twelve, and\nwe left. Then more.", 1, "struck",
         "The old clock struck twelve, and we left."},
        {"\"Run!\" said Mr. Brown to\nthe boy. He ran.", 1, "boy",
         "\"Run!\" said Mr. Brown to the boy."},
        {"A title line\n\nthe clock struck\none", 1, "clock", "the clock struck one"},
        {"A title line\r\n  \r\nthe clock struck\r\none", 2, "clock", "the clock struck one"},
        {"He waited, etc. and then\nthe clock struck. Done.", 1, "clock",
         "He waited, etc. and then the clock struck."},
        {"J. R. Smith saw\nthe clock. Yes.", 1, "clock", "J. R. Smith saw the clock."},
    };
    for (const Case& c : cases) {
        m_doc.ReplaceText(c.text);
        const MarkedSentence found =
            SentenceAround(m_doc.m_paragraphs, c.line, TokenOf(c.line, c.word));
        EXPECT_EQ(found.text, c.sentence) << c.text;
        EXPECT_EQ(found.text.substr(found.wordAt, std::string_view(c.word).size()), c.word)
            << c.text;
    }
}

TEST_F(WordBookDocument, AddingAWordAgainFromTheSameTextRenewsItsOneEntry) {
    m_doc.OpenTextFile(WriteText("story.txt", "An apple fell.\nThe apple was red.\nA clock."));
    ASSERT_TRUE(m_doc.AddToWordBook(0, TokenOf(0, "apple")));
    ASSERT_TRUE(m_doc.AddToWordBook(2, TokenOf(2, "clock")));
    const auto again = m_doc.AddToWordBook(1, TokenOf(1, "apple"));
    ASSERT_TRUE(again);
    EXPECT_TRUE(again.updated);
    EXPECT_EQ(again.word, "apple");
    // Another text's apple is an entry of its own.
    m_doc.OpenTextFile(WriteText("other.txt", "One apple."));
    EXPECT_FALSE(m_doc.AddToWordBook(0, TokenOf(0, "apple")).updated);
    WordBook book;
    ASSERT_TRUE(LoadWordBook(m_doc.m_strPersonalDir, book));
    ASSERT_EQ(book.entries.size(), 3u);
    EXPECT_EQ(book.entries[0].word, "clock");
    EXPECT_EQ(book.entries[1].sentence, "The apple was red.");
    EXPECT_EQ(book.entries[1].place, (WordPlace{1, 1}));
    EXPECT_EQ(book.entries[2].source, "other.txt");
}

TEST_F(WordBookDocument, AFirstFormBookIsReadWholeAndRenewedInPlace) {
    // The book as the first version wrote it: five fields, no place, the same word twice.
    const std::string folder = m_doc.m_strPersonalDir;
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0700);
    WriteFile(folder + "/wordbook.tsv",
              "apple\t苹果\tAn apple fell.\tstory.txt\t2026-01-01\n"
              "odd line\n"
              "apple\t苹果\tAn apple fell.\tstory.txt\t2026-01-01\n"
              "fact\t事实\tA fact.\t\t2026-01-02\n");
    WordBook old;
    ASSERT_TRUE(LoadWordBook(folder, old));
    ASSERT_EQ(old.entries.size(), 3u);
    EXPECT_FALSE(old.entries[0].place);
    m_doc.OpenTextFile(WriteText("story.txt", "The apple."));
    ASSERT_TRUE(m_doc.AddToWordBook(0, TokenOf(0, "apple")).updated);
    WordBook book;
    ASSERT_TRUE(LoadWordBook(folder, book));
    EXPECT_EQ(book.otherLines, std::vector<std::string>{"odd line"});
    ASSERT_EQ(book.entries.size(), 2u);
    EXPECT_EQ(book.entries[0], old.entries[2]);
    EXPECT_EQ(book.entries[1].sentence, "The apple.");
    EXPECT_TRUE(book.entries[1].place);
    // A line of the new form that is damaged is kept as it was, not read.
    const WordBook damaged = ParseWordBook("w\tg\ts\tf\td\tp\tx:1\t\t\n");
    EXPECT_TRUE(damaged.entries.empty());
    EXPECT_EQ(damaged.otherLines.size(), 1u);
}

TEST_F(WordBookDocument, RemovedEntriesComeBackWhereTheyWereUnlessAddedAgain) {
    const std::string folder = m_doc.m_strPersonalDir;
    WordBook book;
    for (const char* word : {"a1", "b2", "c3", "d4"}) {
        book.entries.push_back({word, "", "", "t.txt", "2026-01-01"});
    }
    ASSERT_EQ(SaveWordBook(folder, book), "");
    std::vector<RemovedEntry> taken;
    ASSERT_EQ(RemoveFromWordBook(folder, {book.entries[3], book.entries[1]}, &taken), "");
    ASSERT_EQ(taken.size(), 2u);
    ASSERT_EQ(RestoreToWordBook(folder, taken), "");
    WordBook back;
    ASSERT_TRUE(LoadWordBook(folder, back));
    EXPECT_EQ(back.entries, book.entries);
    // Added again meanwhile: the newer entry stays and the old one does not return.
    ASSERT_EQ(RemoveFromWordBook(folder, {book.entries[0]}, &taken), "");
    ASSERT_EQ(AppendToWordBook(folder, {"a1", "新", "", "t.txt", "2026-02-01"}), "");
    ASSERT_EQ(RestoreToWordBook(folder, taken), "");
    ASSERT_TRUE(LoadWordBook(folder, back));
    ASSERT_EQ(back.entries.size(), 4u);
    EXPECT_EQ(back.entries[3].gloss, "新");
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
                // Both windows collect the same word too: it stays one entry.
                ok = AppendToWordBook(folder,
                                      {"shared", std::to_string(process), "", "", "2026-01-01"})
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
    ASSERT_EQ(book.entries.size(), 2u * kEntries + 1);
    EXPECT_EQ(std::count_if(book.entries.begin(), book.entries.end(),
                            [](const WordBookEntry& e) { return e.word == "shared"; }),
              1);
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
