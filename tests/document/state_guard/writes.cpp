// Each WRITE_n is one way of writing the document's state from outside its folder;
// every one of them must fail to compile.
#include <utility>

#include "CVellumwiseDoc.h"

void Writes(CVellumwiseDoc& doc) {
#if WRITE_1
    doc.m_nScrollPos = 10;
#elif WRITE_2
    auto& pos = doc.m_nScrollPos;
    ++pos;
#elif WRITE_3
    std::int64_t& pos = doc.m_nTextHeight;
    pos = 0;
#elif WRITE_4
    doc.m_dicMain.ReplaceItems({});
#elif WRITE_5
    doc.m_paragraphs.SetMarks(nullptr);
#elif WRITE_6
    ColorRef other = 0;
    std::swap(doc.m_crPage, other);
#elif WRITE_7
    doc.m_paragraphs.m_arrParagraphs[0].m_nTop = 777;
#elif WRITE_8
    doc.m_paragraphs.LayoutStore().m_arrX.clear();
#elif WRITE_9
    doc.m_fontText.lfHeight = -30;
#elif WRITE_10
    doc.m_chapters.clear();
#endif
}
