#include "TextLayout.h"

#include <algorithm>
#include <cstdlib>

#include "CParagraph.h"
#include "ITextMeasurer.h"
#include "StripGeometry.h"

int LayoutText(std::vector<CParagraph>& paragraphs, ITextMeasurer& measurer, int pageWidth) {
    const int textWidth = StripGeometry::TextWidth(pageWidth);
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
