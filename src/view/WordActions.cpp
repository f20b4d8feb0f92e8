// The reader's own marks and word book, reached from a word of the page: its
// context menu (right button) and keys that act on the word under the pointer.
// Both are the same five commands, made here once; the window puts them in its
// menus and takes their keys.
#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>

#include "CVellumwiseView.h"
#include "WordCardDlg.h"

namespace {

struct WordCommandText {
    const char* name;  // the command's identifier, as the window knows it
    const char* text;
    Qt::Key key;
};

// By WordAction. Plain letters the window leaves free (it reads K and the arrows).
constexpr WordCommandText kWordCommands[] = {
    {"ID_MARK_KNOWN", "认识这个词", Qt::Key_Y},
    {"ID_MARK_NEW", "标为生词", Qt::Key_N},
    {"ID_UNMARK", "取消标记", Qt::Key_U},
    {"ID_CHOOSE_SENSE", "选择释义…", Qt::Key_E},
    {"ID_ADD_TO_WORD_BOOK", "加入单词本", Qt::Key_B},
    {"ID_WORD_BOOK", "单词本…", Qt::Key_W},
};

}  // namespace

void CVellumwiseView::CreateWordCommands() {
    for (std::size_t i = 0; i < m_wordCommands.size(); ++i) {
        const WordCommandText& command = kWordCommands[i];
        auto* action = new QAction(QString::fromUtf8(command.text), this);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setShortcut(QKeySequence(command.key));
        const auto which = static_cast<WordAction>(i);
        connect(action, &QAction::triggered, this, [this, which] { ApplyToCommandWord(which); });
        m_wordCommands[i] = action;
    }
}

QAction* CVellumwiseView::WordCommand(WordAction action) const {
    return m_wordCommands[static_cast<std::size_t>(action)];
}

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
    return hit && ApplyToWord(*hit, action);
}

bool CVellumwiseView::ApplyToWord(const WordHit& hit, WordAction action) {
    // A copy: the operations re-gloss the text the word points into.
    const std::string word(m_doc.m_paragraphs.m_arrParagraphs[hit.paragraph].Word(hit.token));
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
        case WordAction::ChooseSense:
            return ChooseOwnSense(hit);
        case WordAction::AddToWordBook:
            return CollectWord(hit);
        case WordAction::OpenWordBook:
            emit wordBookRequested();
            break;
    }
    return true;
}

bool CVellumwiseView::CollectWord(const WordHit& hit) {
    const CVellumwiseDoc::WordBookAddition added = m_doc.AddToWordBook(hit.paragraph, hit.token);
    if (!added) {
        return false;  // the document has said why
    }
    // Seen where the reader looks: a line under the word, and the status bar's words.
    m_collectedMark =
        CollectedMark{{hit.paragraph, hit.token}, m_doc.m_nScrollPos, m_doc.TextSerial()};
    const QString word =
        QString::fromUtf8(added.word.data(), static_cast<qsizetype>(added.word.size()));
    emit statusMessage(added.updated ? QStringLiteral("单词本里的 %1 已更新为这一句。").arg(word)
                                     : QStringLiteral("已加入单词本：%1").arg(word));
    viewport()->update();
    return true;
}

void CVellumwiseView::ApplyToCommandWord(WordAction action) {
    if (action == WordAction::OpenWordBook) {
        emit wordBookRequested();
        return;
    }
    // The word a menu showed, while it is open; the word of an open card; else the
    // word under the pointer now.
    if (m_menuWord) {
        ApplyToWord(*m_menuWord, action);
    } else if (m_pCard && m_cardWord && m_nCardText == m_doc.TextSerial()) {
        const WordHit hit = *m_cardWord;
        ApplyToWord(hit, action);
    } else {
        ApplyToWordAt(viewport()->mapFromGlobal(QCursor::pos()), action);
    }
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
    // The menu's commands act on this word, found once, for as long as the menu lives.
    m_menuWord = hit;
    connect(menu.get(), &QObject::destroyed, this, [this] { m_menuWord.reset(); });
    QAction* known = WordCommand(WordAction::MarkKnown);
    QAction* fresh = WordCommand(WordAction::MarkNew);
    QAction* unmark = WordCommand(WordAction::Unmark);
    menu->addActions({known, fresh, unmark});
    // The marks show as checks in this menu only.
    known->setCheckable(true);
    known->setChecked(mark == WordMark::Known);
    fresh->setCheckable(true);
    fresh->setChecked(mark == WordMark::New);
    connect(menu.get(), &QObject::destroyed, known, [known, fresh] {
        known->setCheckable(false);
        fresh->setCheckable(false);
    });
    unmark->setEnabled(mark != WordMark::None);
    connect(menu.get(), &QObject::destroyed, unmark, [unmark] { unmark->setEnabled(true); });
    menu->addSeparator();
    menu->addAction(WordCommand(WordAction::ChooseSense));
    menu->addSeparator();
    menu->addActions(
        {WordCommand(WordAction::AddToWordBook), WordCommand(WordAction::OpenWordBook)});
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
