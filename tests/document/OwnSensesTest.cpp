// The reader's own senses: the file as hands and crashes leave it, the senses on the
// page (every occurrence, every form, this book or every book), and two windows at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "DocumentFixture.h"
#include "OwnSenseFile.h"
#include "OwnSenses.h"
#include "ReadFileBytes.h"
#include "TempDir.h"
#include "TestDictionary.h"

namespace {

TEST(OwnSenseFile, ReadsHandEditedLinesAndSkipsWhatIsNoSense) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> senses;  // "word|gloss|scope"
        std::size_t skipped;
    };
    const std::string longGloss(kLongestOwnGloss + 1, 'x');
    const Case cases[] = {
        {"plain", "run\t跑步\t*\nswim\t游\tbook.epub\n", {"run|跑步|*", "swim|游|book.epub"}, 0},
        {"bom, crlf, spaces, capitals",
         "\xEF\xBB\xBF"
         "Run \t 跑 \t * \r\n\r\n",
         {"run|跑|*"},
         0},
        {"the later line of a word and scope wins",
         "run\t跑\t*\nrun\t奔\t*\nrun\t逃\ta.txt\n",
         {"run|奔|*", "run|逃|a.txt"},
         0},
        {"too few and too many fields", "run\t跑\nrun\t跑\t*\tx\nrun\n", {}, 3},
        {"no word", "r2d2\t机器人\t*\nice cream\t冰淇淋\t*\n", {}, 2},
        {"empty gloss or scope", "run\t\t*\nrun\t跑\t\n", {}, 2},
        {"a gloss GBK cannot hold", "apple\t\xF0\x9F\x8D\x8E\t*\n", {}, 1},
        {"bytes that are no UTF-8", "apple\t\xFF\xFE\t*\napple\tx\t\xC3\n", {}, 2},
        {"a gloss too long", "apple\t" + longGloss + "\t*\n", {}, 1},
        {"a control character", std::string("apple\tx\x01y\t*\n"), {}, 1},
        {"empty", "", {}, 0},
    };
    for (const Case& c : cases) {
        const OwnSenseText text = ParseOwnSenses(c.bytes);
        std::vector<std::string> senses;
        for (const auto& [key, gloss] : text.senses) {
            senses.push_back(key.first + "|" + gloss + "|" + key.second);
        }
        EXPECT_EQ(senses, c.senses) << c.name;
        EXPECT_EQ(text.skippedLines.size(), c.skipped) << c.name;
    }
}

TEST(OwnSenseFile, ASaveKeepsTheSkippedLinesByteForByte) {
    const std::string junk[] = {"\xFF\xFE junk", "run\t跑", "word\tgloss\tend\r", "\tx\t*"};
    std::string bytes = "swim\t游\t*\n";
    for (const std::string& line : junk) {
        bytes += line + "\n";
    }
    // The CR a line kept (its file had CR CR LF) comes back.
    bytes.replace(bytes.find("end\r\n"), 5, "end\r\r\n");
    const OwnSenseText text = ParseOwnSenses(bytes);
    ASSERT_EQ(text.skippedLines.size(), 4u);
    EXPECT_EQ(FormatOwnSenses(text), bytes);
    // A first line that opens with a BOM of its own is kept behind one.
    const std::string bom =
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "apple\t苹果\t*\n";
    EXPECT_EQ(FormatOwnSenses(ParseOwnSenses(bom)), bom);
}

// A document over entries where "swam" and "swims" reduce to "swim", with two books.
class OwnSenseDocument : public StartedDocument {
protected:
    OwnSenseDocument() {
        m_doc.ReplaceDictionary(DictionaryItems({{"swim", "游泳", 10.0},
                                                 {"apple", "苹果", 12.5},
                                                 {"well", "好", 500.0},
                                                 {"go", "去", 600.0}}));
        Open("a.txt");
        m_view.m_hints.clear();
    }
    void Open(const std::string& name, const std::string& text = kText) {
        ASSERT_TRUE(m_doc.OpenTextFile(WriteText(name, text)));
    }
    std::string File() const {
        return ReadFileBytes(m_doc.m_strPersonalDir + "/own-senses.txt").value_or("(none)");
    }
    static constexpr const char* kText = "Swim well; he swam, she swims. An apple went.";
};

TEST_F(OwnSenseDocument, AnOwnSenseShowsUnderEveryOccurrenceAndFormAtOnce) {
    m_doc.SetOwnSense("swam", " 游水 ", false);
    EXPECT_EQ(Glossed(), "Swim=游水 swam=游水 swims=游水 apple=苹果");
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Glosses});
    EXPECT_EQ(File(), "swam\t游水\ta.txt\n");
    ASSERT_TRUE(m_doc.OwnSenseOf("SWIMS"));
    EXPECT_EQ(m_doc.OwnSenseOf("swims")->gloss, "游水");
    EXPECT_FALSE(m_doc.OwnSenseOf("swims")->everyBook);
    // Another form replaces it for the entry, whole.
    m_doc.SetOwnSense("swim", "泳", false);
    EXPECT_EQ(File(), "swim\t泳\ta.txt\n");
    // A gloss the page cannot show changes nothing.
    m_doc.SetOwnSense("swim", "\xF0\x9F\x8F\x8A", false);
    m_doc.SetOwnSense("swim", "", false);
    EXPECT_EQ(File(), "swim\t泳\ta.txt\n");
    EXPECT_EQ(m_view.m_hints.size(), 2u);
}

