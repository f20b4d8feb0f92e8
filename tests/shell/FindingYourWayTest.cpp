// Finding one's way in the window: bookmarks, the status bar's panes and the reading
// pace, the scroll bar's tip, the chapter list and keys, where a new text starts, help.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>
#include <QTreeWidget>
#include <filesystem>

#include "Bookmarks.h"
#include "BookmarksDialog.h"
#include "CMainFrame.h"
#include "CParagraph.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "ModalDialogWatcher.h"
#include "StripGeometry.h"
#include "TempDir.h"

namespace {

// A plain text of `chapters` chapters, each a heading line and 40 hard-wrapped
// paragraphs of two lines; every line is a paragraph of the text.
std::string Novel(int chapters) {
    std::string text;
    for (int chapter = 1; chapter <= chapters; ++chapter) {
        text += "CHAPTER " + std::to_string(chapter) + "\n\n";
        for (int paragraph = 0; paragraph < 40; ++paragraph) {
            text += "Paragraph " + std::to_string(paragraph) +
                    " of the chapter: the morning was grey and she walked slowly toward the\n"
                    "village beyond the river, thinking of nothing at all, as every day.\n\n";
        }
    }
    return text;
}

// One window over its own document, as the program makes it, in the test's own home.
struct Window {
    explicit Window(FakePlatformServices& platform) : doc(platform) {
        doc.SetProgramDir(VELLUMWISE_BIN_DIR);
        doc.OnNewDocument();
        frame = std::make_unique<CMainFrame>(doc, platform);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    CVellumwiseDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

class WayTest : public testing::Test {
protected:
    WayTest() {
        m_path = m_dir.Path("novel.txt");
        WriteFile(m_path, Novel(4));
        m_window = std::make_unique<Window>(m_platform);
        Frame()->OpenText(m_path);
    }
    CMainFrame* Frame() const { return m_window->frame.get(); }
    CVellumwiseDoc& Doc() const { return m_window->doc; }
    CVellumwiseView* View() const { return Frame()->View(); }
    QString Pane(const char* name) const {
        return Frame()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    bool PaneShown(const char* name) const {
        return Frame()->findChild<QLabel*>(QString::fromLatin1(name))->isVisible();
    }
    // The paragraph of heading `n` (1-based): each chapter is its heading and 80 lines.
    static std::size_t Heading(int n) { return static_cast<std::size_t>(n - 1) * 81; }
    std::int64_t TopOf(std::size_t paragraph) const {
        return Doc().m_paragraphs.m_arrParagraphs[paragraph].m_nTop;
    }

    TempDir m_dir;
    std::string m_path;
    FakePlatformServices m_platform;
    std::unique_ptr<Window> m_window;
};

TEST_F(WayTest, ABookmarkKeepsItsWordSnippetAndChapterAcrossARestart) {
    ASSERT_EQ(View()->Chapters().size(), 4u);
    View()->ScrollToParagraph(Heading(2) + 9);
    QTest::keyClick(View(), Qt::Key_D, Qt::ControlModifier);
    std::vector<Bookmark> marks = Frame()->TextBookmarks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].place, (WordPlace{Heading(2) + 9, 0}));
    EXPECT_EQ(marks[0].snippet, "Paragraph 4 of the chapter: the morning…");
    EXPECT_EQ(marks[0].chapter, "CHAPTER 2");
    EXPECT_EQ(marks[0].path, std::filesystem::canonical(m_path).string());
    // Ctrl+D again at the same place makes no second bookmark.
    Frame()->Command("ID_ADD_BOOKMARK")->trigger();
    EXPECT_EQ(Frame()->TextBookmarks().size(), 1u);
    View()->ScrollToParagraph(Heading(4));
    Frame()->Command("ID_ADD_BOOKMARK")->trigger();

    // After a restart the menu lists them in the order of their places and goes there.
    m_window = std::make_unique<Window>(m_platform);
    Frame()->OpenText(m_path);
    auto* menu = Frame()->findChild<QMenu*>(QStringLiteral("BookmarkMenu"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[3]->text(),
              QStringLiteral("Paragraph 4 of the chapter: the morning…\tCHAPTER 2"));
    EXPECT_EQ(items[4]->text(), QStringLiteral("CHAPTER 4\tCHAPTER 4"));
    items[3]->trigger();
    EXPECT_EQ(View()->TopWord(), (WordPlace{Heading(2) + 9, 0}));
    EXPECT_EQ(View()->ChapterAtTop(), 1u);
}

TEST_F(WayTest, TheDialogRenamesRemovesAndGoesToBookmarks) {
    for (const int chapter : {1, 3}) {
        View()->ScrollToParagraph(Heading(chapter) + 1);
        Frame()->AddBookmarkHere();
    }
    QStringList labels;
    QString status;
    WhenModal(QStringLiteral("bookmarksDialog"), [&](QWidget* widget) {
        auto* dialog = static_cast<BookmarksDialog*>(widget);
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("bookmarkList"));
        // The reader edits the first one's name in the list.
        list->topLevelItem(0)->setText(0, QStringLiteral("  where it starts  "));
        dialog->RemoveRow(1);
        status = dialog->findChild<QLabel*>(QStringLiteral("bookmarkStatus"))->text();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            labels << list->topLevelItem(i)->text(0);
        }
        dialog->OpenRow(0);
    });
    View()->OnTextEnd();
    Frame()->Command("ID_MANAGE_BOOKMARKS")->trigger();
    EXPECT_EQ(labels, QStringList{QStringLiteral("where it starts")});
    EXPECT_TRUE(status.startsWith(QStringLiteral("已删除书签"))) << status.toStdString();
    EXPECT_EQ(View()->TopWord(), (WordPlace{Heading(1) + 1, 0}));
    const std::vector<Bookmark> marks = Frame()->TextBookmarks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].name, "where it starts");
}

