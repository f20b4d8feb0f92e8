// The main window after start-up: caption, menu, toolbars, status bar and keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <filesystem>
#include <set>

#include "CMainFrame.h"
#include "CVellumwiseApp.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "DictionaryPanel.h"
#include "TempDir.h"

namespace {

QStringList ActionIds(const QList<QAction*>& actions) {
    QStringList ids;
    for (const QAction* action : actions) {
        ids << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
    }
    return ids;
}

QString Pane(CMainFrame* frame, const char* name) {
    return frame->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

class StartedApp : public testing::Test {
protected:
    CMainFrame* Start(const std::vector<std::string>& arguments = {}) {
        EXPECT_FALSE(m_app.InitInstance(arguments).has_value());
        CMainFrame* frame = m_app.MainFrame();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        return frame;
    }
    CVellumwiseApp m_app;
};

TEST_F(StartedApp, CaptionMenuAndStatusBar) {
    CMainFrame* frame = Start();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("无标题 - Vellumwise"));

    const QList<QAction*> menus = frame->menuBar()->actions();
    QStringList titles;
    for (const QAction* menu : menus) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "转到(&G)", "书签(&B)", "显示(&V)",
                                   "帮助(&H)"}));
    // Each menu's items as the reader sees them: the text and the key beside it.
    auto itemsOf = [](const QMenu* menu) {
        QStringList items;
        for (const QAction* item : menu->actions()) {
            items << (item->isSeparator()
                          ? QStringLiteral("|")
                          : item->text() + QLatin1Char('\t') + item->shortcut().toString());
        }
        return items;
    };
    EXPECT_EQ(itemsOf(menus[0]->menu()),
              (QStringList{"打开(&O)…\tCtrl+O", "章节\t", "最近打开的文本\t",
                           "粘贴剪贴板内容(&P)\tCtrl+V", "|", "不注释人名\t", "|", "打印…\tCtrl+P",
                           "|", "退出(&X)\tCtrl+Q"}));
    EXPECT_EQ(itemsOf(menus[1]->menu()),
              (QStringList{"复制(&C)\tCtrl+C", "粘贴剪贴板内容(&P)\tCtrl+V", "|",
                           "查找(&F)…\tCtrl+F", "查找下一个\tF3", "查找上一个\tShift+F3", "|",
                           "认识这个词\tY", "标为生词\tN", "取消标记\tU", "选择释义…\tE", "|",
                           "加入单词本\tB", "单词本…\tW", "复习…\tR", "认识的词和生词…\tL"}));
    EXPECT_EQ(itemsOf(menus[2]->menu()),
              (QStringList{"文章开头\tHome", "文章末尾\tEnd", "上移半屏\tPgUp", "下移半屏\tPgDown",
                           "上移一行\tUp", "下移一行\tDown", "|", "前进到指定页面\tCtrl+G", "|",
                           "目录…\tCtrl+T", "下一章\tCtrl+PgDown", "上一章\tCtrl+PgUp"}));
    // No text yet: the bookmark commands, and a line saying the book has none.
    EXPECT_EQ(itemsOf(menus[3]->menu()), (QStringList{"添加书签\tCtrl+D", "管理书签…\tCtrl+Shift+D",
                                                      "|", "（本书没有书签）\t"}));
    EXPECT_EQ(itemsOf(menus[4]->menu()), (QStringList{"词汇量\t",
                                                      "词汇量测试…\t",
                                                      "字体\t",
                                                      "|",
                                                      "文字颜色\t",
                                                      "释义颜色\t",
                                                      "页面颜色\t",
                                                      "注释字号\t",
                                                      "配色方案\t",
                                                      "排版\t",
                                                      "|",
                                                      "自动滚屏\tCtrl+R",
                                                      "滚屏速度\t",
                                                      "|",
                                                      "按上下文选择词义\t",
                                                      "按学科选择词义（未见学科）\t",
                                                      "完整词条卡片\t",
                                                      "查看词条\tD",
                                                      "朗读\tS",
                                                      "词典面板\tCtrl+L"}));
    EXPECT_EQ(itemsOf(menus[5]->menu()), (QStringList{"帮助(&H)\tF1", "关于(&A)\t"}));
    // The speeds are a choice of one, kept by the document as the reading settings are.
    auto* speeds = frame->findChild<QMenu*>(QStringLiteral("AutoScrollSpeedMenu"));
    ASSERT_NE(speeds, nullptr);
    EXPECT_EQ(itemsOf(speeds), (QStringList{"慢\t", "中\t", "快\t", "很快\t"}));
    EXPECT_TRUE(frame->Command("ID_AUTO_SCROLL_NORMAL")->isChecked());
    frame->Command("ID_AUTO_SCROLL_FASTEST")->trigger();
    EXPECT_EQ(m_app.Document().AutoScrollInterval(), 30);
    EXPECT_EQ(m_app.Document().Settings().autoScrollInterval, 30);
    EXPECT_TRUE(frame->Command("ID_AUTO_SCROLL_FASTEST")->isChecked());
    EXPECT_FALSE(frame->Command("ID_AUTO_SCROLL_NORMAL")->isChecked());
    frame->Command("ID_AUTO_SCROLL_NORMAL")->trigger();
    // Every command of the table is in some menu, reached by its key or its item.
    std::set<QString> inMenus;
    std::vector<const QMenu*> open;
    for (const QAction* menu : menus) {
        open.push_back(menu->menu());
    }
    while (!open.empty()) {
        const QMenu* menu = open.back();
        open.pop_back();
        for (const QAction* item : menu->actions()) {
            inMenus.insert(item->objectName());
            if (item->menu() != nullptr) {
                open.push_back(item->menu());
            }
        }
    }
    for (int i = 0; i <= static_cast<int>(CommandId::PreviousChapter); ++i) {
        const auto id = static_cast<CommandId>(i);
        // The keys with nothing to do, the dictionary's maintenance and the toolbar's
        // own open button (打开 opens the same files) stay out of the menus.
        static const std::set<CommandId> notInMenus = {
            CommandId::FileOpenText, CommandId::DicImportText, CommandId::DicSave,
            CommandId::FileNew,      CommandId::FileSave,      CommandId::EditUndo,
            CommandId::EditCut,      CommandId::NextPane,      CommandId::PrevPane};
        EXPECT_EQ(inMenus.contains(QString::fromLatin1(CommandName(id))), !notInMenus.contains(id))
            << CommandName(id);
    }
    // On by default; the item follows the document's setting both ways.
    QAction* skipNames = frame->Command("ID_SKIP_NAMES");
    EXPECT_TRUE(skipNames->isCheckable());
    EXPECT_TRUE(skipNames->isChecked());
    skipNames->trigger();
    EXPECT_FALSE(m_app.Document().m_bSkipNames);
    EXPECT_FALSE(skipNames->isChecked());
    m_app.Document().SetSkipNames(true);
    EXPECT_TRUE(skipNames->isChecked());
    // The 显示 menu ends with 按上下文选择词义, 按学科选择词义 (naming the subject found),
    // 完整词条卡片, 查看词条 (D), 朗读 (S) and 词典面板 (Ctrl+L); the switches are on by
    // default and follow the document's settings both ways.
    QAction* context = frame->Command("ID_CONTEXT_SENSES");
    QAction* subject = frame->Command("ID_SUBJECT_SENSES");
    ASSERT_NE(context, nullptr);
    ASSERT_NE(subject, nullptr);
    EXPECT_EQ(context->text(), QStringLiteral("按上下文选择词义"));
    EXPECT_EQ(subject->text(), QStringLiteral("按学科选择词义（未见学科）"));
    const QList<QAction*> display = menus[4]->menu()->actions();
    ASSERT_GE(display.size(), 6);
    EXPECT_EQ(display[display.size() - 6], context);
    EXPECT_EQ(display[display.size() - 5], subject);
    EXPECT_TRUE(subject->isCheckable());
    EXPECT_TRUE(subject->isChecked());
    subject->trigger();
    EXPECT_FALSE(m_app.Document().SubjectSensesOn());
    EXPECT_FALSE(m_app.Document().Settings().subjectSenses);
    m_app.Document().SetSubjectSenses(true);
    EXPECT_TRUE(subject->isChecked());
    QAction* card = frame->Command("ID_WORD_CARD");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(display[display.size() - 4], card);
    EXPECT_EQ(card->text(), QStringLiteral("完整词条卡片"));
    EXPECT_TRUE(card->isChecked());
    card->trigger();
    EXPECT_FALSE(m_app.Document().Settings().wordCard);
    m_app.Document().SetWordCard(true);
    EXPECT_TRUE(card->isChecked());
    EXPECT_EQ(display[display.size() - 3], frame->Command("ID_WORD_CARD_SHOW"));
    EXPECT_EQ(display[display.size() - 3]->shortcut(), QKeySequence(Qt::Key_D));
    EXPECT_EQ(display[display.size() - 2], frame->Command("ID_SPEAK_WORD"));
    EXPECT_EQ(display[display.size() - 2]->shortcut(), QKeySequence(Qt::Key_S));
    EXPECT_EQ(display.back(), frame->Command("ID_DICTIONARY_PANEL"));
    EXPECT_EQ(display.back()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_TRUE(display.back()->isCheckable());
    EXPECT_TRUE(context->isCheckable());
    EXPECT_TRUE(context->isChecked());
    context->trigger();
    EXPECT_FALSE(m_app.Document().ContextSensesOn());
    EXPECT_FALSE(m_app.Document().Settings().contextSenses);
    m_app.Document().SetContextSenses(true);
    EXPECT_TRUE(context->isChecked());
    // No text read yet: nothing recent to offer.
    EXPECT_FALSE(frame->RecentMenu()->isEnabled());

    // The first redraw already put the page text into its pane; the lock panes are
    // empty off X11.
    EXPECT_EQ(Pane(frame, "MessagePane"), QStringLiteral("就绪"));
    EXPECT_EQ(Pane(frame, "PagePane"), QStringLiteral("第1页/共1页"));
    EXPECT_EQ(Pane(frame, "CapsPane"), QString());
    EXPECT_EQ(Pane(frame, "NumPane"), QString());
    EXPECT_EQ(Pane(frame, "ScrollPane"), QString());
}

