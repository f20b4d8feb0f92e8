#pragma once

#include <cstddef>

#include "WordBook.h"

class CParagraphList;

// The sentence a token stands in, found across the lines of a hard-wrapped text: back
// to the end of the sentence before and on to its own end, over at most a few lines
// either way and never over a blank line. Lines are joined with one space; a full stop
// after an initial or an abbreviation without vowels ("J.", "Mr.", "St.") and one
// followed by a small letter end no sentence. Cut to about `around` characters
// (CutSentenceMarked), with where the token's first byte is in it.
MarkedSentence SentenceAround(const CParagraphList& text, std::size_t paragraph, std::size_t token,
                              std::size_t around = 300);
