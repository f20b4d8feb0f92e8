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
    place = ClampPlace(paragraphs, place);
    const CParagraph& paragraph = paragraphs[place.paragraph];
    const std::size_t laidOut = LaidOutTokenCount(paragraph);
    // A paragraph without words (a blank line) has only its top.
    return laidOut == 0 ? paragraph.m_nTop
                        : LineTop(paragraph, std::min(place.token, laidOut - 1), lineUnit);
}

WordPlace ClampPlace(const std::vector<CParagraph>& paragraphs, WordPlace place) {
    if (paragraphs.empty()) {
        return {};
    }
    if (place.paragraph >= paragraphs.size()) {
        // The last paragraph with words, at its last one.
        std::size_t index = paragraphs.size() - 1;
        while (index > 0 && paragraphs[index].TokenCount() == 0) {
            --index;
        }
        place = {index, SIZE_MAX};
    }
    const std::size_t count = paragraphs[place.paragraph].TokenCount();
    place.token = count == 0 ? 0 : std::min(place.token, count - 1);
    return place;
}

std::int64_t ScrollPosKeeping(const std::vector<CParagraph>& paragraphs, WordPlace kept,
                              std::int64_t oldScrollPos, std::int64_t oldWordTop, int lineUnit) {
    if (kept == WordPlace{} && oldScrollPos < oldWordTop) {
        return oldScrollPos;
    }
    return WordTop(paragraphs, kept, lineUnit);
}