TEST_F(WayTest, ABookmarkPastTheEndOfAChangedTextLandsOnTheLastPage) {
    View()->ScrollToParagraph(Heading(4) + 30);
    Frame()->AddBookmarkHere();
    WriteFile(m_path, Novel(1));  // the file was cut to its first chapter
    Frame()->OpenText(m_path);
    Frame()->OpenBookmark(Frame()->TextBookmarks().at(0));
    EXPECT_EQ(CurrentPage(Doc().m_nScrollPos), PageCount(Doc().m_nTextHeight));
    EXPECT_EQ(View()->TopParagraph(), Doc().m_paragraphs.m_arrParagraphs.size() - 1);
}

TEST_F(WayTest, APastedTextHasNoBookmarksAndSaysSo) {
    m_platform.m_clipboard = "A few words from somewhere.";
    Frame()->OnEditPaste();
    Frame()->AddBookmarkHere();
    EXPECT_TRUE(Frame()->statusBar()->currentMessage().contains(QStringLiteral("粘贴的文字")));
    EXPECT_TRUE(Frame()->TextBookmarks().empty());
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST_F(WayTest, TheStatusBarShowsPercentChapterAndTimeLeftAtTheReadersPace) {
    std::int64_t now = 0;
    Frame()->SetClock([&now] { return now; });
    Doc().ScrollTo(0);
    EXPECT_EQ(Pane("PercentPane"), QStringLiteral("0%"));
    EXPECT_EQ(Pane("ChapterPane"), QStringLiteral("CHAPTER 1"));
    Doc().ScrollTo(Doc().m_nTextHeight / 2);
    EXPECT_EQ(Pane("PercentPane"), QStringLiteral("50%"));
    EXPECT_EQ(Pane("ChapterPane"), QStringLiteral("CHAPTER 3"));
    EXPECT_FALSE(PaneShown("TimeLeftPane"));  // nothing read yet

    // The reader reads: half a window every 30 seconds for four minutes.
    View()->ScrollToParagraph(Heading(2));
    const std::size_t from = View()->TopToken();
    for (int i = 0; i < 8; ++i) {
        now += 30000;
        View()->OnHalfPageDown();
    }
    const std::size_t read = View()->TopToken() - from;
    ASSERT_TRUE(Frame()->Pace().TokensPerMinute().has_value());
    EXPECT_NEAR(*Frame()->Pace().TokensPerMinute(), read / 4.0, 1.0);
    ASSERT_TRUE(PaneShown("TimeLeftPane"));
    const QString left = Pane("TimeLeftPane");
    EXPECT_TRUE(left.startsWith(QStringLiteral("本章约 "))) << left.toStdString();
    EXPECT_TRUE(left.contains(QStringLiteral(" · 全书约 "))) << left.toStdString();
    // A jump to the last chapter is not reading: the pace stays.
    const double pace = *Frame()->Pace().TokensPerMinute();
    now += 1000;
    View()->ScrollToParagraph(Heading(4));
    EXPECT_DOUBLE_EQ(*Frame()->Pace().TokensPerMinute(), pace);

    // Reports and prompts use the message pane; the page panes stay.
    Frame()->Report(QStringLiteral("已添加书签"));
    Frame()->Command("ID_EDIT_PASTE")->showStatusText(Frame());
    for (const char* pane : {"PagePane", "PercentPane", "ChapterPane", "TimeLeftPane"}) {
        EXPECT_TRUE(PaneShown(pane)) << pane;
    }
    EXPECT_TRUE(Pane("PagePane").startsWith(QStringLiteral("第")));
}

TEST_F(WayTest, DraggingTheScrollBarTipsThePageAndChapterItWillLandOn) {
    QScrollBar* bar = View()->verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(static_cast<int>(TopOf(Heading(3) + 2)));
    const QString tip = QToolTip::text();
    const QString expected =
        QString::fromStdString(PageStatusText(Doc().m_nScrollPos, Doc().m_nTextHeight));
    EXPECT_TRUE(tip.startsWith(expected)) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(QStringLiteral(" · CHAPTER 3"))) << tip.toStdString();
    bar->setSliderDown(false);
    QTRY_VERIFY(QToolTip::text().isEmpty());
}

