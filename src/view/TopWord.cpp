#include "TopWord.h"

#include <algorithm>
#include <cstdint>

#include "CParagraph.h"
#include "StripGeometry.h"

namespace {

std::int64_t LineTop(const CParagraph& paragraph, std::size_t token, int lineUnit) {
    return WordBoxOf(paragraph, token, StripGeometry::ForWindow(0, 0, 0, 0), lineUnit).top;
}

}  // namespace

std::optional<WordPlace> FirstWordFrom(const std::vector<CParagraph>& paragraphs,
                                       std::int64_t scrollPos, int lineUnit) {
    // Paragraph tops never decrease: skip those that end at or above the position.
    auto it = std::partition_point(paragraphs.begin(), paragraphs.end(),
                                   [scrollPos](const CParagraph& paragraph) {
                                       return paragraph.m_nTop + paragraph.m_nHeight <= scrollPos;
                                   });
    for (; it != paragraphs.end(); ++it) {
        const std::size_t count = LaidOutTokenCount(*it);
        for (std::size_t token = 0; token < count; ++token) {
            if (LineTop(*it, token, lineUnit) >= scrollPos) {
                return WordPlace{static_cast<std::size_t>(it - paragraphs.begin()), token};
            }
        }
    }
    return std::nullopt;
}

std::int64_t WordTop(const std::vector<CParagraph>& paragraphs, WordPlace place, int lineUnit) {
    if (paragraphs.empty()) {
        return 0;
    }
    std::size_t index = std::min(place.paragraph, paragraphs.size() - 1);
    if (place.paragraph >= paragraphs.size()) {
        place.token = SIZE_MAX;  // past the end: the text's last word
    }
    // A paragraph without words (a blank line) has only its top.
    while (LaidOutTokenCount(paragraphs[index]) == 0) {
        if (index == 0) {
            return paragraphs.front().m_nTop;
        }
        if (place.paragraph < paragraphs.size()) {
            return paragraphs[index].m_nTop;
        }
        --index;
    }
    const CParagraph& paragraph = paragraphs[index];
    return LineTop(paragraph, std::min(place.token, LaidOutTokenCount(paragraph) - 1), lineUnit);
}

std::int64_t ScrollPosKeeping(const std::vector<CParagraph>& paragraphs, WordPlace kept,
                              std::int64_t oldScrollPos, std::int64_t oldWordTop, int lineUnit) {
    if (kept == WordPlace{} && oldScrollPos < oldWordTop) {
        return oldScrollPos;
    }
    return WordTop(paragraphs, kept, lineUnit);
}
