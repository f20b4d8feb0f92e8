#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "EpubBook.h"

// Where a paragraph stands among a text's chapters (a book's table of contents, or the
// heading lines of a plain text), each known by its first paragraph. The list is in
// reading order; entries sharing a paragraph (a part and its first chapter) count as
// one place, the last of them (the deepest) being the chapter there.

// The chapter the paragraph is in: the last entry starting at or before it; none
// before the first chapter, or without chapters.
std::optional<std::size_t> ChapterAt(const std::vector<BookChapter>& chapters,
                                     std::size_t paragraph);
// The first entry that starts after the paragraph; none in the last chapter.
std::optional<std::size_t> NextChapter(const std::vector<BookChapter>& chapters,
                                       std::size_t paragraph);
// The last entry that starts before the paragraph: the start of the chapter the
// reader is inside, or, from a chapter's first paragraph, the chapter before; none
// before the first chapter's start.
std::optional<std::size_t> PreviousChapter(const std::vector<BookChapter>& chapters,
                                           std::size_t paragraph);
// The paragraph a chapter ends before: the next entry's that starts later, else
// `paragraphCount`.
std::size_t ChapterEnd(const std::vector<BookChapter>& chapters, std::size_t chapter,
                       std::size_t paragraphCount);
