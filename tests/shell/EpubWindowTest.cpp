// Books in the window: opened from the command line or by dropping, their
// chapters in the 文件 menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "CCommandLineInfo.h"
#include "CMainFrame.h"
#include "CVellumwiseApp.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "ChapterMenu.h"
#include "EpubWriter.h"
#include "TempDir.h"

namespace {

// Two parts of 60 paragraphs each, so that a chapter lies pages below the top.
std::string LongBook() {
    EpubWriter writer;
    for (int part = 1; part <= 2; ++part) {
        std::string body = "<h1 id=\"p\">Part " + std::to_string(part) + "</h1>";
        for (int i = 0; i < 60; ++i) {
            body += "<p id=\"s" + std::to_string(i) + "\">The apple and the clock, line " +
                    std::to_string(i) + ".</p>";
        }
        writer.Chapter("part" + std::to_string(part) + ".xhtml", body);
    }
    return writer
        .Nav(
            "<ol><li><a href=\"text/part1.xhtml#p\">Part 1</a><ol>"
            "<li><a href=\"text/part1.xhtml#s30\">Middle &amp; more</a></li></ol></li>"
            "<li><a href=\"text/part2.xhtml\">Part 2</a></li></ol>")
        .Bytes();
}

QStringList Titles(const QMenu* menu) {
    QStringList titles;
    for (const QAction* action : menu->actions()) {
        titles << (action->isSeparator() ? QStringLiteral("|") : action->text());
    }
    return titles;
}

// Message boxes shown, to be read and answered, while the fixture lives (the suite
// otherwise runs with messages on standard error).
struct MessageBoxesShown {
    MessageBoxesShown() { qputenv("VELLUMWISE_NONINTERACTIVE", "0"); }
    ~MessageBoxesShown() { qputenv("VELLUMWISE_NONINTERACTIVE", "1"); }
};

class BookWindow : public testing::Test {
protected:
    CMainFrame* Start(const std::vector<std::string>& arguments) {
        EXPECT_FALSE(m_app.InitInstance(arguments).has_value());
        CMainFrame* frame = m_app.MainFrame();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        return frame;
    }
    ChapterMenu* Chapters(CMainFrame* frame) {
        return frame->findChild<ChapterMenu*>(QStringLiteral("ChapterMenu"));
    }
    TempDir m_dir;
    MessageBoxesShown m_boxes;  // before the application reads the setting
    CVellumwiseApp m_app;
};

TEST(BookCommandLine, ABareBookIsTextToReadNotTheDocument) {
    struct Case {
        std::vector<std::string> arguments;
        CCommandLineInfo::ShellCommand command;
        std::string file;
        std::string text;
    };
    using enum CCommandLineInfo::ShellCommand;
    const Case cases[] = {
        {{"book.epub"}, FileNew, "", "book.epub"},
        {{"/home/reader/Book.EPUB"}, FileNew, "", "/home/reader/Book.EPUB"},
        {{"--text", "book.epub"}, FileNew, "", "book.epub"},
        {{"book.epub", "a.vwd"}, FileOpen, "a.vwd", "book.epub"},
        {{"--text", "war.txt", "book.epub"}, FileOpen, "book.epub", "war.txt"},
        {{"/p", "book.epub"}, FilePrint, "book.epub", "book.epub"},
    };
    for (const Case& c : cases) {
        const CCommandLineInfo info = CCommandLineInfo::Parse(c.arguments);
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(info.m_nShellCommand, c.command);
        EXPECT_EQ(info.m_strFileName, c.file);
        EXPECT_EQ(info.m_strTextFile, c.text);
    }
}

TEST_F(BookWindow, ChaptersMenuJumpsToTheChaptersFirstParagraph) {
    const std::string path = m_dir.Path("Long Book.epub");
    WriteFile(path, LongBook());
    CMainFrame* frame = Start({path});
    CVellumwiseDoc& doc = m_app.Document();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Long Book - Vellumwise"));
    ASSERT_EQ(doc.m_paragraphs.m_arrParagraphs.size(), 122u);

    ChapterMenu* menu = Chapters(frame);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
    menu->Rebuild();
    EXPECT_EQ(Titles(menu), (QStringList{QStringLiteral("Part 1"), QStringLiteral("Part 2")}));
    QMenu* part1 = menu->actions()[0]->menu();
    ASSERT_NE(part1, nullptr);
    EXPECT_EQ(Titles(part1), (QStringList{QStringLiteral("Part 1"), QStringLiteral("|"),
                                          QStringLiteral("Middle && more")}));

    part1->actions()[2]->trigger();
    const int middleTop = doc.m_paragraphs.m_arrParagraphs[31].m_nTop;
    EXPECT_GT(middleTop, 1000);
    EXPECT_EQ(doc.m_nScrollPos, middleTop);
    EXPECT_EQ(frame->View()->verticalScrollBar()->value(), middleTop);
    EXPECT_EQ(frame->findChild<QLabel*>(QStringLiteral("PagePane"))->text(),
              QStringLiteral("第%1页/共%2页")
                  .arg(middleTop / 1000 + 1)
                  .arg(doc.m_nTextHeight / 1000 + 1));

    menu->actions()[1]->trigger();
    EXPECT_EQ(doc.m_nScrollPos, doc.m_paragraphs.m_arrParagraphs[61].m_nTop);
    part1->actions()[0]->trigger();
    EXPECT_EQ(doc.m_nScrollPos, doc.m_paragraphs.m_arrParagraphs[0].m_nTop);
}

TEST_F(BookWindow, APlainTextsHeadingLinesAreItsChapters) {
    std::string text;
    for (int chapter = 1; chapter <= 3; ++chapter) {
        text += "CHAPTER " + std::to_string(chapter) + "\n\n";
        for (int paragraph = 0; paragraph < 30; ++paragraph) {
            text +=
                "The morning was grey and she walked slowly toward the village beyond\n"
                "the river, thinking of nothing at all, as she had done every day.\n\n";
        }
    }
    const std::string path = m_dir.Path("novel.txt");
    WriteFile(path, text);
    CMainFrame* frame = Start({path});
    ChapterMenu* menu = Chapters(frame);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
    menu->Rebuild();
    EXPECT_EQ(Titles(menu), (QStringList{QStringLiteral("CHAPTER 1"), QStringLiteral("CHAPTER 2"),
                                         QStringLiteral("CHAPTER 3")}));
    menu->actions()[2]->trigger();
    CVellumwiseDoc& doc = m_app.Document();
    EXPECT_EQ(doc.m_nScrollPos, doc.m_paragraphs.m_arrParagraphs[2 * 61].m_nTop);
    // The chapters are the text's, whichever the layout.
    doc.SetPageLayout(PageLayout::Original);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
}

TEST_F(BookWindow, ADroppedBookOpensABrokenOneKeepsTheText) {
    const std::string good = m_dir.Path("good.epub");
    WriteFile(good, LongBook());
    const std::string broken = m_dir.Path("broken.epub");
    WriteFile(broken, "not a book");
    CMainFrame* frame = Start({});
    ChapterMenu* menu = Chapters(frame);
    EXPECT_FALSE(menu->menuAction()->isEnabled());

    // Drops the file and waits until `done` holds, answering the message box the open
    // may show. The book is read on the worker after the drop, so the box comes only
    // once the reading is over: a timer polls for it from every loop meanwhile.
    auto drop = [&](const std::string& path, const std::function<bool(const QString&)>& done) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        // Qt delivers a drop only to the window a drag entered.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &event);
        EXPECT_TRUE(event.isAccepted());
        QString message;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&message] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
        poll.start();
        const QDeadlineTimer deadline(20000);
        while (!done(message) && !deadline.hasExpired()) {
            QTest::qWait(5);
        }
        QTest::qWait(20);
        return message;
    };
    const auto bookShown = [&](const QString&) {
        return m_app.Document().m_paragraphs.m_arrParagraphs.size() == 122u;
    };
    const auto told = [](const QString& message) { return !message.isEmpty(); };
    EXPECT_EQ(drop(good, bookShown), QString());
    EXPECT_EQ(m_app.Document().m_paragraphs.m_arrParagraphs.size(), 122u);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("good - Vellumwise"));
    EXPECT_TRUE(menu->menuAction()->isEnabled());
    EXPECT_EQ(drop(broken, told), QStringLiteral("无法打开电子书 %1：这不是 ZIP 格式的文件")
                                      .arg(QString::fromStdString(broken)));
    EXPECT_EQ(m_app.Document().m_paragraphs.m_arrParagraphs.size(), 122u);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("good - Vellumwise"));
}

}  // namespace
