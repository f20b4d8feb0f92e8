// Where the reader is: the status bar's panes, the reading pace, the chapter list and
// the next and previous chapter; and the help window of the program's own.
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "ChapterListDialog.h"
#include "ChapterPosition.h"
#include "StripGeometry.h"

namespace {

// How long a report stays in the status bar's message pane.
constexpr int kReportMilliseconds = 6000;
// The chapter's pane is cut to this width, so a long title leaves room for the rest.
constexpr int kChapterPaneWidth = 280;

const QString kNoChapters = QStringLiteral("这个文本没有找到章节。");

}  // namespace

void CMainFrame::Report(const QString& text) {
    statusBar()->showMessage(text, kReportMilliseconds);
}

void CMainFrame::UpdateWhereAmI() {
    if (m_pPercentPane == nullptr) {
        return;  // before the status bar is made
    }
    const std::int64_t textHeight = m_doc.m_nTextHeight;
    m_pPercentPane->setText(
        QStringLiteral("%1%").arg(PercentThrough(m_doc.m_nScrollPos, textHeight)));

    const std::vector<BookChapter>& chapters = m_pView->Chapters();
    const std::size_t topParagraph = m_pView->TopParagraph();
    const std::optional<std::size_t> chapter = ChapterAt(chapters, topParagraph);
    const QString title = chapter ? QString::fromStdString(chapters[*chapter].title) : QString();
    m_pChapterPane->setText(
        m_pChapterPane->fontMetrics().elidedText(title, Qt::ElideRight, kChapterPaneWidth));
    m_pChapterPane->setToolTip(title);
    m_pChapterPane->setVisible(!title.isEmpty());

    // The pace follows the top word; a new text starts its own run of moves.
    const std::size_t top = m_pView->TopToken();
    if (m_nPaceText != m_doc.TextSerial()) {
        m_pace.Restart();
        m_nPaceText = m_doc.TextSerial();
        m_nPaceToken = SIZE_MAX;
    }
    if (top != m_nPaceToken) {
        m_pace.Moved(m_clock ? m_clock() : m_elapsed.elapsed(), top);
        m_nPaceToken = top;
    }

    const std::size_t total = m_pView->TextTokenCount();
    const std::optional<std::int64_t> bookMinutes =
        top < total ? m_pace.MinutesFor(total - top) : std::nullopt;
    if (!bookMinutes) {
        m_pTimeLeftPane->clear();
        m_pTimeLeftPane->setVisible(false);
        return;
    }
    QString left;
    if (chapter) {
        const std::size_t end = m_pView->FirstTokenOf(
            ChapterEnd(chapters, *chapter, m_doc.m_paragraphs.m_arrParagraphs.size()));
        if (const auto minutes = m_pace.MinutesFor(end > top ? end - top : 0)) {
            left = QStringLiteral("本章") + QString::fromStdString(DurationText(*minutes)) +
                   QStringLiteral(" · ");
        }
    }
    left += QStringLiteral("全书") + QString::fromStdString(DurationText(*bookMinutes));
    m_pTimeLeftPane->setText(left);
    m_pTimeLeftPane->setToolTip(QStringLiteral("按您这次读的速度（每分钟约 %1 词）读完还需的时间")
                                    .arg(static_cast<int>(*m_pace.TokensPerMinute() + 0.5)));
    m_pTimeLeftPane->setVisible(true);
}

void CMainFrame::OnChapterList() {
    const std::vector<BookChapter>& chapters = m_pView->Chapters();
    if (chapters.empty()) {
        Report(kNoChapters);
        return;
    }
    ChapterListDialog dlg(chapters, m_pView->ChapterAtTop(), this);
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    // The list is a copy taken before the dialog: the text may not have changed since,
    // but the chosen index is checked all the same.
    const std::vector<BookChapter>& now = m_pView->Chapters();
    if (const std::optional<std::size_t> chosen = dlg.Chosen(); chosen && *chosen < now.size()) {
        m_pView->ScrollToParagraph(now[*chosen].paragraph);
    }
}

void CMainFrame::OnNextChapter() {
    if (m_pView->Chapters().empty()) {
        Report(kNoChapters);
    } else if (!m_pView->OnNextChapter()) {
        Report(QStringLiteral("已是最后一章。"));
    }
}

void CMainFrame::OnPreviousChapter() {
    if (m_pView->Chapters().empty()) {
        Report(kNoChapters);
    } else if (!m_pView->OnPreviousChapter()) {
        Report(QStringLiteral("前面没有章节了。"));
    }
}

void CMainFrame::ShowHelpWindow(const std::string& page) {
    auto* window = findChild<QDialog*>(QStringLiteral("helpWindow"));
    if (window == nullptr) {
        window = new QDialog(this, Qt::Window);
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setWindowTitle(QStringLiteral("Vellumwise 使用帮助"));
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        // Links within the page stay here; a web address goes to the desktop.
        browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(760, 640);
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    browser->setSource(
        QUrl::fromLocalFile(QFileInfo(QFile::decodeName(page.c_str())).absoluteFilePath()));
    window->show();
    window->raise();
    window->activateWindow();
}
