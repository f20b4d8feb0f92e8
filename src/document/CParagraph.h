#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "GlossPool.h"
#include "TextSplitter.h"
#include "WordTable.h"

// Where a token lies in its paragraph's text. Separator tokens are one byte
// (or one UTF-8 punctuation character); empty tokens have length 0.
struct TokenSpan {
    std::uint32_t offset;
    std::uint32_t length;
};

// Appends the tokens of one paragraph's text (UTF-8, without the line end) to `tokens`.
void SplitTokens(std::string_view text, std::vector<TokenSpan>& tokens);

// A phrase found in the text ("put up with", "well-bred"), from its first piece to its
// last, the words a slot or a verb's particle gap holds included.
struct PhraseMatch {
    static constexpr std::uint8_t kNotShown = 0xFF;
    std::uint32_t firstToken;  // in the store
    std::uint32_t row;         // in the phrase table
    std::uint32_t gloss;       // a number in the store's senseGlosses
    std::uint32_t entry;       // main.dic's entry of a whole chain ("x-ray"), or UINT32_MAX
    std::uint8_t tokenCount;
    bool opaque;  // glossed even where none of its words is
    // The token, from firstToken, that shows the phrase's gloss at the reader's step:
    // its first piece that is glossed (kNotShown: the phrase is not glossed).
    std::uint8_t head = kNotShown;
};

// The whole text's tokens in flat arrays, one element per token in text order; a
// paragraph is a range of them. A short paragraph would otherwise pay for a handful
// of vectors of its own, more than its tokens take.
// The token arrays and the word table are the splitter's (SplitText), taken over
// as they are.
struct TextStore {
    std::string text;                         // the paragraphs point into it
    std::vector<std::uint32_t> tokenOffsets;  // from the paragraph's first byte
    std::vector<std::uint32_t> tokenWords;    // number in `words`, or a short token's code
    WordTable words;                          // the distinct lower-case words
    std::vector<std::uint32_t> glossOfWord;   // by word number, from the last Annotate
    GlossPool glosses;                        // owns the glosses numbered there
    // By word number, 1 where glossOfWord is the reader's own sense, which no sense
    // context chose replaces; empty when no word has one.
    std::vector<std::uint8_t> ownSenseOfWord;
    bool HasOwnSense(std::uint32_t word) const {
        return word < ownSenseOfWord.size() && ownSenseOfWord[word] != 0;
    }
    // The senses context chose, once per text: per token, 0 for the word's gloss or
    // 1 + the slot in senseGlossOfWord of the one shown instead; per word, one
    // gloss per part of speech and, in the last slot, the sense of the text's subject
    // (a number in senseGlosses; kNoGloss where the word's own gloss stands). A
    // token shows its chosen sense only while its word is glossed at all: the step,
    // the names and the marks decide that.
    static constexpr std::size_t kSubjectSlot = 4;
    std::vector<std::uint8_t> senseOfToken;
    std::vector<std::array<std::uint32_t, kSubjectSlot + 1>> senseGlossOfWord;
    GlossPool senseGlosses;
    // The phrases found, in text order, none overlapping; their pieces have
    // kPhrasePiece set in senseOfToken. A shown phrase's gloss stands under its head
    // and its other pieces show none.
    static constexpr std::uint8_t kPhrasePiece = 0x80;
    static constexpr std::uint8_t kSenseSlot = 0x07;
    std::vector<PhraseMatch> phrases;
    // The phrase token k is a piece of, or nullptr.
    const PhraseMatch* PhraseOf(std::size_t k) const;
    // Per token, whether it lies in a run of another language (FindForeignRuns): no
    // gloss there. Empty when the rule is off.
    std::vector<bool> foreignTokens;

    // Written by the view's layout after every text, gloss or font change.
    std::vector<std::int32_t> m_arrX;      // left edge, from the text column's left edge
    std::vector<std::int32_t> m_arrWidth;  // width of the token and one space
    std::vector<std::int32_t> m_arrLine;   // 0-based line within the paragraph

    std::uint32_t TokenLength(std::size_t k) const {
        const std::uint32_t word = tokenWords[k];
        return word >= SplitText::kOneByteToken
                   ? SplitText::kEmptyToken - word
                   : static_cast<std::uint32_t>(words.Word(word).size());
    }
};

// One paragraph of the text: its bytes (UTF-8, without the line end), its tokens,
// one gloss per token, and the positions the view's layout gives them. A view of a
// range of the list's TextStore, which outlives it.
class CParagraph {
public:
    CParagraph(const TextStore& store, std::string_view text, std::size_t firstToken,
               std::size_t tokenCount)
        : m_strText(text),
          m_pStore(&store),
          m_nFirstToken(firstToken),
          m_nTokenCount(static_cast<std::uint32_t>(tokenCount)) {}

