// supplement.dic beside main.dic: appended after it at start-up, and a damaged one
// refused whole with main.dic's message while the reader keeps main.dic.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CArchive.h"
#include "CVellumwiseDoc.h"
#include "FakePlatformServices.h"
#include "TempDir.h"
#include "TestDictionary.h"
#include "VocabularyTable.h"

namespace {

// "fastidious" only the supplement has; "apple" both have, main.dic's must win.
const std::vector<DictionaryRow>& SupplementEntries() {
    static const std::vector<DictionaryRow> entries = {
        {"apple", "另一个苹果", 0.01},
        {"fastidious", "挑剔的", 0.05},
        {"vexation", "烦恼", 0.02},
    };
    return entries;
}

std::string SupplementBytes() {
    CDicMain dic;
    FillDictionary(dic, SupplementEntries());
    CArchive ar = CArchive::ForStoring();
    dic.Serialize(ar);
    return ar.Bytes();
}

class Supplement : public testing::Test {
protected:
    Supplement() : m_doc(m_platform) {
        EXPECT_TRUE(WriteTestDictionary(m_dir.Path("main.dic")));
        m_doc.SetProgramDir(m_dir.Root().string());
    }

    void Start() { m_doc.OnNewDocument(); }
    std::string Gloss(const std::string& word) {
        return m_doc.m_dicMain.Translate(word, kDefaultThreshold, false, false);
    }

    TempDir m_dir;
    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
};

TEST_F(Supplement, IsAppendedAfterMainDicAndFoundThroughTheIndex) {
    WriteFile(m_dir.Path("supplement.dic"), SupplementBytes());
    Start();
    EXPECT_TRUE(m_platform.m_messages.empty());
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size() + SupplementEntries().size());
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems[TestEntries().size()].m_strWord, "apple");
    EXPECT_EQ(Gloss("fastidious"), Gbk("挑剔的"));
    EXPECT_EQ(Gloss("vexations"), Gbk("烦恼"));  // the reductions reach it too
    EXPECT_EQ(Gloss("apple"), Gbk("苹果"));      // main.dic's entry comes first
    // Scores below the last step's threshold: glossed at every step.
    EXPECT_EQ(
        m_doc.m_dicMain.Translate("fastidious", kVocabThresholds[kMaxVocabLevel], false, false),
        Gbk("挑剔的"));
}

TEST_F(Supplement, MissingIsNoError) {
    Start();
    EXPECT_TRUE(m_platform.m_messages.empty());
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_EQ(Gloss("fastidious"), "");
}

TEST_F(Supplement, DamagedGetsMainDicsMessageAndTheReaderKeepsMainDic) {
    const std::string good = SupplementBytes();
    std::string badRecord = good;
    badRecord[4] = '\x7f';  // the first word's length: past the end of the file
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a bad record", badRecord},
        {"cut short", good.substr(0, good.size() - 3)},
        {"bytes after the last entry", good + "x"},
        {"a negative count", std::string("\xff\xff\xff\xff", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        EXPECT_TRUE(WriteTestDictionary(dir.Path("main.dic")));
        WriteFile(dir.Path("supplement.dic"), c.bytes);
        FakePlatformServices platform;
        CVellumwiseDoc doc(platform);
        doc.SetProgramDir(dir.Root().string());
        doc.OnNewDocument();
        ASSERT_EQ(platform.m_messages.size(), 1u);
        EXPECT_EQ(platform.m_messages[0], "读取字典文件错误 " + dir.Path("supplement.dic"));
        EXPECT_EQ(doc.m_dicMain.m_arrItems.size(), TestEntries().size());
        EXPECT_EQ(doc.m_dicMain.Translate("apple", kDefaultThreshold, false, false), Gbk("苹果"));
        EXPECT_EQ(ReadFile(dir.Path("supplement.dic")), c.bytes);  // nothing is written
    }
}

TEST_F(Supplement, ADirectoryOfThatNameGetsTheMessage) {
    std::filesystem::create_directory(m_dir.Path("supplement.dic"));
    Start();
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_EQ(m_platform.m_messages[0], "读取字典文件错误 " + m_dir.Path("supplement.dic"));
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path("supplement.dic")));
}

}  // namespace
