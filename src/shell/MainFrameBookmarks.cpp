// Bookmarks from the window: adding one at the top word, the menu's list, the dialog.
#include <filesystem>

#include "Bookmarks.h"
#include "BookmarksDialog.h"
#include "CMainFrame.h"
#include "CParagraph.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "ChapterPosition.h"
#include "IPlatformServices.h"
#include "TopWord.h"
#include "WordBook.h"

namespace {

const QString kNoFileForBookmarks =
    QStringLiteral("粘贴的文字没有文件，书签无处保存：请把它存成 .txt 文件再打开。");

}  // namespace

void CMainFrame::AddBookmarkHere() {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    if (m_doc.TextPath().empty()) {
        Report(kNoFileForBookmarks);
        return;
    }
    if (paragraphs.empty()) {
        Report(QStringLiteral("这个文本没有文字，不能加书签。"));
        return;
    }
    // Past the last line: the last word, where going back to the bookmark lands.
    const WordPlace top =
        ClampPlace(paragraphs, m_pView->TopWord().value_or(WordPlace{paragraphs.size(), 0}));
    const CParagraph& paragraph = paragraphs[top.paragraph];
    const std::size_t offset = paragraph.TokenCount() == 0
                                   ? 0
                                   : static_cast<std::size_t>(paragraph.Word(top.token).data() -
                                                              paragraph.m_strText.data());
    Bookmark bookmark;
    bookmark.path = BookmarkPathOf(m_doc.TextPath());
    bookmark.place = top;
    bookmark.snippet = SnippetFrom(paragraph.m_strText, offset);
    const std::vector<BookChapter>& chapters = m_pView->Chapters();
    if (const std::optional<std::size_t> chapter = ChapterAt(chapters, top.paragraph)) {
        bookmark.chapter = chapters[*chapter].title;
    }
    bookmark.date = TodayIso();
    const std::string problem = AddBookmark(m_doc.m_strPersonalDir, bookmark);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
        return;
    }
    Report(QStringLiteral("已添加书签：") + QString::fromStdString(bookmark.snippet));
}

std::vector<Bookmark> CMainFrame::TextBookmarks() const {
    if (m_doc.TextPath().empty()) {
        return {};
    }
    BookmarkFile file;
    if (!LoadBookmarks(m_doc.m_strPersonalDir, file)) {
        return {};
    }
    return BookmarksOf(file, BookmarkPathOf(m_doc.TextPath()));
}

void CMainFrame::OpenBookmark(const Bookmark& bookmark) {
    if (!m_doc.TextPath().empty() && BookmarkPathOf(m_doc.TextPath()) == bookmark.path) {
        m_pView->ScrollToWord(bookmark.place);
        return;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(bookmark.path, error)) {
        m_platform.ShowMessage("找不到这个书签的文本：" + bookmark.path);
        return;
    }
    OpenText(bookmark.path, bookmark.place);
}

void CMainFrame::OnManageBookmarks() {
    if (m_doc.TextPath().empty()) {
        Report(kNoFileForBookmarks);
        return;
    }
    const std::string folder = m_doc.m_strPersonalDir;
    BookmarksDialog dlg(this);
    dlg.load = [this] { return TextBookmarks(); };
    dlg.rename = [folder](const Bookmark& bookmark, const std::string& name) {
        return RenameBookmark(folder, bookmark, name);
    };
    dlg.remove = [folder](const Bookmark& bookmark) { return RemoveBookmark(folder, bookmark); };
    dlg.open = [this](const Bookmark& bookmark) { OpenBookmark(bookmark); };
    dlg.exec();
}