TEST_F(WayTest, TheChapterListMarksTheCurrentChapterAndGoesToTheChosenOne) {
    View()->ScrollToParagraph(Heading(2) + 10);
    QString current;
    bool bold = false;
    WhenModal(QStringLiteral("chapterListDialog"), [&](QWidget* dialog) {
        auto* tree = dialog->findChild<QTreeWidget*>(QStringLiteral("chapterTree"));
        current = tree->currentItem()->text(0);
        bold = tree->currentItem()->font(0).bold();
        tree->setCurrentItem(tree->topLevelItem(3));
        QTest::keyClick(tree, Qt::Key_Return);
    });
    QTest::keyClick(View(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(current, QStringLiteral("▶ CHAPTER 2"));
    EXPECT_TRUE(bold);
    EXPECT_EQ(Doc().m_nScrollPos, TopOf(Heading(4)));
    // Esc leaves the window where it was.
    WhenModal(QStringLiteral("chapterListDialog"),
              [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    Frame()->Command("ID_CHAPTER_LIST")->trigger();
    EXPECT_EQ(Doc().m_nScrollPos, TopOf(Heading(4)));
}

TEST_F(WayTest, NextAndPreviousChapterKeys) {
    struct Case {
        QKeySequence key;
        std::size_t lands;
    };
    View()->ScrollToParagraph(Heading(2) + 10);
    const Case cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), Heading(3)},
        {QKeySequence(Qt::Key_BracketRight), Heading(4)},
        {QKeySequence(Qt::Key_BracketRight), Heading(4)},  // the last: stays, and says so
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), Heading(3)},
        {QKeySequence(Qt::Key_BracketLeft), Heading(2)},
    };
    for (const Case& c : cases) {
        QTest::keySequence(View(), c.key);
        EXPECT_EQ(View()->TopParagraph(), c.lands) << c.key.toString().toStdString();
    }
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), QStringLiteral("已是最后一章。"));
    // From inside a chapter, back goes to its own start first.
    View()->ScrollToParagraph(Heading(2) + 3);
    Frame()->Command("ID_PREVIOUS_CHAPTER")->trigger();
    EXPECT_EQ(View()->TopParagraph(), Heading(2));
}

TEST_F(WayTest, APasteAndANewTextStartAtTheirBeginning) {
    View()->OnTextEnd();
    m_platform.m_clipboard = Novel(1);
    Frame()->OnEditPaste();
    EXPECT_EQ(Doc().m_nScrollPos, 0);
    EXPECT_EQ(View()->TopWord(), (WordPlace{0, 0}));
    View()->OnTextEnd();
    const std::string other = m_dir.Path("other.txt");
    WriteFile(other, Novel(2));
    Frame()->OpenText(other);
    EXPECT_EQ(Doc().m_nScrollPos, 0);
}

TEST_F(WayTest, HelpOpensInTheProgramsOwnWindowWhenNoBrowserCanAndSaysWhenItIsMissing) {
    m_platform.m_desktopOpens = false;
    Frame()->Command("ID_HELP")->trigger();
    auto* window = Frame()->findChild<QWidget*>(QStringLiteral("helpWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const QString page = window->findChild<QTextBrowser*>()->toPlainText();
    for (const char* topic : {"书签", "目录", "查找", "单词本", "配色方案", "EPUB"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << topic;
    }
    EXPECT_TRUE(m_platform.m_messages.empty());

    TempDir bare;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(bare.Root());
    Doc().SetProgramDir(bare.Root().string());
    Frame()->Command("ID_HELP")->trigger();
    std::filesystem::current_path(before);
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_NE(m_platform.m_messages[0].find("help.htm"), std::string::npos);
}

}  // namespace
