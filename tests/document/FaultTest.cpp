// Faults a reader or a maintainer can meet: full disks, read-only places, damaged
// dictionaries, odd and huge texts. None may crash the program or lose a file.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "CArchive.h"
#include "DictionaryFile.h"
#include "DocumentFixture.h"

namespace {

using namespace std::string_literals;

// Mounts a small tmpfs on `dir` inside a mount namespace private to this test
// process, so nothing outlives the test. False where the system does not allow it.
// The process's address-space size now, as RLIMIT_AS counts it.
std::size_t VirtualSize() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

bool MountTmpfs(const std::string& dir, const char* options) {
    static const bool isPrivate = ::unshare(CLONE_NEWNS) == 0 &&
                                  ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return isPrivate && ::mount("tmpfs", dir.c_str(), "tmpfs", 0, options) == 0;
}

class Faults : public StartedDocument {
protected:
    // A dictionary too large for a 64 KiB disk: a few thousand imported entries.
    void ImportLargeDictionary() {
        std::string text;
        for (int i = 0; i < 4000; ++i) {
            text += "word" + std::to_string(i) + "\t词语\t" + std::to_string(i) + "\n";
        }
        ASSERT_TRUE(m_doc.ImportDictionaryText(text));
    }
    // Saves through the command, as the reader does, and returns the messages shown.
    std::vector<std::string> Save(const std::string& path) {
        m_platform.m_messages.clear();
        m_platform.m_fileAnswers.push_back(path);
        m_doc.OnSaveDictionary();
        return m_platform.m_messages;
    }
};

TEST_F(Faults, SavingToAFullDiskKeepsTheOldFile) {
    const std::string disk = m_dir.Path("disk");
    std::filesystem::create_directory(disk);
    if (!MountTmpfs(disk, "size=64k")) {
        GTEST_SKIP() << "cannot mount a small disk here";
    }
    const std::string path = disk + "/main.dic";
    WriteFile(path, "old dictionary");
    ImportLargeDictionary();
    EXPECT_EQ(Save(path), std::vector<std::string>{"无法保存这个 .txt file " + path});
    EXPECT_EQ(ReadFile(path), "old dictionary");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk), {}), 1);  // no leftovers
    ::umount(disk.c_str());
}

TEST_F(Faults, SavingIntoAReadOnlyDirectoryKeepsTheOldFile) {
    const std::string disk = m_dir.Path("readonly");
    std::filesystem::create_directory(disk);
    if (!MountTmpfs(disk, "size=1m")) {
        GTEST_SKIP() << "cannot mount a disk here";
    }
    const std::string path = disk + "/main.dic";
    WriteFile(path, "old dictionary");
    ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(Save(path), std::vector<std::string>{"无法保存这个 .txt file " + path});
    EXPECT_EQ(Save(disk + "/new.dic"),
              std::vector<std::string>{"无法保存这个 .txt file " + disk + "/new.dic"});
    EXPECT_EQ(ReadFile(path), "old dictionary");
    ::umount(disk.c_str());
}

TEST_F(Faults, SavingOverADeviceIsRefused) {
    EXPECT_EQ(Save("/dev/full"), std::vector<std::string>{"无法保存这个 .txt file /dev/full"});
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(Faults, OddTextsOpenWithoutLoss) {
    std::string executable = ReadFile("/proc/self/exe");
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> paragraphs;  // empty: only checked to be valid UTF-8
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"only line ends", "\r\n\n\r\n", {}},
        {"lone CR stays in the word", "end\rStart\nnext", {"end\rStart", "next"}},
        {"invalid UTF-8 read as Windows-1252", "caf\xe9 \x93quoted\x94", {"café “quoted”"}},
        {"an executable", executable, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_platform.m_fileAnswers.push_back(WriteText("odd.txt", c.bytes));
        m_doc.OnOpenTextFile();
        EXPECT_TRUE(m_platform.m_messages.empty());
        std::size_t tokens = 0;
        for (const CParagraph& p : m_doc.m_paragraphs.m_arrParagraphs) {
            EXPECT_TRUE(codepage::IsValidUtf8(p.m_strText));
            tokens += p.TokenCount();
        }
        if (!c.paragraphs.empty() || c.bytes.find_first_not_of("\r\n") == std::string::npos) {
            EXPECT_EQ(ParagraphTexts(), c.paragraphs);
        }
    }
}

TEST_F(Faults, AMillionTokensWithoutALineEnd) {
    std::string text;
    for (int i = 0; i < 1000000; ++i) {
        text += "apple ";
    }
    m_platform.m_fileAnswers.push_back(WriteText("long.txt", text));
    m_doc.OnOpenTextFile();
    ASSERT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), 1u);
    const CParagraph& p = m_doc.m_paragraphs.m_arrParagraphs[0];
    EXPECT_EQ(p.TokenCount(), 1000000u);
    EXPECT_EQ(p.Word(999998), "apple");
    EXPECT_EQ(*codepage::GbkToUtf8(p.Gloss(999998)), "苹果");
}

TEST_F(Faults, ATwoHundredMegabyteText) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "too slow and large under AddressSanitizer; the normal build runs it";
#endif
    const std::string path = m_dir.Path("huge.txt");
    const std::string block = "It was a dark and stormy night; the rain fell in torrents.\r\n";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string chunk = [&] {
            std::string c;
            while (c.size() < (1u << 20)) c += block;
            return c;
        }();
        for (int i = 0; i < 200; ++i) out << chunk;
    }
    const auto size = std::filesystem::file_size(path);
    ASSERT_GE(size, 200u << 20);
    m_platform.m_fileAnswers.push_back(path);
    m_doc.OnOpenTextFile();
    EXPECT_TRUE(m_platform.m_messages.empty());
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), size / block.size());
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    RecordProperty("peak_rss_mib", static_cast<int>(usage.ru_maxrss / 1024));
    std::printf("peak resident memory after opening %zu MiB: %ld MiB\n",
                static_cast<std::size_t>(size >> 20), usage.ru_maxrss / 1024);
}

