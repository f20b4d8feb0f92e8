#include "WordHitTest.h"

#include <algorithm>

#include "CParagraph.h"

std::optional<WordHit> FindWordAt(const std::vector<CParagraph>& paragraphs, const PageGeometry& geometry,
                                  int lineUnit, int x, int y) {
    // Tighter than the painter's limits: a hit needs the whole line in the window.
    const int upper = geometry.pos - geometry.H;
    const int lower = geometry.pos + geometry.H;
    // Paragraph bottoms never decrease, so the paragraphs wholly above the window
    // are a prefix.
    const auto first = std::partition_point(paragraphs.begin(), paragraphs.end(), [upper](const CParagraph& p) {
        return p.m_nTop < upper - p.m_nHeight - 10;
    });
    for (auto p = first; p != paragraphs.end() && p->m_nTop <= lower; ++p) {
        const std::size_t count = std::min(p->TokenCount(), p->m_arrX.size());
        for (std::size_t j = 0; j < count; ++j) {
            const WordBox box = WordBoxOf(*p, j, geometry, lineUnit);
            if (box.top < 0 || box.bottom > geometry.H) {
                continue;
            }
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
                return WordHit{static_cast<std::size_t>(p - paragraphs.begin()), j};
            }
        }
    }
    return std::nullopt;
}
