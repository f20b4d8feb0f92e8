// Replacing the dictionary from a text list and saving it as a .dic file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DocumentFixture.h"

namespace {

using namespace std::string_literals;
const std::string kFixtures = VELLUMWISE_FIXTURES_DIR;

// "word|gloss in UTF-8|frequency" for every entry, in list order.
std::vector<std::string> Entries(const CDicMain& dic) {
    std::vector<std::string> entries;
    for (const CDicItem& item : dic.m_arrItems) {
        char frequency[32];
        std::snprintf(frequency, sizeof frequency, "%g", item.m_dFrequency);
        entries.push_back(item.m_strWord + "|" + codepage::GbkToUtf8Lossy(item.m_strGloss) + "|" +
                          frequency);
    }
    return entries;
}

TEST_F(StartedDocument, ImportTakesEveryEntryLine) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"CR LF", "pear\t梨\t3\r\nplum\t李子\t4\r\n", {"pear|梨|3", "plum|李子|4"}},
        {"LF only", "pear\t梨\t3\nplum\t李子\t4\n", {"pear|梨|3", "plum|李子|4"}},
        {"last line without a line end",
         "pear\t梨\t3\r\nplum\t李子\t4",
         {"pear|梨|3", "plum|李子|4"}},
        {"empty lines skipped",
         "\r\n\npear\t梨\t3\r\n\r\n\nplum\t李子\t4\n\n",
         {"pear|梨|3", "plum|李子|4"}},
        {"comment lines skipped", "# word\tgloss\tfrequency\r\n#\npear\t梨\t3\n", {"pear|梨|3"}},
        {"UTF-8 byte-order mark", "\xef\xbb\xbfpear\t梨\t3\n", {"pear|梨|3"}},
        {"an empty gloss", "pear\t\t3\n", {"pear||3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(m_doc.ImportDictionaryText(c.text));
        EXPECT_EQ(Entries(m_doc.m_dicMain), c.entries);
    }
    EXPECT_TRUE(m_platform.m_messages.empty());
}

