#pragma once

#include <optional>
#include <string>
#include <string_view>

// Names of files inside the book: zip member names such as "OEBPS/text/ch1.xhtml",
// always relative to the archive's root, '/' between folders.

// Where a reference in a book file points: a member and an optional fragment.
struct BookTarget {
    std::string member;
    std::string fragment;  // without '#', percent-decoded; empty for the file's start
};

// A member name that stays inside the archive: not absolute, no drive letter,
// no ".." step (with either slash).
bool IsSafeMemberName(std::string_view name);

// "a/./b/../c" -> "a/c"; nullopt when ".." would climb above the root.
std::optional<std::string> NormalizedMemberName(std::string_view name);

// A reference as written in the file `base` (an href: relative, percent-encoded,
// maybe with "#fragment"). Nullopt for references out of the book (a scheme such
// as http:) or above its root.
std::optional<BookTarget> ResolveHref(std::string_view base, std::string_view href);