// ---- Files that are not texts, or too large to take ----

class Refusals : public StartedDocument {
protected:
    Refusals() {
        m_platform.m_clipboard = "apple";
        m_doc.OnEditPaste();
        m_doc.ScrollTo(300);
        m_view.m_hints.clear();
    }
    // Opens `path` through the command and checks the text shown before stayed.
    // Without `why` no message is expected.
    void ExpectRefused(const std::string& path, const std::optional<std::string>& why) {
        m_platform.m_messages.clear();
        m_platform.m_fileAnswers.push_back(path);
        m_doc.OnOpenTextFile();
        EXPECT_EQ(m_platform.m_messages,
                  why ? std::vector<std::string>{"无法调入这个 .txt 文件：" + path + *why}
                      : std::vector<std::string>{});
        EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"apple"});
        EXPECT_EQ(Glossed(), "apple=苹果");
        EXPECT_EQ(m_doc.GetTitle(), "无标题");
        EXPECT_EQ(m_doc.m_nScrollPos, 300);
        EXPECT_TRUE(m_view.m_hints.empty());
        EXPECT_EQ(m_platform.m_nWaitDepth, 0);
    }
};

TEST_F(Refusals, DevicesAndFifosAreRefusedWithoutWaiting) {
    const std::string fifo = m_dir.Path("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        ExpectRefused(path, "\n这不是普通文件（而是设备、管道或套接字）。");
    }
}

TEST_F(Refusals, AFileOverTheLimitIsRefusedUnread) {
    // Sparse: three gigabytes of size without the disk space.
    const std::string path = WriteText("huge.txt", "");
    ASSERT_EQ(::truncate(path.c_str(), off_t{3} << 30), 0);
    ExpectRefused(path, "\n文件超过 2 GB，太大了。");
}

TEST_F(Refusals, RunningOutOfMemoryIsReported) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    // In a fresh process, whose heap holds nothing freed by earlier tests.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // A sparse file larger than everything the process has mapped, so only
            // new memory can hold it, and under the size limit.
            const std::size_t mapped = VirtualSize();
            const std::string path = WriteText("story.txt", "");
            if (::truncate(path.c_str(), static_cast<off_t>(mapped + (256 << 20))) != 0) {
                std::exit(2);
            }
            rlimit tight{};
            ::getrlimit(RLIMIT_AS, &tight);
            tight.rlim_cur = static_cast<rlim_t>(mapped + (16 << 20));
            ::setrlimit(RLIMIT_AS, &tight);
            m_platform.m_fileAnswers.push_back(path);
            m_doc.OnOpenTextFile();
            const bool reported =
                m_platform.m_messages ==
                std::vector<std::string>{"无法调入这个 .txt 文件：" + path + "\n内存不足。"};
            const bool kept = ParagraphTexts() == std::vector<std::string>{"apple"};
            std::exit(reported && kept ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Refusals, CancellingALoadKeepsTheTextShownBefore) {
    std::string text;
    for (int i = 0; i < 30000; ++i) {
        text += "An apple a day.\n";
    }
    const std::string path = WriteText("story.txt", text);
    m_platform.m_cancelAt = 0.5;
    ExpectRefused(path, std::nullopt);
    ASSERT_FALSE(m_platform.m_progress.empty());
    EXPECT_GE(m_platform.m_progress.back(), 0.5);
    // Without the cancel the same file opens, and the bar only ever moves forward.
    m_platform.m_cancelAt.reset();
    m_platform.m_progress.clear();
    m_doc.OpenTextFile(path);
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), 30000u);
    EXPECT_TRUE(std::is_sorted(m_platform.m_progress.begin(), m_platform.m_progress.end()));
}

TEST(FaultsDictionary, AFifoOrDeviceAsMainDicIsRefusedWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.Path("main.dic");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        CDicMain dic{WordLists{}};
        const DicFileResult result = LoadDictionaryFile(dic, path);
        EXPECT_FALSE(result.Ok());
        EXPECT_NE(result.kind, DicFileResult::Kind::Missing);
    }
}

// ---- A damaged main.dic at start-up ----

// Whether start-up succeeds with these bytes as main.dic; a failure must load nothing.
bool StartsWith(const std::string& dicBytes) {
    TempDir dir;
    WriteFile(dir.Path("main.dic"), dicBytes);
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(dir.Root().string());
    const bool started = doc.OnNewDocument();
    EXPECT_EQ(platform.m_messages.empty(), started);
    EXPECT_EQ(doc.m_dicMain.m_arrItems.empty(), !started);
    return started;
}

TEST(DamagedDictionary, ACutAnywhereFailsStartUp) {
    CDicMain source;
    FillDictionary(source);
    CArchive ar = CArchive::ForStoring();
    source.Serialize(ar);
    const std::string bytes = ar.Bytes();
    // Every record boundary and the middle of every record.
    std::vector<std::size_t> cuts = {0, 2, 4};
    CArchive walk = CArchive::ForLoading(bytes);
    walk.ReadInt32();
    while (walk.Remaining() > 0) {
        const std::size_t start = walk.Offset();
        CDicItem item;
        item.Serialize(walk);
        cuts.push_back((start + walk.Offset()) / 2);
        if (walk.Remaining() > 0) {
            cuts.push_back(walk.Offset());
        }
    }
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(StartsWith(bytes.substr(0, cut)));
    }
    EXPECT_TRUE(StartsWith(bytes));
}

}  // namespace
