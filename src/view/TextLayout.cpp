#include "TextLayout.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "CParagraphList.h"
#include "ITextMeasurer.h"
#include "StripGeometry.h"

namespace {

// Widths of this layout's tokens. Most tokens are their word spelt in lower case or
// with a capital first; their widths are kept by word number, which spares the
// measurer a hash and a compare for most of a novel's tokens. The measurer answers
// the same for the same bytes, so this changes no width.
class TokenWidths {
public:
    TokenWidths(const WordTable& words, ITextMeasurer& measurer)
        : m_words(words),
          m_measurer(measurer),
          m_lower(words.Size(), kUnknown),
          m_capital(words.Size(), kUnknown) {
        m_short.fill(kUnknown);
    }

    int Of(const CParagraph& paragraph, std::size_t j) {
        const std::string_view token = paragraph.Word(j);
        const std::uint32_t id = paragraph.WordId(j);
        int* kept = nullptr;
        if (id == WordTable::kNoWord) {
            kept = &m_short[token.empty() ? 256 : static_cast<unsigned char>(token[0])];
        } else {
            // A token is as long as its word, which is its lower-case form.
            const std::string_view word = m_words.Word(id);
            if (token == word) {
                kept = &m_lower[id];
            } else if (token.substr(1) == word.substr(1)) {
                kept = &m_capital[id];
            }
        }
        if (kept == nullptr) {
            return m_measurer.TokenWidth(token);
        }
        if (*kept == kUnknown) {
            *kept = m_measurer.TokenWidth(token);
        }
        return *kept;
    }

private:
    static constexpr int kUnknown = -1;
    const WordTable& m_words;
    ITextMeasurer& m_measurer;
    std::vector<int> m_lower;        // by word number
    std::vector<int> m_capital;      // by word number: the first byte differs
    std::array<int, 257> m_short{};  // one-byte tokens by byte; 256: the empty token
};

}  // namespace

std::int64_t LayoutText(CParagraphList& text, ITextMeasurer& measurer, int pageWidth) {
    const int textWidth = StripGeometry::TextWidth(pageWidth);
    const std::int64_t linePitch = 2 * static_cast<std::int64_t>(std::abs(measurer.LineUnit()));
    TextStore& store = text.LayoutStore();
    const std::size_t tokens = store.tokenOffsets.size();
    store.m_arrX.resize(tokens);
    store.m_arrWidth.resize(tokens);
    store.m_arrLine.resize(tokens);
    TokenWidths widths(text.Words(), measurer);
    std::int64_t y = kFirstParagraphTop;
    for (CParagraph& paragraph : text.m_arrParagraphs) {
        paragraph.m_nTop = y;
        const std::size_t count = paragraph.TokenCount();
        const std::size_t first = paragraph.FirstToken();
        std::int32_t line = 0;
        // Past the column only after a token wider than it, which the next one leaves.
        std::int64_t x = 0;
        for (std::size_t j = 0; j < count; ++j) {
            const int width = widths.Of(paragraph, j);
            // Tested even at the start of a line: a token wider than the column that
            // opens a paragraph leaves line 0 empty and stands alone on line 1.
            if (x + width > textWidth) {
                ++line;
                x = 0;
            }
            store.m_arrX[first + j] = static_cast<std::int32_t>(x);
            store.m_arrLine[first + j] = line;
            store.m_arrWidth[first + j] = width;
            x += width;
        }
        paragraph.m_nHeight = (line + 1) * linePitch;
        y += paragraph.m_nHeight;
    }
    return y;
}
