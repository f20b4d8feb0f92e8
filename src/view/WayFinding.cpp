// Where the reader is in the text and the ways to another place: chapters, words,
// the scroll bar's tip.
#include <QCursor>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "CParagraph.h"
#include "CVellumwiseView.h"
#include "ChapterPosition.h"
#include "StripGeometry.h"
#include "TopWord.h"

const std::vector<BookChapter>& CVellumwiseView::Chapters() const {
    if (m_nChaptersText == m_doc.TextSerial()) {
        return m_chapters;
    }
    m_chapters.clear();
    if (!m_doc.m_chapters.empty()) {
        m_chapters = m_doc.m_chapters;
    } else if (m_nFlowText == m_doc.TextSerial()) {
        // A plain text's heading lines, as they are written.
        const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
        for (const std::size_t index : m_flow.headings) {
            if (index < paragraphs.size()) {
                std::string title(paragraphs[index].m_strText);
                title.erase(0, title.find_first_not_of(" \t"));
                title.erase(title.find_last_not_of(" \t\r") + 1);
                m_chapters.push_back({std::move(title), index, 0});
            }
        }
    } else {
        return m_chapters;  // the headings come with the text's first layout
    }
    m_nChaptersText = m_doc.TextSerial();
    return m_chapters;
}

std::size_t CVellumwiseView::ParagraphAt(std::int64_t pos) const {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    if (const std::optional<WordPlace> word = FirstWordFrom(paragraphs, pos, m_nLineUnit)) {
        return word->paragraph;
    }
    return paragraphs.size();
}

std::size_t CVellumwiseView::TopParagraph() const {
    if (const std::optional<WordPlace> top = TopWord()) {
        return top->paragraph;
    }
    return m_doc.m_paragraphs.m_arrParagraphs.size();
}

std::optional<std::size_t> CVellumwiseView::ChapterAtTop() const {
    return ChapterAt(Chapters(), TopParagraph());
}

bool CVellumwiseView::OnNextChapter() {
    const std::vector<BookChapter>& chapters = Chapters();
    const std::optional<std::size_t> next = NextChapter(chapters, TopParagraph());
    if (!next) {
        return false;
    }
    ScrollToParagraph(chapters[*next].paragraph);
    return true;
}

bool CVellumwiseView::OnPreviousChapter() {
    const std::vector<BookChapter>& chapters = Chapters();
    const std::optional<std::size_t> previous = PreviousChapter(chapters, TopParagraph());
    if (!previous) {
        return false;
    }
    ScrollToParagraph(chapters[*previous].paragraph);
    return true;
}

void CVellumwiseView::ScrollToWord(WordPlace place) {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    if (paragraphs.empty()) {
        return;
    }
    const WordPlace held = ClampPlace(paragraphs, place);
    const std::int64_t top = WordTop(paragraphs, held, m_nLineUnit);
    ScrollTo(top);
    // The word stays the one on top though it may not open its line.
    m_keptTop = KeptTop{held, m_doc.m_nScrollPos, m_nLaidOutText};
}

std::size_t CVellumwiseView::FirstTokenOf(std::size_t paragraph) const {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    if (paragraph < paragraphs.size()) {
        return paragraphs[paragraph].FirstToken();
    }
    return TextTokenCount();
}

std::size_t CVellumwiseView::TopToken() const {
    const std::optional<WordPlace> top = TopWord();
    if (!top) {
        return TextTokenCount();
    }
    return FirstTokenOf(top->paragraph) + top->token;
}

std::size_t CVellumwiseView::TextTokenCount() const {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    return paragraphs.empty() ? 0 : paragraphs.back().FirstToken() + paragraphs.back().TokenCount();
}

QString CVellumwiseView::PlaceText(std::int64_t pos) const {
    QString text = QString::fromStdString(PageStatusText(pos, m_doc.m_nTextHeight)) +
                   QStringLiteral(" · %1%").arg(PercentThrough(pos, m_doc.m_nTextHeight));
    const std::vector<BookChapter>& chapters = Chapters();
    if (const std::optional<std::size_t> chapter = ChapterAt(chapters, ParagraphAt(pos))) {
        text += QStringLiteral(" · ") + QString::fromStdString(chapters[*chapter].title);
    }
    return text;
}

void CVellumwiseView::ShowDragTip() {
    QScrollBar* bar = verticalScrollBar();
    // Beside the thumb, on the page's side of the bar.
    const QPoint at(bar->mapToGlobal(QPoint(0, 0)).x(), QCursor::pos().y());
    QToolTip::showText(at, PlaceText(m_doc.m_nScrollPos), bar);
}
