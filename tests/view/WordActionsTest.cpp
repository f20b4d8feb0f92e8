// A word's context menu: marks that re-gloss the page and the word book.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "CodePage.h"
#include "ReadFileBytes.h"
#include "ViewOverDocument.h"
#include "WordBook.h"

namespace {

class WordMenuTest : public ViewOverDocument {
protected:
    WordMenuTest() : ViewOverDocument(601) {}

    QPoint At(std::size_t p, std::size_t j) const { return WordPoint(p, j, 2, 5); }
    std::string Gloss(std::size_t p, std::size_t j) const {
        return codepage::GbkToUtf8Lossy(m_doc.m_paragraphs.m_arrParagraphs[p].Gloss(j));
    }
    QAction* Item(QMenu& menu, const char* name) {
        for (QAction* action : menu.actions()) {
            if (action->objectName() == QLatin1String(name)) {
                return action;
            }
        }
        return nullptr;
    }
    void Choose(QPoint point, const char* name) {
        std::unique_ptr<QMenu> menu = m_view.MakeWordMenu(point);
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(Item(*menu, name), nullptr) << name;
        Item(*menu, name)->trigger();
    }
};

TEST_F(WordMenuTest, MenuOffersTheActionsAndShowsTheWordsMark) {
    Paste("the zebra walked\r\n");
    std::unique_ptr<QMenu> menu = m_view.MakeWordMenu(At(0, 1));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("认识这个词"), QStringLiteral("标为生词"),
                                  QStringLiteral("取消标记"), QStringLiteral("|"),
                                  QStringLiteral("选择释义…"), QStringLiteral("|"),
                                  QStringLiteral("加入单词本"), QStringLiteral("单词本…")}));
    EXPECT_FALSE(Item(*menu, "ID_UNMARK")->isEnabled());
    EXPECT_EQ(Item(*menu, "ID_MARK_KNOWN")->shortcut(), QKeySequence(Qt::Key_Y));
    EXPECT_EQ(m_view.MakeWordMenu(QPoint(5, 300)), nullptr);  // beside the page
}

TEST_F(WordMenuTest, MarksReglossEveryFormOnThePage) {
    Paste("the zebra walked\r\nzebras and the zebra\r\n");
    ASSERT_EQ(Gloss(0, 1), "斑马");
    ASSERT_EQ(Gloss(0, 0), "");
    Choose(At(0, 1), "ID_MARK_KNOWN");
    EXPECT_EQ(Gloss(0, 1), "");
    EXPECT_EQ(Gloss(1, 0), "");  // zebras: the same entry
    EXPECT_EQ(Gloss(1, 3), "");
    {
        std::unique_ptr<QMenu> menu = m_view.MakeWordMenu(At(1, 0));
        EXPECT_TRUE(Item(*menu, "ID_MARK_KNOWN")->isChecked());
        EXPECT_TRUE(Item(*menu, "ID_UNMARK")->isEnabled());
    }
    Choose(At(1, 0), "ID_UNMARK");
    EXPECT_EQ(Gloss(0, 1), "斑马");
    Choose(At(0, 0), "ID_MARK_NEW");  // a word every step knows
    EXPECT_NE(Gloss(0, 0), "");
    EXPECT_EQ(Gloss(0, 0), Gloss(1, 2));
    EXPECT_EQ(*ReadFileBytes(m_doc.m_strPersonalDir + "/new-words.txt"), "the\n");
}

// Former bug: the menu's actions looked for the word again at the point it was
// opened at, so a page that moved meanwhile (auto-scroll) had another word there.
TEST_F(WordMenuTest, TheMenuActsOnTheWordItShowedThoughThePageMoved) {
    Paste("the zebra walked\r\nthe apple fell\r\n");
    std::unique_ptr<QMenu> menu = m_view.MakeWordMenu(At(0, 1));
    ASSERT_NE(menu, nullptr);
    m_doc.ScrollTo(m_doc.m_nScrollPos + 40);  // the next line is under the point now
    Item(*menu, "ID_MARK_KNOWN")->trigger();
    EXPECT_EQ(m_doc.MarkOf("zebra"), WordMark::Known);
    EXPECT_EQ(m_doc.MarkOf("apple"), WordMark::None);
    // Closed, the same command acts on the word under the pointer again.
    menu.reset();
    EXPECT_FALSE(m_view.WordCommand(CVellumwiseView::WordAction::MarkKnown)->isCheckable());
}

TEST_F(WordMenuTest, AddToWordBookStoresTheWordWithItsParagraph) {
    Paste("the zebra walked\r\n");
    Choose(At(0, 1), "ID_ADD_TO_WORD_BOOK");
    WordBook book;
    ASSERT_TRUE(LoadWordBook(m_doc.m_strPersonalDir, book));
    ASSERT_EQ(book.entries.size(), 1u);
    EXPECT_EQ(book.entries[0].word, "zebra");
    EXPECT_EQ(book.entries[0].gloss, "斑马");
    EXPECT_EQ(book.entries[0].sentence, "the zebra walked");
}

TEST_F(WordMenuTest, ACollectedWordIsToldAndMarkedUntilThePageTurns) {
    Paste("the zebra walked\r\n");
    QStringList told;
    QObject::connect(&m_view, &CVellumwiseView::statusMessage,
                     [&](const QString& text) { told << text; });
    Choose(At(0, 1), "ID_ADD_TO_WORD_BOOK");
    Choose(At(0, 1), "ID_ADD_TO_WORD_BOOK");
    EXPECT_EQ(told, QStringList({QStringLiteral("已加入单词本：zebra"),
                                 QStringLiteral("单词本里的 zebra 已更新为这一句。")}));
    EXPECT_EQ(m_view.Scene().markedWord, (WordPlace{0, 1}));
    m_doc.ScrollTo(m_doc.m_nScrollPos + m_view.viewport()->height());
    EXPECT_FALSE(m_view.Scene().markedWord);
    m_doc.ScrollTo(0);  // the mark does not come back
    EXPECT_FALSE(m_view.Scene().markedWord);
}

}  // namespace
