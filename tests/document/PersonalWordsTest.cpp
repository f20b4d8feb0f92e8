// The reader's known and new lists: reading hand-edited files, the marks' effect on
// glossing, and saves that fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "DocumentFixture.h"
#include "PersonalWordList.h"
#include "ReadFileBytes.h"
#include "TempDir.h"
#include "TestDictionary.h"

namespace {

struct ListCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> words;
    std::size_t skipped;
};

TEST(PersonalWordList, ParsesHandEditedFiles) {
    const std::vector<ListCase> cases = {
        {"plain", "apple\nbook\n", {"apple", "book"}, 0},
        {"crlf and bom",
         "\xEF\xBB\xBF"
         "apple\r\nbook\r\n",
         {"apple", "book"},
         0},
        {"blank lines and spaces", "\n  apple \n\n\t\nbook", {"apple", "book"}, 0},
        {"upper case merges", "Apple\nAPPLE\napple\n", {"apple"}, 0},
        {"non-ascii word", "café\napple\n", {"apple"}, 1},
        {"binary junk", std::string("ap\0ple\n\xFF\xFE\x01\nbook\n", 15), {"book"}, 2},
        {"phrase and digits", "ice cream\nr2d2\nbook\n", {"book"}, 2},
        {"one letter", "a\nbook\n", {"book"}, 1},
        {"empty", "", {}, 0},
    };
    for (const ListCase& c : cases) {
        const WordListText list = ParseWordList(c.bytes);
        EXPECT_EQ(std::vector<std::string>(list.words.begin(), list.words.end()), c.words)
            << c.name;
        EXPECT_EQ(list.skippedLines.size(), c.skipped) << c.name;
    }
}

TEST(PersonalWordList, KeepsSkippedLinesWhenWrittenAgain) {
    const WordListText list = ParseWordList("zebra\ncafé\napple\n");
    EXPECT_EQ(FormatWordList(list), "apple\nzebra\ncafé\n");
}

TEST(PersonalWordList, ImportTakesFirstCsvColumn) {
    const ImportedWords imported =
        ParseImportList("\xEF\xBB\xBFword,gloss\r\nApple,\"a, fruit\"\r\n\"book\",x\nbook\n12,x\n");
    EXPECT_EQ(imported.words, (std::vector<std::string>{"word", "apple", "book"}));
    EXPECT_EQ(imported.skipped, 1u);
}

// A document over entries where "swam" and "swims" reduce to "swim".
class MarkedDocument : public StartedDocument {
protected:
    MarkedDocument() {
        m_doc.ReplaceDictionary(DictionaryItems({{"swim", "游泳", 10.0},
                                                 {"apple", "苹果", 12.5},
                                                 {"well", "好", 500.0},
                                                 {"go", "去", 600.0}}));
        m_doc.ReplaceText("Swim well; he swam, she swims. An apple went.");
        m_view.m_hints.clear();
    }
    std::string Folder() const { return m_doc.m_strPersonalDir; }
    // A second document as a second window would start it, over the folder "other".
    void UseOtherFolder(CVellumwiseDoc& doc) {
        doc.SetProgramDir(m_dir.Root().string());
        doc.SetPersonalDir(m_dir.Path("other"));
    }
};

TEST_F(MarkedDocument, KnownHidesEveryFormOfTheEntry) {
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果");
    m_doc.MarkKnown("swam");
    EXPECT_EQ(Glossed(), "apple=苹果");
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Glosses});
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), "swam\n");
    EXPECT_EQ(m_doc.MarkOf("SWIMS"), WordMark::Known);
}

TEST_F(MarkedDocument, NewShowsTheDictionaryGlossWhateverTheStep) {
    m_doc.MarkNew("Well");
    m_doc.MarkNew("went");
    EXPECT_EQ(Glossed(), "Swim=游泳 well=好 swam=游泳 swims=游泳 apple=苹果 went=去");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/new-words.txt"), "well\nwent\n");
}

