#include <gtest/gtest.h>

#include "FileKind.h"

namespace {

TEST(FileKind, IsDecidedByTheLastExtensionInAnyCase) {
    struct Case {
        const char* path;
        FileKind kind;
    };
    const Case cases[] = {
        {"/books/Alice.epub", FileKind::Book},
        {"ALICE.EPUB", FileKind::Book},
        {"notes.vwd", FileKind::Document},
        {"/home/r/Notes.VWD", FileKind::Document},
        {"war-and-peace.txt", FileKind::Text},
        {"README", FileKind::Text},
        {"", FileKind::Text},
        // Former bugs and near misses: only the name's own last extension counts.
        {"alice.epub.txt", FileKind::Text},
        {"/books/.epub/", FileKind::Text},
        {".epub", FileKind::Text},
        {".vwd", FileKind::Text},
        {"/books.epub/story", FileKind::Text},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindOfFile(c.path), c.kind) << c.path;
    }
}

}  // namespace
