#include "StripGeometry.h"

#include <algorithm>

#include "CParagraph.h"

ParagraphRange StripGeometry::VisibleParagraphs(const std::vector<CParagraph>& paragraphs,
                                                int margin) const {
    const std::int64_t upper = scrollPos - windowHeight - margin;
    const std::int64_t lower = scrollPos + windowHeight + margin;
    const auto first = std::partition_point(
        paragraphs.begin(), paragraphs.end(), [upper](const CParagraph& paragraph) {
            return paragraph.m_nTop < upper - paragraph.m_nHeight - kSkipSlack;
        });
    const auto last = std::partition_point(
        first, paragraphs.end(),
        [lower](const CParagraph& paragraph) { return paragraph.m_nTop <= lower; });
    return {static_cast<std::size_t>(first - paragraphs.begin()),
            static_cast<std::size_t>(last - paragraphs.begin())};
}

WordBox WordBoxOf(const CParagraph& paragraph, std::size_t token, const StripGeometry& geometry,
                  int lineUnit) {
    WordBox box;
    box.left = geometry.ColumnLeft() + paragraph.X(token);
    box.top = paragraph.m_nTop - geometry.scrollPos +
              static_cast<std::int64_t>(paragraph.Line(token)) * lineUnit * 2;
    box.bottom = box.top + lineUnit * 2;
    box.right = box.left + paragraph.Width(token);
    return box;
}

std::size_t LaidOutTokenCount(const CParagraph& paragraph) {
    return paragraph.LaidOut() ? paragraph.TokenCount() : 0;
}

std::string PageStatusText(std::int64_t scrollPos, std::int64_t textHeight) {
    return "第" + std::to_string(CurrentPage(scrollPos)) + "页/共" +
           std::to_string(PageCount(textHeight)) + "页";
}

int PercentThrough(std::int64_t scrollPos, std::int64_t textHeight) {
    if (textHeight <= 0) {
        return 0;
    }
    const std::int64_t held = std::clamp<std::int64_t>(scrollPos, 0, textHeight);
    // In double: a position near 2^62 times 100 would overflow.
    return static_cast<int>(static_cast<double>(held) * 100.0 / static_cast<double>(textHeight));
}

std::string PageLabelText(std::int64_t scrollPos) {
    return "第" + std::to_string(CurrentPage(scrollPos)) + "页";
}
