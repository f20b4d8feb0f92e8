#include "TextLayout.h"

#include <algorithm>
#include <cstdlib>

#include "CParagraphList.h"
#include "ITextMeasurer.h"
#include "StripGeometry.h"

std::int64_t LayoutText(CParagraphList& text, ITextMeasurer& measurer, int pageWidth) {
    const int textWidth = StripGeometry::TextWidth(pageWidth);
    const std::int64_t linePitch = 2 * static_cast<std::int64_t>(std::abs(measurer.LineUnit()));
    TextStore& store = text.LayoutStore();
    const std::size_t tokens = store.tokenOffsets.size();
    store.m_arrX.resize(tokens);
    store.m_arrWidth.resize(tokens);
    store.m_arrLine.resize(tokens);
    std::int64_t y = kFirstParagraphTop;
    for (CParagraph& paragraph : text.m_arrParagraphs) {
        paragraph.m_nTop = y;
        const std::size_t count = paragraph.TokenCount();
        const std::size_t first = paragraph.FirstToken();
        std::int32_t line = 0;
        // Past the column only after a token wider than it, which the next one leaves.
        std::int64_t x = 0;
        for (std::size_t j = 0; j < count; ++j) {
            const int width = measurer.TokenWidth(paragraph.Word(j));
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
