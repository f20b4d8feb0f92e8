#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "StripGeometry.h"

class CParagraph;

struct WordHit {
    std::size_t paragraph = 0;
    std::size_t token = 0;
};

// The token under window point (x, y), in paragraph and token order, first hit
// wins. A token's box runs from its left edge over its width and trailing space
// (so a point between two words hits the left one) and over both halves of its
// double line (so the gloss hits its word); left and top edges are inside, right
// and bottom outside. Only tokens whose whole double line is inside the window
// count: a word cut by the window's edge is not offered.
std::optional<WordHit> FindWordAt(const std::vector<CParagraph>& paragraphs,
                                  const StripGeometry& geometry, int lineUnit, int x, int y);
