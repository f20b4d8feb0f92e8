// Reading the document's state from outside its folder compiles.
#include "CVellumwiseDoc.h"

std::int64_t Reads(const CVellumwiseDoc& doc, CVellumwiseDoc& mutableDoc) {
    const std::int64_t& pos = mutableDoc.m_nScrollPos;
    const auto& items = doc.m_dicMain.m_arrItems;
    return pos + doc.m_nTextHeight + static_cast<std::int64_t>(items.size()) +
           static_cast<std::int64_t>(doc.m_paragraphs.m_arrParagraphs.size()) + doc.m_crPage;
}
