#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "PosTag.h"
#include "StringIndex.h"
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
        // The text's number for the lower-case word (a piece that is a token as written),
        // for an InitialMemo; past the memo's words for none.
        std::uint32_t word = UINT32_MAX;
        // The text with its ASCII capitals made small, when the caller has it; else
        // empty, and the tagger makes it.
        std::string_view lowerText = {};
    };
    // The first tag of each word of a text by where its capitals are, kept by one
    // thread across its sentences: a text's tokens mostly repeat words it tagged before,
    // and a word's first tag depends on its spelling alone.
    class InitialMemo {
    public:
        explicit InitialMemo(std::size_t words) : m_tags(words, kNotYet) {}

    private:
        friend class PosTagger;
        static constexpr std::array<std::uint8_t, 3> kNotYet = {0xFF, 0xFF, 0xFF};
        std::vector<std::array<std::uint8_t, 3>> m_tags;  // by word, then CapitalShape
    };
    void TagPieces(const std::vector<Piece>& pieces, std::vector<PosTag>& tags,
                   InitialMemo* memo = nullptr) const;
    const TaggerData& Lexicon() const { return m_data; }

private:
    struct Token {
        std::string_view text;
        std::string_view lower;    // the piece's, or in TagPieces' own copy
        const LexiconTags* known;  // the lower-case word's lexicon entry, or nullptr
        bool blocked;              // its tag is certain: no rule changes it
        std::uint16_t word;        // the lower-case word's number among the rules' words, or 0
        std::uint32_t flags;       // what the fixed rules ask of the word (WordFlag bits)
    };
    // A rule as the tagger tries it: its words numbered, so that trying one compares
    // numbers, and the word it needs the token itself to be, if any (0: none).
    struct Rule {
        std::uint32_t order;  // its place in the data
        PosTag to;
        RuleCondition condition;
        bool checkLexicon;
        std::array<PosTag, 3> tags;
        std::array<std::uint16_t, 3> words;
        std::uint16_t ownWord;
    };
    std::uint16_t WordNumber(std::string_view lower, const LexiconTags* known) const;
    std::uint32_t WordFlags(std::string_view lower, const LexiconTags* known) const;
    PosTag Initial(const Token& token) const;
    PosTag InitialOf(const Token& token, std::uint32_t word, InitialMemo* memo) const;
    void PreRules(std::vector<Token>& tokens, std::vector<PosTag>& tags) const;
    // `tags`, `words` (numbers among the rules' words) and `flags` by token, each with
    // blanks before the first and after the last (None, the blank word, none).
    void ApplyRules(const std::vector<Token>& tokens, PosTag* tags, const std::uint16_t* words,
                    bool secondPass) const;
    // `firstWord`: the sentence's first word's index (past the end for none).
    void PostRules(const std::vector<Token>& tokens, PosTag* tags, const std::uint32_t* flags,
                   std::size_t firstWord) const;

    const TaggerData& m_data;
    // By pass (first, second), then by the tag they change, in the data's order: every
    // rule of the pass, and those a token that is none of the rules' words may meet.
    std::array<std::vector<std::vector<Rule>>, 2> m_rulesFrom;
    std::array<std::vector<std::vector<Rule>>, 2> m_rulesFromForOtherWords;
    // The same for each word some rule is about ("that" in "WORD that, next tag NN"):
    // the others' rules and its own, so that its tokens never pass over another word's.
    // By word number, the place of the word's lists plus one (0: none of its own).
    std::vector<std::uint16_t> m_ownRulesOfWord;
    std::array<std::vector<std::vector<std::vector<Rule>>>, 2> m_ownRulesFrom;
    StringIndex m_ruleWords;                       // word -> its number, from 1
    std::vector<std::uint16_t> m_ruleWordOfEntry;  // by lexicon position: its number, or 0
    std::uint16_t m_blankWord = 0;                 // the number of "", past either end
    StringIndex m_flagWords;                       // word -> its flags, for words with any
    std::vector<std::uint32_t> m_flagsOfEntry;     // by lexicon position: its flags, or 0
};
