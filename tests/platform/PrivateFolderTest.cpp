// The reader's own folders as a hostile local user would try them: folders others may
// write, links planted at the files, a lock held by a hung program, saves killed
// half-way, and no home at all.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "AtomicFile.h"
#include "PrivateFolder.h"
#include "TempDir.h"

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody

bool CanGiveAway() { return ::geteuid() == 0; }

// Sets an environment variable (or unsets it, for null) for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* before = std::getenv(name)) {
            m_before = before;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { m_before ? ::setenv(m_name, m_before->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_before;
};

TEST(PrivateFolder, IsRefusedWhenAnotherUserCouldPlantFilesInIt) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("open/mine"));
    ::chmod(dir.Path("open").c_str(), 0777);  // not sticky: anyone may replace "mine"
    std::filesystem::create_directories(dir.Path("shared"));
    ::chmod(dir.Path("shared").c_str(), 01777);  // sticky, like /tmp, but the folder itself
    std::filesystem::create_directories(dir.Path("sticky/mine"));
    ::chmod(dir.Path("sticky").c_str(), 01777);
    std::filesystem::create_directories(dir.Path("group"));
    ::chmod(dir.Path("group").c_str(), 0770);
    struct Case {
        const char* folder;
        bool ok;
        const char* says;
    } cases[] = {
        {"open/mine", false, "别的用户也能写入"},
        {"shared", false, "别的用户也能写入"},
        {"group", false, "别的用户也能写入"},
        {"sticky/mine", true, ""},  // only its owner may replace "mine"
        {"relative", false, "不是绝对路径"},
    };
    for (const Case& c : cases) {
        std::string problem;
        const std::string path =
            c.folder == std::string("relative") ? "relative" : dir.Path(c.folder);
        const std::optional<std::string> folder = OpenPrivateFolder(path, false, &problem);
        EXPECT_EQ(folder.has_value(), c.ok) << c.folder << ": " << problem;
        EXPECT_NE(problem.find(c.says), std::string::npos) << c.folder << ": " << problem;
        // Nothing is created or locked in a refused folder.
        if (!c.ok) {
            FolderChange change(path);
            EXPECT_FALSE(change.Ok()) << c.folder;
            EXPECT_NE(change.Write("x.txt", "x"), "") << c.folder;
            EXPECT_FALSE(std::filesystem::exists(path + "/x.txt")) << c.folder;
        }
    }
}

TEST(PrivateFolder, IsRefusedWhenAnotherUserOwnsItOrAFolderAbove) {
    if (!CanGiveAway()) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    TempDir dir;
    std::filesystem::create_directories(dir.Path("theirs/mine"));
    ASSERT_EQ(::chown(dir.Path("theirs").c_str(), kOtherUser, kOtherUser), 0);
    std::string problem;
    EXPECT_FALSE(OpenPrivateFolder(dir.Path("theirs/mine"), false, &problem));
    EXPECT_NE(problem.find("属于另一个用户"), std::string::npos) << problem;
    EXPECT_NE(problem.find("theirs"), std::string::npos) << problem;
}

TEST(PrivateFolder, NeverFollowsALinkPlantedAtAFile) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("data"));
    WriteFile(dir.Path("secret"), "private\n");
    ::chmod(dir.Path("secret").c_str(), 0600);
    std::filesystem::create_symlink(dir.Path("secret"), dir.Path("data/known-words.txt"));
    if (CanGiveAway()) {
        ::lchown(dir.Path("data/known-words.txt").c_str(), kOtherUser, kOtherUser);
    }

    const PrivateFile read = ReadPrivateFile(dir.Path("data"), "known-words.txt");
    EXPECT_EQ(read.status, PrivateFile::Status::Failed);
    EXPECT_EQ(read.bytes, "");
    EXPECT_NE(read.problem.find("符号链接"), std::string::npos) << read.problem;

    const FolderChange change(dir.Path("data"));
    ASSERT_TRUE(change.Ok()) << change.Problem();
    EXPECT_NE(change.Write("known-words.txt", "apple\n"), "");
    EXPECT_EQ(ReadFile(dir.Path("secret")), "private\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("data/known-words.txt")));
}

TEST(PrivateFolder, NewFilesAndFoldersAreTheUsersAlone) {
    TempDir dir;
    const FolderChange change(dir.Path("a/b/vellumwise"));
    ASSERT_TRUE(change.Ok()) << change.Problem();
    ASSERT_EQ(change.Write("wordbook.tsv", "x\n"), "");
    struct stat info {};
    ASSERT_EQ(::stat(dir.Path("a/b/vellumwise").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(dir.Path("a/b/vellumwise/wordbook.tsv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(PrivateFolder, ALockHeldByAHungProgramTimesOut) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("data"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const FolderChange held(dir.Path("data"));
        const char byte = held.Ok() ? '1' : '0';
        [[maybe_unused]] const ssize_t put = ::write(ready[1], &byte, 1);
        ::sleep(30);  // hung; killed below
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, '1');
    const auto start = std::chrono::steady_clock::now();
    const FolderChange waiting(dir.Path("data"), std::chrono::milliseconds(300));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(waiting.Ok());
    EXPECT_NE(waiting.Problem().find("锁住"), std::string::npos) << waiting.Problem();
    EXPECT_LT(waited, std::chrono::seconds(5));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    // Its lock died with it.
    EXPECT_TRUE(FolderChange(dir.Path("data"), std::chrono::milliseconds(300)).Ok());
}

TEST(PrivateFolder, WhatAKilledSaveLeftIsRemovedAtTheNextStartAndNothingElse) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("data/wordbook.tsv.Ab3dEf.saving"));
    WriteFile(dir.Path("data/wordbook.tsv.Ab3dEf.saving/s.conf"), "scratch");
    WriteFile(dir.Path("data/known-words.txt.x9Y8z7.saving"), "half");
    WriteFile(dir.Path("data/known-words.txt.backup"), "the reader's own copy");
    WriteFile(dir.Path("data/known-words.txt"), "apple\n");
    WriteFile(dir.Path("data/other.txt.x9Y8z7.saving"), "not one of ours");
    RemoveStaleTemporaries(dir.Path("data"), {"wordbook.tsv", "known-words.txt"});
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("data"))) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".lock", "known-words.txt", "known-words.txt.backup",
                                              "other.txt.x9Y8z7.saving"}));
}

TEST(PrivateFolder, WithoutAUsableHomeThePasswordDatabaseSaysWhereAndElseNothingIsKept) {
    const passwd* entry = ::getpwuid(::geteuid());
    ASSERT_NE(entry, nullptr);
    const std::string fromDatabase = entry->pw_dir;
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        const ScopedVariable unsetHome("HOME", home);
        const ScopedVariable unsetData("XDG_DATA_HOME", nullptr);
        const ScopedVariable relativeConfig("XDG_CONFIG_HOME", "config");
        EXPECT_EQ(HomeFolder(), fromDatabase) << (home ? home : "(unset)");
        EXPECT_EQ(DataHome(),
                  fromDatabase + (fromDatabase.ends_with('/') ? "" : "/") + ".local/share");
        EXPECT_EQ(ConfigHome(),
                  fromDatabase + (fromDatabase.ends_with('/') ? "" : "/") + ".config");
    }
    // No folder at all: nothing is created anywhere, the reader is told.
    std::string problem;
    EXPECT_FALSE(OpenPrivateFolder("", true, &problem));
    EXPECT_EQ(problem, kNoHomeMessage);
}

}  // namespace