TEST_F(OwnSenseDocument, ABooksSenseStaysInItsBookAndOutranksEveryBooks) {
    m_doc.SetOwnSense("apple", "苹果树", false);
    Open("b.txt");
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果");
    m_doc.SetOwnSense("apple", "林檎", true);
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=林檎");
    EXPECT_TRUE(m_doc.OwnSenseOf("apple")->everyBook);
    Open("a.txt");
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果树");
    // A pasted text is no book: only the senses for every book hold there.
    m_doc.ReplaceText("an apple");
    EXPECT_EQ(m_doc.BookKey(), "");
    EXPECT_EQ(Glossed(), "apple=林檎");
    EXPECT_EQ(File(), "apple\t林檎\t*\napple\t苹果树\ta.txt\n");
}

TEST_F(OwnSenseDocument, ASenseForAWordTheStepHidesShowsItAndKnownStillHides) {
    m_doc.SetOwnSense("went", "走了", false);
    EXPECT_EQ(m_doc.MarkOf("go"), WordMark::New) << "chosen to be seen";
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果 went=走了");
    // The step and the marks still say whether a word shows: known hides it.
    m_doc.MarkKnown("swim");
    m_doc.SetOwnSense("apple", "红果", false);
    m_doc.MarkKnown("apple");
    EXPECT_EQ(Glossed(), "went=走了");
    m_doc.Unmark("apple");
    EXPECT_EQ(Glossed(), "apple=红果 went=走了");
}

TEST_F(OwnSenseDocument, ClearingBringsBackTheDictionarysSenseHereAndForEveryBook) {
    m_doc.SetOwnSense("swim", "泳", true);
    m_doc.SetOwnSense("swims", "游水", false);
    Open("b.txt");
    m_doc.SetOwnSense("swim", "划水", false);
    Open("a.txt");
    m_doc.ClearOwnSense("swam");
    EXPECT_EQ(Glossed(), "Swim=游泳 swam=游泳 swims=游泳 apple=苹果");
    EXPECT_FALSE(m_doc.OwnSenseOf("swim"));
    EXPECT_EQ(File(), "swim\t划水\tb.txt\n") << "another book's sense stays";
}

TEST_F(OwnSenseDocument, SensesSurviveARestartAndAFileOfJunkKeepsItsLines) {
    m_doc.SetOwnSense("apple", "苹果树", false);
    m_doc.SetOwnSense("swim", "泳", true);
    const std::string junk = "\xFF\xFE junk\nzebra\t斑马\n";
    WriteFile(m_doc.m_strPersonalDir + "/own-senses.txt", File() + junk);
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(m_dir.Root().string());
    doc.SetPersonalDir(m_doc.m_strPersonalDir);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_NE(platform.m_messages[0].find("2 行"), std::string::npos) << platform.m_messages[0];
    doc.ReplaceDictionary(DictionaryItems({{"swim", "游泳", 10.0}, {"apple", "苹果", 12.5}}));
    ASSERT_TRUE(doc.OpenTextFile(m_dir.Path("a.txt")));
    EXPECT_EQ(GlossedText(doc.m_paragraphs), "Swim=泳 swam=泳 swims=泳 apple=苹果树");
    doc.ClearOwnSense("apple");
    EXPECT_EQ(File(), "swim\t泳\t*\n" + junk);
}

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

TEST_F(OwnSenseDocument, TwoWindowsSettingSensesAtOnceLoseNone) {
    constexpr int kSenses = 40;
    m_doc.SetOwnSense("apple", "苹果树", true);  // both start with it; one clears it
    const std::string folder = m_doc.m_strPersonalDir;
    ASSERT_TRUE(InTwoProcesses([&](int process) {
        OwnSenses window(folder);
        if (!window.Load().empty()) {
            return false;
        }
        for (int i = 0; i < kSenses; ++i) {
            const std::string word = MadeUpWord(process, i);
            if (!window.Set(m_doc.m_dicMain, word, "义" + std::to_string(i), "a.txt", i % 2 == 1)
                     .empty()) {
                return false;
            }
        }
        return process == 1 || window.Clear(m_doc.m_dicMain, "apple", "a.txt").empty();
    }));
    OwnSenses after(folder);
    ASSERT_EQ(after.Load(), "");
    EXPECT_EQ(after.Text().senses.size(), 2u * kSenses);
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < kSenses; ++i) {
            const auto found = after.Find(m_doc.m_dicMain, MadeUpWord(process, i), "a.txt");
            ASSERT_TRUE(found) << MadeUpWord(process, i);
            EXPECT_EQ(found->gloss, "义" + std::to_string(i));
            EXPECT_EQ(found->everyBook, i % 2 == 1);
        }
    }
    // The window open all along takes them in at its next change.
    m_doc.SetOwnSense("swim", "泳", false);
    EXPECT_FALSE(m_doc.OwnSenseOf("apple"));
    EXPECT_EQ(m_doc.OwnSenseOf(MadeUpWord(1, 2))->gloss, "义2");
}

TEST_F(OwnSenseDocument, AFileThatCannotBeReadIsNeverWrittenAndTheSenseHoldsThisRun) {
    const std::string path = m_doc.m_strPersonalDir + "/own-senses.txt";
    std::filesystem::create_directories(path);  // no file can be read there
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(m_dir.Root().string());
    doc.SetPersonalDir(m_doc.m_strPersonalDir);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_NE(platform.m_messages[0].find("不会改写"), std::string::npos);
    doc.ReplaceDictionary(DictionaryItems({{"apple", "苹果", 12.5}}));
    doc.ReplaceText("an apple");
    doc.SetOwnSense("apple", "红果", true);
    EXPECT_EQ(GlossedText(doc.m_paragraphs), "apple=红果");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
