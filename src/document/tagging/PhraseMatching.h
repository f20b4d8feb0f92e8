#pragma once

#include <cstdint>
#include <vector>

#include "CParagraph.h"
#include "PosTag.h"

class CDicMain;
class PhraseTable;

// Finds the table's phrases in a tagged text, in text order, none overlapping. At
// each word the longest phrase wins; a word matches a piece as written or as the
// entry it reduces to ("took" for take, "rays" for ray). Spaces, hyphens and
// apostrophes between words are alike ("well bred", "well-bred"), but a phrase never
// starts or ends inside a hyphenated or apostrophe chain, so a chain is found whole
// before its pieces. A phrase runs on across hard-wrapped lines, never across other
// punctuation or a blank line. A slot (sb, sth) takes a short noun phrase, one's a
// possessive, oneself a reflexive; a verb and its particle ("put ... down") may have
// an object of up to three words between them when the particle ends the phrase and
// no noun phrase follows it. A word the text uses as a name (`isName`, by word
// number) is no piece. The tokens of the pieces are appended to `pieces`; the
// matches' glosses are left for the caller to pool.
std::vector<PhraseMatch> FindPhrases(const TextStore& store,
                                     const std::vector<CParagraph>& paragraphs,
                                     const std::vector<PosTag>& tags, const PhraseTable& table,
                                     const CDicMain& dic, const std::vector<std::uint8_t>& isName,
                                     std::vector<std::uint32_t>& pieces);
