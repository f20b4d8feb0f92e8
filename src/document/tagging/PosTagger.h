#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "PosTag.h"
#include "TaggerData.h"

// A transformation-based (Brill) tagger: every token starts with the lexicon's most
// likely tag (or a guess from its shape: suffix, capitals, digits), then the rules
// correct tags by the neighbours' tags and words, in two passes, and a few fixed
// rules settle verb forms after "to", modals and "have".
class PosTagger {
public:
    explicit PosTagger(const TaggerData& data);

    // Tags one sentence's tokens as the text spells them (a contraction's pieces
    // apart: "do", "n't"; "John", "'s"); `tags` gets one tag per token.
    void TagSentence(const std::vector<std::string_view>& tokens, std::vector<PosTag>& tags) const;
    // The same for tokens whose lower-case spelling's lexicon entry the caller may have
    // looked up already (a text looks each distinct word up once).
    struct Piece {
        std::string_view text;
        const LexiconTags* lower = nullptr;  // the entry of text in lower case, when looked up
        bool lookedUp = false;
    };
    void TagPieces(const std::vector<Piece>& pieces, std::vector<PosTag>& tags) const;
    const TaggerData& Lexicon() const { return m_data; }

private:
    struct Token {
        std::string_view text;
        std::string lower;
        const LexiconTags* known;  // the lower-case word's lexicon entry, or nullptr
        bool blocked;              // its tag is certain: no rule changes it
    };
    PosTag Initial(const Token& token) const;
    void PreRules(std::vector<Token>& tokens, std::vector<PosTag>& tags) const;
    void ApplyRules(const std::vector<Token>& tokens, std::vector<PosTag>& tags,
                    bool secondPass) const;
    // `firstWord`: the sentence's first word's index (past the end for none).
    void PostRules(const std::vector<Token>& tokens, std::vector<PosTag>& tags,
                   std::size_t firstWord) const;

    const TaggerData& m_data;
    // The rules by the tag they change, each list in the data's order.
    std::vector<std::vector<const TaggerRule*>> m_rulesFrom;
};
