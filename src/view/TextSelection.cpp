// Selecting words with the mouse and copying them: a press and a drag select from the
// word pressed to the word under the pointer; the selection goes to the X11 primary
// selection on release (so another dictionary's scan popup sees it) and to the
// clipboard on 复制 (Ctrl+C).
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "CVellumwiseView.h"
#include "StripGeometry.h"

namespace {

bool Before(const WordHit& a, const WordHit& b) {
    return a.paragraph < b.paragraph || (a.paragraph == b.paragraph && a.token < b.token);
}

}  // namespace

std::optional<std::pair<WordHit, WordHit>> CVellumwiseView::SelectionRange() const {
    if (!m_selectionAnchor || !m_selectionEnd) {
        return std::nullopt;
    }
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    WordHit first = *m_selectionAnchor;
    WordHit last = *m_selectionEnd;
    if (Before(last, first)) {
        std::swap(first, last);
    }
    // A text replaced since the selection was made leaves nothing to copy.
    if (last.paragraph >= paragraphs.size() ||
        last.token >= paragraphs[last.paragraph].TokenCount() ||
        first.token >= paragraphs[first.paragraph].TokenCount()) {
        return std::nullopt;
    }
    return std::pair{first, last};
}

QString CVellumwiseView::SelectedText() const {
    const auto range = SelectionRange();
    if (!range) {
        return {};
    }
    const auto& [first, last] = *range;
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    std::string text;
    for (std::size_t p = first.paragraph; p <= last.paragraph; ++p) {
        const CParagraph& paragraph = paragraphs[p];
        const std::string_view source = paragraph.m_strText;
        std::size_t begin = 0;
        std::size_t end = source.size();
        if (p == first.paragraph) {
            begin = paragraph.Span(first.token).offset;
        }
        if (p == last.paragraph) {
            const TokenSpan span = paragraph.Span(last.token);
            end = span.offset + span.length;
        }
        if (p != first.paragraph) {
            text += '\n';
        }
        if (begin < end && end <= source.size()) {
            text.append(source.substr(begin, end - begin));
        }
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void CVellumwiseView::ClearSelection() {
    if (m_selectionAnchor || m_selectionEnd) {
        m_selectionAnchor.reset();
        m_selectionEnd.reset();
        viewport()->update();
    }
    m_bSelecting = false;
}

void CVellumwiseView::StartSelection(QPoint point) {
    ClearSelection();
    m_selectionAnchor = HitWord(point);
}

void CVellumwiseView::ExtendSelection(QPoint point) {
    if (!m_selectionAnchor) {
        return;
    }
    const std::optional<WordHit> hit = HitWord(point);
    if (!hit) {
        return;
    }
    const bool moved =
        hit->paragraph != m_selectionAnchor->paragraph || hit->token != m_selectionAnchor->token;
    if (!m_bSelecting && !moved) {
        return;
    }
    // A drag is no hold: the card or popup of the first word goes.
    m_bSelecting = true;
    ClosePopup();
    m_selectionEnd = hit;
    viewport()->update();
}

void CVellumwiseView::FinishSelection() {
    if (!m_bSelecting) {
        return;
    }
    m_bSelecting = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard != nullptr && clipboard->supportsSelection()) {
        clipboard->setText(SelectedText(), QClipboard::Selection);
    }
}

bool CVellumwiseView::CopySelection() {
    const QString text = SelectedText();
    if (text.isEmpty()) {
        return false;
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(text, QClipboard::Clipboard);
    }
    return true;
}

void CVellumwiseView::PaintSelection(QPainter& painter) {
    const auto range = SelectionRange();
    if (!range) {
        return;
    }
    const auto& [first, last] = *range;
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    const StripGeometry geometry = StripGeometry::ForWindow(
        WindowSize().width(), WindowSize().height(), m_doc.m_nPageWidth, m_doc.m_nScrollPos);
    QColor colour = palette().color(QPalette::Highlight);
    colour.setAlpha(90);
    const std::int64_t height = viewport()->height();
    for (std::size_t p = first.paragraph; p <= last.paragraph; ++p) {
        const CParagraph& paragraph = paragraphs[p];
        if (paragraph.TokenCount() == 0 || !paragraph.LaidOut()) {
            continue;
        }
        const std::size_t from = p == first.paragraph ? first.token : 0;
        const std::size_t to = p == last.paragraph ? last.token : paragraph.TokenCount() - 1;
        if (WordBoxOf(paragraph, to, geometry, m_nLineUnit).bottom < 0) {
            continue;
        }
        if (WordBoxOf(paragraph, from, geometry, m_nLineUnit).top > height) {
            break;
        }
        for (std::size_t j = from; j <= to; ++j) {
            const WordBox box = WordBoxOf(paragraph, j, geometry, m_nLineUnit);
            if (box.bottom < 0 || box.top > height) {
                continue;
            }
            // The English half of the double line, over the word and the space after it
            // (the last word's own width only).
            const std::int64_t right = j == to ? box.left + paragraph.Width(j) : box.right;
            painter.fillRect(
                QRect(static_cast<int>(box.left), static_cast<int>(box.top),
                      static_cast<int>(std::max<std::int64_t>(1, right - box.left)), m_nLineUnit),
                colour);
        }
    }
}
