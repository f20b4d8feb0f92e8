// Opening an .epub: the book's text in the same text model, its chapters beside it.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocumentFixture.h"
#include "EpubWriter.h"

namespace {

class EpubDocument : public StartedDocument {
protected:
    std::string WriteBook(const std::string& name) {
        return WriteText(
            name, EpubWriter()
                      .Chapter("one.xhtml", "<h1 id=\"c1\">One</h1><p>The apple&nbsp;fell.</p>")
                      .Chapter("two.xhtml", "<h1>Two</h1><p>A clock<br/>struck.</p>")
                      .Nav("<ol><li><a href=\"text/one.xhtml#c1\">One</a></li>"
                           "<li><a href=\"text/two.xhtml\">Two</a></li></ol>")
                      .Bytes());
    }

    std::vector<std::string> ChapterTitlesAndParagraphs() const {
        std::vector<std::string> chapters;
        for (const BookChapter& chapter : m_doc.m_chapters) {
            chapters.push_back(chapter.title + "@" + std::to_string(chapter.paragraph));
        }
        return chapters;
    }
};

// Former bug: a book was read on the window's thread, with no progress bar and no
// way to stop it. It goes through the same worker as a text now.
TEST_F(EpubDocument, ABookReportsProgressAndACancelKeepsTheTextShownBefore) {
    m_platform.m_clipboard = "apple";
    m_doc.OnEditPaste();
    const std::string book = WriteBook("The Book.epub");
    m_platform.m_cancelAt = 0.25;  // Esc once the book's bytes are read
    m_view.m_hints.clear();
    EXPECT_FALSE(m_doc.OpenTextFile(book));
    EXPECT_FALSE(m_platform.m_progress.empty());
    EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"apple"});
    EXPECT_TRUE(m_doc.m_chapters.empty());
    EXPECT_TRUE(m_platform.m_messages.empty());
    EXPECT_TRUE(m_view.m_hints.empty());
    EXPECT_EQ(m_platform.m_nWaitDepth, 0);

    m_platform.m_cancelAt.reset();
    m_platform.m_progress.clear();
    EXPECT_TRUE(m_doc.OpenTextFile(book));
    EXPECT_EQ(ChapterTitlesAndParagraphs(), (std::vector<std::string>{"One@0", "Two@2"}));
    ASSERT_FALSE(m_platform.m_progress.empty());
    EXPECT_TRUE(std::is_sorted(m_platform.m_progress.begin(), m_platform.m_progress.end()));
}

TEST_F(EpubDocument, OpenTextFileReadsABookLikeATextWithItsChapters) {
    m_platform.m_fileAnswers.push_back(WriteBook("The Book.epub"));
    m_doc.ScrollTo(4000);
    m_view.m_hints.clear();
    m_doc.OnOpenTextFile();
    EXPECT_EQ(m_platform.m_filtersAsked,
              std::vector<std::string>{
                  "电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;所有文件 (*)"});
    EXPECT_EQ(ParagraphTexts(), (std::vector<std::string>{"One", "The apple\u00A0fell.", "Two",
                                                          "A clock", "struck."}));
    EXPECT_EQ(Glossed(), "apple=苹果 clock=钟");
    EXPECT_EQ(ChapterTitlesAndParagraphs(), (std::vector<std::string>{"One@0", "Two@2"}));
    // The titles go into the text model with the text, for the page to set them so.
    EXPECT_EQ(m_doc.m_paragraphs.Headings(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(m_doc.GetTitle(), "The Book");
    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Text});
    EXPECT_EQ(m_platform.m_nWaitDepth, 0);
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST_F(EpubDocument, ABookThatCannotBeReadLeavesTheTextShownBefore) {
    m_doc.OpenTextFile(WriteBook("good.epub"));
    m_doc.ScrollTo(120);
    m_view.m_hints.clear();
    const std::string broken = WriteText("broken.EPUB", "PK\x03\x04 not really");
    m_doc.OpenTextFile(broken);
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    // It starts like a zip: cut short or damaged, not some other kind of file.
    EXPECT_EQ(
        m_platform.m_messages[0],
        "无法打开电子书 " + broken + "：ZIP 文件不完整或已损坏（也许没有下载完），找不到它的目录");
    EXPECT_EQ(ParagraphTexts().size(), 5u);
    EXPECT_EQ(m_doc.m_chapters.size(), 2u);
    EXPECT_EQ(m_doc.GetTitle(), "good");
    EXPECT_EQ(m_doc.m_nScrollPos, 120);
    EXPECT_TRUE(m_view.m_hints.empty());
    EXPECT_EQ(m_platform.m_nWaitDepth, 0);
}

TEST_F(EpubDocument, ATextOrAPasteAfterABookHasNoChapters) {
    m_doc.OpenTextFile(WriteBook("a.epub"));
    m_doc.OpenTextFile(WriteText("plain.txt", "The apple.\n"));
    EXPECT_TRUE(m_doc.m_chapters.empty());
    EXPECT_TRUE(m_doc.m_paragraphs.Headings().empty());
    m_doc.OpenTextFile(WriteBook("b.epub"));
    m_platform.m_clipboard = "A clock";
    m_doc.OnEditPaste();
    EXPECT_TRUE(m_doc.m_chapters.empty());
    EXPECT_TRUE(m_doc.m_paragraphs.Headings().empty());
    EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"A clock"});
}

}  // namespace