TEST_F(StartedApp, TwoToolbarRowsAtTheTop) {
    CMainFrame* frame = Start();
    QToolBar* main = frame->MainToolBar();
    QToolBar* reading = frame->ReadingToolBar();
    EXPECT_EQ(ActionIds(main->actions()), (QStringList{"ID_FILE_OPEN_TEXT", "ID_EDIT_PASTE", "|",
                                                       "ID_AUTO_SCROLL", "|", "ID_APP_ABOUT"}));
    EXPECT_EQ(ActionIds(reading->actions()),
              (QStringList{"ID_LINE_DOWN", "ID_LINE_UP", "ID_HALF_PAGE_DOWN", "ID_HALF_PAGE_UP",
                           "ID_TEXT_END", "ID_TEXT_HOME", "ID_GOTO_PAGE", "ID_TEXT_COLOR",
                           "ID_GLOSS_COLOR", "ID_PAGE_COLOR", "ID_TEXT_FONT", "ID_VOCABULARY"}));
    for (QToolBar* bar : {main, reading}) {
        EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
        EXPECT_TRUE(bar->isMovable());
        EXPECT_TRUE(bar->isFloatable());
        EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
        for (QAction* action : bar->actions()) {
            EXPECT_TRUE(action->isSeparator() || !action->icon().isNull())
                << action->objectName().toStdString();
        }
    }
    EXPECT_GE(reading->geometry().top(), main->geometry().bottom());
    EXPECT_TRUE(frame->Command("ID_AUTO_SCROLL")->isCheckable());
    // The menu and the toolbar share one action.
    EXPECT_TRUE(frame->menuBar()->actions()[0]->menu()->actions().contains(
        frame->Command("ID_EDIT_PASTE")));
}

