#include "PageGeometry.h"

#include "CParagraph.h"

WordBox WordBoxOf(const CParagraph& paragraph, std::size_t token, const PageGeometry& geometry,
                  int lineUnit) {
    WordBox box;
    box.left = geometry.ColumnLeft() + paragraph.m_arrX[token];
    box.top = paragraph.m_nTop - geometry.pos + paragraph.m_arrLine[token] * lineUnit * 2;
    box.bottom = box.top + lineUnit * 2;
    box.right = box.left + paragraph.m_arrWidth[token];
    return box;
}

std::string PageStatusText(int scrollPos, int textHeight) {
    return "第" + std::to_string(CurrentPage(scrollPos)) + "页/共" +
           std::to_string(PageCount(textHeight)) + "页";
}

std::string PageLabelText(int scrollPos) {
    return "第" + std::to_string(CurrentPage(scrollPos)) + "页";
}
