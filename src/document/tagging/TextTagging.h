#pragma once

#include <vector>

#include "CParagraph.h"
#include "PosTag.h"

class PosTagger;

// Tags every token of a text: one tag per token of the store, PosTag::None for blanks
// and for the pieces a tag does not go to. Sentences run on across hard-wrapped lines
// and end at . ! ? (not after "Mr." or an initial) or at a blank line. A
// contraction is tagged as its two words whichever apostrophe it is written with
// ("don't", "don’t": "do" "n't"; the first piece's tag goes to "don", the second's to
// "t"); a hyphenated compound is tagged whole, its tag going to its last piece.
std::vector<PosTag> TagText(const TextStore& store, const std::vector<CParagraph>& paragraphs,
                            const PosTagger& tagger);
