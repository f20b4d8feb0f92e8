#include "TextLayout.h"

#include <algorithm>
#include <cstdlib>

#include "CParagraph.h"
#include "ITextMeasurer.h"
#include "PageGeometry.h"

int LayoutText(std::vector<CParagraph>& paragraphs, ITextMeasurer& measurer, int pageWidth) {
    const int textWidth = PageGeometry::TextWidth(pageWidth);
    const int linePitch = 2 * std::abs(measurer.LineUnit());
    int y = kFirstParagraphTop;
    for (CParagraph& paragraph : paragraphs) {
        paragraph.m_nTop = y;
        const std::size_t count = paragraph.TokenCount();
        paragraph.m_arrX.resize(count);
        paragraph.m_arrWidth.resize(count);
        paragraph.m_arrLine.resize(count);
        int line = 0;
        int x = 0;
        for (std::size_t j = 0; j < count; ++j) {
            const int width = measurer.TokenWidth(paragraph.Word(j));
            // Tested even at the start of a line: a token wider than the column that
            // opens a paragraph leaves line 0 empty and stands alone on line 1.
            if (x + width > textWidth) {
                ++line;
                x = 0;
            }
            paragraph.m_arrX[j] = x;
            paragraph.m_arrLine[j] = line;
            paragraph.m_arrWidth[j] = width;
            x += width;
        }
        paragraph.m_nHeight = (line + 1) * linePitch;
        y += paragraph.m_nHeight;
    }
    return y;
}

std::size_t FirstParagraphToDraw(const std::vector<CParagraph>& paragraphs, int scrollPos,
                                 int windowHeight) {
    const int upper = scrollPos - windowHeight - 50;
    const auto first = std::partition_point(
        paragraphs.begin(), paragraphs.end(), [upper](const CParagraph& paragraph) {
            return paragraph.m_nTop < upper - paragraph.m_nHeight - 10;
        });
    return static_cast<std::size_t>(first - paragraphs.begin());
}