    std::size_t TokenCount() const { return m_nTokenCount; }
    TokenSpan Span(std::size_t j) const {
        const std::size_t k = m_nFirstToken + j;
        return {m_pStore->tokenOffsets[k], m_pStore->TokenLength(k)};
    }
    std::string_view Word(std::size_t j) const {
        const TokenSpan span = Span(j);
        return m_strText.substr(span.offset, span.length);
    }
    // Token j's number in the list's table of distinct lower-case words
    // (WordTable::kNoWord for tokens under two bytes).
    std::uint32_t WordId(std::size_t j) const {
        const std::uint32_t word = m_pStore->tokenWords[m_nFirstToken + j];
        return word >= SplitText::kOneByteToken ? WordTable::kNoWord : word;
    }
    // The token's gloss in GBK, empty for none and before the text is glossed.
    // Valid until the next Annotate.
    std::string_view Gloss(std::size_t j) const {
        const std::size_t k = m_nFirstToken + j;
        if (k < m_pStore->foreignTokens.size() && m_pStore->foreignTokens[k]) {
            return {};
        }
        const std::uint8_t sense =
            k < m_pStore->senseOfToken.size() ? m_pStore->senseOfToken[k] : 0;
        if ((sense & TextStore::kPhrasePiece) != 0) {
            if (const PhraseMatch* phrase = ShownPhrase(j)) {
                return k == phrase->firstToken + phrase->head
                           ? m_pStore->senseGlosses.View(phrase->gloss)
                           : std::string_view();
            }
        }
        const std::uint32_t word = WordId(j);
        if (word >= m_pStore->glossOfWord.size()) {
            return {};
        }
        const std::uint32_t number = m_pStore->glossOfWord[word];
        if (const std::uint8_t slot = sense & TextStore::kSenseSlot;
            number != GlossPool::kNoGloss && slot != 0 && !m_pStore->HasOwnSense(word)) {
            return m_pStore->senseGlosses.View(m_pStore->senseGlossOfWord[word][slot - 1]);
        }
        return m_pStore->glosses.View(number);
    }
    // The phrase token j is a piece of, when the phrase is glossed at the step.
    const PhraseMatch* ShownPhrase(std::size_t j) const {
        const PhraseMatch* phrase = m_pStore->PhraseOf(m_nFirstToken + j);
        return phrase != nullptr && phrase->head != PhraseMatch::kNotShown ? phrase : nullptr;
    }
    // Whether the gloss shown is a phrase's, under its head.
    bool GlossFromPhrase(std::size_t j) const {
        const PhraseMatch* phrase = ShownPhrase(j);
        return phrase != nullptr && m_nFirstToken + j == phrase->firstToken + phrase->head;
    }
    // Whether the gloss shown is the one context chose rather than the word's own.
    bool GlossChosenByContext(std::size_t j) const {
        const std::uint32_t word = WordId(j);
        const std::size_t k = m_nFirstToken + j;
        return word < m_pStore->glossOfWord.size() &&
               m_pStore->glossOfWord[word] != GlossPool::kNoGloss &&
               !(k < m_pStore->foreignTokens.size() && m_pStore->foreignTokens[k]) &&
               k < m_pStore->senseOfToken.size() &&
               (m_pStore->senseOfToken[k] & TextStore::kSenseSlot) != 0 &&
               !m_pStore->HasOwnSense(word) && ShownPhrase(j) == nullptr;
    }
    // Whether the gloss shown is the reader's own sense of the word.
    bool GlossIsOwnSense(std::size_t j) const {
        const std::size_t k = m_nFirstToken + j;
        return m_pStore->HasOwnSense(WordId(j)) &&
               !(k < m_pStore->foreignTokens.size() && m_pStore->foreignTokens[k]) &&
               !(ShownPhrase(j) != nullptr &&
                 (m_pStore->senseOfToken[k] & TextStore::kPhrasePiece) != 0);
    }

    // Whether that gloss is the sense of the text's subject.
    bool GlossChosenBySubject(std::size_t j) const {
        return GlossChosenByContext(j) && (m_pStore->senseOfToken[m_nFirstToken + j] &
                                           TextStore::kSenseSlot) == TextStore::kSubjectSlot + 1;
    }

    // The layout's numbers for token j; only after LaidOut().
    bool LaidOut() const { return m_nFirstToken + m_nTokenCount <= m_pStore->m_arrX.size(); }
    std::int32_t X(std::size_t j) const { return m_pStore->m_arrX[m_nFirstToken + j]; }
    std::int32_t Width(std::size_t j) const { return m_pStore->m_arrWidth[m_nFirstToken + j]; }
    std::int32_t Line(std::size_t j) const { return m_pStore->m_arrLine[m_nFirstToken + j]; }
    // Where the paragraph's tokens start in the store's arrays.
    std::size_t FirstToken() const { return m_nFirstToken; }

    std::string_view m_strText;  // in the store's text

    // Written by the view's layout after every text, gloss or font change.
    std::int64_t m_nTop = 0;     // layout y of the paragraph's top edge
    std::int64_t m_nHeight = 0;  // lines x 2 x line unit

private:
    const TextStore* m_pStore;
    std::size_t m_nFirstToken;
    std::uint32_t m_nTokenCount;
};
