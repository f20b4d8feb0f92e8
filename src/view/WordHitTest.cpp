#include "WordHitTest.h"

#include "CParagraph.h"

std::optional<WordHit> FindWordAt(const std::vector<CParagraph>& paragraphs,
                                  const StripGeometry& geometry, int lineUnit, int x, int y) {
    // Tighter than the painter: no margin, and a hit needs the whole line in the window.
    const ParagraphRange range = geometry.VisibleParagraphs(paragraphs, 0);
    for (std::size_t p = range.first; p < range.last; ++p) {
        const std::size_t count = LaidOutTokenCount(paragraphs[p]);
        for (std::size_t j = 0; j < count; ++j) {
            const WordBox box = WordBoxOf(paragraphs[p], j, geometry, lineUnit);
            if (box.top < 0 || box.bottom > geometry.windowHeight) {
                continue;
            }
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
                return WordHit{p, j};
            }
        }
    }
    return std::nullopt;
}