TEST(PersonalWordsEntries, AMarkFindsTheFormsOfItsEntryInTheDictionaryOfNow) {
    // Marks look up the list's words by entry, worked out once; a dictionary whose
    // entries moved must not be answered from the old positions.
    TempDir dir;
    PersonalWords words(dir.Path("lists"));
    words.Load();
    CDicMain dic(FixtureWordLists());
    dic.ReplaceItems(DictionaryItems({{"swim", "游泳", 10.0}, {"apple", "苹果", 12.5}}));
    words.SetMark(dic, "swam", WordMark::Known);
    words.SetMark(dic, "swims", WordMark::Known);
    words.SetMark(dic, "apple", WordMark::Known);
    words.SetMark(dic, "swim", WordMark::None);  // works the entries out
    EXPECT_EQ(words.Known().words, std::set<std::string>{"apple"});
    words.SetMark(dic, "swum", WordMark::Known);  // added after they were worked out
    dic.ReplaceItems(DictionaryItems({{"apple", "苹果", 12.5}, {"swim", "游泳", 10.0}}));
    words.SetMark(dic, "swims", WordMark::New);
    EXPECT_EQ(words.Known().words, std::set<std::string>{"apple"});
    EXPECT_EQ(words.New().words, std::set<std::string>{"swims"});
    EXPECT_EQ(*ReadFileBytes(words.KnownPath()), "apple\n");
}

TEST_F(MarkedDocument, AnyFormUnmarksOrMovesTheEntry) {
    m_doc.MarkKnown("swam");
    m_doc.MarkNew("swims");  // the entry moves to the new list, whole
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), "");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/new-words.txt"), "swims\n");
    m_doc.Unmark("swim");
    EXPECT_EQ(*ReadFileBytes(Folder() + "/new-words.txt"), "");
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果");
    EXPECT_EQ(m_view.m_hints.size(), 3u);
}

TEST_F(MarkedDocument, MarksHoldForTheNextTextAndAChangedStep) {
    m_doc.MarkKnown("apple");
    m_doc.ReplaceText("apple swim");
    EXPECT_EQ(Glossed(), "swim=游泳");
    m_doc.ApplyVocabulary(11, 1000.0, false, false);
    EXPECT_EQ(Glossed(), "swim=游泳");
}

TEST_F(MarkedDocument, NewOutranksTheNameRule) {
    m_doc.ReplaceText("We met Apple there. Later Apple spoke, and then Apple left.");
    ASSERT_EQ(Glossed(), "");  // the text uses it as a name
    m_doc.MarkNew("apple");
    EXPECT_EQ(Glossed(), "Apple=苹果 Apple=苹果 Apple=苹果");
    const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[0];
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        EXPECT_FALSE(m_doc.m_paragraphs.IsSkippedName(paragraph, j)) << paragraph.Word(j);
    }
}

TEST_F(MarkedDocument, ListsAreReadAtStartAndNeverRewrittenByReading) {
    std::filesystem::create_directories(m_dir.Path("other"));
    const std::string known =
        "\xEF\xBB\xBF"
        "APPLE\r\n\r\n\xFF\xFE junk\r\n";
    WriteFile(m_dir.Path("other/known-words.txt"), known);
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    UseOtherFolder(doc);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_NE(platform.m_messages[0].find("1 行"), std::string::npos);
    EXPECT_EQ(doc.MarkOf("apple"), WordMark::Known);
    EXPECT_EQ(*ReadFileBytes(m_dir.Path("other/known-words.txt")), known);
}