TEST_F(StartedApp, EveryButtonNamesItsCommandAndKeyAndNoPromptHidesThePage) {
    CMainFrame* frame = Start();
    struct Case {
        const char* id;
        QString tip;
        QString prompt;
    };
    auto withKey = [](const char* name, QKeySequence key) {
        return QString::fromUtf8(name) +
               QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText));
    };
    const Case cases[] = {
        {"ID_EDIT_PASTE", withKey("粘贴", QKeySequence(Qt::CTRL | Qt::Key_V)),
         QStringLiteral("插入剪贴板内容")},
        {"ID_APP_ABOUT", QStringLiteral("关于"), QStringLiteral("显示程序信息，版本号和版权")},
        {"ID_FILE_OPEN_TEXT", QStringLiteral("打开文本文件"), QString()},
        {"ID_AUTO_SCROLL", withKey("自动滚屏", QKeySequence(Qt::CTRL | Qt::Key_R)), QString()},
        {"ID_LINE_DOWN", withKey("下移一行", QKeySequence(Qt::Key_Down)), QString()},
        {"ID_GOTO_PAGE", withKey("前进到指定页面", QKeySequence(Qt::CTRL | Qt::Key_G)), QString()},
        {"ID_GLOSS_COLOR", QStringLiteral("释义颜色"), QString()},
        {"ID_VOCABULARY", QStringLiteral("词汇量"), QString()},
    };
    for (const Case& c : cases) {
        QAction* action = frame->Command(c.id);
        QToolBar* bar = frame->MainToolBar()->actions().contains(action) ? frame->MainToolBar()
                                                                         : frame->ReadingToolBar();
        QWidget* button = bar->widgetForAction(action);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        EXPECT_EQ(QToolTip::text(), c.tip) << c.id;
        EXPECT_EQ(action->statusTip(), c.prompt) << c.id;
    }
    QToolTip::hideText();
    frame->Command("ID_EDIT_PASTE")->showStatusText(frame);
    EXPECT_EQ(Pane(frame, "MessagePane"), QStringLiteral("插入剪贴板内容"));
    EXPECT_EQ(Pane(frame, "PagePane"), QStringLiteral("第1页/共1页"));
    QStatusTipEvent ended{QString()};
    QApplication::sendEvent(frame, &ended);
    EXPECT_EQ(Pane(frame, "MessagePane"), QStringLiteral("就绪"));
    EXPECT_EQ(Pane(frame, "PagePane"), QStringLiteral("第1页/共1页"));
}

