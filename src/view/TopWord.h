#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "TextPlace.h"

class CParagraph;

// The first word of a laid-out text whose double line starts at or below layout y
// `scrollPos`: the first word a window scrolled there shows whole. None when the
// window is past the last line.
std::optional<WordPlace> FirstWordFrom(const std::vector<CParagraph>& paragraphs,
                                       std::int64_t scrollPos, int lineUnit);

// The place itself while the text has it; a place past the end of a paragraph is held
// at its last token, one past the end of the text at the text's last token.
WordPlace ClampPlace(const std::vector<CParagraph>& paragraphs, WordPlace place);

// The layout y of the top of the word's line. A place past the end of the text (a
// changed file) is held at its last word; a text without words gives 0.
std::int64_t WordTop(const std::vector<CParagraph>& paragraphs, WordPlace place, int lineUnit);

// The scroll position that keeps the reader's place across a new layout: the word
// `kept` (found in the old layout) at the top. A window above the first word stays
// where it was, so the start of the text keeps its margin.
std::int64_t ScrollPosKeeping(const std::vector<CParagraph>& paragraphs, WordPlace kept,
                              std::int64_t oldScrollPos, std::int64_t oldWordTop, int lineUnit);
