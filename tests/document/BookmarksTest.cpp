// The bookmark file: its lines, what survives damage, and changes under the lock.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "Bookmarks.h"
#include "TempDir.h"

namespace {

using namespace std::string_literals;

Bookmark Mark(std::string path, WordPlace place, std::string snippet = "Once upon a time…") {
    return {std::move(path), place, "", std::move(snippet), "CHAPTER I", "2026-12-11"};
}

TEST(BookmarkFile, RoundTripsOddBytesAndKeepsDamagedLinesAsTheyWere) {
    BookmarkFile file;
    // A path that is not UTF-8, a name with a tab and a new line, a backslash.
    file.bookmarks.push_back(
        {"/books/caf\xe9.txt", {12, 3}, "tab\there\nand\\back", "“Well,” he…", "", "2026-12-11"});
    file.bookmarks.push_back(Mark("/books/b.epub", {0, 0}));
    const std::string bytes = FormatBookmarks(file);
    EXPECT_EQ(ParseBookmarks(bytes).bookmarks, file.bookmarks);

    // A damaged file: a line cut short, a place that is not a number, an empty path,
    // a CR LF line, a line of a later version with more fields.
    const std::string good = FormatBookmarks({{Mark("/a.txt", {5, 1})}, {}});
    const std::string damaged = "/a.txt\t5:1\tname\n"s + "/a.txt\tfive:1\t\t\t\t\n" +
                                "\t1:1\t\t\t\t\n" + good.substr(0, good.size() - 1) + "\r\n" +
                                "/a.txt\t1:2\t\t\t\t\textra\n" + "\x00\xff\n"s;
    const BookmarkFile read = ParseBookmarks(damaged);
    ASSERT_EQ(read.bookmarks.size(), 1u);
    EXPECT_EQ(read.bookmarks[0], Mark("/a.txt", {5, 1}));
    EXPECT_EQ(read.otherLines, (std::vector<std::string>{
                                   "/a.txt\t5:1\tname", "/a.txt\tfive:1\t\t\t\t", "\t1:1\t\t\t\t",
                                   "/a.txt\t1:2\t\t\t\t\textra", "\x00\xff"s}));
    // Written back, nothing is lost, and the good line reads the same again.
    const BookmarkFile again = ParseBookmarks(FormatBookmarks(read));
    EXPECT_EQ(again.bookmarks, read.bookmarks);
    EXPECT_EQ(again.otherLines, read.otherLines);
}

TEST(BookmarkFile, ABooksBookmarksComeInTheOrderOfTheirPlaces) {
    BookmarkFile file;
    file.bookmarks = {Mark("/b.txt", {9, 0}), Mark("/a.txt", {30, 2}), Mark("/a.txt", {3, 7}),
                      Mark("/a.txt", {30, 1})};
    const std::vector<Bookmark> of = BookmarksOf(file, "/a.txt");
    ASSERT_EQ(of.size(), 3u);
    EXPECT_EQ(of[0].place, (WordPlace{3, 7}));
    EXPECT_EQ(of[1].place, (WordPlace{30, 1}));
    EXPECT_EQ(of[2].place, (WordPlace{30, 2}));
    EXPECT_TRUE(BookmarksOf(file, "/c.txt").empty());
}

TEST(BookmarkSnippet, FirstWordsCutAtASpaceWithoutBreakingACharacter) {
    struct Case {
        std::string paragraph;
        std::size_t offset;
        std::size_t characters;
        std::string expected;
    };
    const Case cases[] = {
        {"It was the best of times.", 7, 40, "the best of times."},
        {"It was the best of times, it was the worst of times.", 0, 20, "It was the best of…"},
        {"Unbreakablewordwithoutanyspaces", 0, 10, "Unbreakabl…"},
        {"a  lot\tof   blanks", 0, 40, "a lot of blanks"},
        // Chinese, and a start inside a character moves to the next one.
        {"他说：“好。”然后走了。", 1, 4, "说：“好…"},
        {"short", 99, 40, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnippetFrom(c.paragraph, c.offset, c.characters), c.expected) << c.paragraph;
    }
}

class BookmarkFolder : public testing::Test {
protected:
    std::string Folder() const { return m_dir.Path("vellumwise"); }
    std::vector<Bookmark> Of(const std::string& path) const {
        BookmarkFile file;
        EXPECT_TRUE(LoadBookmarks(Folder(), file));
        return BookmarksOf(file, path);
    }
    TempDir m_dir;
};

TEST_F(BookmarkFolder, AddRenameAndRemoveKeepOtherBooksAndDamagedLines) {
    BookmarkFile none;
    EXPECT_TRUE(LoadBookmarks(Folder(), none));  // nothing kept yet
    EXPECT_TRUE(none.bookmarks.empty());
    ASSERT_EQ(AddBookmark(Folder(), Mark("/a.txt", {1, 0})), "");
    // The file is the reader's alone, and a damaged line in it stays.
    struct stat info {};
    ASSERT_EQ(::stat(BookmarksFilePath(Folder()).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
    WriteFile(BookmarksFilePath(Folder()), ReadFile(BookmarksFilePath(Folder())) + "junk line\n");
    ASSERT_EQ(AddBookmark(Folder(), Mark("/b.txt", {1, 0})), "");
    ASSERT_EQ(AddBookmark(Folder(), Mark("/a.txt", {7, 2})), "");

    const Bookmark first = Of("/a.txt")[0];
    ASSERT_EQ(RenameBookmark(Folder(), first, "where the storm begins"), "");
    EXPECT_EQ(Of("/a.txt")[0].Label(), "where the storm begins");
    // Marking the same place again renews it and keeps the reader's name.
    ASSERT_EQ(AddBookmark(Folder(), Mark("/a.txt", {1, 0}, "new snippet")), "");
    ASSERT_EQ(Of("/a.txt").size(), 2u);
    EXPECT_EQ(Of("/a.txt")[0].name, "where the storm begins");
    EXPECT_EQ(Of("/a.txt")[0].snippet, "new snippet");
    // An empty name gives the snippet back.
    ASSERT_EQ(RenameBookmark(Folder(), Of("/a.txt")[0], ""), "");
    EXPECT_EQ(Of("/a.txt")[0].Label(), "new snippet");

    ASSERT_EQ(RemoveBookmark(Folder(), Of("/a.txt")[0]), "");
    ASSERT_EQ(Of("/a.txt").size(), 1u);
    EXPECT_EQ(Of("/a.txt")[0].place, (WordPlace{7, 2}));
    EXPECT_EQ(Of("/b.txt").size(), 1u);
    // Removing one that is gone already changes nothing.
    ASSERT_EQ(RemoveBookmark(Folder(), Mark("/gone.txt", {0, 0})), "");
    BookmarkFile file;
    ASSERT_TRUE(LoadBookmarks(Folder(), file));
    EXPECT_EQ(file.otherLines, std::vector<std::string>{"junk line"});
}

TEST_F(BookmarkFolder, AFileThatCannotBeReadIsNeverWritten) {
    std::filesystem::create_directories(BookmarksFilePath(Folder()));  // a folder in its place
    const std::string problem = AddBookmark(Folder(), Mark("/a.txt", {1, 0}));
    EXPECT_NE(problem.find("书签没有改动"), std::string::npos) << problem;
    EXPECT_TRUE(std::filesystem::is_directory(BookmarksFilePath(Folder())));
    BookmarkFile file;
    EXPECT_FALSE(LoadBookmarks(Folder(), file));
}

TEST_F(BookmarkFolder, ABookIsKnownByItsCanonicalPath) {
    std::filesystem::create_directories(m_dir.Path("books"));
    WriteFile(m_dir.Path("books/a.txt"), "text");
    std::filesystem::create_symlink(m_dir.Path("books/a.txt"), m_dir.Path("link.txt"));
    EXPECT_EQ(BookmarkPathOf(m_dir.Path("link.txt")), BookmarkPathOf(m_dir.Path("books/./a.txt")));
    EXPECT_EQ(BookmarkPathOf("/no/such/file.txt"), "/no/such/file.txt");
}

}  // namespace