TEST_F(MarkedDocument, FailedSaveKeepsTheFileAndTheMark) {
    m_doc.MarkKnown("apple");
    const std::string path = Folder() + "/known-words.txt";
    const std::string before = *ReadFileBytes(path);
    // A read-only folder stops everyone but root; a file without a write bit is
    // refused to root as well.
    ASSERT_EQ(::chmod(Folder().c_str(), 0555), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    m_doc.MarkKnown("swim");
    ::chmod(Folder().c_str(), 0755);
    EXPECT_EQ(*ReadFileBytes(Folder() + "/known-words.txt"), before);
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_NE(m_platform.m_messages[0].find("无法保存词表"), std::string::npos);
    EXPECT_EQ(Glossed(), "");
    EXPECT_EQ(m_view.m_hints.size(), 2u);
}

TEST_F(MarkedDocument, ImportReportsAddedKnownAndUnknown) {
    m_doc.MarkKnown("swim");
    const PersonalWords::ImportReport report =
        m_doc.ImportKnownWords("apple\nswims\nzyzzyva\nApple\n\xFF\n");
    EXPECT_EQ(report.added, 1u);
    EXPECT_EQ(report.alreadyThere, 1u);
    EXPECT_EQ(report.notInDictionary, 1u);
    EXPECT_EQ(report.skipped, 1u);
    EXPECT_EQ(Glossed(), "");
}

// ---- Two windows at once ----

// Runs `work` in two processes at once and waits for both; true when both exited 0.
template <typename Work>
bool InTwoProcesses(Work work) {
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = ::fork();
        if (children[i] == 0) {
            ::_exit(work(i) ? 0 : 1);
        }
    }
    bool ok = true;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
}

std::string MadeUpWord(int process, int i) {
    return std::string{'z', static_cast<char>('a' + process), static_cast<char>('a' + i / 26),
                       static_cast<char>('a' + i % 26)};
}

TEST_F(MarkedDocument, TwoWindowsMarkingAtOnceKeepEveryMarkAndUnmarkByContent) {
    constexpr int kMarks = 40;
    m_doc.MarkKnown("apple");  // both windows start with it; one takes it off
    ASSERT_TRUE(InTwoProcesses([&](int process) {
        PersonalWords window(Folder());
        if (!window.Load().empty()) {
            return false;
        }
        for (int i = 0; i < kMarks; ++i) {
            const std::string word = MadeUpWord(process, i);
            if (!window.SetMark(m_doc.m_dicMain, word, i % 2 ? WordMark::New : WordMark::Known)
                     .empty()) {
                return false;
            }
        }
        return process == 1 || window.SetMark(m_doc.m_dicMain, "apple", WordMark::None).empty();
    }));
    PersonalWords after(Folder());
    ASSERT_EQ(after.Load(), "");
    EXPECT_EQ(after.Known().words.size() + after.New().words.size(), 2u * kMarks);
    EXPECT_FALSE(after.Known().words.contains("apple"));
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < kMarks; ++i) {
            EXPECT_TRUE(
                (i % 2 ? after.New() : after.Known()).words.contains(MadeUpWord(process, i)))
                << MadeUpWord(process, i);
        }
    }
    // The window that was open all along sees them at its next mark.
    m_doc.MarkKnown("swim");
    EXPECT_EQ(m_doc.MarkOf(MadeUpWord(1, 2)), WordMark::Known);
}

TEST_F(MarkedDocument, AListThatCouldNotBeReadIsNotWrittenThisRunAndTheReaderToldOnce) {
    // A list over the read limit (sparse) cannot be read, like an I/O error.
    std::filesystem::create_directories(m_dir.Path("other"));
    WriteFile(m_dir.Path("other/known-words.txt"), "");
    std::filesystem::resize_file(m_dir.Path("other/known-words.txt"), std::uintmax_t{3} << 30);
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    UseOtherFolder(doc);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_NE(platform.m_messages[0].find("known-words.txt"), std::string::npos);
    doc.MarkKnown("apple");
    doc.MarkKnown("book");
    doc.MarkNew("clock");  // the other list is fine
    EXPECT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(doc.MarkOf("apple"), WordMark::Known);  // for this run
    EXPECT_EQ(std::filesystem::file_size(m_dir.Path("other/known-words.txt")),
              std::uintmax_t{3} << 30);
    EXPECT_EQ(*ReadFileBytes(m_dir.Path("other/new-words.txt")), "clock\n");
}

}  // namespace
