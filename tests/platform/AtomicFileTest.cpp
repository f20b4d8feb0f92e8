// Atomic file writes: what they replace, what they refuse, and that a path swapped
// under them cannot redirect them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "AtomicFile.h"
#include "TempDir.h"

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::size_t EntriesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(WriteFileAtomically, ReplacesOrCreatesKeepingTheMode) {
    TempDir dir;
    const std::string old = dir.Path("old.txt");
    WriteFile(old, std::string(10000, 'o'));
    ::chmod(old.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(old, "new").Ok());
    EXPECT_EQ(ReadFile(old), "new");
    EXPECT_EQ(ModeOf(old), 0640u);

    const mode_t mask = ::umask(022);
    ASSERT_TRUE(WriteFileAtomically(dir.Path("fresh.txt"), "fresh").Ok());
    ASSERT_TRUE(WriteFileAtomically(dir.Path("private.txt"), "secret", 0600).Ok());
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.Path("fresh.txt")), 0644u);
    EXPECT_EQ(ModeOf(dir.Path("private.txt")), 0600u);

    // Set-id bits are not carried to the new bytes.
    ::chmod(old.c_str(), 04755);
    ASSERT_TRUE(WriteFileAtomically(old, "again").Ok());
    EXPECT_EQ(ModeOf(old), 0755u);
    EXPECT_EQ(EntriesIn(dir.Root()), 3u);  // no temporary left behind
}

TEST(WriteFileAtomically, RefusesWhatItMustNotReplace) {
    TempDir dir;
    WriteFile(dir.Path("readonly.txt"), "kept");
    ::chmod(dir.Path("readonly.txt").c_str(), 0444);
    std::filesystem::create_directory(dir.Path("folder"));
    struct Case {
        std::string path;
        int error;
    };
    const Case cases[] = {
        {dir.Path("readonly.txt"), EACCES},
        {dir.Path("folder"), EINVAL},
        {dir.Path("folder/"), EISDIR},
        {dir.Path("no/such/file.txt"), ENOENT},
        {"/dev/full", EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const AtomicWriteResult result = WriteFileAtomically(c.path, "bytes");
        EXPECT_EQ(result.error, c.error);
        EXPECT_FALSE(result.detail.empty());
    }
    EXPECT_EQ(ReadFile(dir.Path("readonly.txt")), "kept");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("folder")));
    EXPECT_EQ(EntriesIn(dir.Root()), 2u);
}

TEST(WriteFileAtomically, FollowsTheCallersOwnLinks) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path("real"));
    WriteFile(dir.Path("real/words.txt"), "old");
    std::filesystem::create_symlink("real/words.txt", dir.Path("relative"));
    std::filesystem::create_symlink(dir.Path("relative"), dir.Path("chain"));
    std::filesystem::create_symlink("real/new.txt", dir.Path("dangling"));
    ASSERT_TRUE(WriteFileAtomically(dir.Path("chain"), "through two links").Ok());
    EXPECT_EQ(ReadFile(dir.Path("real/words.txt")), "through two links");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("relative")));
    ASSERT_TRUE(WriteFileAtomically(dir.Path("dangling"), "created").Ok());
    EXPECT_EQ(ReadFile(dir.Path("real/new.txt")), "created");

    std::filesystem::create_symlink("loop", dir.Path("loop"));
    EXPECT_EQ(WriteFileAtomically(dir.Path("loop"), "x").error, ELOOP);
}

TEST(WriteFileAtomically, NeverFollowsAnotherUsersLink) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make a link owned by another user";
    }
    TempDir dir;
    WriteFile(dir.Path("protected"), "root's");
    std::filesystem::create_symlink(dir.Path("protected"), dir.Path("planted"));
    ASSERT_EQ(::lchown(dir.Path("planted").c_str(), 65534, 65534), 0);
    const AtomicWriteResult result = WriteFileAtomically(dir.Path("planted"), "redirected");
    EXPECT_EQ(result.error, EPERM);
    EXPECT_EQ(ReadFile(dir.Path("protected")), "root's");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("planted")));
}

// The folder's owner swaps the link between a file the caller may write and one it
// may not, as fast as it can, while the caller saves again and again.
TEST(WriteFileAtomically, ALinkSwappedDuringSavesNeverReplacesTheProtectedFile) {
    TempDir dir;
    WriteFile(dir.Path("decoy"), "decoy");
    ::chmod(dir.Path("decoy").c_str(), 0666);
    WriteFile(dir.Path("protected"), "protected");
    ::chmod(dir.Path("protected").c_str(), 0444);
    const std::string link = dir.Path("words.dic");
    const std::string staging = dir.Path("staging");
    std::filesystem::create_symlink("decoy", link);
    std::filesystem::create_symlink("protected", staging);

    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop) {
            ::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, link.c_str(), RENAME_EXCHANGE);
        }
    });
    int written = 0;
    for (int i = 0; i < 3000; ++i) {
        written += WriteFileAtomically(link, "saved").Ok() ? 1 : 0;
    }
    stop = true;
    swapper.join();

    EXPECT_EQ(ReadFile(dir.Path("protected")), "protected");
    EXPECT_EQ(ModeOf(dir.Path("protected")), 0444u);
    EXPECT_GT(written, 0);
    EXPECT_EQ(ReadFile(dir.Path("decoy")), "saved");
    EXPECT_EQ(ModeOf(dir.Path("decoy")), 0666u);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "decoy" || name == "protected" || name == "words.dic" ||
                    name == "staging")
            << name;
    }
}

}  // namespace
