// Reading and writing main.dic files: damaged files, failed saves, nothing lost.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <vector>

#include "CArchive.h"
#include "CDicMain.h"
#include "DictionaryFile.h"
#include "FixtureWordLists.h"
#include "TempDir.h"
#include "TestBytes.h"

namespace {

using Kind = DicFileResult::Kind;

// Three entries and the byte offset where each record starts, plus the end.
struct SampleFile {
    std::string bytes;
    std::vector<std::size_t> boundaries;
};

SampleFile MakeSample() {
    SampleFile sample;
    CArchive ar = CArchive::ForStoring();
    ar.WriteInt32(3);
    const char* words[] = {"apple", "book", "cat"};
    for (const char* word : words) {
        sample.boundaries.push_back(ar.Bytes().size());
        CDicItem item;
        item.m_strWord = word;
        item.m_strGloss = std::string("\xC6\xBB") + word;
        item.m_dFrequency = 2.5;
        item.Serialize(ar);
    }
    sample.boundaries.push_back(ar.Bytes().size());
    sample.bytes = ar.Bytes();
    return sample;
}

TEST(LoadDictionaryFile, ReadsAWholeFileAndAppends) {
    TempDir dir;
    const SampleFile sample = MakeSample();
    WriteFile(dir.Path("main.dic"), sample.bytes);
    CDicMain dic(FixtureWordLists());
    ASSERT_TRUE(LoadDictionaryFile(dic, dir.Path("main.dic")).Ok());
    ASSERT_TRUE(LoadDictionaryFile(dic, dir.Path("main.dic")).Ok());
    ASSERT_EQ(dic.m_arrItems.size(), 6u);
    EXPECT_EQ(dic.LookupExact("cat", 3.0),
              "\xC6\xBB"
              "cat");
}

TEST(LoadDictionaryFile, MissingAndUnreadable) {
    TempDir dir;
    CDicMain dic(FixtureWordLists());
    const DicFileResult missing = LoadDictionaryFile(dic, dir.Path("main.dic"));
    EXPECT_EQ(missing.kind, Kind::Missing);
    EXPECT_EQ(missing.path, dir.Path("main.dic"));

    std::filesystem::create_directory(dir.Path("main.dic"));
    EXPECT_EQ(LoadDictionaryFile(dic, dir.Path("main.dic")).kind, Kind::Unreadable);
    EXPECT_TRUE(dic.m_arrItems.empty());
}

TEST(LoadDictionaryFile, RefusesEveryCutAndLeavesTheDictionaryUnchanged) {
    TempDir dir;
    const SampleFile sample = MakeSample();
    for (std::size_t cut = 0; cut < sample.bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        WriteFile(dir.Path("cut.dic"), sample.bytes.substr(0, cut));
        CDicMain dic(FixtureWordLists());
        const DicFileResult result = LoadDictionaryFile(dic, dir.Path("cut.dic"));
        EXPECT_EQ(result.kind, Kind::Malformed);
        EXPECT_TRUE(dic.m_arrItems.empty());
    }
    // The message names the entry and where it starts.
    WriteFile(dir.Path("cut.dic"), sample.bytes.substr(0, sample.boundaries[2] + 3));
    CDicMain dic(FixtureWordLists());
    const DicFileResult result = LoadDictionaryFile(dic, dir.Path("cut.dic"));
    EXPECT_NE(result.detail.find("entry 3 at byte offset " + std::to_string(sample.boundaries[2])),
              std::string::npos)
        << result.detail;
}

TEST(LoadDictionaryFile, RefusesWhatNoWriterProduces) {
    TempDir dir;
    const SampleFile sample = MakeSample();
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string oddWord = sample.bytes;
    oddWord[4] = 9;  // the first word's length: odd, so not a scrambled text
    std::string longPrefix = Hex("01 00 00 00") + Hex("FF 02 00 8E 06") + Hex("00") +
                             std::string(8, '\0') + Hex("01 00 00 00");
    const Case cases[] = {
        {"bytes after the last entry", sample.bytes + "x"},
        {"negative count", Hex("FF FF FF FF")},
        {"huge count", Hex("FF FF FF 7F")},
        {"odd scrambled length", oddWord},
        {"three-byte prefix for a short text", longPrefix},
        {"scrambled bytes out of range",
         Hex("01 00 00 00 02 FF FF 00") + std::string(8, '\0') + Hex("01 00 00 00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.Path("bad.dic"), c.bytes);
        CDicMain dic(FixtureWordLists());
        EXPECT_EQ(LoadDictionaryFile(dic, dir.Path("bad.dic")).kind, Kind::Malformed);
        EXPECT_TRUE(dic.m_arrItems.empty());
    }
}

class SaveDictionaryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dic = std::make_unique<CDicMain>(FixtureWordLists());
        WriteFile(dir.Path("sample.dic"), MakeSample().bytes);
        ASSERT_TRUE(LoadDictionaryFile(*dic, dir.Path("sample.dic")).Ok());
    }
    TempDir dir;
    std::unique_ptr<CDicMain> dic;
};

TEST_F(SaveDictionaryFileTest, WritesTheSameBytesAndReplacesAnOldFile) {
    WriteFile(dir.Path("out.dic"), std::string(100000, 'o'));
    ASSERT_TRUE(SaveDictionaryFile(*dic, dir.Path("out.dic")).Ok());
    EXPECT_EQ(ReadFile(dir.Path("out.dic")), MakeSample().bytes);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 2);
}

TEST_F(SaveDictionaryFileTest, FailuresLeaveTheOldFileWhole) {
    const std::string old = "old dictionary bytes";
    WriteFile(dir.Path("readonly.dic"), old);
    ::chmod(dir.Path("readonly.dic").c_str(), 0444);
    EXPECT_EQ(SaveDictionaryFile(*dic, dir.Path("readonly.dic")).kind, Kind::WriteFailed);
    EXPECT_EQ(ReadFile(dir.Path("readonly.dic")), old);

    EXPECT_EQ(SaveDictionaryFile(*dic, dir.Path("no/such/dir.dic")).kind, Kind::WriteFailed);
    EXPECT_EQ(SaveDictionaryFile(*dic, dir.Root().string()).kind, Kind::WriteFailed);
    // A device is never replaced by a regular file.
    EXPECT_EQ(SaveDictionaryFile(*dic, "/dev/full").kind, Kind::WriteFailed);
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(SaveDictionaryFileTest, FullDiskLeavesTheOldFileWhole) {
    const std::string old = "old dictionary bytes";
    WriteFile(dir.Path("main.dic"), old);
    // A file-size limit below the dictionary's size fails the write like a full disk.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const DicFileResult result = SaveDictionaryFile(*dic, dir.Path("main.dic"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result.kind, Kind::WriteFailed);
    EXPECT_EQ(ReadFile(dir.Path("main.dic")), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 2);
}

}  // namespace
