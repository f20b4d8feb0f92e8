// The reading view over a real document: layout on update, scroll bar, page text,
// and a window painted from its outer size.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <string>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "PagePainter.h"
#include "ViewOverDocument.h"

namespace {

class ViewTest : public ViewOverDocument {
protected:
    ViewTest() : ViewOverDocument(700) {}
};

TEST_F(ViewTest, UpdateLaysOutAndReportsThePageText) {
    QSignalSpy pageText(&m_view, &CVellumwiseView::pageTextChanged);
    Paste(Lines(62));  // 20 + 62 x 40 = 2500
    EXPECT_EQ(m_doc.m_nTextHeight, 2500);
    ASSERT_FALSE(pageText.isEmpty());
    EXPECT_EQ(pageText.last().at(0).toString(), QStringLiteral("第1页/共3页"));
    EXPECT_EQ(m_view.verticalScrollBar()->minimum(), 0);
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), 2500);
}

TEST_F(ViewTest, ScrollBarScrollsTheDocument) {
    Paste(Lines(62));
    QSignalSpy pageText(&m_view, &CVellumwiseView::pageTextChanged);
    m_view.verticalScrollBar()->setValue(1200);
    EXPECT_EQ(m_doc.m_nScrollPos, 1200);
    ASSERT_FALSE(pageText.isEmpty());
    EXPECT_EQ(pageText.last().at(0).toString(), QStringLiteral("第2页/共3页"));
}

TEST_F(ViewTest, RepaintHintKeepsTheLayoutFontChangeRedoesIt) {
    Paste(Lines(3));
    EXPECT_EQ(m_doc.m_nTextHeight, 20 + 3 * 40);
    // Scribbled over, to see whether the next change lays the text out again.
    const_cast<CParagraphList&>(m_doc.m_paragraphs).m_arrParagraphs[0].m_nTop = 777;
    m_doc.UpdateAllViews(UpdateHint::Position);
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs[0].m_nTop, 777);
    ReadingFont font = m_doc.m_fontText;
    font.lfHeight = -30;
    m_doc.SetReadingFont(font);
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs[0].m_nTop, 20);
    // A character height: each half line is the font's real, taller cell.
    const int unit = QFontMetrics(m_view.Scene().textFont).height();
    EXPECT_GT(unit, 30);
    EXPECT_EQ(m_view.Scene().lineUnit, unit);
    EXPECT_EQ(m_doc.m_nTextHeight, 20 + 3 * 2 * unit);
}

TEST_F(ViewTest, WindowIsPaintedFromItsOuterSizeScrollBarIncluded) {
    Paste(Lines(30));
    m_view.show();
    const int barWidth = m_view.verticalScrollBar()->width();
    ASSERT_GT(barWidth, 0);
    EXPECT_EQ(m_view.viewport()->width(), 1000 - barWidth);
    EXPECT_EQ(m_view.WindowSize(), QSize(1000, 700));

    QImage expected(1000, 700, QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        PaintPage(painter, expected.size(), m_view.Scene(), m_view.Glosses());
    }
    const QImage shown = m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, expected.copy(0, 0, shown.width(), shown.height()));
}

// Pixels of the text colour in the column's top part: the empty page's help, or text.
int InkInColumn(CVellumwiseView& view) {
    QImage image(view.WindowSize(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintPage(painter, image.size(), view.Scene(), view.Glosses());
    }
    const QRgb text = view.Scene().textColor.rgb();
    int ink = 0;
    for (int y = 60; y < 300; ++y) {
        for (int x = 140; x < 860; ++x) {
            ink += image.pixel(x, y) == text ? 1 : 0;
        }
    }
    return ink;
}

TEST_F(ViewTest, AnEmptyPageSaysHowToStartAndATextReplacesIt) {
    EXPECT_TRUE(m_doc.m_paragraphs.m_arrParagraphs.empty());
    for (const char* mention : {"打开文本文件", "Ctrl+V", "拖到", "词汇量", "F1"}) {
        EXPECT_TRUE(m_view.Scene().emptyPageText.contains(QString::fromUtf8(mention))) << mention;
    }
    EXPECT_GT(InkInColumn(m_view), 500);
    // A single short line leaves the rest of the column bare.
    Paste("a\n");
    EXPECT_LT(InkInColumn(m_view), 100);
}

}  // namespace
