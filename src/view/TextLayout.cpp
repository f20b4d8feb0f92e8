#include "TextLayout.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "CParagraphList.h"
#include "ITextMeasurer.h"
#include "StripGeometry.h"

namespace {

// The widths of a text's tokens, in two passes over its store: first every token's
// width where it is already known, the tokens not measured yet gathered into one
// batch, so that a measurer able to share the work between processors gets all of
// it at once; then the batch's answers.
//
// Most tokens are their word spelt in lower case or with a capital first; their
// widths are kept by word number, which spares the measurer a hash and a compare
// for most of a novel's tokens. The measurer answers the same for the same bytes,
// so this changes no width.
class TokenWidths {
public:
    TokenWidths(const WordTable& words, ITextMeasurer& measurer)
        : m_nWords(words.Size()),
          m_words(words),
          m_measurer(measurer),
          m_kept(2 * m_nWords + kShortForms, kUnknown) {}

    // Fills widths[k] for every token k of the paragraphs.
    void Measure(const std::vector<CParagraph>& paragraphs, std::vector<std::int32_t>& widths) {
        // Until the batch is measured, a kept token's width is -1 - (its kept place);
        // widths are never negative.
        std::vector<std::string_view> batch;
        std::vector<std::size_t> batchPlaces;
        for (const CParagraph& paragraph : paragraphs) {
            const std::size_t first = paragraph.FirstToken();
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                const std::string_view token = paragraph.Word(j);
                const std::size_t place = PlaceOf(token, paragraph.WordId(j));
                std::int32_t& width = widths[first + j];
                if (place == kNotKept) {
                    // Spelt otherwise (all capitals, say): rare, and the measurer's own
                    // cache answers repeats.
                    width = std::max(0, m_measurer.TokenWidth(token));
                    continue;
                }
                if (m_kept[place] == kUnknown) {
                    m_kept[place] = kAsked;
                    batch.push_back(token);
                    batchPlaces.push_back(place);
                }
                width = -1 - static_cast<std::int32_t>(place);
            }
        }
        if (batch.empty()) {
            return;
        }
        std::vector<int> measured(batch.size());
        m_measurer.TokenWidths(batch, measured);
        for (std::size_t k = 0; k < batch.size(); ++k) {
            m_kept[batchPlaces[k]] = std::max(0, measured[k]);
        }
        for (std::int32_t& width : widths) {
            if (width < 0) {
                width = m_kept[static_cast<std::size_t>(-1 - width)];
            }
        }
    }

private:
    static constexpr int kUnknown = -1;
    static constexpr int kAsked = -2;                // in the batch being measured
    static constexpr std::size_t kShortForms = 257;  // one-byte tokens by byte; 256: empty
    static constexpr std::size_t kNotKept = static_cast<std::size_t>(-1);

    // Where the width of a token is kept: its word's lower-case form, its word
    // capitalised, or a token under two bytes; kNotKept for any other spelling.
    std::size_t PlaceOf(std::string_view token, std::uint32_t id) const {
        if (id == WordTable::kNoWord) {
            return 2 * m_nWords + (token.empty() ? 256 : static_cast<unsigned char>(token[0]));
        }
        // A token is as long as its word, which is its lower-case form.
        const std::string_view word = m_words.Word(id);
        if (token == word) {
            return id;
        }
        if (token.substr(1) == word.substr(1)) {
            return m_nWords + id;
        }
        return kNotKept;
    }

    std::size_t m_nWords;
    const WordTable& m_words;
    ITextMeasurer& m_measurer;
    std::vector<int> m_kept;  // by place: lower forms, capitalised forms, short tokens
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
    TokenWidths(text.Words(), measurer).Measure(text.m_arrParagraphs, store.m_arrWidth);
    std::int64_t y = kFirstParagraphTop;
    for (CParagraph& paragraph : text.m_arrParagraphs) {
        paragraph.m_nTop = y;
        const std::size_t count = paragraph.TokenCount();
        const std::size_t first = paragraph.FirstToken();
        std::int32_t line = 0;
        // Past the column only after a token wider than it, which the next one leaves.
        std::int64_t x = 0;
        for (std::size_t j = 0; j < count; ++j) {
            const int width = store.m_arrWidth[first + j];
            // Tested even at the start of a line: a token wider than the column that
            // opens a paragraph leaves line 0 empty and stands alone on line 1.
            if (x + width > textWidth) {
                ++line;
                x = 0;
            }
            store.m_arrX[first + j] = static_cast<std::int32_t>(x);
            store.m_arrLine[first + j] = line;
            x += width;
        }
        paragraph.m_nHeight = (line + 1) * linePitch;
        y += paragraph.m_nHeight;
    }
    return y;
}
