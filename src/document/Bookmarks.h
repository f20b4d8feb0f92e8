#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "TextPlace.h"

// A place in a text the reader marked to come back to. Every field but the path is
// UTF-8; the path is the file system's bytes.
struct Bookmark {
    std::string path;     // the text's file, canonical: the bookmarks of a book are found by it
    WordPlace place;      // the word that was at the top of the window
    std::string name;     // the reader's own name for it; empty: the snippet names it
    std::string snippet;  // the first words from the place, cut short
    std::string chapter;  // the chapter's title there; empty for a text without chapters
    std::string date;     // YYYY-MM-DD, when it was made

    // What the menu and the list show: the reader's name, else the snippet.
    const std::string& Label() const { return name.empty() ? snippet : name; }
    bool operator==(const Bookmark&) const = default;
};

// The bookmark file, bookmarks.tsv: one bookmark a line, fields path TAB
// paragraph:token TAB name TAB snippet TAB chapter TAB date, each written as the word
// book writes its fields (TabFields.h). A line that is not a bookmark (damaged,
// truncated, written by a later version) is kept aside and written back as it was, so
// the good lines around it survive and nothing the reader had is dropped.
struct BookmarkFile {
    std::vector<Bookmark> bookmarks;
    std::vector<std::string> otherLines;
};

BookmarkFile ParseBookmarks(std::string_view bytes);
std::string FormatBookmarks(const BookmarkFile& file);

// The bookmarks of one text, in the order of their places in it.
std::vector<Bookmark> BookmarksOf(const BookmarkFile& file, const std::string& path);

// The path a text's bookmarks are kept under: canonical when the file exists (a link or
// "./" names the same book), else as given.
std::string BookmarkPathOf(const std::string& textPath);

// The bookmark file of a personal folder.
std::string BookmarksFilePath(const std::string& folder);
// The file's bookmarks; a missing file has none. False when it cannot be read.
bool LoadBookmarks(const std::string& folder, BookmarkFile& file);

// Each change is made under the folder's lock to the file as it is then, so another
// window's bookmarks are kept; nothing is written when the file cannot be read. Each
// answers an empty string when the change was saved, else the message to show.
//
// Adds the bookmark; one already at the same place of the same text is replaced, its
// name kept (a second Ctrl+D on a page does not make a second bookmark).
std::string AddBookmark(const std::string& folder, const Bookmark& bookmark);
// Names the first bookmark equal to `bookmark` (found by content, so a change made
// meanwhile does not shift which one); an empty name gives back the snippet.
std::string RenameBookmark(const std::string& folder, const Bookmark& bookmark,
                           const std::string& name);
std::string RemoveBookmark(const std::string& folder, const Bookmark& bookmark);

// The first words of a paragraph from byte `offset`: at most `characters` characters,
// cut at a space when one is near and marked "…" where it was cut; blanks collapsed.
// Never splits a UTF-8 character.
std::string SnippetFrom(std::string_view paragraph, std::size_t offset,
                        std::size_t characters = 40);
