#include "ShownText.h"

#include "CParagraph.h"

std::string ShownText(const std::vector<CParagraph>& paragraphs, std::int64_t scrollPos,
                      int windowHeight) {
    std::string text;
    const std::int64_t bottom = scrollPos + windowHeight;
    for (const CParagraph& paragraph : paragraphs) {
        if (paragraph.m_nTop >= bottom) {
            break;  // tops never decrease
        }
        if (paragraph.m_nTop + paragraph.m_nHeight <= scrollPos) {
            continue;
        }
        text.append(paragraph.m_strText);
        text += '\n';
    }
    return text;
}
