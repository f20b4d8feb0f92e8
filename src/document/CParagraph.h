#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDicMain;
class GlossPool;

// Where a token lies in its paragraph's text. Separator tokens are one byte
// (or one UTF-8 punctuation character); empty tokens have length 0.
struct TokenSpan {
    std::uint32_t offset;
    std::uint32_t length;
};

// One paragraph of the text: its bytes (UTF-8, without the line end), its tokens,
// one gloss per token, and the positions the view's layout gives them.
class CParagraph {
public:
    // Stores the line and splits it into tokens.
    explicit CParagraph(std::string line);

    std::size_t TokenCount() const { return m_arrWords.size(); }
    std::string_view Word(std::size_t j) const {
        return std::string_view(m_strText).substr(m_arrWords[j].offset, m_arrWords[j].length);
    }
    // The token's gloss in GBK, empty for none. Valid until the next Annotate.
    std::string_view Gloss(std::size_t j) const { return m_arrGlosses[j]; }

    // Rebuilds m_arrGlosses: one gloss per token, interned in `pool`.
    void Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                  GlossPool& pool);

    std::string m_strText;
    std::vector<TokenSpan> m_arrWords;
    std::vector<std::string_view> m_arrGlosses;  // after Annotate: as many as tokens
    // Set by CParagraphList::SetText: each token's number in the list's table of
    // distinct lower-case words (WordTable::kNoWord for tokens under two bytes).
    std::vector<std::uint32_t> m_arrWordIds;

    // Written by the view's layout after every text, gloss or font change.
    std::vector<std::int32_t> m_arrX;      // left edge, from the text column's left edge
    std::vector<std::int32_t> m_arrWidth;  // width of the token and one space
    std::vector<std::int32_t> m_arrLine;   // 0-based line within the paragraph
    std::int64_t m_nTop = 0;               // layout y of the paragraph's top edge
    std::int64_t m_nHeight = 0;            // lines x 2 x line unit
};
