// The reader's own marks and word book, reached from a word of the page: its
// context menu (right button) and keys that act on the word under the pointer.
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>

#include "CVellumwiseView.h"

std::optional<WordHit> CVellumwiseView::WordAt(QPoint point) {
    const std::optional<WordHit> hit = HitWord(point);
    // Blanks and punctuation are tokens too; only a word can be marked or collected.
    if (!hit || m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].WordId(hit->token) ==
                    WordTable::kNoWord) {
        return std::nullopt;
    }
    return hit;
}

bool CVellumwiseView::ApplyToWordAt(QPoint point, WordAction action) {
    const std::optional<WordHit> hit = WordAt(point);
    if (!hit) {
        return false;
    }
    // A copy: the operations re-gloss the text the word points into.
    const std::string word(m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].Word(hit->token));
    switch (action) {
        case WordAction::MarkKnown:
            m_doc.MarkKnown(word);
            break;
        case WordAction::MarkNew:
            m_doc.MarkNew(word);
            break;
        case WordAction::Unmark:
            m_doc.Unmark(word);
            break;
        case WordAction::AddToWordBook:
            return m_doc.AddToWordBook(hit->paragraph, hit->token);
    }
    return true;
}

std::unique_ptr<QMenu> CVellumwiseView::MakeWordMenu(QPoint point) {
    const std::optional<WordHit> hit = WordAt(point);
    if (!hit) {
        return nullptr;
    }
    const std::string_view word =
        m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].Word(hit->token);
    const WordMark mark = m_doc.MarkOf(word);
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("WordMenu"));
    auto add = [&](const QString& text, const char* name, QKeySequence key, WordAction action) {
        QAction* item =
            menu->addAction(text, this, [this, point, action] { ApplyToWordAt(point, action); });
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(key);
        return item;
    };
    QAction* known = add(QStringLiteral("认识这个词"), "MarkKnown", QKeySequence(Qt::Key_Y),
                         WordAction::MarkKnown);
    QAction* fresh =
        add(QStringLiteral("标为生词"), "MarkNew", QKeySequence(Qt::Key_N), WordAction::MarkNew);
    QAction* unmark =
        add(QStringLiteral("取消标记"), "Unmark", QKeySequence(Qt::Key_U), WordAction::Unmark);
    known->setCheckable(true);
    known->setChecked(mark == WordMark::Known);
    fresh->setCheckable(true);
    fresh->setChecked(mark == WordMark::New);
    unmark->setEnabled(mark != WordMark::None);
    menu->addSeparator();
    add(QStringLiteral("加入单词本"), "AddToWordBook", QKeySequence(Qt::Key_B),
        WordAction::AddToWordBook);
    QAction* book =
        menu->addAction(QStringLiteral("单词本…"), this, &CVellumwiseView::wordBookRequested);
    book->setObjectName(QStringLiteral("WordBook"));
    book->setShortcut(QKeySequence(Qt::Key_W));
    return menu;
}

void CVellumwiseView::contextMenuEvent(QContextMenuEvent* event) {
    ClosePopup();
    // The scroll area hands on the viewport's event, in viewport coordinates.
    const QPoint point = event->pos();
    if (std::unique_ptr<QMenu> menu = MakeWordMenu(point)) {
        menu->exec(event->globalPos());
    }
    event->accept();
}

void CVellumwiseView::ApplyAtPointer(WordAction action) {
    ApplyToWordAt(viewport()->mapFromGlobal(QCursor::pos()), action);
}

void CVellumwiseView::OnMarkKnownAtPointer() { ApplyAtPointer(WordAction::MarkKnown); }
void CVellumwiseView::OnMarkNewAtPointer() { ApplyAtPointer(WordAction::MarkNew); }
void CVellumwiseView::OnUnmarkAtPointer() { ApplyAtPointer(WordAction::Unmark); }
void CVellumwiseView::OnAddToWordBookAtPointer() { ApplyAtPointer(WordAction::AddToWordBook); }