TEST_F(StartedApp, KeysOfTheAcceleratorTable) {
    CMainFrame* frame = Start();
    struct Case {
        const char* id;
        QKeySequence key;
    };
    const Case cases[] = {
        {"ID_FILE_NEW", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"ID_FILE_OPEN", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"ID_FILE_SAVE", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"ID_FILE_PRINT", QKeySequence(QStringLiteral("Ctrl+P"))},
        {"ID_EDIT_PASTE", QKeySequence(QStringLiteral("Shift+Ins"))},
        {"ID_EDIT_UNDO", QKeySequence(QStringLiteral("Ctrl+Z"))},
        {"ID_EDIT_CUT", QKeySequence(QStringLiteral("Ctrl+X"))},
        {"ID_EDIT_COPY", QKeySequence(QStringLiteral("Ctrl+C"))},
        {"ID_NEXT_PANE", QKeySequence(QStringLiteral("F6"))},
        {"ID_PREV_PANE", QKeySequence(QStringLiteral("Shift+F6"))},
        {"ID_HELP", QKeySequence(QStringLiteral("F1"))},
        {"ID_APP_EXIT", QKeySequence(QStringLiteral("Ctrl+Q"))},
        {"ID_GOTO_PAGE", QKeySequence(QStringLiteral("Ctrl+G"))},
        {"ID_TEXT_HOME", QKeySequence(QStringLiteral("Ctrl+Home"))},
        {"ID_TEXT_END", QKeySequence(QStringLiteral("Ctrl+End"))},
    };
    for (const Case& c : cases) {
        QAction* action = frame->Command(c.id);
        ASSERT_NE(action, nullptr) << c.id;
        EXPECT_TRUE(action->shortcuts().contains(c.key)) << c.id;
    }
}

TEST_F(StartedApp, TheDictionaryPanelDocksFromItsKeyAndShowsTheWordLookedUp) {
    CMainFrame* frame = Start();
    QDockWidget* dock = frame->DictionaryDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isVisible()) << "hidden until asked for";
    EXPECT_FALSE(m_app.Document().FullEntries().Opened()) << "start-up opens no entries";
    frame->activateWindow();
    QTest::keyClick(frame, Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(dock->isVisible());
    EXPECT_TRUE(frame->Command("ID_DICTIONARY_PANEL")->isChecked());
    QTRY_VERIFY(frame->Dictionary()->SearchField()->hasFocus());
    // The view tells it of every word held or clicked.
    emit frame->View()->wordLookedUp(ComposeWordCard("zebra", "斑马", std::nullopt));
    EXPECT_TRUE(frame->Dictionary()->CardHtml().contains(QStringLiteral("斑马")));
    frame->Dictionary()->Search(QStringLiteral("went"));
    EXPECT_TRUE(frame->Dictionary()->CardHtml().contains(QStringLiteral("<b>go</b>")));
    frame->Command("ID_DICTIONARY_PANEL")->trigger();
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(frame->Command("ID_DICTIONARY_PANEL")->isChecked());
}

TEST_F(StartedApp, CtrlNReturnsToTheTopAndKeepsTheText) {
    TempDir dir;
    WriteFile(dir.Path("story.txt"), "one\r\ntwo\r\n");
    CMainFrame* frame = Start({"--text", dir.Path("story.txt")});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("story - Vellumwise"));
    CVellumwiseDoc& doc = m_app.Document();
    ASSERT_EQ(doc.m_paragraphs.m_arrParagraphs.size(), 2u);
    doc.ScrollTo(50);
    QTest::keyClick(frame->View()->viewport(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(doc.m_nScrollPos, 0);
    EXPECT_EQ(doc.m_paragraphs.m_arrParagraphs.size(), 2u);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("无标题 - Vellumwise"));
}

TEST_F(StartedApp, FileArgumentIsTheDocumentAndCtrlSNeverWritesIt) {
    TempDir dir;
    const std::string path = dir.Path("notes.vwd");
    WriteFile(path, "keep me");
    CMainFrame* frame = Start({path});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("notes.vwd - Vellumwise"));
    EXPECT_TRUE(m_app.Document().m_paragraphs.m_arrParagraphs.empty());
    EXPECT_TRUE(m_app.Document().m_bInitialised);
    QTest::keyClick(frame->View()->viewport(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(path), "keep me");
}

}  // namespace