// Every refusal names its line (or the file), quotes at most 80 characters, and
// keeps the dictionary as it was.
TEST_F(StartedDocument, ImportRefusesWhatIsNoEntryAndKeepsTheDictionary) {
    std::string elf = ReadFile("/proc/self/exe").substr(0, 4096);
    const std::string huge(15 << 20, 'x');
    struct Case {
        const char* name;
        std::string text;
        std::string problem;  // what the message says after the file's name
    };
    const Case cases[] = {
        {"no TAB", "pear\t梨\t3\nplum\n",
         "第 2 行应有以制表符分隔的三项（单词、释义、词频），却有 1 项：plum"},
        {"two fields", "pear\t梨\n",
         "第 1 行应有以制表符分隔的三项（单词、释义、词频），却有 2 项：pear\t梨"},
        {"four fields", "pear\t梨\t3\tx\n",
         "第 1 行应有以制表符分隔的三项（单词、释义、词频），却有 4 项：pear\t梨\t3\tx"},
        {"empty word", "\t梨\t3\n", "第 1 行的单词为空：\t梨\t3"},
        {"frequency not a number", "apple\t苹果\tabc\n",
         "第 1 行的词频“abc”不是数字：apple\t苹果\tabc"},
        {"frequency with a tail", "apple\t苹果\t1.5x\n",
         "第 1 行的词频“1.5x”不是数字：apple\t苹果\t1.5x"},
        {"a NUL byte", "pear\t梨\t3\nplum\t李\0\t4\n"s, "第 2 行含有空字节（NUL），这不是文本词典"},
        {"a binary file", elf, "第 1 行含有空字节（NUL），这不是文本词典"},
        {"invalid GBK", "pear\t\xc0\xe6\t3\nplum\t\xc0\x7f\t4\n",
         "第 2 行既不是有效的 UTF-8 文本，也不是有效的 GBK 文本"},
        {"empty file", "", "文件中没有词条"},
        {"only comments and empty lines", "# header\r\n\r\n", "文件中没有词条"},
        {"a huge line", "pear\t" + huge + "\n",
         "第 1 行应有以制表符分隔的三项（单词、释义、词频），却有 2 项：pear\t" +
             std::string(75, 'x') + "…"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_platform.m_messages.clear();
        EXPECT_FALSE(m_doc.ImportDictionaryText(c.text, "list.txt"));
        EXPECT_EQ(m_platform.m_messages,
                  std::vector<std::string>{"无法调入这个 .txt file list.txt\n" + c.problem});
        EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
        EXPECT_EQ(m_doc.m_dicMain.LookupExact("apple", 100.0), Gbk("苹果"));
    }
}

TEST_F(StartedDocument, ImportedWordsAreFoundAtOnce) {
    ASSERT_TRUE(m_doc.ImportDictionaryText("pear\t梨\t3\napple\t苹果树\t1\napple\t重复\t1\n"));
    EXPECT_EQ(m_doc.m_dicMain.LookupExact("pear", 18.9), Gbk("梨"));
    EXPECT_EQ(m_doc.m_dicMain.LookupExact("apple", 18.9), Gbk("苹果树"));
    EXPECT_EQ(m_doc.m_dicMain.LookupExact("book", 100.0), "Unknown");
}

TEST_F(StartedDocument, ImportReadsUtf8AndGbkFilesAlike) {
    const std::vector<std::string> fromUtf8 = {"apple|苹果|12.5", "book|书|50", "clock|钟|30"};
    const std::vector<std::string> fromGbk = {"apple|苹果|12.5", "book|书|50"};
    for (const auto& [file, entries] :
         {std::pair{"dictionary-utf8.txt", fromUtf8}, std::pair{"dictionary-gbk.txt", fromGbk}}) {
        SCOPED_TRACE(file);
        m_platform.m_fileAnswers.push_back(kFixtures + "/" + file);
        m_doc.OnImportDictionary();
        EXPECT_EQ(Entries(m_doc.m_dicMain), entries);
        EXPECT_EQ(m_doc.m_dicMain.m_arrItems[0].m_strGloss, "\xc6\xbb\xb9\xfb");  // 苹果 in GBK
    }
    EXPECT_EQ(m_platform.m_filtersAsked,
              (std::vector<std::string>{"文本文件 (*.txt)", "文本文件 (*.txt)"}));
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST_F(StartedDocument, ImportThatGbkCannotHoldKeepsTheOldDictionary) {
    const std::string path = WriteText("emoji.txt", "pear\t梨\t3\nsmile\t笑\xf0\x9f\x98\x80\t2\n");
    m_platform.m_fileAnswers.push_back(path);
    m_doc.OnImportDictionary();
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_EQ(m_doc.m_dicMain.LookupExact("apple", 100.0), Gbk("苹果"));
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    const std::string& message = m_platform.m_messages[0];
    EXPECT_TRUE(message.starts_with("无法调入这个 .txt file " + path)) << message;
    EXPECT_NE(message.find("第 2 行"), std::string::npos) << message;
}

TEST_F(StartedDocument, ImportOfAnUnreadableFileKeepsTheDictionary) {
    const std::string path = m_dir.Path("missing.txt");
    m_platform.m_fileAnswers.push_back(path);
    m_doc.OnImportDictionary();
    EXPECT_EQ(m_platform.m_messages, std::vector<std::string>{"无法调入这个 .txt file " + path});
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    m_doc.OnImportDictionary();  // cancelled
    EXPECT_EQ(m_platform.m_messages.size(), 1u);
}

TEST_F(StartedDocument, ImportNeitherReglossesNorTellsTheViews) {
    m_platform.m_clipboard = "apple";
    m_doc.OnEditPaste();
    m_view.m_hints.clear();
    ASSERT_TRUE(m_doc.ImportDictionaryText("apple\t新\t1\n"));
    EXPECT_EQ(Glossed(), "apple=苹果");
    EXPECT_TRUE(m_view.m_hints.empty());
    m_doc.OnEditPaste();
    EXPECT_EQ(Glossed(), "apple=新");
}

TEST_F(StartedDocument, SaveWritesWhatLoadsBack) {
    ASSERT_TRUE(m_doc.ImportDictionaryText("pear\t梨\t3\nplum\t李子\t0.447185898\n"));
    const std::string path = m_dir.Path("saved.dic");
    WriteFile(path, "an old file, replaced without a question");
    m_platform.m_fileAnswers.push_back(path);
    m_doc.OnSaveDictionary();
    EXPECT_EQ(m_platform.m_filtersAsked, std::vector<std::string>{"字典文件 (*.dic)"});
    EXPECT_TRUE(m_platform.m_messages.empty());
    CDicMain loaded;
    ASSERT_TRUE(LoadDictionaryFile(loaded, path).Ok());
    EXPECT_EQ(Entries(loaded), Entries(m_doc.m_dicMain));
    EXPECT_EQ(loaded.m_arrItems[1].m_dFrequency, 0.447185898);
}

TEST_F(StartedDocument, AFailedSaveKeepsTheOldFileWhole) {
    const std::string readOnly = m_dir.Path("old.dic");
    WriteFile(readOnly, "old bytes");
    ::chmod(readOnly.c_str(), 0444);
    const std::string directory = m_dir.Path("folder.dic");
    std::filesystem::create_directory(directory);
    const std::string noSuchDir = m_dir.Path("no/such/dir.dic");
    for (const std::string& path : {readOnly, directory, noSuchDir}) {
        SCOPED_TRACE(path);
        m_platform.m_messages.clear();
        m_platform.m_fileAnswers.push_back(path);
        m_doc.OnSaveDictionary();
        EXPECT_EQ(m_platform.m_messages,
                  std::vector<std::string>{"无法保存这个 .txt file " + path});
    }
    EXPECT_EQ(ReadFile(readOnly), "old bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Root()),
                            std::filesystem::directory_iterator()),
              3);  // main.dic, old.dic, folder.dic: no temporary file left behind
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
}

}  // namespace
