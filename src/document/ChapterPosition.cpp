#include "ChapterPosition.h"

#include <algorithm>

std::optional<std::size_t> ChapterAt(const std::vector<BookChapter>& chapters,
                                     std::size_t paragraph) {
    // A table of contents is not always in reading order: the nearest start at or
    // before the paragraph wins, the later entry on a tie.
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (chapters[i].paragraph <= paragraph &&
            (!found || chapters[i].paragraph >= chapters[*found].paragraph)) {
            found = i;
        }
    }
    return found;
}

std::optional<std::size_t> NextChapter(const std::vector<BookChapter>& chapters,
                                       std::size_t paragraph) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (chapters[i].paragraph > paragraph &&
            (!found || chapters[i].paragraph < chapters[*found].paragraph)) {
            found = i;
        }
    }
    return found;
}

std::optional<std::size_t> PreviousChapter(const std::vector<BookChapter>& chapters,
                                           std::size_t paragraph) {
    return paragraph == 0 ? std::nullopt : ChapterAt(chapters, paragraph - 1);
}

std::size_t ChapterEnd(const std::vector<BookChapter>& chapters, std::size_t chapter,
                       std::size_t paragraphCount) {
    if (chapter >= chapters.size()) {
        return paragraphCount;
    }
    const std::optional<std::size_t> next = NextChapter(chapters, chapters[chapter].paragraph);
    return next ? std::min(chapters[*next].paragraph, paragraphCount) : paragraphCount;
}
